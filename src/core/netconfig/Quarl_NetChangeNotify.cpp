#include "Quarl_NetChangeNotify.h"

#include "Quarl_IpHlpAPI.h"
#include "TAddrChangeEvent.h"

#include <unistd.h>

namespace {

constexpr std::size_t InterfaceTableBase = 520;
constexpr int PollInterval = 1000;
constexpr int WaitSlice = 500;

}  // namespace

TWatchNetworkChangeThread::TWatchNetworkChangeThread(TNetworkNotifyEvent ANotifyProc, TSynchronize ASynchronize)
    : FNotifyProc(std::move(ANotifyProc)), FSynchronize(std::move(ASynchronize)), FThread([this] { Execute(); })
{
    // The identifier is published by the thread itself; wait for it, so it is never 0 while the worker
    // lives. A run may end before this wakes, so the wait is on a flag of its own.
    FStarted.wait(false);
}

TWatchNetworkChangeThread::~TWatchNetworkChangeThread()
{
    Terminate();
    FThread.join();
}

void TWatchNetworkChangeThread::Terminate()
{
    FTerminated.store(true);
    FStop.Signal();
}

void TWatchNetworkChangeThread::Execute()
{
    FThreadId.store(static_cast<std::uint32_t>(::gettid()));
    FStarted.store(true);
    FStarted.notify_all();
    try {
        Run();
    } catch (...) {
        // Out of memory or descriptors: the worker ends quietly, as after a failed wait.
    }
    FThreadId.store(0);
}

void TWatchNetworkChangeThread::Run()
{
    std::vector<std::byte> buffer(InterfaceTableBase);
    TAddrChangeEvent event;
    OVERLAPPED overlapped{};
    overlapped.hEvent = &event;
    HANDLE handle = nullptr;
    bool lastArmFailed = false;
    while (!Terminated()) {
        if (!HasInterfaces(buffer)) {
            FStop.Sleep(PollInterval);
            continue;
        }
        const DWORD armed = IpHlpAPI.NotifyAddrChange ? IpHlpAPI.NotifyAddrChange(&handle, &overlapped)
                                                       : ERROR_NOT_SUPPORTED;
        if (armed != NO_ERROR && armed != ERROR_IO_PENDING) {
            // A failed arm is retried at once; one that keeps failing is retried at the poll interval
            // instead, so a refusing kernel cannot make the worker spin.
            if (lastArmFailed)
                FStop.Sleep(PollInterval);
            lastArmFailed = true;
            continue;
        }
        lastArmFailed = false;
        for (;;) {
            if (Terminated())
                return;
            const auto result = event.Wait(FStop, WaitSlice);
            if (result == TAddrChangeEvent::TWaitResult::Changed) {
                HandOver();
                break;
            }
            if (result == TAddrChangeEvent::TWaitResult::Failed)
                return;
        }
    }
}

bool TWatchNetworkChangeThread::HasInterfaces(std::vector<std::byte> &buffer) const
{
    if (!IpHlpAPI.GetInterfaceInfo)
        return false;
    auto size = static_cast<ULONG>(buffer.size());
    DWORD result = IpHlpAPI.GetInterfaceInfo(reinterpret_cast<PIP_INTERFACE_INFO>(buffer.data()), &size);
    while (result == ERROR_INSUFFICIENT_BUFFER) {
        buffer.resize(size + InterfaceTableBase);
        size = static_cast<ULONG>(buffer.size());
        result = IpHlpAPI.GetInterfaceInfo(reinterpret_cast<PIP_INTERFACE_INFO>(buffer.data()), &size);
    }
    return result == NO_ERROR && reinterpret_cast<const IP_INTERFACE_INFO *>(buffer.data())->NumAdapters > 0;
}

void TWatchNetworkChangeThread::HandOver()
{
    // By value: a handler may destroy the notifier, and with it this worker, while the call runs.
    FSynchronize([notify = FNotifyProc, sender = this, result = FRes] { notify(sender, result); });
}

TNetworkChangeNotifier::TNetworkChangeNotifier(TPostToGuiThread APostToGuiThread)
    : FSynchronizer(std::move(APostToGuiThread))
{
    FThread = std::make_unique<TWatchNetworkChangeThread>(
        [this](void *Sender, std::uint32_t ARes) { ThreadNotify(Sender, ARes); },
        [this](std::function<void()> call) { return FSynchronizer.Synchronize(std::move(call)); });
}

TNetworkChangeNotifier::~TNetworkChangeNotifier()
{
    // Closing first releases a worker blocked in a hand-over and keeps every queued hand-over from
    // reaching OnChange; the worker then sees its terminate flag at once and the join is short.
    FSynchronizer.Close();
    FThread.reset();
}

void TNetworkChangeNotifier::ThreadNotify(void *, std::uint32_t ARes)
{
    // A copy, so a handler that destroys the notifier does not destroy the function it is running in.
    const TNetworkNotifyEvent handler = FOnChange;
    if (handler)
        handler(this, ARes);
}

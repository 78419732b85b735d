#pragma once

#include "TGuiSynchronizer.h"
#include "TStopSignal.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

// The object that reports: the notifier for `OnChange`, the worker for its hand-over routine.
using TNetworkNotifyEvent = std::function<void(void *Sender, std::uint32_t ARes)>;

// Waits for address and link changes and hands each one to `FNotifyProc` on the GUI thread, blocking
// until it has run. Starts at once. Requires the IP Helper binding to be loaded.
class TWatchNetworkChangeThread {
public:
    using TSynchronize = std::function<bool(std::function<void()> call)>;

    TWatchNetworkChangeThread(TNetworkNotifyEvent ANotifyProc, TSynchronize ASynchronize);
    // Terminates and waits for the run to end; within a wait slice or a poll sleep that is at once.
    ~TWatchNetworkChangeThread();
    TWatchNetworkChangeThread(const TWatchNetworkChangeThread &) = delete;
    TWatchNetworkChangeThread &operator=(const TWatchNetworkChangeThread &) = delete;

    // Sets the terminate flag and wakes the worker from its sleep or wait. A hand-over in progress is
    // not interrupted here: the synchronizer's owner releases it.
    void Terminate();
    bool Terminated() const { return FTerminated.load(); }
    // The system's identifier of the worker thread; 0 once its run has ended.
    std::uint32_t ThreadId() const { return FThreadId.load(); }

private:
    void Execute();
    void Run();
    bool HasInterfaces(std::vector<std::byte> &buffer) const;
    void HandOver();

    TNetworkNotifyEvent FNotifyProc;
    // The result handed over; nothing assigns it.
    std::uint32_t FRes = 0;
    TSynchronize FSynchronize;
    std::atomic<bool> FTerminated{false};
    TStopSignal FStop;
    std::atomic<std::uint32_t> FThreadId{0};
    std::atomic<bool> FStarted{false};
    std::thread FThread;
};

// Tells its owner on the GUI thread each time the machine's IPv4 addresses or its interfaces change.
// Create and destroy it on the GUI thread, after the IP Helper binding has been loaded.
class TNetworkChangeNotifier {
public:
    explicit TNetworkChangeNotifier(TPostToGuiThread APostToGuiThread);
    // Stops the worker within a wait slice, also while it is blocked in a hand-over; no `OnChange`
    // runs once this has begun.
    ~TNetworkChangeNotifier();
    TNetworkChangeNotifier(const TNetworkChangeNotifier &) = delete;
    TNetworkChangeNotifier &operator=(const TNetworkChangeNotifier &) = delete;

    // Called on the GUI thread once per observed change, with the notifier as sender and ARes 0.
    const TNetworkNotifyEvent &OnChange() const { return FOnChange; }
    void SetOnChange(TNetworkNotifyEvent handler) { FOnChange = std::move(handler); }

    std::uint32_t ThreadId() const { return FThread ? FThread->ThreadId() : 0; }

private:
    void ThreadNotify(void *Sender, std::uint32_t ARes);

    TNetworkNotifyEvent FOnChange;
    TGuiSynchronizer FSynchronizer;
    std::unique_ptr<TWatchNetworkChangeThread> FThread;
};

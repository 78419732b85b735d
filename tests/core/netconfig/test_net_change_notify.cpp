#include "Quarl_IpHlpAPI.h"
#include "Quarl_NetChangeNotify.h"
#include "RtnlNotifyAddrChange.h"
#include "TBuiltinModule.h"
#include "TModuleLoader.h"
#include "TNetworkNamespace.h"
#include "TTestGuiThread.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <net/if.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

// The provider lists loopback, which every namespace has; to reach "no interface at all" a test
// hides it behind this table of the calling thread's namespace without loopback.
DWORD VX_WINAPI InterfaceInfoWithoutLoopback(PIP_INTERFACE_INFO IfTable, PULONG OutBufLen)
{
    std::vector<ULONG> indexes;
    if (struct if_nameindex *names = ::if_nameindex()) {
        for (struct if_nameindex *name = names; name->if_index != 0; ++name)
            if (std::strcmp(name->if_name, "lo") != 0)
                indexes.push_back(name->if_index);
        ::if_freenameindex(names);
    }
    const auto needed = static_cast<ULONG>(offsetof(IP_INTERFACE_INFO, Adapter) +
                                           indexes.size() * sizeof(IP_ADAPTER_INDEX_MAP));
    if (IfTable == nullptr || *OutBufLen < needed) {
        *OutBufLen = needed;
        return ERROR_INSUFFICIENT_BUFFER;
    }
    IfTable->NumAdapters = static_cast<LONG>(indexes.size());
    auto *entries = reinterpret_cast<IP_ADAPTER_INDEX_MAP *>(reinterpret_cast<std::byte *>(IfTable) +
                                                             offsetof(IP_INTERFACE_INFO, Adapter));
    for (std::size_t i = 0; i < indexes.size(); ++i)
        entries[i] = IP_ADAPTER_INDEX_MAP{indexes[i], {}};
    return NO_ERROR;
}

std::atomic<bool> HideLoopback{false};

DWORD VX_WINAPI TestGetInterfaceInfo(PIP_INTERFACE_INFO IfTable, PULONG OutBufLen)
{
    if (HideLoopback.load())
        return InterfaceInfoWithoutLoopback(IfTable, OutBufLen);
    static const auto provider = reinterpret_cast<TGetInterfaceInfo>(
        LoadSystemModule("iphlpapi.dll")->GetProcAddress("GetInterfaceInfo"));
    return provider(IfTable, OutBufLen);
}

std::atomic<int> Arms{0};
std::atomic<int> ArmsDone{0}; // arms that subscribed and took the known state
std::atomic<int> ArmsToRefuse{0};
std::atomic<bool> ArmWithoutSubscribing{false};

// The real entry point, counted, with failures injected where the kernel offers none on demand.
DWORD VX_WINAPI TestNotifyAddrChange(PHANDLE Handle, LPOVERLAPPED overlapped)
{
    ++Arms;
    if (ArmsToRefuse.load() > 0) {
        --ArmsToRefuse;
        return ERROR_NOT_SUPPORTED;
    }
    if (ArmWithoutSubscribing.load())
        return ERROR_IO_PENDING;
    const DWORD result = RtnlNotifyAddrChange(Handle, overlapped);
    ++ArmsDone;
    return result;
}

bool WaitUntil(const std::function<bool()> &condition, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

std::size_t CountEntries(const char *folder)
{
    std::size_t count = 0;
    if (DIR *directory = ::opendir(folder)) {
        while (const dirent *entry = ::readdir(directory))
            if (entry->d_name[0] != '.')
                ++count;
        ::closedir(directory);
    }
    return count;
}

// What OnChange saw, written on the GUI thread and read by the test.
struct TCalls {
    std::mutex Lock;
    int Count = 0;
    bool AllOnGuiThread = true;
    bool AllZero = true;
    bool AllFromNotifier = true;

    int Get()
    {
        std::lock_guard lock(Lock);
        return Count;
    }
};

class NetChangeNotify : public testing::Test {
protected:
    void SetUp() override
    {
        if (!Namespace.IsCreated())
            GTEST_SKIP() << "cannot make a network namespace ('ip netns add' needs iproute2 and CAP_SYS_ADMIN)";
        Arms = 0;
        ArmsDone = 0;
        HideLoopback = false;
        ArmsToRefuse = 0;
        ArmWithoutSubscribing = false;
        // The binding needs the adapter query; the real one serves.
        const TProcAddress adaptersInfo = LoadSystemModule("iphlpapi.dll")->GetProcAddress("GetAdaptersInfo");
        ASSERT_NE(adaptersInfo, nullptr);
        TModuleLoader::Process().Install(
            "iphlpapi.dll",
            std::make_shared<TBuiltinModule>(std::initializer_list<TBuiltinModule::TExport>{
                {"GetAdaptersInfo", adaptersInfo},
                {"GetInterfaceInfo", reinterpret_cast<TProcAddress>(&TestGetInterfaceInfo)},
                {"NotifyAddrChange", reinterpret_cast<TProcAddress>(&TestNotifyAddrChange)},
            }));
        InitIpHlpAPI();
    }

    void TearDown() override
    {
        Notifier.reset();
        TModuleLoader::Process().RestoreSystemModules();
        InitIpHlpAPI();
    }

    bool AddVeth()
    {
        return Namespace.Ip("link add vxa type veth peer name vxb") && Namespace.Ip("link set vxa up") &&
               Namespace.Ip("link set vxb up");
    }

    // The notifier is made on a thread inside the namespace, so its worker watches the namespace.
    void Start()
    {
        ASSERT_TRUE(Namespace.Run([this] { MakeNotifier(); })) << "cannot enter the namespace";
    }

    void MakeNotifier()
    {
        Notifier = std::make_unique<TNetworkChangeNotifier>([this](std::function<void()> call) { Gui.Post(std::move(call)); });
        TNetworkChangeNotifier *notifier = Notifier.get();
        Notifier->SetOnChange([this, notifier](void *Sender, std::uint32_t ARes) {
            std::lock_guard lock(Calls.Lock);
            ++Calls.Count;
            Calls.AllOnGuiThread = Calls.AllOnGuiThread && std::this_thread::get_id() == Gui.Id();
            Calls.AllZero = Calls.AllZero && ARes == 0;
            Calls.AllFromNotifier = Calls.AllFromNotifier && Sender == notifier;
        });
    }

    void StartArmed()
    {
        ASSERT_TRUE(AddVeth()) << "cannot make a veth pair in the namespace";
        Start();
        // Arming ends with the known-state dump; a change must land after it to be a change.
        ASSERT_TRUE(WaitUntil([] { return ArmsDone.load() >= 1; }, 2s)) << "the worker never armed the wait";
    }

    TNetworkNamespace Namespace;
    TTestGuiThread Gui;
    TCalls Calls;
    std::unique_ptr<TNetworkChangeNotifier> Notifier;
};

TEST_F(NetChangeNotify, AddedAddressReachesOnChangeOnTheGuiThreadWithinASecond)
{
    StartArmed();
    EXPECT_NE(Notifier->ThreadId(), 0u);
    ASSERT_TRUE(Namespace.Ip("addr add 10.9.0.1/24 dev vxa"));
    EXPECT_TRUE(WaitUntil([&] { return Calls.Get() >= 1; }, 1s));
    std::lock_guard lock(Calls.Lock);
    EXPECT_TRUE(Calls.AllOnGuiThread);
    EXPECT_TRUE(Calls.AllZero);
    EXPECT_TRUE(Calls.AllFromNotifier);
}

TEST_F(NetChangeNotify, TenQuickChangesMakeBetweenOneAndTenCalls)
{
    StartArmed();
    for (int host = 1; host <= 10; ++host)
        ASSERT_TRUE(Namespace.Ip("addr add 10.9.1." + std::to_string(host) + "/24 dev vxa"));
    ASSERT_TRUE(WaitUntil([&] { return Calls.Get() >= 1; }, 1s));
    std::this_thread::sleep_for(1500ms);
    std::lock_guard lock(Calls.Lock);
    EXPECT_GE(Calls.Count, 1);
    EXPECT_LE(Calls.Count, 10);
    EXPECT_TRUE(Calls.AllOnGuiThread);
    EXPECT_TRUE(Calls.AllZero);
}

TEST_F(NetChangeNotify, LinkSetDownMakesACall)
{
    StartArmed();
    ASSERT_TRUE(Namespace.Ip("link set vxb down"));
    EXPECT_TRUE(WaitUntil([&] { return Calls.Get() >= 1; }, 1s));
}

TEST_F(NetChangeNotify, LinkMessagesThatChangeNothingShownStaySilent)
{
    StartArmed();
    ASSERT_TRUE(Namespace.Ip("link set vxa promisc on"));
    ASSERT_TRUE(Namespace.Ip("link set vxa txqueuelen 321"));
    std::this_thread::sleep_for(1000ms);
    EXPECT_EQ(Calls.Get(), 0);
    ASSERT_TRUE(Namespace.Ip("link set vxa mtu 1400"));
    EXPECT_TRUE(WaitUntil([&] { return Calls.Get() >= 1; }, 1s)) << "the watch went deaf after silent messages";
}

TEST_F(NetChangeNotify, NoInterfaceKeepsPollingAndTheFirstOneArmsWithoutACall)
{
    HideLoopback = true;
    Start();
    std::this_thread::sleep_for(1500ms);
    EXPECT_EQ(Arms.load(), 0);
    EXPECT_EQ(Calls.Get(), 0);
    EXPECT_NE(Notifier->ThreadId(), 0u);
    ASSERT_TRUE(AddVeth());
    EXPECT_TRUE(WaitUntil([] { return Arms.load() >= 1; }, 1500ms)) << "the poll did not see the new interface";
    std::this_thread::sleep_for(700ms);
    EXPECT_EQ(Calls.Get(), 0);
    ASSERT_TRUE(Namespace.Ip("addr add 10.9.2.1/24 dev vxa"));
    EXPECT_TRUE(WaitUntil([&] { return Calls.Get() >= 1; }, 1s));
}

TEST_F(NetChangeNotify, RefusedArmIsRetriedAtOnce)
{
    ArmsToRefuse = 1;
    ASSERT_TRUE(AddVeth());
    Start();
    ASSERT_TRUE(WaitUntil([] { return Arms.load() >= 2; }, 300ms)) << "the refused arm was not retried at once";
    ASSERT_TRUE(WaitUntil([] { return ArmsDone.load() >= 1; }, 1s)) << "the retried arm never completed";
    ASSERT_TRUE(Namespace.Ip("addr add 10.9.3.1/24 dev vxa"));
    EXPECT_TRUE(WaitUntil([&] { return Calls.Get() >= 1; }, 1s));
}

TEST_F(NetChangeNotify, FailedWaitEndsTheWorkerQuietly)
{
    ArmWithoutSubscribing = true;
    ASSERT_TRUE(AddVeth());
    Start();
    EXPECT_TRUE(WaitUntil([&] { return Notifier->ThreadId() == 0; }, 1s)) << "the worker outlived a failed wait";
    ASSERT_TRUE(Namespace.Ip("addr add 10.9.4.1/24 dev vxa"));
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(Arms.load(), 1);
    EXPECT_EQ(Calls.Get(), 0);
}

TEST_F(NetChangeNotify, DestroyWhileAHandOverWaitsForTheBusyGuiThread)
{
    StartArmed();
    std::mutex gate;
    std::unique_lock hold(gate);
    std::chrono::steady_clock::duration destroyTook{};
    int callsWhenDestroyBegan = -1;
    // The GUI thread is busy; when released it destroys the notifier, as the main window would.
    Gui.Post([&] {
        std::lock_guard wait(gate);
        callsWhenDestroyBegan = Calls.Get();
        const auto start = std::chrono::steady_clock::now();
        Notifier.reset();
        destroyTook = std::chrono::steady_clock::now() - start;
    });
    ASSERT_TRUE(Namespace.Ip("addr add 10.9.5.1/24 dev vxa"));
    ASSERT_TRUE(WaitUntil([&] { return Gui.Pending() >= 1; }, 1s)) << "no hand-over was queued";
    hold.unlock();
    Gui.Run([] {});
    EXPECT_EQ(callsWhenDestroyBegan, 0);
    EXPECT_LT(destroyTook, 1s);
    EXPECT_EQ(Calls.Get(), 0) << "OnChange ran after Destroy had begun";
}

TEST_F(NetChangeNotify, HandlerThatDestroysTheNotifierReturnsAndNothingFollows)
{
    StartArmed();
    std::atomic<int> destroyed{0};
    Notifier->SetOnChange([&](void *, std::uint32_t) {
        Notifier.reset();
        ++destroyed;
    });
    ASSERT_TRUE(Namespace.Ip("addr add 10.9.6.1/24 dev vxa"));
    ASSERT_TRUE(WaitUntil([&] { return destroyed.load() == 1; }, 1s));
    ASSERT_TRUE(Namespace.Ip("addr add 10.9.6.2/24 dev vxa"));
    std::this_thread::sleep_for(300ms);
    Gui.Run([] {});
    EXPECT_EQ(destroyed.load(), 1);
}

TEST_F(NetChangeNotify, HundredCyclesLeakNoThreadOrDescriptor)
{
    ASSERT_TRUE(AddVeth());
    Gui.Run([] {});
    const std::size_t descriptors = CountEntries("/proc/self/fd");
    const std::size_t threads = CountEntries("/proc/self/task");
    for (int cycle = 0; cycle < 100; ++cycle) {
        Start();
        if (cycle % 10 == 0)
            WaitUntil([&] { return Arms.load() >= cycle / 10 + 1; }, 1s);
        Notifier.reset();
    }
    EXPECT_GE(Arms.load(), 10) << "the cycles never reached an armed wait";
    EXPECT_EQ(CountEntries("/proc/self/fd"), descriptors);
    EXPECT_EQ(CountEntries("/proc/self/task"), threads);
}

}  // namespace

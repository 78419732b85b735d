#include "Quarl_IpHlpAPI.h"
#include "TLinkStatsReader.h"
#include "TUniqueFd.h"

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sched.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <thread>

namespace {

std::atomic<long> Allocations{0};

} // namespace

// GCC sees the replaced operator delete inlined next to its own idea of operator new and warns of a
// mismatch that cannot happen: both sides here are malloc and free.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

// Every heap allocation of the program passes through here, so the benchmark can count them per call.
[[gnu::noinline]] void *operator new(std::size_t size)
{
    Allocations.fetch_add(1, std::memory_order_relaxed);
    if (void *block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}

void operator delete(void *block) noexcept
{
    std::free(block);
}

void operator delete(void *block, std::size_t) noexcept
{
    std::free(block);
}

namespace {

// A veth pair in a network namespace of this thread's own, with datagrams flowing out of "vxa" while the
// benchmark reads it, so the counters read are ones that move.
class TBusyInterface {
public:
    TBusyInterface()
    {
        if (::unshare(CLONE_NEWNET) != 0) {
            Why = "cannot make a network namespace (needs root)";
            return;
        }
        if (std::system("ip link add vxa address 02:00:00:00:00:01 type veth peer name vxb address 02:00:00:00:00:02 "
                        "&& ip link set vxa up && ip link set vxb up && ip addr add 10.89.0.1/24 dev vxa && "
                        "ip neigh add 10.89.0.2 lladdr 02:00:00:00:00:02 dev vxa nud permanent >/dev/null 2>&1") != 0) {
            Why = "ip could not make the veth pair";
            return;
        }
        Index = ::if_nametoindex("vxa");
        // Made on this thread, so the sender shares its namespace.
        FSender = std::thread([this] { Send(); });
    }
    TBusyInterface(const TBusyInterface &) = delete;
    TBusyInterface &operator=(const TBusyInterface &) = delete;
    ~TBusyInterface()
    {
        FStop = true;
        if (FSender.joinable())
            FSender.join();
    }

    std::string Why;
    unsigned Index = 0;

private:
    void Send()
    {
        const TUniqueFd sender(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
        sockaddr_in target{};
        target.sin_family = AF_INET;
        target.sin_port = htons(9);
        target.sin_addr.s_addr = inet_addr("10.89.0.2");
        const char payload[512] = {};
        while (!FStop) {
            ::sendto(sender.Get(), payload, sizeof payload, 0, reinterpret_cast<sockaddr *>(&target), sizeof target);
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
    }

    std::atomic<bool> FStop{false};
    std::thread FSender;
};

TBusyInterface &BusyInterface()
{
    static TBusyInterface busy;
    return busy;
}

// Whether vxa's sent octets move within a second, read through the kernel's statistics.
bool CountersMove(unsigned index)
{
    TLinkStatsReader reader;
    TLinkCounters counters;
    if (!reader.Read(index, counters))
        return false;
    const std::uint64_t start = counters.OutOctets;
    for (int i = 0; i < 100; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (reader.Read(index, counters) && counters.OutOctets > start)
            return true;
    }
    return false;
}

// The interface is there and carries traffic; else the benchmark is skipped with the reason.
bool IsBusy(const TBusyInterface &busy, benchmark::State &state)
{
    if (!busy.Why.empty()) {
        state.SkipWithError(busy.Why.c_str());
        return false;
    }
    if (!CountersMove(busy.Index)) {
        state.SkipWithError("vxa's counters do not move: the figure would not be of a busy interface");
        return false;
    }
    return true;
}

// False when the replaced operator new does not see a real allocation: the allocation figure would be void.
bool AllocationsAreCounted()
{
    const long probe = Allocations.load();
    benchmark::DoNotOptimize(std::make_unique<std::string>(100, 'x').get());
    return Allocations.load() != probe;
}

// The extended row of an interface that carries traffic, as the traffic reading asks for it every tick.
void GetIfEntry2OfABusyInterface(benchmark::State &state)
{
    const TBusyInterface &busy = BusyInterface();
    if (!IsBusy(busy, state))
        return;
    if (!InitIpHlpAPI() || !IpHlpAPI.GetIfEntry2) {
        state.SkipWithError("the IP Helper binding did not load");
        return;
    }
    if (!AllocationsAreCounted()) {
        state.SkipWithError("the replaced operator new counts nothing; the allocation figure would be void");
        return;
    }
    MIB_IF_ROW2 row{};
    row.InterfaceIndex = busy.Index;
    long failures = 0;
    const long before = Allocations.load();
    for (auto _ : state) {
        row = MIB_IF_ROW2{};
        row.InterfaceIndex = busy.Index;
        failures += IpHlpAPI.GetIfEntry2(&row) != NO_ERROR;
        benchmark::DoNotOptimize(row.OutOctets);
    }
    const long made = Allocations.load() - before;
    if (failures > 0) {
        state.SkipWithError("GetIfEntry2 failed during the run");
        return;
    }
    state.counters["allocations_per_call"] =
        benchmark::Counter(static_cast<double>(made) / static_cast<double>(state.iterations()));
}
BENCHMARK(GetIfEntry2OfABusyInterface);

// The kernel round trip alone, to tell its share from the row filling.
void StatisticsRequestOfABusyInterface(benchmark::State &state)
{
    const TBusyInterface &busy = BusyInterface();
    if (!IsBusy(busy, state))
        return;
    TLinkStatsReader reader;
    TLinkCounters counters;
    long failures = 0;
    for (auto _ : state) {
        failures += !reader.Read(busy.Index, counters);
        benchmark::DoNotOptimize(counters.OutOctets);
    }
    if (failures > 0)
        state.SkipWithError("the statistics request failed during the run");
}
BENCHMARK(StatisticsRequestOfABusyInterface);

} // namespace

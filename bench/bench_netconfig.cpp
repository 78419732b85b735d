#include "Quarl_IpHlpAPI.h"
#include "TLinkStatsReader.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include <net/if.h>

namespace {

std::atomic<long> Allocations{0};

} // namespace

// GCC sees the replaced operator delete inlined next to its own idea of operator new and warns of a
// mismatch that cannot happen: both sides here are malloc and free.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

// Every heap allocation of the program passes through here, so the benchmark can count them per call.
void *operator new(std::size_t size)
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

// The extended row of the loopback interface, as the traffic reading asks for it every tick.
void GetIfEntry2OfOneInterface(benchmark::State &state)
{
    if (!InitIpHlpAPI() || !IpHlpAPI.GetIfEntry2) {
        state.SkipWithError("the IP Helper binding did not load");
        return;
    }
    const unsigned index = if_nametoindex("lo");
    MIB_IF_ROW2 row{};
    row.InterfaceIndex = index;
    if (IpHlpAPI.GetIfEntry2(&row) != NO_ERROR) {
        state.SkipWithError("GetIfEntry2 failed for lo");
        return;
    }
    const long before = Allocations.load();
    for (auto _ : state) {
        row = MIB_IF_ROW2{};
        row.InterfaceIndex = index;
        benchmark::DoNotOptimize(IpHlpAPI.GetIfEntry2(&row));
        benchmark::DoNotOptimize(row.InOctets);
    }
    state.counters["allocations_per_call"] =
        benchmark::Counter(static_cast<double>(Allocations.load() - before) / static_cast<double>(state.iterations()));
}
BENCHMARK(GetIfEntry2OfOneInterface);

// The kernel round trip alone, to tell its share from the row filling.
void StatisticsRequestOfOneInterface(benchmark::State &state)
{
    TLinkStatsReader reader;
    const unsigned index = if_nametoindex("lo");
    TLinkCounters counters;
    if (!reader.Read(index, counters)) {
        state.SkipWithError("no statistics for lo");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(reader.Read(index, counters));
        benchmark::DoNotOptimize(counters.InOctets);
    }
}
BENCHMARK(StatisticsRequestOfOneInterface);

} // namespace

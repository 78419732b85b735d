#include "MeterTexts.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

// Every heap allocation of the process passes through here, so the benchmark can report
// how many a formatting call makes. Kept out of line: inlined into the same unit, gcc takes
// the malloc/free pair for a mismatched new/delete.
namespace {
std::atomic<long long> Allocations{0};
}

[[gnu::noinline]] void *operator new(std::size_t size)
{
    Allocations.fetch_add(1, std::memory_order_relaxed);
    if (void *p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

[[gnu::noinline]] void operator delete(void *p) noexcept
{
    std::free(p);
}

[[gnu::noinline]] void operator delete(void *p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

// One watcher value text per call, into a text that already exists, as a panel does every period.
void BM_FormatMeterValue(benchmark::State &state)
{
    const int units = static_cast<int>(state.range(0));
    const TMeterFormatSettings &settings = TMeterFormatSettings::System();
    std::string text;
    text.reserve(32);
    double value = 1536.0;
    long long calls = 0;
    const long long probe = Allocations.load();
    benchmark::DoNotOptimize(std::make_unique<std::string>(100, 'x').get());
    if (Allocations.load() == probe) {
        state.SkipWithError("the replaced operator new counts nothing; the allocation figure would be void");
        return;
    }
    const long long before = Allocations.load();
    for (auto _ : state) {
        FormatMeterValue(units, value, text, settings);
        benchmark::DoNotOptimize(text.data());
        value = value * 1.37 + 1.0;
        if (value > 5e12) {
            value = 0.5;
        }
        ++calls;
    }
    const long long made = Allocations.load() - before;
    state.counters["allocs_per_call"] = calls > 0 ? static_cast<double>(made) / static_cast<double>(calls) : 0.0;
    state.counters["allocs_total"] = static_cast<double>(made);
}
BENCHMARK(BM_FormatMeterValue)->Arg(MeterUnitsTransfer)->Arg(MeterUnitsSpeed);

} // namespace

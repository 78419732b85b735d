#include "Tsp_Axis.h"

#include <benchmark/benchmark.h>

// The watcher shifts its time axis by one sample period on most samples: MoveMinMax plus the
// tick positions that follow must stay cheap next to the redraw.
static void BM_TimeAxisMoveOneSecond(benchmark::State &state)
{
    Tsp_Axis axis(Tsp_ScaleFlags::AutoMin | Tsp_ScaleFlags::AutoMax | Tsp_ScaleFlags::LabelAsDataTime);
    axis.SetTicksCount(3);
    axis.SetLabelFormat("hh:mm:ss");
    const double now = 46365.0 + 37123.0 / 86400;
    axis.SetMinMax(now, now + 300.0 / 86400);
    axis.SetLine(40, 150, 450);
    std::int64_t positions = 0;
    for (auto _ : state) {
        axis.MoveMinMax(1.0 / 86400);
        for (int i = 0; i < axis.TicksCount(); ++i) {
            positions += axis.TickPos(i);
        }
        benchmark::DoNotOptimize(positions);
    }
    state.counters["ticks"] = axis.TicksCount();
}
BENCHMARK(BM_TimeAxisMoveOneSecond);

#include "Tsp_XYLine.h"
#include "Tsp_XYPlot.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWindow>

#include <cmath>
#include <memory>

namespace {

constexpr double second = 1.0 / 86400;
constexpr double start = 46365.0;

// The watcher's graph: a buffered plot whose field is 450 × 150 pixels, two line series of
// `points` samples one second apart, the time axis showing the last 300 seconds.
struct WatcherGraph {
    explicit WatcherGraph(int points)
    {
        plot.SetBufferedDisplay(true);
        plot.BottomAxis().SetLabelAsDataTime(true);
        plot.BottomAxis().SetLabelFormat("hh:mm:ss");
        plot.BottomAxis().SetTicksCount(3);
        plot.LeftAxis().SetMinMax(0, 1200);
        down.LineAttr().SetColor(RGBColor(0, 160, 0));
        up.LineAttr().SetColor(RGBColor(200, 0, 0));
        for (int i = 0; i < points; ++i) {
            const double t = start + i * second;
            down.AddXY(t, 600 + 500 * std::sin(i * 0.05));
            up.AddXY(t, 300 + 250 * std::cos(i * 0.07));
        }
        last = start + (points - 1) * second;
        down.SetPlot(&plot);
        up.SetPlot(&plot);
        plot.show();
        // The offscreen window must be exposed before repaint() paints.
        for (int i = 0; i < 20 && !plot.windowHandle()->isExposed(); ++i) {
            QApplication::processEvents();
        }
        // Size the control so that the field comes out at 450 × 150.
        plot.resize(450 + 80, 150 + 40);
        for (int round = 0; round < 4; ++round) {
            plot.BottomAxis().SetMinMax(last - 300 * second, last);
            plot.repaint();
            const Tsp_Rect fr = plot.FieldRect();
            plot.resize(plot.width() + 450 - fr.Width(), plot.height() + 150 - fr.Height());
        }
        plot.BottomAxis().SetMinMax(last - 300 * second, last);
        plot.repaint();
    }

    Tsp_XYPlot plot;
    Tsp_XYLine down;
    Tsp_XYLine up;
    double last = 0;
};

// A field redraw as a sample brings it: the field is invalid, the buffer is redrawn and copied.
void BM_FieldRedraw(benchmark::State &state)
{
    WatcherGraph g(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        g.plot.InvalidateParts(false, false, true);
        g.plot.repaint();
    }
    if (!g.plot.windowHandle()->isExposed() || g.plot.FieldRect().Width() != 450) {
        state.SkipWithError("the plot window was not exposed or the field is not 450 pixels wide");
    }
    state.counters["field_w"] = g.plot.FieldRect().Width();
    state.counters["field_h"] = g.plot.FieldRect().Height();
}

// One watcher sample: the time axis moves by a second, then each series appends a point, and
// each append repaints at once (surroundings and field, then the field again).
void BM_SampleAddXY(benchmark::State &state)
{
    WatcherGraph g(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        g.last += second;
        g.plot.BottomAxis().MoveMinMax(second);
        g.down.AddXY(g.last, 700);
        g.up.AddXY(g.last, 200);
    }
    state.counters["points_at_end"] = g.down.Count();
}

} // namespace

BENCHMARK(BM_FieldRedraw)->Arg(300)->Arg(86400)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SampleAddXY)->Arg(300)->Arg(86400)->Unit(benchmark::kMicrosecond);

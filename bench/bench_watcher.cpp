#include "Quarl_IpHlpAPI.h"
#include "Tfrm_vx_Watcher.h"
#include "Tsp_XYLine.h"
#include "Tsp_XYPlot.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWindow>

#include <arpa/inet.h>
#include <malloc.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <memory>

namespace {

constexpr double OneSecond = 1.0 / 86400;

// Heap bytes in use, mapped blocks included (long arrays are mapped, not taken from the arena).
double HeapBytes()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

// A shown watcher panel on the loopback interface whose graph holds `points` samples taken one
// second apart. Datagrams to the loopback's discard port keep its counters, and so the eight texts,
// changing from tick to tick.
class LoopbackPanel {
public:
    explicit LoopbackPanel(int points) : FSocket(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0))
    {
        FTarget.sin_family = AF_INET;
        FTarget.sin_port = htons(9);
        FTarget.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        InitIpHlpAPI();
        Panel = std::make_unique<Tfrm_vx_Watcher>(nullptr, nullptr);
        Panel->Adapter.IntfIdx = ::if_nametoindex("lo");
        Panel->SetClocks({[this] { return FTick; }, [this] { return FNow; }});
        Panel->Initialize();
        Panel->resize(451, 210);
        Panel->show();
        for (int i = 0; i < 20 && !(Panel->windowHandle() && Panel->windowHandle()->isExposed()); ++i) {
            QApplication::processEvents();
        }
        for (int i = 0; i < points; ++i) {
            Traffic();
            Advance();
            Panel->TimerTimer();
        }
        QApplication::processEvents();
    }
    ~LoopbackPanel()
    {
        if (FSocket >= 0) {
            ::close(FSocket);
        }
    }
    LoopbackPanel(const LoopbackPanel &) = delete;
    LoopbackPanel &operator=(const LoopbackPanel &) = delete;

    // The counters move, the clocks step a second, and the graph is held at `points` before the
    // tick adds one (at the cap the tick drops the oldest itself); pending paints are done first.
    void PrepareTick(int points)
    {
        for (Tsp_XYLine *line : {Panel->sp_XYLine1, Panel->sp_XYLine2}) {
            line->SetLockInvalidate(true);
            while (line->Count() > points) {
                line->Delete(0);
            }
            line->SetLockInvalidate(false);
        }
        QApplication::processEvents();
        Traffic();
        Advance();
    }

    bool Exposed() const { return Panel->windowHandle() && Panel->windowHandle()->isExposed(); }

    std::unique_ptr<Tfrm_vx_Watcher> Panel;

private:
    void Traffic()
    {
        static const std::array<char, 1500> payload{};
        ::sendto(FSocket, payload.data(), static_cast<std::size_t>(64 + FSent++ * 37 % 1400), 0,
                 reinterpret_cast<const sockaddr *>(&FTarget), sizeof(FTarget));
    }
    void Advance()
    {
        FTick += 1000;
        FNow += OneSecond;
    }

    int FSocket;
    int FSent = 0;
    sockaddr_in FTarget{};
    std::uint32_t FTick = 1000;
    double FNow = 46366.5;
};

// One whole tick as the event loop runs it: read the counters, write eight texts, add a point to
// each series, follow the time, rescale, then paint what changed (the graph once, the labels). With
// a second argument of 0 the sampling step alone, without painting.
void BM_WatcherTick(benchmark::State &state)
{
    const auto points = static_cast<int>(state.range(0));
    const bool paint = state.range(1) != 0;
    LoopbackPanel p(points);
    if (!p.Exposed() || p.Panel->Adapter.IntfIdx == 0) {
        state.SkipWithError("the panel's window was not exposed or there is no loopback interface");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        p.PrepareTick(points);
        state.ResumeTiming();
        p.Panel->TimerTimer();
        if (paint) {
            QApplication::processEvents();
        }
    }
    state.counters["points"] = p.Panel->sp_XYLine1->Count();
}

// Heap held by a shown panel whose graph is at the cap, painted.
void BM_WatcherMemoryAtCap(benchmark::State &state)
{
    for (auto _ : state) {
        const double before = HeapBytes();
        LoopbackPanel p(Tfrm_vx_Watcher::HistoryLimit + 2);
        const double held = HeapBytes() - before;
        state.counters["heap_MB"] = held / (1024 * 1024);
        state.counters["points"] = p.Panel->sp_XYLine1->Count();
    }
}

// A capped series on its own: append the newest point, drop the oldest, ask the extremes as a draw does.
void BM_CappedSeriesSample(benchmark::State &state)
{
    Tsp_XYLine line;
    const auto points = static_cast<int>(state.range(0));
    double x = 0;
    for (; x < points; ++x) {
        line.AddXY(x, static_cast<double>(static_cast<int>(x) * 7919 % 1000));
    }
    double v = 0;
    for (auto _ : state) {
        line.AddXY(x, static_cast<double>(static_cast<int>(x) * 7919 % 1000));
        x += 1;
        line.Delete(0);
        line.GetXMin(v);
        line.GetYMax(v);
        benchmark::DoNotOptimize(v);
    }
}

} // namespace

BENCHMARK(BM_WatcherTick)
    ->ArgsProduct({{300, Tfrm_vx_Watcher::HistoryLimit}, {1, 0}})
    ->ArgNames({"points", "paint"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WatcherMemoryAtCap)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CappedSeriesSample)->Arg(300)->Arg(Tfrm_vx_Watcher::HistoryLimit)->Unit(benchmark::kMicrosecond);

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
            Traffic(i);
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

    void Traffic(int i)
    {
        static const std::array<char, 1500> payload{};
        ::sendto(FSocket, payload.data(), static_cast<std::size_t>(64 + i * 37 % 1400), 0,
                 reinterpret_cast<const sockaddr *>(&FTarget), sizeof(FTarget));
    }
    // Keeps the graph at its length by dropping the oldest point, as the cap does at its own length.
    void HoldLength(int points)
    {
        for (Tsp_XYLine *line : {Panel->sp_XYLine1, Panel->sp_XYLine2}) {
            line->SetLockInvalidate(true);
            while (line->Count() > points) {
                line->Delete(0);
            }
            line->SetLockInvalidate(false);
        }
    }
    void Advance()
    {
        FTick += 1000;
        FNow += OneSecond;
    }
    bool Exposed() const { return Panel->windowHandle() && Panel->windowHandle()->isExposed(); }

    std::unique_ptr<Tfrm_vx_Watcher> Panel;

private:
    int FSocket;
    sockaddr_in FTarget{};
    std::uint32_t FTick = 1000;
    double FNow = 46366.5;
};

// One whole tick as the event loop runs it: read the counters, write eight texts, add a point to
// each series, follow the time, rescale, then paint what changed (the graph once, the labels).
void BM_WatcherTick(benchmark::State &state)
{
    LoopbackPanel p(static_cast<int>(state.range(0)));
    if (!p.Exposed() || p.Panel->Adapter.IntfIdx == 0) {
        state.SkipWithError("the panel's window was not exposed or there is no loopback interface");
        return;
    }
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        p.HoldLength(static_cast<int>(state.range(0)));
        QApplication::processEvents();
        p.Traffic(i++);
        p.Advance();
        state.ResumeTiming();
        p.Panel->TimerTimer();
        QApplication::processEvents();
    }
    state.counters["points"] = p.Panel->sp_XYLine1->Count();
}

// The sampling step alone, without painting: what the graph's paint adds is the difference.
void BM_WatcherTimerTimer(benchmark::State &state)
{
    LoopbackPanel p(static_cast<int>(state.range(0)));
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        p.HoldLength(static_cast<int>(state.range(0)));
        p.Traffic(i++);
        p.Advance();
        state.ResumeTiming();
        p.Panel->TimerTimer();
    }
    QApplication::processEvents();
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

BENCHMARK(BM_WatcherTick)->Arg(300)->Arg(Tfrm_vx_Watcher::HistoryLimit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WatcherTimerTimer)->Arg(300)->Arg(Tfrm_vx_Watcher::HistoryLimit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WatcherMemoryAtCap)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CappedSeriesSample)->Arg(300)->Arg(Tfrm_vx_Watcher::HistoryLimit)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

#include "WatcherProbe.h"

#include "RowName.h"
#include "TScriptedIpHlp.h"
#include "Tsp_XYLine.h"
#include "Tsp_XYPlot.h"
#include "YesNoQuestion.h"

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QTest>

#include <cmath>
#include <optional>
#include <vector>

namespace {

constexpr DWORD Index = 7;
// The upload counter stays put in these tests; being non-zero, it keeps a read from looking failed.
constexpr ULONG64 Sent = 1;

// A panel over a scripted interface row and stepped clocks.
class WatcherPanel : public testing::Test {
protected:
    void SetUp() override { Install(TCounterWidth::Bits64); }
    void TearDown() override { TScriptedIpHlp::Restore(); }

    // The binding offers the 64-bit row, or only the 32-bit one.
    void Install(TCounterWidth width)
    {
        if (width == TCounterWidth::Bits32)
            fake.GetIfEntry2 = nullptr;
        SetReceived(0);
        fake.Install();
        panel.Adapter.IntfIdx = Index;
        panel.SetClocks(clocks.Clocks());
        panel.Initialize();
    }

    // The interface's received-octet counter; nullopt makes the row unreadable.
    void SetReceived(std::optional<ULONG64> received)
    {
        if (!received) {
            net.Rows.erase(Index);
            net.Rows2.erase(Index);
            return;
        }
        net.Rows2[Index].InOctets = *received;
        net.Rows2[Index].OutOctets = Sent;
        net.Rows[Index].InOctets = static_cast<DWORD>(*received);
        net.Rows[Index].OutOctets = static_cast<DWORD>(Sent);
    }

    void Tick(std::uint32_t milliseconds)
    {
        clocks.Advance(milliseconds);
        panel.TimerTimer();
    }

    // A tick after the counter grew by `kibPerSecond` KiB over one second.
    void TickAtRate(double kibPerSecond)
    {
        FReceived += static_cast<ULONG64>(kibPerSecond * 1024);
        SetReceived(FReceived);
        Tick(1000);
    }

    double LastDownValue() const { return panel.sp_XYLine1->GetY(panel.sp_XYLine1->Count() - 1); }

    TFakeNetwork net;
    TScriptedIpHlp fake{net};
    TSteppedClocks clocks;
    Tfrm_vx_Watcher panel{nullptr, nullptr};
    ULONG64 FReceived = 1000000;
};

// ---- counters, clocks and what the labels make of them ----

struct CounterStep {
    std::optional<ULONG64> Received; // nullopt: the read fails
    std::uint32_t Milliseconds;
};

struct CounterRow {
    const char *name;
    TCounterWidth width;
    std::uint32_t firstTick;
    std::vector<CounterStep> steps;
    // What the panel shows after the last step, in bytes (per second for the rates).
    double rate;
    double maximum;
    double session;
    double total;
};

class CounterEdges : public WatcherPanel, public testing::WithParamInterface<CounterRow> {
protected:
    void SetUp() override { Install(GetParam().width); }
};

TEST_P(CounterEdges, RatesMaximaAndTotalsFollowTheCounters)
{
    const CounterRow &row = GetParam();
    clocks.Tick = row.firstTick;
    for (const CounterStep &step : row.steps) {
        SetReceived(step.Received);
        Tick(step.Milliseconds);
    }
    EXPECT_EQ(PanelText(panel, "lDL"), Transfer(row.rate));
    EXPECT_EQ(PanelText(panel, "lDLMax"), Transfer(row.maximum));
    EXPECT_EQ(PanelText(panel, "lTDL"), Transfer(row.session));
    EXPECT_EQ(PanelText(panel, "lDLTotal"), Transfer(row.total));
    EXPECT_DOUBLE_EQ(LastDownValue(), row.rate / 1024) << "the graph plots the rate in KiB/s";
    EXPECT_DOUBLE_EQ(panel.sp_XYPlot->LeftAxis().Max(), std::max(10.0, row.maximum / 1024))
        << "no spike pinned the scale";
}

constexpr ULONG64 FourGiB = 0x100000000;

INSTANTIATE_TEST_SUITE_P(
    Watcher, CounterEdges,
    testing::Values(
        CounterRow{"FirstTickShowsZeroRatesAndSession", TCounterWidth::Bits64, 5000, {{5000, 1000}}, 0, 0, 0, 5000},
        CounterRow{"ThirtyTwoBitCounterPassingFourGiBGivesTheTrueIncrease",
                   TCounterWidth::Bits32, 5000,
                   {{FourGiB - 256, 1000}, {FourGiB + 256, 1000}}, 512, 512, 512, 256},
        CounterRow{"SixtyFourBitCounterPastFourGiBShowsTheWholeTotal",
                   TCounterWidth::Bits64, 5000,
                   {{FourGiB - 256, 1000}, {FourGiB + 256, 1000}}, 512, 512, 512, double(FourGiB + 256)},
        CounterRow{"SixtyFourBitResetRePrimesInsteadOfASpike",
                   TCounterWidth::Bits64, 5000,
                   {{1000000000, 1000}, {1000000000 + 30720, 1000}, {700, 1000}}, 0, 30720, 30720, 700},
        CounterRow{"RatesResumeAfterAReset",
                   TCounterWidth::Bits64, 5000,
                   {{1000000000, 1000}, {1000000000 + 30720, 1000}, {700, 1000}, {700 + 4096, 2000}},
                   2048, 30720, 30720 + 4096, 700 + 4096},
        CounterRow{"TickCountWrappingBetweenTicksGivesTheTrueInterval",
                   TCounterWidth::Bits64, 0xFFFFFFFFu - 99,
                   {{1000, 0}, {1000 + 4096, 2000}}, 2048, 2048, 4096, 1000 + 4096},
        CounterRow{"FailedReadShowsZerosAndPrimesAgain",
                   TCounterWidth::Bits64, 5000,
                   {{1000, 1000}, {3048, 1000}, {std::nullopt, 1000}, {5000, 1000}, {6024, 1000}},
                   1024, 2048, 2048 + 1024, 6024}),
    RowName());

TEST_F(WatcherPanel, FailedReadShowsZeroTotals)
{
    SetReceived(4096);
    Tick(1000);
    SetReceived(std::nullopt);
    Tick(1000);
    EXPECT_EQ(PanelText(panel, "lDLTotal"), Transfer(0));
    EXPECT_EQ(PanelText(panel, "lULTotal"), Transfer(0));
    EXPECT_EQ(PanelText(panel, "lDL"), Transfer(0));
}

// The main window hands a panel the new index of an interface that came back under its name; that
// interface's counters have nothing to do with the old ones.
TEST_F(WatcherPanel, NewInterfaceIndexPrimesAfreshInsteadOfASpike)
{
    SetReceived(4096);
    Tick(1000);
    Tick(1000);
    net.Rows2[Index + 1].InOctets = 900000000;
    net.Rows2[Index + 1].OutOctets = Sent;
    panel.Adapter.IntfIdx = Index + 1;
    Tick(1000);
    EXPECT_EQ(PanelText(panel, "lDL"), Transfer(0));
    EXPECT_EQ(PanelText(panel, "lDLMax"), Transfer(0));
    EXPECT_EQ(PanelText(panel, "lTDL"), Transfer(0));
    net.Rows2[Index + 1].InOctets += 2048;
    Tick(1000);
    EXPECT_EQ(PanelText(panel, "lDL"), Transfer(2048));
}

TEST_F(WatcherPanel, PrimingTickWithoutElapsedTimeCountsOneSecond)
{
    // The counter grows between the priming read and the tick's own read, within the same millisecond.
    SetReceived(1000);
    fake.GetIfEntry2 = [this](PMIB_IF_ROW2 row) -> DWORD {
        row->InOctets = net.Rows2[Index].InOctets;
        row->OutOctets = Sent;
        net.Rows2[Index].InOctets += 300;
        return NO_ERROR;
    };
    Tick(0);
    EXPECT_EQ(PanelText(panel, "lDL"), Transfer(300)) << "300 bytes over the one second assumed";
    EXPECT_EQ(PanelText(panel, "lTDL"), Transfer(300));
}

// ---- units ----

struct UnitsRow {
    const char *name;
    int units;
    QString rate;      // 2048 bytes per second as the current and maximum labels show it
    double plotted;    // ... and as the graph receives it
    QString hintUnit;  // the unit of the hint's value; empty: no value text
};

class UnitsBox : public WatcherPanel, public testing::WithParamInterface<UnitsRow> {};

// The value part of the hint as a number, or nullopt when it is not "<number> <unit>".
std::optional<double> HintNumber(const QString &value, const QString &unit)
{
    if (!value.endsWith(u' ' + unit))
        return std::nullopt;
    bool ok = false;
    const double number = value.left(value.size() - unit.size() - 1).toDouble(&ok);
    return ok ? std::optional<double>(number) : std::nullopt;
}

TEST_P(UnitsBox, LabelsGraphAndHintFollowTheUnits)
{
    const UnitsRow &row = GetParam();
    // As the main window sets the stored units: before the first tick, without resetting the view.
    panel.cbUnits->setCurrentIndex(row.units);
    ASSERT_EQ(panel.cbUnits->currentIndex(), row.units >= 0 && row.units <= 1 ? row.units : -1);
    EXPECT_DOUBLE_EQ(panel.sp_XYPlot->LeftAxis().Min(), 0);
    EXPECT_DOUBLE_EQ(panel.sp_XYPlot->LeftAxis().Max(), 10);
    TickAtRate(0);
    TickAtRate(2);
    EXPECT_EQ(PanelText(panel, "lDL"), row.rate);
    EXPECT_EQ(PanelText(panel, "lDLMax"), row.rate);
    EXPECT_EQ(PanelText(panel, "lDLTotal"), Transfer(double(FReceived))) << "totals are always transfer";
    EXPECT_EQ(PanelText(panel, "lTDL"), Transfer(2048));
    EXPECT_DOUBLE_EQ(LastDownValue(), row.plotted);

    panel.resize(451, 210);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    panel.sp_XYPlot->repaint();
    const Tsp_Rect field = panel.sp_XYPlot->FieldRect();
    const QPoint at((field.Left + field.Right) / 2, (field.Top + field.Bottom) / 2);
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(panel.sp_XYPlot->mapToGlobal(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(panel.sp_XYPlot, &move);

    const QString hint = panel.sp_XYPlot->toolTip();
    const QString head = QStringLiteral("时间戳: ");
    const QString joint = QStringLiteral("\r\n值: ");
    ASSERT_TRUE(hint.startsWith(head)) << hint.toStdString();
    const qsizetype split = hint.indexOf(joint);
    ASSERT_GT(split, 0) << hint.toStdString();
    const QString time = hint.mid(head.size(), split - head.size());
    const QString value = hint.mid(split + joint.size());

    // The time under the pointer, to the second, computed here from the serial number.
    const double serial = panel.sp_XYPlot->BottomAxis().P2V(at.x());
    const auto secondOfDay = static_cast<int>(std::lround((serial - std::floor(serial)) * 86400)) % 86400;
    EXPECT_TRUE(time.contains(QString::asprintf(":%02d:%02d", secondOfDay / 60 % 60, secondOfDay % 60)))
        << time.toStdString();
    if (row.hintUnit.isEmpty()) {
        EXPECT_TRUE(value.isEmpty()) << value.toStdString();
    } else {
        const std::optional<double> number = HintNumber(value, row.hintUnit);
        ASSERT_TRUE(number) << value.toStdString();
        EXPECT_NEAR(*number, panel.sp_XYPlot->LeftAxis().P2V(at.y()), 0.005);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Watcher, UnitsBox,
    testing::Values(UnitsRow{"TransferPlotsKibibytes", 0, Transfer(2048), 2, QStringLiteral("KB")},
                    UnitsRow{"SpeedPlotsKilobits", 1, Speed(2048), 16.384, QStringLiteral("kbps")},
                    UnitsRow{"OutOfRangeLeavesLabelsEmptyAndPlotsBytes", 7, QString(), 2048, QString()}),
    RowName());

TEST_F(WatcherPanel, UnitsSwitchResetsTheViewAndTheRightAxisFollowsAtTheNextTick)
{
    TickAtRate(0);
    TickAtRate(100); // grows the scale to 100
    TickAtRate(30);  // the window's peak since
    // The user picks speed with the keyboard.
    QTest::keyClick(panel.cbUnits, Qt::Key_Down);
    ASSERT_EQ(panel.cbUnits->currentIndex(), 1);
    Tsp_XYPlot &plot = *panel.sp_XYPlot;
    EXPECT_DOUBLE_EQ(plot.LeftAxis().Min(), 0);
    EXPECT_DOUBLE_EQ(plot.LeftAxis().Max(), 30);
    EXPECT_DOUBLE_EQ(plot.BottomAxis().Min(), clocks.Now);
    EXPECT_NEAR(plot.BottomAxis().Max(), clocks.Now + 300 * OneSecond, 1e-9);
    EXPECT_DOUBLE_EQ(plot.RightAxis().Max(), 100) << "the right axis waits for the next tick";
    const double oldPoint = panel.sp_XYLine1->GetY(panel.sp_XYLine1->Count() - 1);

    TickAtRate(1); // 8.192 kbit/s
    EXPECT_DOUBLE_EQ(plot.RightAxis().Max(), plot.LeftAxis().Max());
    EXPECT_DOUBLE_EQ(LastDownValue(), 8.192);
    EXPECT_DOUBLE_EQ(panel.sp_XYLine1->GetY(panel.sp_XYLine1->Count() - 2), oldPoint)
        << "old points keep their units";
}

// ---- the value axis ----

struct ScaleRow {
    const char *name;
    std::optional<double> windowPeak; // one tick of this rate in the quiet window
    double shrunkTo;
};

class ValueScale : public WatcherPanel, public testing::WithParamInterface<ScaleRow> {};

TEST_P(ValueScale, GrowsAtOnceAndShrinksOnlyAfterTheQuietWindow)
{
    Tsp_XYPlot &plot = *panel.sp_XYPlot;
    TickAtRate(0);
    TickAtRate(1000);
    ASSERT_DOUBLE_EQ(plot.LeftAxis().Max(), 1000) << "grows on the very tick, exactly to the peak";
    ASSERT_DOUBLE_EQ(plot.RightAxis().Max(), 1000);
    for (int quiet = 1; quiet <= 300; ++quiet) {
        TickAtRate(GetParam().windowPeak && quiet == 150 ? *GetParam().windowPeak : 5);
        ASSERT_DOUBLE_EQ(plot.LeftAxis().Max(), 1000) << "quiet tick " << quiet;
        ASSERT_DOUBLE_EQ(plot.RightAxis().Max(), 1000) << "quiet tick " << quiet;
    }
    TickAtRate(5);
    EXPECT_DOUBLE_EQ(plot.LeftAxis().Max(), GetParam().shrunkTo) << "the 301st quiet tick";
    EXPECT_DOUBLE_EQ(plot.RightAxis().Max(), GetParam().shrunkTo);
    TickAtRate(12);
    EXPECT_DOUBLE_EQ(plot.LeftAxis().Max(), std::max(12.0, GetParam().shrunkTo));
}

INSTANTIATE_TEST_SUITE_P(Watcher, ValueScale,
                         testing::Values(ScaleRow{"ShrinksToNoLessThanTen", std::nullopt, 10},
                                         ScaleRow{"ShrinksToTheWindowPeak", 40, 40}),
                         RowName());

// ---- the time axis and the history ----

struct PeriodRow {
    const char *name;
    std::uint32_t period;
    // Every 100th tick comes this much later than the period.
    std::uint32_t lateBy;
};

class TimeAxis : public WatcherPanel, public testing::WithParamInterface<PeriodRow> {};

TEST_P(TimeAxis, NewestPointStaysInsideTheTimeAxis)
{
    const Tsp_Axis &bottom = panel.sp_XYPlot->BottomAxis();
    for (int tick = 1; tick <= 1000; ++tick) {
        SetReceived(FReceived += 100);
        Tick(GetParam().period + (tick % 100 == 0 ? GetParam().lateBy : 0));
        const double newest = panel.sp_XYLine1->GetX(panel.sp_XYLine1->Count() - 1);
        ASSERT_LE(newest, bottom.Max()) << "tick " << tick;
        ASSERT_GE(newest, bottom.Min()) << "tick " << tick;
        ASSERT_NEAR(bottom.Max() - bottom.Min(), 300 * OneSecond, 1e-9) << "tick " << tick;
    }
}

INSTANTIATE_TEST_SUITE_P(Watcher, TimeAxis,
                         testing::Values(PeriodRow{"HalfSecond", 500, 0}, PeriodRow{"OneSecond", 1000, 0},
                                         PeriodRow{"TwoSeconds", 2000, 0},
                                         PeriodRow{"LateTicksAndSuspend", 1000, 3600 * 1000}),
                         RowName());

TEST_F(WatcherPanel, HistoryKeepsTheNewestPointsUpToTheCap)
{
    std::vector<double> times;
    const int ticks = Tfrm_vx_Watcher::HistoryLimit + 3;
    times.reserve(ticks);
    for (int tick = 0; tick < ticks; ++tick) {
        SetReceived(FReceived += 10);
        Tick(1000);
        times.push_back(clocks.Now);
    }
    for (const Tsp_XYLine *line : {panel.sp_XYLine1, panel.sp_XYLine2}) {
        ASSERT_EQ(line->Count(), Tfrm_vx_Watcher::HistoryLimit);
        EXPECT_DOUBLE_EQ(line->GetX(0), times[3]);
        EXPECT_DOUBLE_EQ(line->GetX(line->Count() - 1), times.back());
    }
}

// ---- session totals ----

struct ClearRow {
    const char *name;
    bool answer;
    double sessionAfter;
};

class SessionTotals : public WatcherPanel, public testing::WithParamInterface<ClearRow> {};

TEST_P(SessionTotals, DoubleClickAsksAndClearsOnlyOnYes)
{
    QWidget *owner = nullptr;
    QString asked;
    QString caption;
    const TYesNoQuestionHandler previous = SetYesNoQuestionHandler(
        [&](QWidget *AOwner, const QString &AText, const QString &ACaption) {
            owner = AOwner;
            asked = AText;
            caption = ACaption;
            return GetParam().answer;
        });
    TickAtRate(0);
    TickAtRate(3);

    auto *sessionPanel = panel.findChild<QWidget *>(QStringLiteral("Panel1"));
    ASSERT_NE(sessionPanel, nullptr);
    const QPoint centre = sessionPanel->rect().center();
    QMouseEvent press(QEvent::MouseButtonDblClick, QPointF(centre), QPointF(sessionPanel->mapToGlobal(centre)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(sessionPanel, &press);
    SetYesNoQuestionHandler(previous);

    EXPECT_EQ(asked, QStringLiteral("清除会话总计?"));
    EXPECT_EQ(caption, QStringLiteral("Confirmation"));
    EXPECT_EQ(owner, panel.window());
    EXPECT_EQ(PanelText(panel, "lTDL"), Transfer(3072)) << "the labels change at the next tick";
    TickAtRate(1);
    EXPECT_EQ(PanelText(panel, "lTDL"), Transfer(GetParam().sessionAfter));
}

INSTANTIATE_TEST_SUITE_P(Watcher, SessionTotals,
                         testing::Values(ClearRow{"YesClears", true, 1024}, ClearRow{"NoKeeps", false, 4096}),
                         RowName());

} // namespace

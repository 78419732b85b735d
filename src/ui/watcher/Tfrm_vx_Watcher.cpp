#include "Tfrm_vx_Watcher.h"

#include "DateTimeSerial.h"
#include "MeterTexts.h"
#include "Quarl_IpHlpAPI.h"
#include "TLabelPanel.h"
#include "TTopMostSuspension.h"
#include "Tdlg_vx_AdapterInfo.h"
#include "Tsp_XYLine.h"
#include "Tsp_XYPlot.h"
#include "WatcherCaptionBar.h"
#include "YesNoQuestion.h"

#include <QComboBox>
#include <QGridLayout>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>
#include <initializer_list>

namespace {

constexpr TColor SkyBlue = RGBColor(166, 202, 240);
constexpr TColor Lime = RGBColor(0, 255, 0);
constexpr TColor Cream = RGBColor(255, 251, 240);
constexpr TColor LightGrey = RGBColor(192, 192, 192);
constexpr TColor GridGrey = RGBColor(70, 70, 70);
// The value axis never shrinks below this many plot units.
constexpr double SmallestScale = 10;

// A rate in bytes per second in the plot's units: KiB/s for transfer, kbit/s for speed, else bytes.
double PlotValue(int units, double bytesPerSecond)
{
    switch (units) {
    case MeterUnitsTransfer:
        return bytesPerSecond / 1024;
    case MeterUnitsSpeed:
        return bytesPerSecond * 8 / 1000;
    default:
        return bytesPerSecond;
    }
}

// Whole seconds that bring `now` back inside a time axis ending at `axisMax`: at least one, so a tick
// always moves a lagging axis, and enough that a late tick or a resume from suspend catches up at once.
double SecondsToCatchUp(double now, double axisMax)
{
    return std::max(1.0, std::ceil((now - axisMax) / OneSecond));
}

void ConfigureValueAxis(Tsp_Axis &axis)
{
    axis.SetMinMax(0, 10);
    axis.SetTicksCount(6);
    axis.SetLabelFormat("###0.##");
}

TLabelPanel *MakePanel(const char *name, const QString &caption, TColor face, const QString &hint = {})
{
    auto *panel = new TLabelPanel(caption, face);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setToolTip(hint);
    return panel;
}

TLabelPanel *MakeValuePanel(const char *name, TColor face, const QString &hint)
{
    TLabelPanel *panel = MakePanel(name, QString(), face, hint);
    QFont bold = panel->font();
    bold.setBold(true);
    panel->setFont(bold);
    return panel;
}

} // namespace

Tfrm_vx_Watcher::Tfrm_vx_Watcher(TImageList *ilIntf16, TImageList *ilIntf32, QWidget *parent)
    : QWidget(parent)
    , FImages32(ilIntf32)
    , FDownLine(std::make_unique<Tsp_XYLine>())
    , FUpLine(std::make_unique<Tsp_XYLine>())
{
    sp_XYLine1 = FDownLine.get();
    sp_XYLine2 = FUpLine.get();

    Timer = new QTimer(this);
    Timer->setInterval(1000);

    const TWatcherCaptionBar bar = CreateWatcherCaptionBar(ilIntf16, this);
    Header = bar.Bar;
    cbUnits = bar.Units;
    bProps = bar.Props;

    sp_XYPlot = new Tsp_XYPlot(this);
    sp_XYPlot->setObjectName(QStringLiteral("sp_XYPlot"));
    auto *grid = new QWidget(this);
    grid->setObjectName(QStringLiteral("GridPanel"));
    CreateGrid(grid);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(bar.Widget);
    column->addWidget(sp_XYPlot, 1);
    column->addSpacing(5);
    column->addWidget(grid);

    ConfigurePlot();

    connect(Timer, &QTimer::timeout, this, &Tfrm_vx_Watcher::TimerTimer);
    // The user's choice only: the main window sets the stored units before the first tick, when a
    // view reset would squeeze the value axis to 0..1 and the time axis to a single instant.
    connect(cbUnits, &QComboBox::activated, this, &Tfrm_vx_Watcher::sp_XYPlotDblClick);
    connect(Panel1, &TLabelPanel::DblClick, this, &Tfrm_vx_Watcher::Panel1DblClick);
    connect(bProps, &QPushButton::clicked, this, &Tfrm_vx_Watcher::bPropsClick);
    resize(451, 210);
}

Tfrm_vx_Watcher::~Tfrm_vx_Watcher() = default;

void Tfrm_vx_Watcher::CreateGrid(QWidget *grid)
{
    DLLabel = MakePanel("DLLabel", QStringLiteral("下载"), SkyBlue);
    lDL = MakeValuePanel("lDL", clWhite, QStringLiteral("当前"));
    lDLMax = MakeValuePanel("lDLMax", Cream, QStringLiteral("最大"));
    lDLTotal = MakeValuePanel("lDLTotal", LightGrey, QStringLiteral("总传输"));
    ULLabel = MakePanel("ULLabel", QStringLiteral("上传"), Lime);
    lUL = MakeValuePanel("lUL", clWhite, QStringLiteral("当前"));
    lULMax = MakeValuePanel("lULMax", Cream, QStringLiteral("最大"));
    lULTotal = MakeValuePanel("lULTotal", LightGrey, QStringLiteral("总传输"));
    Panel1 = MakePanel("Panel1", QStringLiteral("会话总计"), clBlack);
    Panel1->SetFontColor(clWhite);
    lTDL = MakeValuePanel("lTDL", SkyBlue, QStringLiteral("下载"));
    lTUL = MakeValuePanel("lTUL", Lime, QStringLiteral("上传"));

    // A 70-pixel caption column, then six equal columns: three values of two columns each in the
    // first two rows, two session totals of three columns each in the last.
    auto *cells = new QGridLayout(grid);
    cells->setContentsMargins(0, 0, 0, 0);
    cells->setSpacing(0);
    cells->setColumnMinimumWidth(0, 70);
    for (int column = 1; column <= 6; ++column)
        cells->setColumnStretch(column, 1);
    const auto addRow = [cells](int row, std::initializer_list<TLabelPanel *> panels) {
        const int span = 6 / (static_cast<int>(panels.size()) - 1);
        int column = 0;
        for (TLabelPanel *panel : panels) {
            cells->addWidget(panel, row, column, 1, column == 0 ? 1 : span);
            column += column == 0 ? 1 : span;
        }
        cells->setRowMinimumHeight(row, 18);
    };
    addRow(0, {DLLabel, lDL, lDLMax, lDLTotal});
    addRow(1, {ULLabel, lUL, lULMax, lULTotal});
    addRow(2, {Panel1, lTDL, lTUL});
    for (TLabelPanel *caption : {DLLabel, ULLabel, Panel1})
        caption->setFixedWidth(70);
    grid->setFixedHeight(54);
}

void Tfrm_vx_Watcher::ConfigurePlot()
{
    Tsp_XYPlot &plot = *sp_XYPlot;
    plot.SetFieldColor(clBlack);
    plot.SetBufferedDisplay(true);
    plot.SetBorderStyle(Tsp_BorderStyle::bs_None);
    plot.SetZoom(Tsp_zpDirections::zpdNone);
    plot.SetPanCursor(Qt::PointingHandCursor);
    plot.setCursor(Qt::CrossCursor);
    plot.setMouseTracking(true);

    Tsp_Axis &left = plot.LeftAxis();
    ConfigureValueAxis(left);
    left.GridAttr().SetVisible(true);
    left.GridAttr().SetColor(GridGrey);

    Tsp_Axis &right = plot.RightAxis();
    ConfigureValueAxis(right);
    right.SetNoTicks(false);
    right.SetNoTicksLabel(false);
    right.GridAttr().SetVisible(false);

    Tsp_Axis &bottom = plot.BottomAxis();
    bottom.SetTicksCount(3);
    bottom.SetLabelFormat("hh:mm:ss");
    bottom.SetLabelAsDataTime(true);
    bottom.GridAttr().SetVisible(true);
    bottom.GridAttr().SetColor(GridGrey);

    sp_XYLine1->SetLegend("下载");
    sp_XYLine1->LineAttr().SetColor(SkyBlue);
    sp_XYLine2->SetLegend("上传");
    sp_XYLine2->LineAttr().SetColor(Lime);
    for (Tsp_XYLine *line : {sp_XYLine1, sp_XYLine2}) {
        line->PointAttr().SetVisible(false);
        line->SetPlot(&plot);
    }

    plot.OnDblClick = [this](Tsp_XYPlot &) { sp_XYPlotDblClick(); };
    plot.OnMouseMove = [this](Tsp_XYPlot &, Qt::KeyboardModifiers, int X, int Y) { sp_XYPlotMouseMove(X, Y); };
}

void Tfrm_vx_Watcher::SetClocks(TWatcherClocks clocks)
{
    FClocks = std::move(clocks);
}

void Tfrm_vx_Watcher::Initialize()
{
    TDL = 0;
    TUL = 0;
}

TCounterWidth Tfrm_vx_Watcher::ReadCounters(std::uint64_t &received, std::uint64_t &sent)
{
    received = 0;
    sent = 0;
    // The 64-bit row first, as the main list reads it, so both show the same totals.
    TCounterWidth width = TCounterWidth::Bits64;
    if (IpHlpAPI.GetIfEntry2 != nullptr) {
        MIB_IF_ROW2 row{};
        row.InterfaceIndex = Adapter.IntfIdx;
        if (IpHlpAPI.GetIfEntry2(&row) == NO_ERROR) {
            received = row.InOctets;
            sent = row.OutOctets;
        }
    } else if (IpHlpAPI.GetIfEntry != nullptr) {
        width = TCounterWidth::Bits32;
        MIB_IFROW row{};
        row.dwIndex = Adapter.IntfIdx;
        if (IpHlpAPI.GetIfEntry(&row) == NO_ERROR) {
            received = row.dwInOctets;
            sent = row.dwOutOctets;
        }
    }
    if (received == 0 && sent == 0) {
        DL = 0;
        UL = 0;
    }
    return width;
}

void Tfrm_vx_Watcher::ShowValue(TLabelPanel &panel, int units, double value)
{
    // Units other than transfer and speed give no text, so the panel goes blank.
    FText.clear();
    FormatMeterValue(units, value, FText);
    panel.setText(QString::fromStdString(FText));
}

void Tfrm_vx_Watcher::TimerTimer()
{
    if (ViewLength == 0) {
        ViewLength = 300;
        EP = 0;
        MS = 0;
        const double now = FClocks.Now();
        sp_XYPlot->BottomAxis().SetMinMax(now, now + ViewLength * OneSecond);
    }
    // An interface that came back under its name has an index and counters of its own: its first reading
    // must not be set against the vanished one's.
    if ((DL == 0 && UL == 0) || FPrimedIdx != Adapter.IntfIdx) {
        FPrimedIdx = Adapter.IntfIdx;
        ReadCounters(DL, UL);
        ET = FClocks.TickCount();
    }
    std::uint64_t down = 0;
    std::uint64_t up = 0;
    const TCounterWidth width = ReadCounters(down, up);
    const std::uint64_t downIncrease = CounterIncrease(DL, down, width);
    const std::uint64_t upIncrease = CounterIncrease(UL, up, width);
    TDL += downIncrease;
    TUL += upIncrease;

    const std::uint32_t tick = FClocks.TickCount();
    const double elapsed = ElapsedSeconds(ET, tick);
    ET = tick;
    const double downRate = static_cast<double>(downIncrease) / elapsed;
    const double upRate = static_cast<double>(upIncrease) / elapsed;
    if (!(MDL >= downRate))
        MDL = downRate;
    if (!(MUL >= upRate))
        MUL = upRate;

    const int units = cbUnits->currentIndex();
    ShowValue(*lDL, units, downRate);
    ShowValue(*lUL, units, upRate);
    ShowValue(*lDLMax, units, MDL);
    ShowValue(*lULMax, units, MUL);
    ShowValue(*lDLTotal, MeterUnitsTransfer, static_cast<double>(down));
    ShowValue(*lULTotal, MeterUnitsTransfer, static_cast<double>(up));
    ShowValue(*lTDL, MeterUnitsTransfer, static_cast<double>(TDL));
    ShowValue(*lTUL, MeterUnitsTransfer, static_cast<double>(TUL));

    const double downValue = PlotValue(units, downRate);
    const double upValue = PlotValue(units, upRate);
    // Held back so that the tick ends in one repaint of the field, not one per change.
    sp_XYLine1->SetLockInvalidate(true);
    sp_XYLine2->SetLockInvalidate(true);
    sp_XYLine1->AddXY(FClocks.Now(), downValue);
    sp_XYLine2->AddXY(FClocks.Now(), upValue);
    FollowTime();
    if (sp_XYLine1->Count() > HistoryLimit) {
        sp_XYLine1->Delete(0);
        sp_XYLine2->Delete(0);
    }
    sp_XYLine1->SetLockInvalidate(false);
    sp_XYLine2->SetLockInvalidate(false);
    Rescale(downValue, upValue);

    ++EP;
    DL = down;
    UL = up;
}

void Tfrm_vx_Watcher::FollowTime()
{
    Tsp_Axis &bottom = sp_XYPlot->BottomAxis();
    const double now = FClocks.Now();
    if (now > bottom.Max())
        bottom.MoveMinMax(SecondsToCatchUp(now, bottom.Max()) * OneSecond);
}

void Tfrm_vx_Watcher::Rescale(double downValue, double upValue)
{
    Tsp_Axis &left = sp_XYPlot->LeftAxis();
    const double peak = upValue > downValue ? upValue : downValue;
    if (!(MS >= peak))
        MS = peak;
    if (MS > left.Max()) {
        left.SetMax(MS);
        EP = 0;
        MS = 0;
    }
    if (static_cast<std::int64_t>(EP) > static_cast<std::int64_t>(ViewLength)) {
        if (MS < left.Max()) {
            if (MS < SmallestScale)
                MS = SmallestScale;
            left.SetMax(MS);
            MS = 0;
        }
        EP = 0;
    }
    sp_XYPlot->RightAxis().SetMax(left.Max());
}

void Tfrm_vx_Watcher::sp_XYPlotDblClick()
{
    sp_XYPlot->LeftAxis().SetMinMax(0, MS);
    const double now = FClocks.Now();
    sp_XYPlot->BottomAxis().SetMinMax(now, now + ViewLength * OneSecond);
}

void Tfrm_vx_Watcher::sp_XYPlotMouseMove(int X, int Y)
{
    const QString value =
        QString::fromStdString(FormatPlotValue(cbUnits->currentIndex(), sp_XYPlot->LeftAxis().P2V(Y)));
    const QString time = ShortDateLongTimeText(sp_XYPlot->BottomAxis().P2V(X));
    sp_XYPlot->setToolTip(QStringLiteral("时间戳: %1\r\n值: %2").arg(time, value));
}

void Tfrm_vx_Watcher::Panel1DblClick()
{
    // An always-on-top main window must not cover the question.
    const TTopMostSuspension suspension;
    if (AskYesNo(QStringLiteral("清除会话总计?"), QStringLiteral("Confirmation"), this)) {
        TDL = 0;
        TUL = 0;
    }
}

void Tfrm_vx_Watcher::bPropsClick()
{
    // Without the main window's picture list there is nothing to show the dialog with.
    if (FImages32 == nullptr)
        return;
    const TTopMostSuspension suspension;
    ShowAdapterProperties(Adapter, *FImages32, window());
}

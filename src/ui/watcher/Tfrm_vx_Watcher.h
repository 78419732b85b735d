#pragma once

#include "CounterDelta.h"
#include "Quarl_NCC.h"
#include "TWatcherClocks.h"

#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>

class QComboBox;
class QPushButton;
class QTimer;
class TGradientBar;
class TImageList;
class TLabelPanel;
class Tsp_XYLine;
class Tsp_XYPlot;

// The meter of one network interface: on every tick of its timer it reads the interface's octet
// counters, turns their increase into download and upload rates, keeps the maxima and the session
// totals, shows eight value texts, appends a point per direction to a scrolling time graph and
// rescales the graph's value axis. The main window creates one per watched interface.
class Tfrm_vx_Watcher final : public QWidget {
    Q_OBJECT

public:
    // The main window's two interface image lists: the 16-pixel one heads the caption bar, the
    // 32-pixel one goes to the properties dialog. Neither is owned.
    Tfrm_vx_Watcher(TImageList *ilIntf16, TImageList *ilIntf32, QWidget *parent = nullptr);
    ~Tfrm_vx_Watcher() override;
    Q_DISABLE_COPY_MOVE(Tfrm_vx_Watcher)

    // The panel's own copy of its interface: IntfIdx selects the counters, Name identifies the panel.
    TAdapter Adapter;
    // Children of the panel, owned by it.
    TGradientBar *Header = nullptr;
    QComboBox *cbUnits = nullptr;
    QTimer *Timer = nullptr;
    Tsp_XYPlot *sp_XYPlot = nullptr;
    // Owned by the panel, drawn by sp_XYPlot.
    Tsp_XYLine *sp_XYLine1 = nullptr;
    Tsp_XYLine *sp_XYLine2 = nullptr;
    TLabelPanel *DLLabel = nullptr;
    TLabelPanel *ULLabel = nullptr;
    TLabelPanel *lTDL = nullptr;
    TLabelPanel *lTUL = nullptr;

    // Clears the session totals; the main window calls it right after creation.
    void Initialize();

    // One sampling step (the timer's handler).
    void TimerTimer();
    // Resets the view: the value axis to 0..the window's peak, the time axis to the next stretch
    // from now. Runs on a double-click of the graph and on every change of the units box.
    void sp_XYPlotDblClick();
    // The graph's hint for the pointer at plot pixel (X, Y): time stamp and value.
    void sp_XYPlotMouseMove(int X, int Y);
    // Asks whether to clear the session totals.
    void Panel1DblClick();
    // Shows the properties of Adapter; always-on-top windows are normal while the dialog is up.
    void bPropsClick();

    void SetClocks(TWatcherClocks clocks);

    // The largest series length; the oldest point of both series goes once a tick would exceed it.
    static constexpr std::int32_t HistoryLimit = 86400;

private:
    void CreateGrid(QWidget *grid);
    void ConfigurePlot();
    // Reads the interface's counters (zeros when the read fails) and says how wide they are; two
    // zeros leave the panel unprimed.
    TCounterWidth ReadCounters(std::uint64_t &received, std::uint64_t &sent);
    void ShowValue(TLabelPanel &panel, int units, double value);
    // Steps 14 to 17 of a tick: grow the value axis at once, shrink it after a quiet window.
    void Rescale(double downValue, double upValue);
    void FollowTime();

    TImageList *FImages32 = nullptr;
    TWatcherClocks FClocks = TWatcherClocks::System();
    std::unique_ptr<Tsp_XYLine> FDownLine;
    std::unique_ptr<Tsp_XYLine> FUpLine;
    QPushButton *bProps = nullptr;
    TLabelPanel *lDL = nullptr;
    TLabelPanel *lDLMax = nullptr;
    TLabelPanel *lDLTotal = nullptr;
    TLabelPanel *lUL = nullptr;
    TLabelPanel *lULMax = nullptr;
    TLabelPanel *lULTotal = nullptr;
    TLabelPanel *Panel1 = nullptr;
    std::string FText;

    // Counters read at the previous tick (both 0: not primed) and the session totals.
    std::uint64_t DL = 0;
    std::uint64_t UL = 0;
    // The interface index DL and UL were read from.
    std::uint32_t FPrimedIdx = 0;
    std::uint64_t TDL = 0;
    std::uint64_t TUL = 0;
    // The largest plotted value since the value axis last changed, and the largest rates seen.
    double MS = 0;
    double MDL = 0;
    double MUL = 0;
    // The tick count of the previous tick.
    std::uint32_t ET = 0;
    // Ticks since the value axis last changed.
    std::int32_t EP = 0;
    // The time window in seconds (and the rescale window in ticks); 0 until the first tick.
    std::uint32_t ViewLength = 0;
};

#pragma once

#include "Quarl.LayoutManager.Form.h"
#include "Quarl_NCC.h"

#include <QIcon>
#include <QStringList>
#include <QVector>

#include <cstdint>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QScrollArea;
class QSystemTrayIcon;
class QTimer;
class QTreeWidgetItem;
class QVBoxLayout;
class TAction;
class TImageList;
class TInterfaceList;
class TInterfaceRowItem;
class TNetworkChangeNotifier;
class TWindowDragArea;
class Tfrm_vx_Watcher;
struct TInterfaceRow;

// The program's only top-level window: the interface list with the cumulative totals of every interface, the
// monitor menu, and one watcher panel per ticked interface, stacked in the scroll box in the order they opened.
class Twnd_vx_Main final : public TLMForm {
    Q_OBJECT

public:
    // Takes the first snapshot; the process-wide settings storage must exist.
    explicit Twnd_vx_Main(QWidget *parent = nullptr);
    ~Twnd_vx_Main() override;
    Q_DISABLE_COPY(Twnd_vx_Main)

    TInterfaceList *Tree = nullptr;
    QScrollArea *ScrollBox = nullptr;
    QMenuBar *MainMenu = nullptr;
    QMenu *mmInterface = nullptr;
    QMenu *PopupMenu1 = nullptr;
    TImageList *ilIntf16 = nullptr;
    TImageList *ilIntf32 = nullptr;
    QTimer *Timer = nullptr;
    QSystemTrayIcon *TrayIcon = nullptr;
    // How often a window without a tray looks for one.
    static constexpr int TrayWatchMilliseconds = 2000;

    TAction *acRefresh = nullptr;
    TAction *acPersistent = nullptr;
    TAction *acExit = nullptr;
    TAction *acHide = nullptr;
    TAction *acAbout = nullptr;
    TAction *acIntfView = nullptr;
    TAction *acOOI = nullptr;
    TAction *acOnTop = nullptr;
    TAction *acCaption = nullptr;
    // Radio items of the default units and the update period; their data is their tag.
    QAction *pmTransfer = nullptr;
    QAction *pmSpeed = nullptr;
    QAction *pmFast = nullptr;
    QAction *pmNormal = nullptr;
    QAction *pmSlow = nullptr;

    // Refreshes the snapshot and rebuilds the marks, the list and the monitor menu from it.
    void RefreshData();
    // Opens the panel of A's name, or updates the open one.
    void AddWatcher(TAdapter A);
    void RemoveWatcher(std::uint32_t X);
    void RemoveWatcher(const TAdapter &A);
    // Brings the window back from the tray, from minimised or from behind others; a second start asks for it too.
    void TrayIconClick();

    const std::vector<Tfrm_vx_Watcher *> &Watchers() const { return FWatchers; }
    TNetworkConfiguration &Configuration() { return *FNCC; }

    // What the list shows of a row; the rows ask on every paint.
    QString TreeGetText(const TInterfaceRow &Row, int Column) const;
    int TreeGetImageIndex(const TInterfaceRow &Row) const;
    // A picture of the 16-pixel list as an icon, made once per picture and device pixel ratio.
    QIcon InterfaceIcon(int Index) const;
    // Whether the row is painted in bold: the interface that carries the route to the outside.
    bool TreePaintText(const TInterfaceRow &Row) const;

    // The window has the window system's title bar (and then its menu bar too).
    bool HasCaption() const;
    // The title bar's height: the window system's where it reports it, else the style's.
    int CaptionHeight();

protected:
    void showEvent(QShowEvent *event) override;
    // Closing the window ends the program, also while the tray icon is there to keep it alive.
    void closeEvent(QCloseEvent *event) override;

private:
    void CreateComponents();
    // The action list, the main menu and the context menu (Twnd_vx_Main.Commands.cpp).
    void CreateCommands();
    QMenu *CreateRadioMenu(const QString &Caption, const QStringList &Items, void (Twnd_vx_Main::*Handler)(QAction *));
    void acRefreshExecute();
    void acPersistentExecute();
    void acHideExecute();
    void acAboutExecute();
    void acIntfViewExecute();
    void acOOIExecute();
    void acOnTopExecute();
    void acCaptionExecute();
    void cmUnitsClick(QAction *Item);
    void cmPeriod(QAction *Item);
    // Without a tray the taskbar entry is the only way back to a hidden window, so it goes only where a tray is.
    void HideTaskbarEntryWhereTrayIs();

    // The caption switch (Twnd_vx_Main.Caption.cpp).
    void HideCaption();
    void ShowCaption();
    void ApplyCaption(bool adjust);
    // What the window system's frame adds to the window's height: nothing without a title bar.
    int FrameHeight();
    // Heights with the window system's frame, the title bar included while there is one.
    int OuterHeight();
    void SetOuterHeight(int AHeight);
    // Learns the frame's heights from the window system while it decorates the window.
    void LearnFrame();

    void FormCreate();
    void FormShow();
    void FormAfterRestore();
    void TimerTimer();
    void RefreshTraffic();
    void TreeChecked(TInterfaceRowItem *Row);
    void TreeDblClick();
    void cmIntfClick(QAction *Item);
    void NetworkChangeNotifierChange(void *Sender, std::uint32_t Res);

    void ApplyMarks();
    void BuildInterfaceList();
    void BuildMonitorMenu();
    void UpdateWatcherIcons();
    void DeclareInterfaceValues();
    void CacheInterfaceIcons();
    // Closes panels whose interface index now belongs to an interface of another name.
    void DropRenamedWatchers();
    void StoreMark(const TAdapter &A);
    TInterfaceRowItem *RowOf(std::uint32_t IntfIdx) const;
    QAction *MenuItemOf(std::uint32_t IntfIdx) const;
    void SetRowChecked(TInterfaceRowItem *Row, bool Checked);

    std::vector<Tfrm_vx_Watcher *> FWatchers;
    std::unique_ptr<TNetworkConfiguration> FNCC;
    std::unique_ptr<TNetworkChangeNotifier> FNCN;
    QVBoxLayout *FPanels = nullptr;
    // The empty panel area, by which the window is dragged.
    TWindowDragArea *FPanelArea = nullptr;
    // Title bar and whole frame height last reported by the window system; 0 while none was.
    int FTitleBarHeight = 0;
    int FFrameHeight = 0;
    // Set while the list's check boxes are set in code, which must not count as the user's ticks.
    bool FBuildingList = false;
    QVector<QIcon> FIcons16;
    QTimer *FTrayWatch = nullptr;
};

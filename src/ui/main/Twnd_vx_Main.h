#pragma once

#include "Quarl.LayoutManager.Form.h"
#include "Quarl_NCC.h"

#include <cstdint>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QScrollArea;
class QTimer;
class QTreeWidgetItem;
class QVBoxLayout;
class TAction;
class TImageList;
class TInterfaceList;
class TInterfaceRowItem;
class TNetworkChangeNotifier;
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
    TAction *acPersistent = nullptr;
    TAction *acCaption = nullptr;

    // Refreshes the snapshot and rebuilds the marks, the list and the monitor menu from it.
    void RefreshData();
    // Opens the panel of A's name, or updates the open one.
    void AddWatcher(TAdapter A);
    void RemoveWatcher(std::uint32_t X);
    void RemoveWatcher(const TAdapter &A);

    const std::vector<Tfrm_vx_Watcher *> &Watchers() const { return FWatchers; }
    TNetworkConfiguration &Configuration() { return *FNCC; }

    // What the list shows of a row; the rows ask on every paint.
    QString TreeGetText(const TInterfaceRow &Row, int Column) const;
    int TreeGetImageIndex(const TInterfaceRow &Row) const;
    // Whether the row is painted in bold: the interface that carries the route to the outside.
    bool TreePaintText(const TInterfaceRow &Row) const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void CreateComponents();
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
    // Set while the list's check boxes are set in code, which must not count as the user's ticks.
    bool FBuildingList = false;
};

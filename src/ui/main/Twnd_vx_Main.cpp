#include "Twnd_vx_Main.h"

#include "FormWindowState.h"
#include "InterfaceImageIndex.h"
#include "InterfaceImages.h"
#include "LayoutStorage.h"
#include "MeterTexts.h"
#include "SamplingPeriod.h"
#include "Quarl.Control.GradientBar.h"
#include "Quarl.LayoutManager.Storage.h"
#include "Quarl_NetChangeNotify.h"
#include "TAction.h"
#include "TImageList.h"
#include "TInterfaceList.h"
#include "TInterfaceRowItem.h"
#include "TLayoutManagerValue.h"
#include "TLayoutManagerValues.h"
#include "TToolTipTimingStyle.h"
#include "TWindowDragArea.h"
#include "TTopMostSuspension.h"
#include "Tdlg_vx_AdapterInfo.h"
#include "TLabelPanel.h"
#include "Tfrm_vx_Watcher.h"
#include "Tsp_XYLine.h"
#include "Tsp_XYPlot.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QMetaObject>
#include <QScrollArea>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int ListRefreshMilliseconds = 1000;
constexpr int WatcherHeight = 210;
constexpr int DefaultListHeight = 150;
constexpr QSize DefaultClientSize{480, 460};

void AttachPopupMenu(QWidget *widget, QMenu *menu)
{
    widget->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(widget, &QWidget::customContextMenuRequested, menu,
                     [widget, menu](const QPoint &at) { menu->popup(widget->mapToGlobal(at)); });
}


} // namespace

Twnd_vx_Main::Twnd_vx_Main(QWidget *parent) : TLMForm(parent)
{
    CreateComponents();
    FormCreate();
}

Twnd_vx_Main::~Twnd_vx_Main()
{
    // The layout is saved while the window's own members are still alive.
    SaveLayoutBeforeDestruction();
    // The worker may be waiting for the GUI thread; stop it before the window it reports to goes away.
    FNCN.reset();
}

void Twnd_vx_Main::CreateComponents()
{
    setObjectName("wnd_vx_Main");
    setWindowTitle(QApplication::applicationName());
    resize(DefaultClientSize);

    ilIntf16 = CreateInterfaceImageList(16, this);
    ilIntf32 = CreateInterfaceImageList(32, this);
    FollowDevicePixelRatio(ilIntf16, this);
    CacheInterfaceIcons();
    FollowDevicePixelRatio(ilIntf32, this);

    CreateCommands();
    TrayIcon = new QSystemTrayIcon(this);
    TrayIcon->setContextMenu(PopupMenu1);
    connect(TrayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            TrayIconClick();
    });

    Tree = new TInterfaceList(this);
    Tree->setObjectName("Tree");
    Tree->setColumnCount(3);
    Tree->setHeaderLabels({QStringLiteral("接口"), QStringLiteral("下载"), QStringLiteral("上传")});
    Tree->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    Tree->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    Tree->setRootIsDecorated(false);
    Tree->setUniformRowHeights(true);
    Tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    Tree->setAllColumnsShowFocus(true);
    QHeaderView *header = Tree->header();
    header->setSectionsMovable(true);
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->resizeSection(1, 100);
    header->resizeSection(2, 100);
    Tree->setFixedHeight(DefaultListHeight);
    Tree->SetTag(1);
    Tree->hide();
    AttachPopupMenu(Tree, PopupMenu1);
    connect(Tree, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *item, int column) {
        auto *row = static_cast<TInterfaceRowItem *>(item);
        if (FBuildingList || column != 0 || (item->checkState(0) == Qt::Checked) == row->Checked)
            return;
        row->Checked = item->checkState(0) == Qt::Checked;
        TreeChecked(row);
    });
    connect(Tree, &QTreeWidget::itemDoubleClicked, this, [this] { TreeDblClick(); });

    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName("ScrollBox");
    ScrollBox->setWidgetResizable(true);
    ScrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox->setFrameShape(QFrame::NoFrame);
    FPanelArea = new TWindowDragArea(ScrollBox);
    FPanelArea->SetDragButtons(Qt::LeftButton);
    FPanelArea->SetEmptyAreaOnly(true);
    FPanels = new QVBoxLayout(FPanelArea);
    FPanels->setContentsMargins(0, 0, 0, 0);
    FPanels->setSpacing(0);
    FPanels->addStretch(1);
    ScrollBox->setWidget(FPanelArea);
    AttachPopupMenu(FPanelArea, PopupMenu1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(MainMenu);
    layout->addWidget(Tree);
    layout->addWidget(ScrollBox, 1);

    Timer = new QTimer(this);
    Timer->setInterval(ListRefreshMilliseconds);
    connect(Timer, &QTimer::timeout, this, &Twnd_vx_Main::TimerTimer);
    Timer->start();
}

void Twnd_vx_Main::FormCreate()
{
    CenterTo(nullptr);
    TrayIcon->setIcon(ApplicationIcon());
    TrayIcon->setToolTip(QApplication::applicationName());
    TrayIcon->show();
    FTrayWatch = new QTimer(this);
    FTrayWatch->setInterval(TrayWatchMilliseconds);
    connect(FTrayWatch, &QTimer::timeout, this, [this] {
        if (isVisible() && QSystemTrayIcon::isSystemTrayAvailable())
            HideTaskbarEntryWhereTrayIs();
    });
    if (qobject_cast<TToolTipTimingStyle *>(QApplication::style()) == nullptr)
        QApplication::setStyle(new TToolTipTimingStyle);

    FNCC = std::make_unique<TNetworkConfiguration>();
    FNCN = std::make_unique<TNetworkChangeNotifier>([this](std::function<void()> call) {
        QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
    });
    FNCN->SetOnChange([this](void *Sender, std::uint32_t Res) { NetworkChangeNotifierChange(Sender, Res); });
    FNCC->RefreshData();
    // A screen of another pixel ratio renders the pictures anew; the list and the menu show them at once.
    connect(ilIntf16, &TImageList::OnChange, this, [this] {
        CacheInterfaceIcons();
        Tree->viewport()->update();
        BuildMonitorMenu();
    });

    TLayoutManager &manager = LayoutManager();
    manager.SetStorage(LayoutStorage());
    SetOnAfterRestore([this](TLayoutManager *) { FormAfterRestore(); });
    // Nothing is saved before the stored switch says so.
    SetLayoutReadOnly(true);
    SetLayoutControl(true);
    manager.Add(static_cast<QObject *>(Tree), {"Visible", "Tag"});
    manager.Add(acPersistent, {"Checked"});
    manager.Add(acCaption, {"Checked"});

    TLayoutManagerValues &values = manager.StoredValues();
    values.AddItem("Units", TLayoutVariant(std::int32_t{0}));
    values.AddItem("Period", TLayoutVariant(std::int32_t{1}));
    DeclareInterfaceValues();
}

void Twnd_vx_Main::showEvent(QShowEvent *event)
{
    TLMForm::showEvent(event);
    FormShow();
}

void Twnd_vx_Main::FormShow()
{
    HideTaskbarEntryWhereTrayIs();
}

void Twnd_vx_Main::closeEvent(QCloseEvent *event)
{
    TLMForm::closeEvent(event);
    if (event->isAccepted())
        QCoreApplication::quit();
}

void Twnd_vx_Main::FormAfterRestore()
{
    SetLayoutReadOnly(!acPersistent->isChecked());
    acIntfView->setChecked(Tree->IsShown());
    acOnTop->setChecked(GetFormStyle() == StyleStayOnTop);
    acOOI->setChecked(Tree->GetTag() == 1);
    ApplyCaption(acCaption->isChecked());
    const std::int64_t units = LayoutManager().GetValueByName("Units").AsInt64();
    pmTransfer->setChecked(units == 0);
    pmSpeed->setChecked(units == 1);
    const std::int64_t period = LayoutManager().GetValueByName("Period").AsInt64();
    pmFast->setChecked(period == 0);
    pmNormal->setChecked(period == 1);
    pmSlow->setChecked(period == 2);
    RefreshData();
}

void Twnd_vx_Main::NetworkChangeNotifierChange(void *, std::uint32_t)
{
    RefreshData();
}

void Twnd_vx_Main::RefreshData()
{
    FNCC->RefreshData();
    ApplyMarks();
    BuildInterfaceList();
    BuildMonitorMenu();
}

void Twnd_vx_Main::DeclareInterfaceValues()
{
    TLayoutManagerValues &values = LayoutManager().StoredValues();
    for (std::uint16_t i = 0; i < FNCC->AdapterCount(); ++i)
        values.AddItem(FNCC->Adapter(i).Name, TLayoutVariant(false));
}

void Twnd_vx_Main::ApplyMarks()
{
    const TLayoutManagerValues &values = LayoutManager().StoredValues();
    for (int i = 0; i < values.Count(); ++i) {
        const TLayoutManagerValue &value = values.GetItem(i);
        const int index = FNCC->FindAdapter(std::string_view(value.GetName()));
        if (index >= 0)
            FNCC->SetAdapterMark(static_cast<std::uint16_t>(index), value.GetValue().AsBoolean());
    }
    DropRenamedWatchers();
    for (std::uint16_t i = 0; i < FNCC->AdapterCount(); ++i) {
        const TAdapter adapter = FNCC->Adapter(i);
        FNCC->SetAdapterImageIndex(i, InterfaceImageIndex(static_cast<std::int32_t>(adapter._Typ), adapter._Status));
        if (FNCC->AdapterMark(i))
            AddWatcher(FNCC->Adapter(i));
        else
            RemoveWatcher(adapter);
    }
    UpdateWatcherIcons();
}

void Twnd_vx_Main::DropRenamedWatchers()
{
    // A panel belongs to the name the user ticked. When its index now carries another name, the watched
    // interface is gone: the panel closes (its stored choice stays), and the new name opens its own panel if
    // it is watched. Without this, closing by index could free the wrong panel.
    for (std::size_t i = FWatchers.size(); i-- > 0;) {
        Tfrm_vx_Watcher *panel = FWatchers[i];
        const int index = FNCC->FindAdapter(static_cast<std::int64_t>(panel->Adapter.IntfIdx));
        if (index < 0 || SameValueName(FNCC->Adapter(static_cast<std::uint16_t>(index)).Name, panel->Adapter.Name))
            continue;
        FWatchers.erase(FWatchers.begin() + static_cast<std::ptrdiff_t>(i));
        delete panel;
    }
}

void Twnd_vx_Main::UpdateWatcherIcons()
{
    for (Tfrm_vx_Watcher *panel : FWatchers) {
        const int index = FNCC->FindAdapter(std::string_view(panel->Adapter.Name));
        panel->Header->SetImageIndex(index >= 0 ? FNCC->AdapterImageIndex(static_cast<std::uint16_t>(index)) : 0);
    }
}

void Twnd_vx_Main::BuildInterfaceList()
{
    const auto *focused = static_cast<const TInterfaceRowItem *>(Tree->currentItem());
    const bool hadFocus = focused != nullptr;
    const std::uint32_t focusedIdx = hadFocus ? focused->Row.IntfIdx : 0;

    Tree->setUpdatesEnabled(false);
    FBuildingList = true;
    Tree->clear();
    for (std::uint16_t i = 0; i < FNCC->AdapterCount(); ++i) {
        const TAdapter adapter = FNCC->Adapter(i);
        if (Tree->GetTag() != 0 && adapter._Status < 4)
            continue;
        Tree->addTopLevelItem(new TInterfaceRowItem(*this, {adapter.IntfIdx, 0, 0, i}, FNCC->AdapterMark(i)));
    }
    FBuildingList = false;
    if (hadFocus) {
        if (TInterfaceRowItem *row = RowOf(focusedIdx)) {
            Tree->setCurrentItem(row);
            Tree->scrollToItem(row);
        }
    }
    Tree->setUpdatesEnabled(true);
}

void Twnd_vx_Main::BuildMonitorMenu()
{
    mmInterface->clear();
    for (std::uint16_t i = 0; i < FNCC->AdapterCount(); ++i) {
        const TAdapter adapter = FNCC->Adapter(i);
        QAction *item = mmInterface->addAction(QString::fromStdString(adapter.Name));
        item->setData(static_cast<qlonglong>(adapter.IntfIdx));
        item->setCheckable(true);
        item->setChecked(adapter._Mark);
        item->setIcon(InterfaceIcon(adapter._ImageIndex));
    }
}

void Twnd_vx_Main::TimerTimer()
{
    RefreshTraffic();
}

void Twnd_vx_Main::RefreshTraffic()
{
    // The rows read their texts when painted, and assistive technology asks them when it reads. Only the
    // counters of rows whose counters moved are painted again: a change notice per row would make the view
    // measure every row, and a whole repaint would draw names, check boxes and icons that did not change.
    for (int i = 0; i < Tree->topLevelItemCount(); ++i) {
        auto *row = static_cast<TInterfaceRowItem *>(Tree->topLevelItem(i));
        const TInterfaceRow before = row->Row;
        FNCC->GetTraffic(row->Row.IntfIdx, row->Row.Received, row->Row.Sent);
        if (row->Row.Received != before.Received || row->Row.Sent != before.Sent) {
            Tree->viewport()->update(Tree->visualRect(Tree->indexFromItem(row, 1)) |
                                     Tree->visualRect(Tree->indexFromItem(row, 2)));
        }
    }
}

QIcon Twnd_vx_Main::InterfaceIcon(int Index) const
{
    return Index >= 0 && Index < FIcons16.size() ? FIcons16[Index] : QIcon();
}

void Twnd_vx_Main::CacheInterfaceIcons()
{
    FIcons16.clear();
    for (int i = 0; i < ilIntf16->Count(); ++i)
        FIcons16.append(QIcon(QPixmap::fromImage(ilIntf16->GetImage(i))));
}

QString Twnd_vx_Main::TreeGetText(const TInterfaceRow &Row, int Column) const
{
    switch (Column) {
    case 0:
        return QString::fromStdString(FNCC->Adapter(Row.SnapshotIndex).Name);
    case 1:
        return QString::fromStdString(FormatTransfer(static_cast<double>(Row.Received)));
    case 2:
        return QString::fromStdString(FormatTransfer(static_cast<double>(Row.Sent)));
    default:
        return {};
    }
}

int Twnd_vx_Main::TreeGetImageIndex(const TInterfaceRow &Row) const
{
    return FNCC->AdapterImageIndex(Row.SnapshotIndex);
}

bool Twnd_vx_Main::TreePaintText(const TInterfaceRow &Row) const
{
    return Row.IntfIdx == FNCC->BestInterfaceIdx();
}

void Twnd_vx_Main::TreeChecked(TInterfaceRowItem *Row)
{
    const std::uint16_t index = Row->Row.SnapshotIndex;
    FNCC->SetAdapterMark(index, Row->Checked);
    StoreMark(FNCC->Adapter(index));
    if (Row->Checked)
        AddWatcher(FNCC->Adapter(index));
    else
        RemoveWatcher(FNCC->Adapter(index));
}

void Twnd_vx_Main::cmIntfClick(QAction *Item)
{
    const qlonglong tag = Item->data().toLongLong();
    const int index = FNCC->FindAdapter(static_cast<std::int64_t>(tag));
    if (index < 0)
        return;
    const auto i = static_cast<std::uint16_t>(index);
    if (Item->isChecked())
        AddWatcher(FNCC->Adapter(i));
    else
        RemoveWatcher(FNCC->Adapter(i));
    StoreMark(FNCC->Adapter(i));
}

void Twnd_vx_Main::StoreMark(const TAdapter &A)
{
    // Whatever the persistence switch says, the watched set is written at once.
    TLayoutManager &manager = LayoutManager();
    manager.SetValueByName(A.Name, TLayoutVariant(A._Mark));
    manager.StoredValues().Save();
}

void Twnd_vx_Main::TreeDblClick()
{
    const auto *row = static_cast<const TInterfaceRowItem *>(Tree->currentItem());
    if (row == nullptr)
        return;
    const TTopMostSuspension normal;
    ShowAdapterProperties(FNCC->Adapter(row->Row.SnapshotIndex), *ilIntf32, this);
}

void Twnd_vx_Main::AddWatcher(TAdapter A)
{
    bool exists = false;
    for (Tfrm_vx_Watcher *panel : FWatchers) {
        if (SameValueName(panel->Adapter.Name, A.Name)) {
            panel->Adapter = A;
            panel->Header->SetImageIndex(A._ImageIndex);
            exists = true;
            break;
        }
    }
    const int index = FNCC->FindAdapter(static_cast<std::int64_t>(A.IntfIdx));
    if (index >= 0)
        FNCC->SetAdapterMark(static_cast<std::uint16_t>(index), true);
    if (!exists) {
        auto *panel = new Tfrm_vx_Watcher(ilIntf16, ilIntf32, FPanels->parentWidget());
        FWatchers.push_back(panel);
        panel->Initialize();
        panel->setFixedHeight(WatcherHeight);
        panel->setObjectName(QStringLiteral("Watcher_%1").arg(A.IntfIdx));
        panel->Header->SetImageIndex(A._ImageIndex);
        panel->Adapter = A;
        panel->Header->SetCaption(QString::fromStdString(A.Name));
        panel->Header->setToolTip(QString::fromStdString(A.Alias));
        AttachPopupMenu(panel->Header, PopupMenu1);
        AttachPopupMenu(panel->sp_XYPlot, PopupMenu1);
        panel->DLLabel->SetColor(RGBColor(166, 202, 240));
        panel->ULLabel->SetColor(RGBColor(0, 255, 0));
        panel->sp_XYLine1->LineAttr().SetColor(panel->DLLabel->Color());
        panel->lTDL->SetColor(panel->DLLabel->Color());
        panel->sp_XYLine2->LineAttr().SetColor(panel->ULLabel->Color());
        panel->lTUL->SetColor(panel->ULLabel->Color());
        panel->cbUnits->setCurrentIndex(
            static_cast<int>(LayoutManager().GetValueByName("Units").AsInt64()));
        if (const int interval = PeriodMilliseconds(LayoutManager().GetValueByName("Period").AsInt64()))
            panel->Timer->setInterval(interval);
        // New panels go below the open ones, above the stretch that keeps them at the top.
        FPanels->insertWidget(FPanels->count() - 1, panel);
        panel->Timer->start();
        panel->show();
    }
    if (QAction *item = MenuItemOf(A.IntfIdx))
        item->setChecked(true);
    SetRowChecked(RowOf(A.IntfIdx), true);
}

void Twnd_vx_Main::RemoveWatcher(std::uint32_t X)
{
    const auto found = std::find_if(FWatchers.begin(), FWatchers.end(),
                                    [X](const Tfrm_vx_Watcher *panel) { return panel->Adapter.IntfIdx == X; });
    const int index = FNCC->FindAdapter(static_cast<std::int64_t>(X));
    if (index >= 0)
        FNCC->SetAdapterMark(static_cast<std::uint16_t>(index), false);
    if (found == FWatchers.end())
        return;
    Tfrm_vx_Watcher *panel = *found;
    FWatchers.erase(found);
    delete panel;
    if (QAction *item = MenuItemOf(X))
        item->setChecked(false);
    SetRowChecked(RowOf(X), false);
}

void Twnd_vx_Main::RemoveWatcher(const TAdapter &A)
{
    RemoveWatcher(A.IntfIdx);
}

TInterfaceRowItem *Twnd_vx_Main::RowOf(std::uint32_t IntfIdx) const
{
    for (int i = 0; i < Tree->topLevelItemCount(); ++i) {
        auto *row = static_cast<TInterfaceRowItem *>(Tree->topLevelItem(i));
        if (row->Row.IntfIdx == IntfIdx)
            return row;
    }
    return nullptr;
}

QAction *Twnd_vx_Main::MenuItemOf(std::uint32_t IntfIdx) const
{
    const QList<QAction *> items = mmInterface->actions();
    const auto found = std::find_if(items.begin(), items.end(), [IntfIdx](const QAction *item) {
        return item->data().toLongLong() == static_cast<qlonglong>(IntfIdx);
    });
    return found == items.end() ? nullptr : *found;
}

void Twnd_vx_Main::SetRowChecked(TInterfaceRowItem *Row, bool Checked)
{
    if (Row == nullptr)
        return;
    const bool building = FBuildingList;
    FBuildingList = true;
    Row->Checked = Checked;
    Row->setCheckState(0, Checked ? Qt::Checked : Qt::Unchecked);
    FBuildingList = building;
}

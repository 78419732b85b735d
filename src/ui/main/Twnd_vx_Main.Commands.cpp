// The main window's commands: the action list, the main menu, the context menu and their handlers.
#include "Twnd_vx_Main.h"

#include "FormWindowState.h"
#include "Quarl.LayoutManager.Control.h"
#include "SamplingPeriod.h"
#include "TAction.h"
#include "TInterfaceList.h"
#include "TTopMostSuspension.h"
#include "platform/TaskbarEntry.h"
#include "TdlgAbout.h"
#include "Tfrm_vx_Watcher.h"

#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSystemTrayIcon>
#include <QTimer>

namespace {

TAction *NewAction(QWidget *owner, const char *name, const QString &caption, const char *category)
{
    auto *action = new TAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    action->setProperty("Category", QString::fromLatin1(category));
    // The window holds every action, so the shortcuts work while the menu bar is hidden.
    owner->addAction(action);
    return action;
}

void SetAutoCheck(TAction *action, bool checked)
{
    action->setCheckable(true);
    action->setChecked(checked);
}

} // namespace

void Twnd_vx_Main::CreateCommands()
{
    acRefresh = NewAction(this, "acRefresh", QStringLiteral("刷新"), "File");
    acRefresh->setShortcut(Qt::Key_F5);
    acPersistent = NewAction(this, "acPersistent", QStringLiteral("保持布局和设置"), "File");
    SetAutoCheck(acPersistent, false);
    acExit = NewAction(this, "acExit", QStringLiteral("退出"), "File");
    acExit->setToolTip(QStringLiteral("退出"));
    acExit->setStatusTip(QStringLiteral("退出应用程序"));
    acHide = NewAction(this, "acHide", QStringLiteral("隐藏"), "File");
    acAbout = NewAction(this, "acAbout", QStringLiteral("关于"), "File");
    acAbout->setShortcut(Qt::Key_F1);
    acIntfView = NewAction(this, "acIntfView", QStringLiteral("接口查看"), "View");
    SetAutoCheck(acIntfView, false);
    acIntfView->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    acOOI = NewAction(this, "acOOI", QStringLiteral("仅可用接口"), "View");
    SetAutoCheck(acOOI, true);
    acOnTop = NewAction(this, "acOnTop", QStringLiteral("始终可见"), "View");
    SetAutoCheck(acOnTop, false);
    acCaption = NewAction(this, "acCaption", QStringLiteral("窗口标题"), "View");
    SetAutoCheck(acCaption, true);
    acCaption->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));

    connect(acRefresh, &QAction::triggered, this, &Twnd_vx_Main::acRefreshExecute);
    connect(acPersistent, &QAction::triggered, this, &Twnd_vx_Main::acPersistentExecute);
    connect(acExit, &QAction::triggered, this, &QWidget::close);
    connect(acHide, &QAction::triggered, this, &Twnd_vx_Main::acHideExecute);
    connect(acAbout, &QAction::triggered, this, &Twnd_vx_Main::acAboutExecute);
    connect(acIntfView, &QAction::triggered, this, &Twnd_vx_Main::acIntfViewExecute);
    connect(acOOI, &QAction::triggered, this, &Twnd_vx_Main::acOOIExecute);
    connect(acOnTop, &QAction::triggered, this, &Twnd_vx_Main::acOnTopExecute);
    connect(acCaption, &QAction::triggered, this, &Twnd_vx_Main::acCaptionExecute);

    MainMenu = new QMenuBar(this);
    MainMenu->setObjectName("MainMenu");
    QMenu *file = MainMenu->addMenu(QStringLiteral("文件"));
    file->addAction(acRefresh);
    file->addSeparator();
    file->addAction(acPersistent);
    file->addSeparator();
    file->addAction(acExit);

    mmInterface = MainMenu->addMenu(QStringLiteral("监视"));
    mmInterface->setObjectName("mmInterface");
    connect(mmInterface, &QMenu::triggered, this, &Twnd_vx_Main::cmIntfClick);

    QMenu *view = MainMenu->addMenu(QStringLiteral("查看"));
    view->addActions({acIntfView, acOOI});
    view->addSeparator();
    view->addActions({acOnTop, acCaption});
    view->addSeparator();
    QMenu *units = CreateRadioMenu(QStringLiteral("默认单位"), {QStringLiteral("传输"), QStringLiteral("速度")},
                                   &Twnd_vx_Main::cmUnitsClick);
    view->addMenu(units);
    pmTransfer = units->actions().at(0);
    pmSpeed = units->actions().at(1);
    pmTransfer->setChecked(true);
    QMenu *period = CreateRadioMenu(
        QStringLiteral("更新周期"),
        {QStringLiteral("快速 (0.5 s)"), QStringLiteral("正常 (1 s)"), QStringLiteral("慢速 (2 s)")},
        &Twnd_vx_Main::cmPeriod);
    view->addMenu(period);
    pmFast = period->actions().at(0);
    pmNormal = period->actions().at(1);
    pmSlow = period->actions().at(2);
    pmNormal->setChecked(true);

    QMenu *help = MainMenu->addMenu(QStringLiteral("帮助"));
    help->addAction(acAbout);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    PopupMenu1->addActions({acIntfView, acOOI});
    PopupMenu1->addSeparator();
    PopupMenu1->addActions({acOnTop, acCaption});
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(acRefresh);
    PopupMenu1->addSeparator();
    PopupMenu1->addActions({acHide, acExit});
}

QMenu *Twnd_vx_Main::CreateRadioMenu(const QString &Caption, const QStringList &Items,
                                     void (Twnd_vx_Main::*Handler)(QAction *))
{
    auto *menu = new QMenu(Caption, this);
    // A click on the checked item takes its mark away, and a stored value out of range leaves none checked.
    auto *group = new QActionGroup(menu);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int tag = 0; tag < Items.size(); ++tag) {
        QAction *item = group->addAction(Items.at(tag));
        item->setCheckable(true);
        item->setData(tag);
        menu->addAction(item);
    }
    connect(group, &QActionGroup::triggered, this, Handler);
    return menu;
}

void Twnd_vx_Main::acRefreshExecute()
{
    RefreshData();
}

void Twnd_vx_Main::acPersistentExecute()
{
    SetLayoutReadOnly(!acPersistent->isChecked());
}

void Twnd_vx_Main::acHideExecute()
{
    if (QSystemTrayIcon::isSystemTrayAvailable())
        hide();
    else
        showMinimized();
}

void Twnd_vx_Main::acAboutExecute()
{
    const TTopMostSuspension normal;
    ShowAbout(TLanguage::lngEn, this);
}

void Twnd_vx_Main::acIntfViewExecute()
{
    // The panel area keeps its size: the window takes the list's height or gives it back.
    const bool shown = Tree->isHidden();
    Tree->setVisible(shown);
    resize(width(), height() + (shown ? Tree->height() : -Tree->height()));
}

void Twnd_vx_Main::acOOIExecute()
{
    Tree->SetTag(acOOI->isChecked() ? 1 : 0);
    RefreshData();
}

void Twnd_vx_Main::acOnTopExecute()
{
    SetFormStyle(GetFormStyle() == StyleNormal ? StyleStayOnTop : StyleNormal);
}

void Twnd_vx_Main::acCaptionExecute()
{
    ApplyCaption(true);
}

void Twnd_vx_Main::cmUnitsClick(QAction *Item)
{
    // Open panels keep their units; the next panel starts with these.
    LayoutManager().SetValueByName("Units", TLayoutVariant(std::int32_t{Item->data().toInt()}));
}

void Twnd_vx_Main::cmPeriod(QAction *Item)
{
    LayoutManager().SetValueByName("Period", TLayoutVariant(std::int32_t{Item->data().toInt()}));
    const int interval = PeriodMilliseconds(LayoutManager().GetValueByName("Period").AsInt64());
    for (Tfrm_vx_Watcher *panel : FWatchers) {
        panel->Timer->stop();
        if (interval != 0)
            panel->Timer->setInterval(interval);
        panel->Timer->start();
    }
}

void Twnd_vx_Main::TrayIconClick()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    HideTaskbarEntryWhereTrayIs();
}

void Twnd_vx_Main::HideTaskbarEntryWhereTrayIs()
{
    const bool tray = QSystemTrayIcon::isSystemTrayAvailable();
    ShowTaskbarEntry(*this, !tray);
    // A tray may come after the window (a panel that starts after the program at login, or one the platform
    // has not reported yet); the window looks for it now and then and gives up its entry once it is there.
    if (tray)
        FTrayWatch->stop();
    else if (!FTrayWatch->isActive())
        FTrayWatch->start();
}

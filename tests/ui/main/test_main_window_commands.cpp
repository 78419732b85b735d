#include "FormWindowState.h"
#include "MainWindowTest.h"
#include "TAction.h"
#include "TWindowDragArea.h"
#include "TdlgAbout.h"
#include "Tfrm_vx_Watcher.h"

#include <QApplication>
#include <QComboBox>
#include <QMenuBar>
#include <QScrollArea>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class MainWindowCommandsTest : public MainWindowTest {
protected:
    std::unique_ptr<Twnd_vx_Main> ActiveWindow()
    {
        auto window = ShownWindow();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return window;
    }

    static void Press(Twnd_vx_Main &window, QKeyCombination keys)
    {
        QTest::keyClick(&window, keys.key(), keys.keyboardModifiers());
    }

    static bool Offers(const QMenu &menu, const QString &caption)
    {
        for (const QAction *item : menu.actions()) {
            if (item->text() == caption && item->isVisible() && item->isEnabled())
                return true;
        }
        return false;
    }
};

TEST_F(MainWindowCommandsTest, FirstStartWithoutSettingsFileMatchesTheDesignDefaults)
{
    {
        auto window = ShownWindow();
        EXPECT_TRUE(window->Tree->isHidden());
        EXPECT_FALSE(window->acIntfView->isChecked());
        EXPECT_EQ(window->Tree->GetTag(), 1);
        EXPECT_TRUE(window->acOOI->isChecked());
        EXPECT_TRUE(window->HasCaption());
        EXPECT_TRUE(window->MainMenu->isVisible());
        EXPECT_TRUE(window->acCaption->isChecked());
        EXPECT_EQ(window->GetFormStyle(), StyleNormal);
        EXPECT_FALSE(window->acOnTop->isChecked());
        EXPECT_TRUE(window->pmTransfer->isChecked());
        EXPECT_FALSE(window->pmSpeed->isChecked());
        EXPECT_TRUE(window->pmNormal->isChecked());
        EXPECT_FALSE(window->pmFast->isChecked() || window->pmSlow->isChecked());
        EXPECT_FALSE(window->acPersistent->isChecked());
        EXPECT_TRUE(window->GetLayoutReadOnly());
        window->move(window->pos() + QPoint(40, 30));
    }
    // Persistence is off: closing writes no layout at all.
    EXPECT_FALSE(QFile::exists(QString::fromStdString(FStorage->GetFileName()))) << FileText();
}

TEST_F(MainWindowCommandsTest, StoredUnitsOrPeriodOutOfRangeLeavesItsGroupUnchecked)
{
    WriteSettings("[Settings]\nUnits=7\nPeriod=2\n");
    auto window = ShownWindow();
    EXPECT_FALSE(window->pmTransfer->isChecked() || window->pmSpeed->isChecked());
    EXPECT_TRUE(window->pmSlow->isChecked());
    EXPECT_FALSE(window->pmFast->isChecked() || window->pmNormal->isChecked());
}

TEST_F(MainWindowCommandsTest, SlowPeriodRetimesOpenPanelsWhileSpeedWaitsForTheNextPanel)
{
    ASSERT_TRUE(AddPair("vxa", "vxb"));
    auto window = ShownWindow();
    Row(*window, "vxa")->setCheckState(0, Qt::Checked);
    Row(*window, "vxb")->setCheckState(0, Qt::Checked);
    ASSERT_EQ(window->Watchers().size(), 2u);

    window->pmSlow->trigger();
    for (const Tfrm_vx_Watcher *panel : window->Watchers()) {
        EXPECT_EQ(panel->Timer->interval(), 2000) << panel->Adapter.Name;
        EXPECT_TRUE(panel->Timer->isActive()) << panel->Adapter.Name;
    }
    EXPECT_FALSE(window->pmNormal->isChecked());

    window->pmSpeed->trigger();
    for (const Tfrm_vx_Watcher *panel : window->Watchers())
        EXPECT_EQ(panel->cbUnits->currentIndex(), 0) << panel->Adapter.Name;
    Row(*window, "lo")->setCheckState(0, Qt::Checked);
    ASSERT_EQ(window->Watchers().size(), 3u);
    EXPECT_EQ(window->Watchers()[2]->cbUnits->currentIndex(), 1);
    EXPECT_EQ(window->Watchers()[2]->Timer->interval(), 2000);
    // Ticking writes the values at once, and the current choices with them.
    EXPECT_NE(FileText().find("Units=1"), std::string::npos) << FileText();
    EXPECT_NE(FileText().find("Period=2"), std::string::npos) << FileText();
}

TEST_F(MainWindowCommandsTest, PersistenceOffStopsSavingAndAStoredOnMakesTheNextStartPersistent)
{
    WriteSettings("[Twnd_vx_Main\\acPersistent]\nChecked=1\n");
    {
        auto window = ShownWindow();
        EXPECT_TRUE(window->acPersistent->isChecked());
        EXPECT_FALSE(window->GetLayoutReadOnly());
        window->acIntfView->trigger();
    }
    // Persistent: the closing window wrote its layout, the shown list with it.
    const std::string saved = FileText();
    EXPECT_NE(saved.find("[Twnd_vx_Main\\Tree]"), std::string::npos) << saved;
    {
        auto window = ShownWindow();
        EXPECT_TRUE(window->acIntfView->isChecked());
        window->acPersistent->trigger();
        EXPECT_TRUE(window->GetLayoutReadOnly());
        window->acIntfView->trigger();
        window->acCaption->trigger();
        window->move(window->pos() + QPoint(25, 15));
        QTest::qWait(TLMForm::MoveQuietMilliseconds * 2);
    }
    EXPECT_EQ(FileText(), saved) << "nothing is saved once persistence is off, not even the switch";
    auto window = ShownWindow();
    EXPECT_TRUE(window->acPersistent->isChecked());
    EXPECT_FALSE(window->GetLayoutReadOnly());
    EXPECT_FALSE(window->Tree->isHidden());
}

TEST_F(MainWindowCommandsTest, CtrlWTakesTitleAndMenuBarAwayAndBringsBackTheSameHeight)
{
    auto window = ActiveWindow();
    const int height = window->height();
    const int title = window->CaptionHeight();

    Press(*window, Qt::CTRL | Qt::Key_W);
    EXPECT_FALSE(window->acCaption->isChecked());
    EXPECT_FALSE(window->HasCaption());
    EXPECT_TRUE(window->MainMenu->isHidden());
    EXPECT_TRUE(window->isVisible());
    // The platform reports no title bar here: its frame counts as the title bar alone, so the window itself
    // gives up the second title-bar height and the two pixels.
    EXPECT_EQ(window->height(), height - (title + 2));
    EXPECT_TRUE(Offers(*window->PopupMenu1, QStringLiteral("窗口标题")));

    Press(*window, Qt::CTRL | Qt::Key_W);
    EXPECT_TRUE(window->acCaption->isChecked());
    EXPECT_TRUE(window->HasCaption());
    EXPECT_FALSE(window->MainMenu->isHidden());
    EXPECT_EQ(window->height(), height);
}

TEST_F(MainWindowCommandsTest, CtrlIGrowsTheWindowByTheListAndShrinksItBack)
{
    auto window = ActiveWindow();
    const int height = window->height();
    const int panels = window->ScrollBox->height();

    Press(*window, Qt::CTRL | Qt::Key_I);
    ASSERT_FALSE(window->Tree->isHidden());
    EXPECT_TRUE(window->acIntfView->isChecked());
    EXPECT_EQ(window->height(), height + window->Tree->height());
    QApplication::processEvents();
    EXPECT_EQ(window->ScrollBox->height(), panels);

    Press(*window, Qt::CTRL | Qt::Key_I);
    EXPECT_TRUE(window->Tree->isHidden());
    EXPECT_EQ(window->height(), height);
    QApplication::processEvents();
    EXPECT_EQ(window->ScrollBox->height(), panels);
}

TEST_F(MainWindowCommandsTest, F5RefreshesAndF1OpensTheAboutBox)
{
    auto window = ActiveWindow();
    ASSERT_EQ(MenuItem(*window, "vxa"), nullptr);
    ASSERT_TRUE(AddPair("vxa", "vxb"));
    // No event loop has run since the link appeared, so only the key can have brought it.
    Press(*window, Qt::Key_F5);
    EXPECT_NE(MenuItem(*window, "vxa"), nullptr);

    QString opened;
    QTimer::singleShot(0, window.get(), [&opened] {
        if (QWidget *box = QApplication::activeModalWidget()) {
            opened = QString::fromLatin1(box->metaObject()->className());
            box->close();
        }
    });
    Press(*window, Qt::Key_F1);
    EXPECT_EQ(opened, "TdlgAbout");
}

TEST_F(MainWindowCommandsTest, HideThenTrayClickBringsTheWindowBack)
{
    auto window = ShownWindow();
    window->acHide->trigger();
    if (QSystemTrayIcon::isSystemTrayAvailable())
        EXPECT_FALSE(window->isVisible());
    else
        EXPECT_TRUE(window->isMinimized()) << "without a tray Hide must leave the taskbar entry";

    emit window->TrayIcon->activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isMinimized());
}

TEST_F(MainWindowCommandsTest, OnTopKeepsTheWindowWhereItIsAndShown)
{
    // The stored place differs from where the window stands: a style change must not re-read it.
    WriteSettings("[Twnd_vx_Main]\nLeft=3\nTop=4\n");
    auto window = ShownWindow();
    window->move(210, 170);
    const QRect place = window->geometry();

    window->acOnTop->trigger();
    EXPECT_EQ(window->GetFormStyle(), StyleStayOnTop);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->geometry(), place);

    window->acOnTop->trigger();
    EXPECT_EQ(window->GetFormStyle(), StyleNormal);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->geometry(), place);
}

TEST_F(MainWindowCommandsTest, DragOnTheEmptyPanelAreaMovesTheWindowButNotOnAPanel)
{
    ASSERT_TRUE(AddPair("vxa", "vxb"));
    auto window = ShownWindow();
    Row(*window, "vxa")->setCheckState(0, Qt::Checked);
    QApplication::processEvents();
    QWidget *area = window->ScrollBox->widget();
    const Tfrm_vx_Watcher *panel = window->Watchers().at(0);
    const QPoint empty(area->width() / 2, panel->geometry().bottom() + 20);
    ASSERT_EQ(area->childAt(empty), nullptr);

    const QPoint start = window->pos();
    QTest::mousePress(area, Qt::LeftButton, {}, empty);
    QTest::mouseMove(area, empty + QPoint(30, 20));
    QTest::mouseRelease(area, Qt::LeftButton, {}, empty + QPoint(30, 20));
    EXPECT_EQ(window->pos(), start + QPoint(30, 20));

    // A press that a panel leaves to the area, on its value labels, keeps to the panel.
    QWidget *label = panel->childAt(panel->width() / 2, panel->height() - 5);
    ASSERT_NE(label, nullptr);
    const QPoint moved = window->pos();
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseMove(label, QPoint(40, 30));
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(40, 30));
    EXPECT_EQ(window->pos(), moved);
}

} // namespace

namespace {

// The tray icon keeps no window open, so a window hidden to it is no last window that Qt would close: exit
// must end the program all the same.
TEST_F(MainWindowCommandsTest, ExitEndsTheProgramWhileTheWindowIsHidden)
{
    auto window = ShownWindow();
    window->hide();
    QTimer::singleShot(0, window.get(), [&window] { window->acExit->trigger(); });
    bool stuck = false;
    // Fires only when the program failed to end, so that the test ends anyway.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, qApp, [&stuck] {
        stuck = true;
        QCoreApplication::quit();
    });
    guard.start(20000);
    QApplication::exec();
    EXPECT_FALSE(stuck);
}

} // namespace

namespace {

// The stored size of a window without title bar is that window's own: each start must not add or take away
// a title bar's or a menu bar's height again.
TEST_F(MainWindowCommandsTest, StoredCaptionOffComesBackAtTheStoredHeightStartAfterStart)
{
    WriteSettings("[Twnd_vx_Main\\acPersistent]\nChecked=1\n[Twnd_vx_Main\\acCaption]\nChecked=0\n");
    std::vector<int> heights;
    for (int start = 0; start < 3; ++start) {
        auto window = ShownWindow();
        EXPECT_FALSE(window->HasCaption());
        EXPECT_TRUE(window->MainMenu->isHidden());
        EXPECT_TRUE(window->isVisible());
        heights.push_back(window->frameGeometry().height());
    }
    EXPECT_EQ(heights[1], heights[0]);
    EXPECT_EQ(heights[2], heights[0]);
}

} // namespace

#include "LayoutTestForms.h"
#include "Quarl.LayoutManager.Storage.h"
#include "ShownErrors.h"
#include "TemporaryFolder.h"

#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <QTest>
#include <QUrl>
#include <QWindow>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

class LayoutFormTest : public testing::Test {
protected:
    LayoutFormTest() { FStorage->SetFileName((FFolder / "vorlix.ini").string()); }

    // A form over the test's file and screens, registered with its manager as a design would do it.
    std::unique_ptr<Tfrm_vx_Managed> NewForm()
    {
        auto form = std::make_unique<Tfrm_vx_Managed>();
        form->LayoutManager().SetScreenSource(FScreens);
        form->LayoutManager().SetStorage(FStorage);
        form->SetLayoutControl(true);
        return form;
    }

    std::string Stored(const std::string &name)
    {
        TLayoutManagerINIStorage reader;
        reader.SetFileName(FStorage->GetFileName());
        return reader.ReadString("Tfrm_vx_Managed", name, "<absent>");
    }

    // Points the storage below a file, where no user, root included, can write; gives the refused name.
    std::string RefuseWrites()
    {
        const std::filesystem::path blocker = FFolder / "blocker";
        std::ofstream(blocker) << "not a folder";
        const std::string refused = (blocker / "vorlix.ini").string();
        FStorage->SetFileName(refused);
        return refused;
    }

    void Store(const std::string &name, const std::string &value)
    {
        FStorage->WriteString("Tfrm_vx_Managed", name, value);
        FStorage->Close();
    }

    TemporaryFolder FFolder;
    std::shared_ptr<TLayoutManagerINIStorage> FStorage = std::make_shared<TLayoutManagerINIStorage>();
    std::shared_ptr<TScriptedScreens> FScreens = std::make_shared<TScriptedScreens>();
};

TEST_F(LayoutFormTest, CenterToTruncatesTheHalfPixel)
{
    Tfrm_vx_Managed form;
    form.resize(400, 300);
    QWidget other;
    other.setGeometry(100, 100, 500, 301);
    form.CenterTo(&other);
    EXPECT_EQ(form.pos(), QPoint(150, 100));
}

struct CentreRow {
    const char *Name;
    int Monitor;
    QPoint Expected;
};

class CenterToMonitorTest : public LayoutFormTest, public testing::WithParamInterface<CentreRow> {};

TEST_P(CenterToMonitorTest, OutOfRangeCentresOnThePrimaryWorkArea)
{
    FScreens->WorkArea = QRect(10, 20, 397, 600);
    Tfrm_vx_Managed form;
    form.LayoutManager().SetScreenSource(FScreens);
    form.resize(400, 300);
    form.CenterToMonitor(GetParam().Monitor);
    EXPECT_EQ(form.pos(), GetParam().Expected);
}

// Work area 397 wide for a 400 wide form: (397 - 400) / 2 is -1 towards zero.
INSTANTIATE_TEST_SUITE_P(Rows, CenterToMonitorTest,
                         testing::Values(CentreRow{"BelowZero", -1, {9, 170}}, CentreRow{"PastTheLast", 2, {9, 170}},
                                         CentreRow{"Second", 1, {1260, 390}}),
                         [](const testing::TestParamInfo<CentreRow> &row) { return std::string(row.param.Name); });

TEST_F(LayoutFormTest, CenterToDesktopUsesTheWholeDesktop)
{
    Tfrm_vx_Managed form;
    form.LayoutManager().SetScreenSource(FScreens);
    form.resize(400, 301);
    form.CenterToDesktop();
    EXPECT_EQ(form.pos(), QPoint(760, 389));
}

TEST_F(LayoutFormTest, EveryShowRestoresBeforeTheShowEvent)
{
    Store("Pos", "120,130");
    auto form = NewForm();
    int restores = 0;
    form->SetOnAfterRestore([&](TLayoutManager *sender) {
        EXPECT_EQ(sender, &form->LayoutManager());
        ++restores;
    });
    form->show();
    EXPECT_EQ(form->PosAtShow, QPoint(120, 130));
    form->hide();
    form->show();
    EXPECT_EQ(restores, 2);
}

TEST_F(LayoutFormTest, MoveIsSavedAfterAQuietIntervalAndDestructionSaves)
{
    auto form = NewForm();
    form->resize(300, 200);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    form->move(210, 220);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Stored("Pos") == "210,220"; })) << "no save after the quiet interval";

    // Destruction comes before the quiet interval ends; the stored size is the outer one, frame included.
    form->resize(320, 240);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->size() == QSize(320, 240); }));
    const QSize outer = form->frameGeometry().size();
    form.reset();
    EXPECT_EQ(Stored("Size"), std::to_string(outer.width()) + "," + std::to_string(outer.height()));
}

// A derived form whose save handler reads a member of its own, as the main window's handlers do. Without a
// Q_OBJECT of its own it keeps the base's class name, and so its section. The member lists itself as alive
// while it exists, so a save that runs after it is gone shows.
class TFormWithOwnState final : public Tfrm_vx_Managed {
public:
    TFormWithOwnState(std::set<const void *> &ALiveMembers, std::vector<bool> &ASavesSawMembers)
        : FOwn(ALiveMembers)
    {
        SetOnBeforeSave([this, &ALiveMembers, &ASavesSawMembers](TLayoutManager *) {
            ASavesSawMembers.push_back(ALiveMembers.contains(&FOwn));
        });
    }
    ~TFormWithOwnState() override { SaveLayoutBeforeDestruction(); }

private:
    class TOwnState {
    public:
        explicit TOwnState(std::set<const void *> &ALive) : FLive(ALive) { FLive.insert(this); }
        TOwnState(const TOwnState &) = delete;
        TOwnState &operator=(const TOwnState &) = delete;
        ~TOwnState() { FLive.erase(this); }

    private:
        std::set<const void *> &FLive;
    } FOwn;
};

TEST_F(LayoutFormTest, DestructionSavesOnceWhileTheDerivedFormIsWhole)
{
    std::set<const void *> liveMembers;
    std::vector<bool> savesSawMembers;
    auto form = std::make_unique<TFormWithOwnState>(liveMembers, savesSawMembers);
    form->LayoutManager().SetScreenSource(FScreens);
    form->LayoutManager().SetStorage(FStorage);
    form->SetLayoutControl(true);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    form->move(150, 160);
    form.reset();
    EXPECT_EQ(savesSawMembers, std::vector<bool>{true});
    EXPECT_EQ(Stored("Pos"), "150,160");
}

struct TRefusedCloseRow {
    const char *Name;
    bool CloseFreesForm; // else the form is deleted without a close
};

class RefusedSaveForDestruction : public LayoutFormTest, public testing::WithParamInterface<TRefusedCloseRow> {};

// A refused save for destruction is reported, once, and never from inside a destructor: a close that frees the
// form reports it before the form goes, a plain delete from the event loop afterwards.
TEST_P(RefusedSaveForDestruction, IsShownOnceOutsideAnyDestructor)
{
    const std::string refused = RefuseWrites();
    TShownErrors shown;
    auto form = NewForm();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    const std::vector<std::string> expected{"Unable to write to " + refused};
    if (GetParam().CloseFreesForm) {
        Tfrm_vx_Managed *freed = form.release();
        const QPointer<Tfrm_vx_Managed> guard(freed);
        freed->setAttribute(Qt::WA_DeleteOnClose);
        freed->close();
        EXPECT_EQ(shown.Messages, expected) << "reported by the close, before destruction";
        EXPECT_FALSE(guard.isNull());
        ASSERT_TRUE(QTest::qWaitFor([&] { return guard.isNull(); }));
    } else {
        form.reset();
        EXPECT_TRUE(shown.Messages.empty()) << "no message box inside the destructor";
        ASSERT_TRUE(QTest::qWaitFor([&] { return !shown.Messages.empty(); }));
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(shown.Messages, expected);
}

INSTANTIATE_TEST_SUITE_P(Ways, RefusedSaveForDestruction,
                         testing::Values(TRefusedCloseRow{"CloseThatFreesTheForm", true},
                                         TRefusedCloseRow{"DeleteWithoutClose", false}),
                         [](const testing::TestParamInfo<TRefusedCloseRow> &row) { return row.param.Name; });

TEST_F(LayoutFormTest, RefusedSaveAfterAMoveIsShownAndTheFormStaysUsable)
{
    const std::string refused = RefuseWrites();
    TShownErrors shown;
    auto form = NewForm();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    form->move(210, 220);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shown.Messages.empty(); }));
    EXPECT_EQ(shown.Messages, (std::vector<std::string>{"Unable to write to " + refused}));
    EXPECT_TRUE(form->isVisible());

    FStorage->SetFileName((FFolder / "vorlix.ini").string());
    form->move(230, 240);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Stored("Pos") == "230,240"; }));
    EXPECT_EQ(shown.Messages.size(), 1U);
}

TEST_F(LayoutFormTest, ReadOnlyFromTheFileStopsEverySave)
{
    Store("LayoutReadOnly", "1");
    auto form = NewForm();
    form->show();
    EXPECT_TRUE(form->GetLayoutReadOnly());
    EXPECT_TRUE(form->LayoutManager().GetReadOnly());
    form->move(210, 220);
    // Destruction saves as the end of a move does; read-only stops both.
    form.reset();
    EXPECT_EQ(Stored("Pos"), "<absent>");
}

TEST_F(LayoutFormTest, WindowStateHooksRunOnlyOnAChange)
{
    Tfrm_vx_Managed form;
    form.SetWindowState(0);
    EXPECT_TRUE(form.Hooks.empty());
    form.SetWindowState(2);
    EXPECT_EQ(form.Hooks, (std::vector<int>{102, 202}));
    EXPECT_TRUE(form.isMaximized());
}

TEST_F(LayoutFormTest, WindowSystemStateChangesFireTheCommandEventsButCodeDoesNot)
{
    Tfrm_vx_Managed form;
    std::vector<std::string> events;
    form.OnMinimize = [&](TLMForm *sender) { EXPECT_EQ(sender, &form); events.emplace_back("minimize"); };
    form.OnMaximize = [&](TLMForm *) { events.emplace_back("maximize"); };
    form.OnRestore = [&](TLMForm *) { events.emplace_back("restore"); };
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.SetWindowState(2);
    form.SetWindowState(0);
    QTest::qWait(20);
    ASSERT_TRUE(events.empty()) << events.front();

    form.windowHandle()->setWindowStates(Qt::WindowMaximized);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form.isMaximized(); }));
    form.windowHandle()->setWindowStates(Qt::WindowNoState);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.isMaximized(); }));
    EXPECT_EQ(events, (std::vector<std::string>{"maximize", "restore"}));
}

TEST_F(LayoutFormTest, StoredStateGoesThroughTheFormsOwnSetter)
{
    Store("State", "2");
    auto form = NewForm();
    form->LayoutManager().Restore();
    EXPECT_EQ(form->Hooks, (std::vector<int>{102, 202}));
}

TEST_F(LayoutFormTest, DisplayChangeReadsTheNewDesktopsGeometryButNotTheState)
{
    Store("Pos(2560x1440)", "1500,900");
    Store("State", "2");
    auto form = NewForm();
    form->move(10, 10);
    int changes = 0;
    form->OnDisplayChange = [&](TLMForm *sender) {
        EXPECT_EQ(sender, form.get());
        ++changes;
    };
    FScreens->Desktop = QSize(2560, 1440);
    form->DisplayChanged();
    EXPECT_EQ(form->pos(), QPoint(1500, 900));
    EXPECT_FALSE(form->isMaximized());
    EXPECT_EQ(form->GetLayoutOptions(), (TLayoutManagerControlOptions{TLayoutManagerControlOption::loPosition,
                                                                      TLayoutManagerControlOption::loSize,
                                                                      TLayoutManagerControlOption::loState,
                                                                      TLayoutManagerControlOption::loStyle}));
    EXPECT_TRUE(form->LayoutManager().GetControl(0).GetOptions().Contains(TLayoutManagerControlOption::loState));
    EXPECT_EQ(changes, 1);
}

TEST_F(LayoutFormTest, MovingToAnotherMonitorReportsEachChangeOnce)
{
    auto form = NewForm();
    form->setGeometry(100, 100, 200, 100);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    std::vector<std::pair<int, int>> changes;
    form->OnMonitorChanged = [&](TLMForm *, int oldMonitor, int newMonitor) { changes.emplace_back(oldMonitor, newMonitor); };
    form->move(1200, 100);
    QTest::qWait(20);
    form->move(1300, 100);
    QTest::qWait(20);
    form->move(100, 100);
    QTest::qWait(20);
    EXPECT_EQ(changes, (std::vector<std::pair<int, int>>{{0, 1}, {1, 0}}));
}

TEST_F(LayoutFormTest, DroppedFilesReachTheHandlerInOrder)
{
    Tfrm_vx_Managed form;
    EXPECT_FALSE(form.acceptDrops());
    form.SetAcceptFiles(true);
    EXPECT_TRUE(form.acceptDrops());
    QStringList received;
    form.OnDropFiles = [&](TLMForm *, const QStringList &files) { received = files; };
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/tmp/b.txt"), QUrl::fromLocalFile("/tmp/a.txt")});
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    form.DeliverDrop(drop);
    EXPECT_EQ(received, (QStringList{"/tmp/b.txt", "/tmp/a.txt"}));
}

TEST_F(LayoutFormTest, ClosingIsSetOnlyWhenClosingFreesTheForm)
{
    auto *freed = new Tfrm_vx_Managed;
    freed->setAttribute(Qt::WA_DeleteOnClose);
    const QPointer<Tfrm_vx_Managed> guard(freed);
    freed->show();
    freed->close();
    EXPECT_TRUE(freed->IsClosing());
    ASSERT_TRUE(QTest::qWaitFor([&] { return guard.isNull(); }));

    Tfrm_vx_Managed kept;
    kept.show();
    kept.close();
    EXPECT_FALSE(kept.IsClosing());
}

} // namespace

namespace {

TEST_F(LayoutFormTest, SecondFormTakesTheMainFormsStorageAndReadOnlyChoice)
{
    auto main = NewForm();
    main->SetLayoutReadOnly(true);
    ASSERT_EQ(TLMForm::MainForm(), main.get());

    Tfrm_vx_Managed second;
    EXPECT_EQ(TLMForm::MainForm(), main.get());
    EXPECT_EQ(second.LayoutManager().GetStorage(), FStorage);
    EXPECT_TRUE(second.GetLayoutReadOnly());
    EXPECT_TRUE(second.LayoutManager().GetReadOnly());

    main->SetLayoutReadOnly(false);
    Tfrm_vx_Managed third;
    EXPECT_FALSE(third.GetLayoutReadOnly());
    EXPECT_FALSE(third.LayoutManager().GetReadOnly());
}

TEST_F(LayoutFormTest, FreeingTheMainFormMakesTheNextLiveFormMain)
{
    auto main = NewForm();
    auto second = std::make_unique<Tfrm_vx_Managed>();
    main.reset();
    EXPECT_EQ(TLMForm::MainForm(), second.get());
    second.reset();
    EXPECT_EQ(TLMForm::MainForm(), nullptr);

    // Without a main form nothing is shared.
    Tfrm_vx_Managed alone;
    EXPECT_EQ(alone.LayoutManager().GetStorage(), nullptr);
}

} // namespace

#include "LayoutTestForms.h"
#include "OffscreenScreens.h"
#include "Quarl.LayoutManager.Storage.h"
#include "TQtScreenSource.h"
#include "TemporaryFolder.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

// A widget deep inside a form that notes, at each screen change Qt or the form tells it of, whether the form
// was changing its DPI.
class TDpiProbe : public QWidget {
public:
    TDpiProbe(QWidget *parent, const TLMForm &AForm) : QWidget(parent), FForm(AForm) {}

    std::vector<bool> Seen;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::ScreenChangeInternal)
            Seen.push_back(FForm.IsDPIChanging());
        return QWidget::event(event);
    }

private:
    const TLMForm &FForm;
};

class FormScreensTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!FScreens.Available())
            GTEST_SKIP() << FScreens.Missing().toStdString();
        FStorage->SetFileName((FFolder / "vorlix.ini").string());
    }

    // A layout-managed form over the real screens, with a probe two levels down.
    std::unique_ptr<Tfrm_vx_Managed> NewForm(const QRect &AGeometry)
    {
        auto form = std::make_unique<Tfrm_vx_Managed>();
        form->LayoutManager().SetStorage(FStorage);
        form->SetLayoutControl(true);
        auto *panel = new QWidget(form.get());
        FProbe = new TDpiProbe(panel, *form);
        form->setGeometry(AGeometry);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }

    std::string Stored(const std::string &name)
    {
        TLayoutManagerINIStorage reader;
        reader.SetFileName(FStorage->GetFileName());
        return reader.ReadString("Tfrm_vx_Managed", name, "<absent>");
    }

    TOffscreenScreens FScreens;
    TemporaryFolder FFolder;
    std::shared_ptr<TLayoutManagerINIStorage> FStorage = std::make_shared<TLayoutManagerINIStorage>();
    TDpiProbe *FProbe = nullptr;
};

bool Any(const std::vector<bool> &AValues)
{
    return std::find(AValues.begin(), AValues.end(), true) != AValues.end();
}

// A 150 % screen right of a plain one: 1500 x 1200 device pixels are 1000 x 800 in Qt's coordinates.
const std::vector<TScreenSpec> PlainAndScaled{{"", {0, 0, 1000, 800}, 96}, {"B", {1000, 0, 1500, 1200}, 144}};

TEST_F(FormScreensTest, QtScreenSourceReadsTheScaleAUserSetNotQtsLogicalDpi)
{
    FScreens.Set(PlainAndScaled);
    const TQtScreenSource source;
    EXPECT_EQ(source.VirtualDesktop(), QRect(0, 0, 2000, 800));
    EXPECT_EQ(source.PrimaryWorkArea(), QRect(0, 0, 1000, 800));
    ASSERT_EQ(source.MonitorCount(), 2);
    EXPECT_EQ(source.MonitorBounds(1), QRect(1000, 0, 1000, 800));

    QWidget window;
    window.setGeometry(1200, 100, 200, 100);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(source.MonitorNumber(window), 1);
    EXPECT_EQ(source.MonitorDpi(window), 144);
    window.move(100, 100);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.screen() == QGuiApplication::primaryScreen(); }));
    EXPECT_EQ(source.MonitorNumber(window), 0);
    EXPECT_EQ(source.MonitorDpi(window), 96);
}

TEST_F(FormScreensTest, SizeIsStoredUnderTheDpiOfTheFormsScreen)
{
    FScreens.Set(PlainAndScaled);
    auto form = NewForm({1200, 100, 300, 200});
    form->LayoutManager().Save();
    const QSize outer = form->frameGeometry().size();
    EXPECT_EQ(Stored("Size(2000x800x144)"), std::to_string(outer.width()) + "," + std::to_string(outer.height()));
    EXPECT_EQ(Stored("Size(2000x800x96)"), "<absent>");
}

TEST_F(FormScreensTest, MovingToAScreenOfAnotherDpiChangesEveryWidgetWhileDPIChanging)
{
    FScreens.Set(PlainAndScaled);
    auto form = NewForm({100, 100, 300, 200});
    EXPECT_FALSE(Any(FProbe->Seen));
    form->move(1200, 100);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !FProbe->Seen.empty(); }));
    EXPECT_TRUE(Any(FProbe->Seen));
    EXPECT_FALSE(form->IsDPIChanging());

    // And back to the plain screen, which is a change as well.
    FProbe->Seen.clear();
    form->move(100, 100);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !FProbe->Seen.empty(); }));
    EXPECT_TRUE(Any(FProbe->Seen));
}

TEST_F(FormScreensTest, MovingBetweenScreensOfTheSameDpiIsNoDpiChange)
{
    FScreens.Set({{"", {0, 0, 1000, 800}, 96}, {"B", {1000, 0, 1000, 800}, 96}});
    auto form = NewForm({100, 100, 300, 200});
    form->move(1200, 100);
    // Qt still tells the widgets of the new screen.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !FProbe->Seen.empty(); }));
    EXPECT_FALSE(Any(FProbe->Seen));
}

TEST_F(FormScreensTest, NewScaleOnTheFormsOwnScreenChangesEveryWidgetWhileDPIChanging)
{
    FScreens.Set({{"", {0, 0, 1500, 1200}, 96}});
    auto form = NewForm({100, 100, 300, 200});
    int displayChanges = 0;
    form->OnDisplayChange = [&](TLMForm *) { ++displayChanges; };
    FScreens.Set({{"", {0, 0, 1500, 1200}, 144}});
    ASSERT_TRUE(QTest::qWaitFor([&] { return displayChanges == 1; }));
    EXPECT_TRUE(Any(FProbe->Seen));
    EXPECT_FALSE(form->IsDPIChanging());
}

TEST_F(FormScreensTest, NewResolutionRereadsTheLayoutOnceForTheNewDesktop)
{
    FScreens.Set({{"", {0, 0, 1000, 800}, 96}, {"B", {1000, 0, 1000, 800}, 96}});
    FStorage->WriteString("Tfrm_vx_Managed", "Pos(2280x800)", "300,200");
    FStorage->WriteString("Tfrm_vx_Managed", "State", "2");
    FStorage->Close();
    auto form = NewForm({100, 100, 300, 200});
    form->SetWindowState(0);
    int displayChanges = 0;
    form->OnDisplayChange = [&](TLMForm *sender) {
        EXPECT_EQ(sender, form.get());
        ++displayChanges;
    };

    // The primary screen grows and pushes the second one right: two screens change, one display change.
    FScreens.Set({{"", {0, 0, 1280, 800}, 96}, {"B", {1280, 0, 1000, 800}, 96}});
    ASSERT_TRUE(QTest::qWaitFor([&] { return displayChanges > 0; }));
    QTest::qWait(20);
    EXPECT_EQ(displayChanges, 1);
    EXPECT_EQ(form->pos(), QPoint(300, 200));
    EXPECT_FALSE(form->isMaximized());
}

} // namespace

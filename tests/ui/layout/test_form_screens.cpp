#include "LayoutTestForms.h"
#include "OffscreenScreens.h"
#include "Quarl.LayoutManager.Storage.h"
#include "TQtScreenSource.h"
#include "TemporaryFolder.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class FormScreensTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!FScreens.Available())
            GTEST_SKIP() << FScreens.Missing().toStdString();
        FStorage->SetFileName((FFolder / "vorlix.ini").string());
    }

    // A layout-managed form over the real screens.
    std::unique_ptr<Tfrm_vx_Managed> NewForm(const QRect &AGeometry)
    {
        auto form = std::make_unique<Tfrm_vx_Managed>();
        form->LayoutManager().SetStorage(FStorage);
        form->SetLayoutControl(true);
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
};

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

} // namespace

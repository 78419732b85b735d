#include "MainWindowTest.h"
#include "Quarl.Control.GradientBar.h"
#include "TInterfaceList.h"
#include "TInterfaceRowItem.h"
#include "Tfrm_vx_Watcher.h"

#include <QAction>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST_F(MainWindowTest, DownInterfaceIsMissingFromTheFilteredListButTickableInTheMenu)
{
    ASSERT_TRUE(AddPair("vxc", "vxd", false));
    auto window = ShownWindow();

    EXPECT_EQ(Row(*window, "vxc"), nullptr);
    QAction *item = MenuItem(*window, "vxc");
    ASSERT_NE(item, nullptr);
    item->trigger();

    ASSERT_EQ(window->Watchers().size(), 1u);
    EXPECT_EQ(window->Watchers()[0]->Adapter.Name, "vxc");
    EXPECT_NE(FileText().find("vxc=1"), std::string::npos);
}

TEST_F(MainWindowTest, TickIsWrittenAtOnceAndReopensItsPanelAtTheNextStart)
{
    ASSERT_TRUE(AddPair("vxa", "vxb"));
    {
        auto window = ShownWindow();
        TInterfaceRowItem *row = Row(*window, "vxa");
        ASSERT_NE(row, nullptr);
        row->setCheckState(0, Qt::Checked);
        ASSERT_EQ(window->Watchers().size(), 1u);
        EXPECT_NE(FileText().find("vxa=1"), std::string::npos) << FileText();
        EXPECT_TRUE(MenuItem(*window, "vxa")->isChecked());
    }
    auto window = ShownWindow();
    ASSERT_EQ(window->Watchers().size(), 1u);
    EXPECT_EQ(window->Watchers()[0]->Adapter.Name, "vxa");
    EXPECT_EQ(window->Watchers()[0]->Header->Caption(), "vxa");
    EXPECT_EQ(Row(*window, "vxa")->checkState(0), Qt::Checked);
}

TEST_F(MainWindowTest, RowsReadZeroUntilTheFirstListTick)
{
    ASSERT_TRUE(Shell("ping -c 2 -i 0.2 -W 1 127.0.0.1"));
    auto window = ShownWindow();
    TInterfaceRowItem *lo = Row(*window, "lo");
    ASSERT_NE(lo, nullptr);
    EXPECT_EQ(lo->text(1), "0.00 B");
    EXPECT_EQ(lo->text(2), "0.00 B");
    // The loopback's counters carry the pings; the list tick brings them.
    EXPECT_TRUE(QTest::qWaitFor([&] { return Row(*window, "lo")->text(1) != "0.00 B"; }, 3000));
    EXPECT_EQ(Row(*window, "lo")->text(1), Row(*window, "lo")->text(2));
}

TEST_F(MainWindowTest, FocusedRowSurvivesARebuild)
{
    ASSERT_TRUE(AddPair("vxa", "vxb"));
    auto window = ShownWindow();
    window->Tree->setCurrentItem(Row(*window, "vxb"));
    window->RefreshData();
    auto *current = static_cast<TInterfaceRowItem *>(window->Tree->currentItem());
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->text(0), "vxb");
}

TEST_F(MainWindowTest, PanelOutlivesItsInterfaceGoingDownAndAway)
{
    ASSERT_TRUE(AddPair("vxa", "vxb"));
    auto window = ShownWindow();
    Row(*window, "vxa")->setCheckState(0, Qt::Checked);
    ASSERT_EQ(window->Watchers().size(), 1u);
    Tfrm_vx_Watcher *panel = window->Watchers()[0];
    const int upIcon = panel->Header->ImageIndex();
    EXPECT_NE(upIcon, 0);

    // No carrier: the row goes under the filter, the panel stays with the warning triangle.
    ASSERT_TRUE(Shell("ip link set vxb down"));
    window->RefreshData();
    EXPECT_EQ(Row(*window, "vxa"), nullptr);
    ASSERT_EQ(window->Watchers().size(), 1u);
    EXPECT_EQ(window->Watchers()[0], panel);
    EXPECT_EQ(panel->Header->ImageIndex(), 0);
    EXPECT_TRUE(MenuItem(*window, "vxa")->isChecked());

    // Gone: the panel stays, on icon 0, and comes back to life with the interface.
    ASSERT_TRUE(Shell("ip link del vxa"));
    window->RefreshData();
    ASSERT_EQ(window->Watchers().size(), 1u);
    EXPECT_EQ(panel->Header->ImageIndex(), 0);
    EXPECT_EQ(MenuItem(*window, "vxa"), nullptr);
    ASSERT_TRUE(AddPair("vxa", "vxb"));
    window->RefreshData();
    ASSERT_EQ(window->Watchers().size(), 1u);
    EXPECT_EQ(panel->Header->ImageIndex(), upIcon);
    EXPECT_EQ(panel->Adapter.IntfIdx, window->Configuration().Adapter(static_cast<std::uint16_t>(
                                          window->Configuration().FindAdapter(std::string_view("vxa")))).IntfIdx);
}

TEST_F(MainWindowTest, SecondAddForANameUpdatesTheOpenPanel)
{
    ASSERT_TRUE(AddPair("vxa", "vxb"));
    auto window = ShownWindow();
    TNetworkConfiguration &snapshot = window->Configuration();
    TAdapter adapter = snapshot.Adapter(static_cast<std::uint16_t>(snapshot.FindAdapter(std::string_view("vxa"))));
    window->AddWatcher(adapter);
    adapter.Alias = "renamed copy";
    adapter.Name = "VXA";
    window->AddWatcher(adapter);
    ASSERT_EQ(window->Watchers().size(), 1u);
    EXPECT_EQ(window->Watchers()[0]->Adapter.Alias, "renamed copy");
}

TEST_F(MainWindowTest, PanelsKeepTheirOrderAndCloseByIndex)
{
    ASSERT_TRUE(AddPair("vxa", "vxb"));
    auto window = ShownWindow();
    for (const char *name : {"vxb", "lo", "vxa"})
        Row(*window, name)->setCheckState(0, Qt::Checked);
    Row(*window, "lo")->setCheckState(0, Qt::Unchecked);
    ASSERT_EQ(window->Watchers().size(), 2u);
    EXPECT_EQ(window->Watchers()[0]->Adapter.Name, "vxb");
    EXPECT_EQ(window->Watchers()[1]->Adapter.Name, "vxa");
    EXPECT_LT(window->Watchers()[0]->y(), window->Watchers()[1]->y());
    EXPECT_NE(FileText().find("lo=0"), std::string::npos);
}

// Interfaces come and go all day (containers, VPNs, docking); the window follows the notifier through a
// storm of them without leaking panels or keeping rows of interfaces that are gone.
TEST_F(MainWindowTest, InterfaceChurnLeavesNoStaleRowsOrPanels)
{
    constexpr int Pairs = 200;
    ASSERT_TRUE(AddPair("vxa", "vxb"));
    auto window = ShownWindow();
    window->Tree->SetTag(0);
    window->RefreshData();
    Row(*window, "vxa")->setCheckState(0, Qt::Checked);

    std::string add;
    std::string del;
    for (int i = 0; i < Pairs; ++i) {
        add += "link add vxp" + std::to_string(i) + " type veth peer name vxq" + std::to_string(i) + "\n";
        del += "link del vxp" + std::to_string(i) + "\n";
    }
    const QString batch = FFolder.filePath("batch");
    for (const std::string *commands : {&add, &del}) {
        QFile file(batch);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(commands->data(), static_cast<qint64>(commands->size()));
        file.close();
        ASSERT_TRUE(Shell("ip -batch " + batch.toStdString()));
        // Let the notifier's refreshes run while the kernel still reports the changes.
        QTest::qWait(300);
        Shell("ip link del vxa");
        QTest::qWait(300);
        ASSERT_TRUE(AddPair("vxa", "vxb"));
        QTest::qWait(300);
    }
    // The last changes (the new pair, then its carrier) may still be on their way; wait until the window has
    // caught up with the kernel.
    const auto caughtUp = [&] {
        return window->Tree->topLevelItemCount() == 3 && window->Watchers().size() == 1 &&
               window->Watchers()[0]->Header->ImageIndex() == 7;
    };
    EXPECT_TRUE(QTest::qWaitFor(caughtUp, 5000)) << window->Tree->topLevelItemCount() << " rows";
    ASSERT_EQ(window->Watchers().size(), 1u);
    EXPECT_EQ(window->Watchers()[0]->Adapter.Name, "vxa");
    EXPECT_EQ(window->Watchers()[0]->Header->ImageIndex(), 7);
    for (int i = 0; i < window->Tree->topLevelItemCount(); ++i) {
        const QString name = window->Tree->topLevelItem(i)->text(0);
        EXPECT_TRUE(name == "lo" || name == "vxa" || name == "vxb") << name.toStdString();
    }
}

} // namespace

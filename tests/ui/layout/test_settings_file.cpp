#include "LayoutTestForms.h"
#include "Quarl.LayoutManager.Storage.h"
#include "FormWindowState.h"
#include "TForm.h"
#include "TemporaryFolder.h"

#include <QFile>

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

namespace {

class SettingsFileTest : public testing::Test {
protected:
    SettingsFileTest() { FStorage->SetFileName((FFolder / "vorlix.ini").string()); }

    // The main window as its creation handler sets it up: the form first, then the list and the two actions.
    std::unique_ptr<Twnd_vx_Main> NewMainWindow()
    {
        auto form = std::make_unique<Twnd_vx_Main>();
        TLayoutManager &manager = form->LayoutManager();
        manager.SetScreenSource(FScreens);
        manager.SetStorage(FStorage);
        form->SetLayoutControl(true);
        manager.Add(static_cast<QObject *>(form->Tree), {"Visible", "Tag"});
        manager.Add(form->acPersistent, {"Checked"});
        manager.Add(form->acCaption, {"Checked"});
        return form;
    }

    std::string FileText() const
    {
        QFile file(QString::fromStdString(FStorage->GetFileName()));
        if (!file.open(QIODevice::ReadOnly))
            return "<unreadable>";
        return file.readAll().toStdString();
    }

    TemporaryFolder FFolder;
    std::shared_ptr<TLayoutManagerINIStorage> FStorage = std::make_shared<TLayoutManagerINIStorage>();
    std::shared_ptr<TScriptedScreens> FScreens = std::make_shared<TScriptedScreens>();
};

TEST_F(SettingsFileTest, MainWindowWritesExactlyItsSectionsAndKeys)
{
    auto form = NewMainWindow();
    form->setGeometry(120, 80, 475, 429);
    form->Tree->SetTag(1);
    form->Tree->hide();
    form->acCaption->setChecked(true);
    form->SetFormStyle(StyleStayOnTop);
    form->LayoutManager().SetValueByName("Units", TLayoutVariant(std::int64_t{0}));
    form->LayoutManager().SetValueByName("Period", TLayoutVariant(std::int64_t{1}));
    form->LayoutManager().SetValueByName("eth0", TLayoutVariant(true));

    form->LayoutManager().Save();

    const QSize outer = form->frameGeometry().size();
    const std::string size = std::to_string(outer.width()) + "," + std::to_string(outer.height());
    std::ostringstream expected;
    expected << "[Twnd_vx_Main]\n"
             << "Size=" << size << "\n"
             << "Size(1920x1080x96)=" << size << "\n"
             << "Pos=120,80\n"
             << "Pos(1920x1080)=120,80\n"
             << "Align=0\n"
             << "State=0\n"
             << "Style=3\n"
             << "LayoutReadOnly=0\n"
             << "[Twnd_vx_Main\\Tree]\n"
             << "Tag=1\n"
             << "Visible=0\n"
             << "[Twnd_vx_Main\\acPersistent]\n"
             << "Checked=0\n"
             << "[Twnd_vx_Main\\acCaption]\n"
             << "Checked=1\n"
             << "[Settings]\n"
             << "Units=0\n"
             << "Period=1\n"
             << "eth0=1\n";
    EXPECT_EQ(FileText(), expected.str());
}

TEST_F(SettingsFileTest, StoredSettingsComeBackIntoTheToolkitClasses)
{
    {
        auto form = NewMainWindow();
        form->Tree->SetTag(0);
        form->Tree->show();
        form->acPersistent->setChecked(true);
        form->SetFormStyle(StyleStayOnTop);
        form->LayoutManager().Save();
    }
    auto form = NewMainWindow();
    ASSERT_EQ(form->GetFormStyle(), StyleNormal);
    form->LayoutManager().Restore();
    EXPECT_EQ(form->Tree->GetTag(), 0);
    EXPECT_FALSE(form->Tree->isHidden());
    EXPECT_TRUE(form->acPersistent->isChecked());
    EXPECT_FALSE(form->acCaption->isChecked());
    EXPECT_EQ(form->GetFormStyle(), StyleStayOnTop);
}

// The published names are what the stored keys are made of.
TEST(ToolkitProperties, PublishedNamesReadAndWriteTheirState)
{
    TForm form;
    EXPECT_TRUE(form.setProperty("FormStyle", StyleStayOnTop));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(form.setProperty("FormStyle", 1));
    EXPECT_EQ(form.property("FormStyle").toInt(), StyleNormal);
    EXPECT_TRUE(form.setProperty("WindowState", StateMaximized));
    EXPECT_EQ(form.property("WindowState").toInt(), StateMaximized);

    TInterfaceList list;
    EXPECT_TRUE(list.setProperty("Tag", 5));
    EXPECT_EQ(list.GetTag(), 5);
    EXPECT_TRUE(list.setProperty("Visible", false));
    EXPECT_TRUE(list.isHidden());

    TAction action;
    action.setCheckable(true);
    EXPECT_TRUE(action.setProperty("Checked", true));
    EXPECT_TRUE(action.isChecked());
}

} // namespace

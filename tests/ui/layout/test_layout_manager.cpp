#include "EIniFileException.h"
#include "LayoutTestForms.h"
#include "Quarl.LayoutManager.Control.h"
#include "Quarl.LayoutManager.Storage.h"
#include "TLayoutManagerValue.h"
#include "TLayoutManagerValues.h"
#include "TemporaryFolder.h"

#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using enum TLayoutManagerControlOption;
const TLayoutManagerControlOptions AllOptions{loPosition, loSize, loState, loStyle};

class LayoutManagerTest : public testing::Test {
protected:
    LayoutManagerTest()
    {
        FStorage->SetFileName((FFolder / "vorlix.ini").string());
    }

    // A manager over the test's file and screens with the form registered for every geometry group.
    std::unique_ptr<TLayoutManager> ManagerFor(QWidget &form)
    {
        auto manager = std::make_unique<TLayoutManager>();
        manager->SetStorage(FStorage);
        manager->SetScreenSource(FScreens);
        manager->SetOwner(&form);
        EXPECT_EQ(manager->Add(&form, {}, AllOptions), 0);
        return manager;
    }

    // What the file holds, read through a storage of its own.
    std::string Stored(const std::string &section, const std::string &name)
    {
        TLayoutManagerINIStorage reader;
        reader.SetFileName(FStorage->GetFileName());
        return reader.ReadString(section, name, "<absent>");
    }

    std::vector<std::string> StoredSection(const std::string &section)
    {
        TLayoutManagerINIStorage reader;
        reader.SetFileName(FStorage->GetFileName());
        std::vector<std::string> lines;
        reader.ReadSection(section, lines);
        return lines;
    }

    void Store(const std::string &section, const std::string &name, const std::string &value)
    {
        FStorage->WriteString(section, name, value);
        FStorage->Close();
    }

    bool FileExists() const { return std::filesystem::exists(FStorage->GetFileName()); }

    TemporaryFolder FFolder;
    std::shared_ptr<TLayoutManagerINIStorage> FStorage = std::make_shared<TLayoutManagerINIStorage>();
    std::shared_ptr<TScriptedScreens> FScreens = std::make_shared<TScriptedScreens>();
};

TEST_F(LayoutManagerTest, NoFileKeepsDesignedValuesAndStillFiresBothRestoreEvents)
{
    Twnd_vx_Test form;
    form.setGeometry(30, 40, 300, 200);
    auto *list = new TInterfaceList(&form);
    list->setObjectName("Tree");
    list->SetTag(7);
    auto manager = ManagerFor(form);
    ASSERT_EQ(manager->Add(static_cast<QObject *>(list), {"Tag"}), 1);
    std::vector<std::string> events;
    manager->OnBeforeRestore = [&](TLayoutManager *sender) {
        EXPECT_EQ(sender, manager.get());
        EXPECT_TRUE(sender->GetRestoring());
        events.emplace_back("before");
    };
    manager->OnAfterRestore = [&](TLayoutManager *sender) {
        EXPECT_EQ(sender, manager.get());
        events.emplace_back("after");
    };

    manager->Restore();

    EXPECT_EQ(events, (std::vector<std::string>{"before", "after"}));
    EXPECT_FALSE(manager->GetRestoring());
    EXPECT_EQ(form.pos(), QPoint(30, 40));
    EXPECT_EQ(form.size(), QSize(300, 200));
    EXPECT_EQ(list->GetTag(), 7);
    EXPECT_FALSE(FileExists());
}

TEST_F(LayoutManagerTest, OtherDesktopFallsBackToGenericKeysAndKeepsTheOldOnes)
{
    {
        Twnd_vx_Test form;
        form.setGeometry(100, 120, 400, 300);
        ManagerFor(form)->Save();
    }
    EXPECT_EQ(Stored("Twnd_vx_Test", "Pos"), "100,120");
    EXPECT_EQ(Stored("Twnd_vx_Test", "Pos(1920x1080)"), "100,120");
    EXPECT_EQ(Stored("Twnd_vx_Test", "Size"), "400,300");
    EXPECT_EQ(Stored("Twnd_vx_Test", "Size(1920x1080x96)"), "400,300");
    EXPECT_EQ(Stored("Twnd_vx_Test", "State"), "0");

    FScreens->Desktop = QSize(2560, 1440);
    {
        Twnd_vx_Test form;
        form.setGeometry(0, 0, 10, 10);
        auto manager = ManagerFor(form);
        manager->Restore();
        EXPECT_EQ(form.pos(), QPoint(100, 120));
        EXPECT_EQ(form.size(), QSize(400, 300));
        form.setGeometry(200, 220, 640, 480);
        manager->Save();
    }
    EXPECT_EQ(Stored("Twnd_vx_Test", "Pos(2560x1440)"), "200,220");
    EXPECT_EQ(Stored("Twnd_vx_Test", "Size(2560x1440x96)"), "640,480");
    EXPECT_EQ(Stored("Twnd_vx_Test", "Pos(1920x1080)"), "100,120");
    EXPECT_EQ(Stored("Twnd_vx_Test", "Size(1920x1080x96)"), "400,300");

    FScreens->Desktop = QSize(1920, 1080);
    Twnd_vx_Test form;
    ManagerFor(form)->Restore();
    EXPECT_EQ(form.pos(), QPoint(100, 120));
    EXPECT_EQ(form.size(), QSize(400, 300));
}

TEST_F(LayoutManagerTest, SizeKeyOfAnotherDpiIsNotUsed)
{
    Store("Twnd_vx_Test", "Size(1920x1080x144)", "900,700");
    Store("Twnd_vx_Test", "Size", "500,400");
    Twnd_vx_Test form;
    ManagerFor(form)->Restore();
    EXPECT_EQ(form.size(), QSize(500, 400));
}

TEST_F(LayoutManagerTest, MaximizedFormKeepsNormalGeometryAndStoresState2)
{
    {
        Twnd_vx_Test form;
        form.setGeometry(50, 60, 400, 300);
        auto manager = ManagerFor(form);
        manager->Save();
        form.setGeometry(70, 80, 410, 310);
        form.setWindowState(Qt::WindowMaximized);
        manager->Save();
    }
    EXPECT_EQ(Stored("Twnd_vx_Test", "Pos"), "50,60");
    EXPECT_EQ(Stored("Twnd_vx_Test", "Size"), "400,300");
    EXPECT_EQ(Stored("Twnd_vx_Test", "State"), "2");
    EXPECT_EQ(Stored("Twnd_vx_Test", "Align"), "0");

    Twnd_vx_Test form;
    ManagerFor(form)->Restore();
    EXPECT_TRUE(form.isMaximized());
    EXPECT_EQ(form.pos(), QPoint(50, 60));
    EXPECT_EQ(form.size(), QSize(400, 300));
}

TEST_F(LayoutManagerTest, MinimizedFormWritesNoStateAndTheOldOneStays)
{
    Store("Twnd_vx_Test", "State", "2");
    Twnd_vx_Test form;
    form.setWindowState(Qt::WindowMinimized);
    ManagerFor(form)->Save();
    EXPECT_EQ(Stored("Twnd_vx_Test", "State"), "2");
    EXPECT_EQ(Stored("Twnd_vx_Test", "Pos"), "<absent>");
}

struct PosRow {
    const char *Name;
    const char *Text;
    QPoint Expected;
};

class StoredPosTest : public LayoutManagerTest, public testing::WithParamInterface<PosRow> {};

TEST_P(StoredPosTest, UnconvertibleSidesKeepTheCurrentValue)
{
    Store("Twnd_vx_Test", "Pos", GetParam().Text);
    Twnd_vx_Test form;
    form.move(30, 40);
    ManagerFor(form)->Restore();
    EXPECT_EQ(form.pos(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, StoredPosTest,
                         testing::Values(PosRow{"NoComma", "100", {30, 40}}, PosRow{"LeftNotANumber", "abc,50", {30, 50}},
                                         PosRow{"TopNotANumber", "60,x", {60, 40}}, PosRow{"Both", "60,70", {60, 70}},
                                         PosRow{"Negative", "-5,-6", {-5, -6}}),
                         [](const testing::TestParamInfo<PosRow> &row) { return std::string(row.param.Name); });

TEST_F(LayoutManagerTest, SaveWhileReadOnlyWritesNothingAndFiresNothing)
{
    Twnd_vx_Test form;
    auto manager = ManagerFor(form);
    manager->SetValueByName("Units", TLayoutVariant(std::int64_t{1}));
    manager->SetReadOnly(true);
    int fired = 0;
    manager->OnBeforeSave = [&](TLayoutManager *) { ++fired; };
    manager->OnAfterSave = [&](TLayoutManager *) { ++fired; };
    manager->Save();
    manager->Save(&form);
    EXPECT_EQ(fired, 0);
    EXPECT_FALSE(FileExists());

    manager->SetReadOnly(false);
    manager->Save();
    EXPECT_EQ(fired, 2);
    EXPECT_EQ(Stored("Settings", "Units"), "1");
}

TEST_F(LayoutManagerTest, SectionsFollowTheOwningFormAndPropertiesAreSorted)
{
    Twnd_vx_Test form;
    // The container in between only lays the list out; the form owns it.
    auto *container = new QWidget(&form);
    auto *list = new TInterfaceList(container);
    list->setObjectName("Tree");
    list->SetTag(1);
    list->hide();
    auto *action = new TAction(&form);
    action->setObjectName("acPersistent");
    action->setCheckable(true);
    action->setChecked(true);
    auto manager = ManagerFor(form);
    EXPECT_EQ(manager->Add(static_cast<QObject *>(list), {"Visible", "Tag", "tag", "Missing"}), 1);
    EXPECT_EQ(manager->Add(action, {"Checked"}), 2);
    EXPECT_EQ(manager->Add(action, {"Checked"}), -1);
    EXPECT_EQ(manager->Add(static_cast<QObject *>(nullptr), {}), -1);
    EXPECT_EQ(manager->GetControl(1).GetProperties(), (std::vector<std::string>{"Missing", "Tag", "Visible"}));

    manager->Save();

    EXPECT_EQ(StoredSection("Twnd_vx_Test\\Tree"), (std::vector<std::string>{"Tag=1", "Visible=0"}));
    EXPECT_EQ(StoredSection("Twnd_vx_Test\\acPersistent"), (std::vector<std::string>{"Checked=1"}));

    Store("Twnd_vx_Test\\acPersistent", "Checked", "0");
    Store("Twnd_vx_Test\\Tree", "Tag", "0");
    Store("Twnd_vx_Test\\Tree", "Visible", "1");
    manager->Restore();
    EXPECT_FALSE(action->isChecked());
    EXPECT_EQ(list->GetTag(), 0);
    EXPECT_FALSE(list->isHidden());
}

TEST_F(LayoutManagerTest, StringListSavesItsLinesAndRestoreAppends)
{
    Twnd_vx_Test form;
    auto *list = new TTestList(&form);
    list->setObjectName("Tree");
    list->SetLines({"a", "b"});
    list->SetRatio(0.25);
    auto manager = ManagerFor(form);
    manager->Add(static_cast<QObject *>(list), {"Lines", "Ratio"});
    manager->Save();
    EXPECT_EQ(StoredSection("Twnd_vx_Test\\Tree\\Lines"), (std::vector<std::string>{"Count=2", "0=a", "1=b"}));

    list->SetLines({"c"});
    list->SetRatio(2.0);
    manager->Restore();
    EXPECT_EQ(list->Lines(), (QStringList{"c", "a", "b"}));
    EXPECT_DOUBLE_EQ(list->Ratio(), 0.25);

    // An emptied list must not bring its old lines back.
    list->SetLines({});
    manager->Save();
    manager->Restore();
    EXPECT_TRUE(list->Lines().isEmpty());
}

TEST_F(LayoutManagerTest, ComponentReferenceIsFoundByNameAndCheckedForItsClass)
{
    Twnd_vx_Test form;
    form.setObjectName("wnd_vx_Test");
    auto *list = new TTestList(&form);
    list->setObjectName("Tree");
    auto *target = new QAction(&form);
    target->setObjectName("acCaption");
    auto *wrongClass = new QWidget(&form);
    wrongClass->setObjectName("Panel");
    auto manager = ManagerFor(form);
    manager->Add(static_cast<QObject *>(list), {"Source"});

    manager->Save();
    EXPECT_EQ(Stored("Twnd_vx_Test\\Tree", "Source"), "<absent>");
    list->SetSource(target);
    manager->Save();
    EXPECT_EQ(Stored("Twnd_vx_Test\\Tree", "Source"), "acCaption");

    list->SetSource(nullptr);
    manager->Restore();
    EXPECT_EQ(list->Source(), target);

    list->SetSource(nullptr);
    Store("Twnd_vx_Test\\Tree", "Source", "Panel");
    manager->Restore();
    EXPECT_EQ(list->Source(), nullptr);

    Store("Twnd_vx_Test\\Tree", "Source", "nothing");
    manager->Restore();
    EXPECT_EQ(list->Source(), nullptr);

    form.show();
    Store("Twnd_vx_Test\\Tree", "Source", "wnd_vx_Test.acCaption");
    manager->Restore();
    EXPECT_EQ(list->Source(), target);
}

TEST_F(LayoutManagerTest, UnownedReferenceIsLookedUpInTheMainForm)
{
    Tfrm_vx_Managed main;
    auto *target = new QAction(&main);
    target->setObjectName("acCaption");
    // Neither the list nor its manager has an owner to look the name up in.
    TTestList list;
    list.setObjectName("Tree");
    TLayoutManager manager;
    manager.SetStorage(FStorage);
    manager.Add(static_cast<QObject *>(&list), {"Source"});
    Store("TTestList", "Source", "acCaption");

    manager.Restore();
    EXPECT_EQ(list.Source(), target);
}

// The INI storage with writes, and on request reads, refused as a full disk would refuse them.
class TRefusingStorage final : public ILayoutManagerStorage {
public:
    explicit TRefusingStorage(std::string fileName) { FInner.SetFileName(fileName); }

    bool RefuseReads = false;
    bool RefuseWrites = true;
    int OpenDepth = 0;

    bool GetOpened() override { return OpenDepth > 0; }
    void SetOpened(bool AValue) override { AValue ? Open(true) : Close(); }
    bool SectionExists(const std::string &AName) override { CheckRead(); return FInner.SectionExists(AName); }
    bool ValueExists(const std::string &S, const std::string &N) override { CheckRead(); return FInner.ValueExists(S, N); }
    void WriteInteger(const std::string &S, const std::string &N, std::int64_t V) override { CheckWrite(); FInner.WriteInteger(S, N, V); }
    void WriteString(const std::string &S, const std::string &N, const std::string &V) override { CheckWrite(); FInner.WriteString(S, N, V); }
    void WriteFloat(const std::string &S, const std::string &N, double V) override { CheckWrite(); FInner.WriteFloat(S, N, V); }
    void WriteDatetime(const std::string &S, const std::string &N, TDateTime V) override { CheckWrite(); FInner.WriteDatetime(S, N, V); }
    void WriteBoolean(const std::string &S, const std::string &N, bool V) override { CheckWrite(); FInner.WriteBoolean(S, N, V); }
    std::int64_t ReadInteger(const std::string &S, const std::string &N, std::int64_t D) override { CheckRead(); return FInner.ReadInteger(S, N, D); }
    std::string ReadString(const std::string &S, const std::string &N, const std::string &D) override { CheckRead(); return FInner.ReadString(S, N, D); }
    double ReadFloat(const std::string &S, const std::string &N, double D) override { CheckRead(); return FInner.ReadFloat(S, N, D); }
    TDateTime ReadDatetime(const std::string &S, const std::string &N, TDateTime D) override { CheckRead(); return FInner.ReadDatetime(S, N, D); }
    bool ReadBoolean(const std::string &S, const std::string &N, bool D) override { CheckRead(); return FInner.ReadBoolean(S, N, D); }
    void ReadSection(const std::string &S, std::vector<std::string> &L) override { CheckRead(); FInner.ReadSection(S, L); }
    void DeleteSection(const std::string &S) override { CheckWrite(); FInner.DeleteSection(S); }
    void DeleteValue(const std::string &S, const std::string &N) override { CheckWrite(); FInner.DeleteValue(S, N); }
    void Save() override { FInner.Save(); }
    void Open(bool AReadOnly) override { ++OpenDepth; FInner.Open(AReadOnly); }
    void Close() override { --OpenDepth; FInner.Close(); }

private:
    void CheckRead() const
    {
        if (RefuseReads)
            throw EIniFileException(FInner.GetFileName());
    }
    void CheckWrite() const
    {
        if (RefuseWrites)
            throw EIniFileException(FInner.GetFileName());
    }

    TLayoutManagerINIStorage FInner;
};

TEST_F(LayoutManagerTest, RefusedStorageErrorReachesTheCallerWithTheStorageClosed)
{
    auto refusing = std::make_shared<TRefusingStorage>(FStorage->GetFileName());
    Twnd_vx_Test form;
    form.setGeometry(10, 20, 300, 200);
    auto manager = ManagerFor(form);
    manager->SetStorage(refusing);
    bool afterSave = false;
    manager->OnAfterSave = [&](TLayoutManager *) { afterSave = true; };

    EXPECT_THROW(manager->Save(), EIniFileException);
    EXPECT_EQ(refusing->OpenDepth, 0);
    EXPECT_FALSE(afterSave);

    refusing->RefuseReads = true;
    bool afterRestore = false;
    manager->OnAfterRestore = [&](TLayoutManager *) { afterRestore = true; };
    EXPECT_THROW(manager->Restore(), EIniFileException);
    EXPECT_EQ(refusing->OpenDepth, 0);
    EXPECT_FALSE(manager->GetRestoring());
    EXPECT_FALSE(afterRestore);

    // Once the storage recovers, saving is not blocked by a restore left half done.
    refusing->RefuseReads = false;
    refusing->RefuseWrites = false;
    manager->Save();
    EXPECT_TRUE(afterSave);
    EXPECT_EQ(Stored("Twnd_vx_Test", "Pos"), "10,20");
}

TEST_F(LayoutManagerTest, DeleteAndClearDropRecordsAndClearCanDropTheirSections)
{
    Twnd_vx_Test form;
    auto *action = new TAction(&form);
    action->setObjectName("acCaption");
    auto manager = ManagerFor(form);
    manager->Add(action, {"Checked"});
    manager->Save();
    ASSERT_NE(StoredSection("Twnd_vx_Test\\acCaption"), std::vector<std::string>{});

    manager->Delete(&form);
    EXPECT_EQ(manager->Count(), 1);
    EXPECT_EQ(manager->FindComponent(&form), -1);
    EXPECT_EQ(manager->FindComponent(action), 0);

    manager->Clear(true);
    EXPECT_EQ(manager->Count(), 0);
    EXPECT_EQ(StoredSection("Twnd_vx_Test\\acCaption"), std::vector<std::string>{});
    // The form's record was deleted before, so its section was not the manager's to drop.
    EXPECT_NE(Stored("Twnd_vx_Test", "Pos"), "<absent>");
}

TEST_F(LayoutManagerTest, AssigningStoredValuesCopiesThemInOrder)
{
    Twnd_vx_Test form;
    auto source = ManagerFor(form);
    source->SetValueByName("Units", TLayoutVariant(std::int64_t{1}));
    source->SetValueByName("eth0", TLayoutVariant(true));
    source->StoredValues().GetItem(1).SetKey("k");
    TLayoutManager target;
    target.SetValueByName("Old", TLayoutVariant(std::int64_t{5}));

    target.SetStoredValues(source->StoredValues());
    ASSERT_EQ(target.StoredValues().Count(), 2);
    EXPECT_EQ(target.StoredValues().GetItem(0).GetName(), "Units");
    EXPECT_EQ(target.StoredValues().GetItem(1).GetName(), "eth0");
    EXPECT_EQ(target.StoredValues().GetItem(1).GetKey(), "k");
    EXPECT_EQ(target.GetValueByName("Units"), TLayoutVariant(std::int64_t{1}));
    EXPECT_EQ(target.StoredValues().IndexOf("Old"), -1);
    // Copies, not shared items: the collection and its owner stay the target's.
    EXPECT_EQ(target.StoredValues().GetItem(0).Values(), &target.StoredValues());
    target.SetValueByName("Units", TLayoutVariant(std::int64_t{0}));
    EXPECT_EQ(source->GetValueByName("Units"), TLayoutVariant(std::int64_t{1}));

    source->SetStoredValues(source->StoredValues());
    EXPECT_EQ(source->StoredValues().Count(), 2);
}

TEST_F(LayoutManagerTest, SaveDuringRestoreIsDropped)
{
    Twnd_vx_Test form;
    form.move(5, 6);
    auto manager = ManagerFor(form);
    manager->OnBeforeRestore = [](TLayoutManager *sender) { sender->Save(); };
    manager->Restore();
    EXPECT_FALSE(FileExists());
}

} // namespace

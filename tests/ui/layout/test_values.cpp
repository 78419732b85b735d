#include "ELayoutManager.h"
#include "EIniFileException.h"
#include "ILayoutManagerValuesOwner.h"
#include "Quarl.LayoutManager.Storage.h"
#include "TLayoutManagerCipherer.h"
#include "TLayoutManagerValue.h"
#include "TLayoutManagerValues.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

#include <memory>

namespace {

class TStorageOwner final : public ILayoutManagerValuesOwner {
public:
    std::shared_ptr<ILayoutManagerStorage> GetStorage() const override { return Storage; }
    std::shared_ptr<ILayoutManagerStorage> Storage;
};

class ValuesTest : public testing::Test {
protected:
    ValuesTest()
    {
        auto storage = std::make_shared<TLayoutManagerINIStorage>();
        storage->SetFileName(File().string());
        FINI = storage.get();
        FOwner.Storage = std::move(storage);
        FValues.SetSection("Settings");
    }
    std::filesystem::path File() const { return FFolder / "vorlix.ini"; }

    TemporaryFolder FFolder;
    TStorageOwner FOwner;
    TLayoutManagerINIStorage *FINI = nullptr;
    TLayoutManagerValues FValues{&FOwner};
};

TEST_F(ValuesTest, ByteRestoresAsInt64FromFileOrDefault)
{
    FValues.AddItem("Units", TLayoutVariant(std::uint8_t{0}));
    FValues.AddItem("Period", TLayoutVariant(std::uint8_t{1}));
    WriteBytes(File(), "[Settings]\nUnits=1\n");
    FValues.Restore();
    EXPECT_EQ(FValues.GetValueByName("units"), TLayoutVariant(std::int64_t{1}));
    EXPECT_EQ(FValues.GetValueByName("Period"), TLayoutVariant(std::int64_t{1}));
    EXPECT_FALSE(FINI->GetOpened()) << "every value closes the storage";
}

TEST_F(ValuesTest, EveryKindSavesAndRestoresByItsGroup)
{
    const TDateTime when = *EncodeDateTime({2018, 5, 24, 17, 58, 35});
    FValues.AddItem("i8", TLayoutVariant(std::int8_t{-8}));
    FValues.AddItem("u32", TLayoutVariant(std::uint32_t{4000000000u}));
    FValues.AddItem("single", TLayoutVariant(0.5f));
    FValues.AddItem("cur", TLayoutVariant(TCurrency{12500}));
    FValues.AddItem("when", TLayoutVariant(when));
    FValues.AddItem("on", TLayoutVariant(true));
    FValues.AddItem("text", TLayoutVariant("a b"));
    FValues.AddItem("u64", TLayoutVariant(std::uint64_t{18446744073709551615u}));
    FValues.AddItem("empty", TLayoutVariant());
    FValues.Save();
    EXPECT_EQ(ReadBytes(File()), "[Settings]\ni8=-8\nu32=4000000000\nsingle=0.5\ncur=1.25\nwhen=2018-05-24 17:58:35\n"
                                 "on=1\ntext=a b\nu64=18446744073709551615\nempty=\n");
    FValues.Restore();
    EXPECT_EQ(FValues.GetValueByName("i8"), TLayoutVariant(std::int64_t{-8}));
    EXPECT_EQ(FValues.GetValueByName("u32"), TLayoutVariant(std::int64_t{4000000000}));
    EXPECT_EQ(FValues.GetValueByName("single"), TLayoutVariant(0.5));
    EXPECT_EQ(FValues.GetValueByName("cur"), TLayoutVariant(1.25));
    EXPECT_EQ(FValues.GetValueByName("when"), TLayoutVariant(when));
    EXPECT_EQ(FValues.GetValueByName("on"), TLayoutVariant(true));
    EXPECT_EQ(FValues.GetValueByName("text"), TLayoutVariant("a b"));
    EXPECT_EQ(FValues.GetValueByName("u64"), TLayoutVariant("18446744073709551615"));
    EXPECT_EQ(FValues.GetValueByName("empty"), TLayoutVariant(""));
}

TEST_F(ValuesTest, UnparsableTextRestoresTheCurrentValue)
{
    FValues.AddItem("Period", TLayoutVariant(std::int32_t{2}));
    FValues.AddItem("On", TLayoutVariant(false));
    WriteBytes(File(), "[Settings]\nPeriod=fast\nOn=yes\n");
    FValues.Restore();
    EXPECT_EQ(FValues.GetValueByName("Period"), TLayoutVariant(std::int64_t{2}));
    EXPECT_EQ(FValues.GetValueByName("On"), TLayoutVariant(false));
}

TEST_F(ValuesTest, AddItemKeepsExistingValueAndKey)
{
    FValues.AddItem("eth0", TLayoutVariant(true), "k1");
    TLayoutManagerValue &again = FValues.AddItem("ETH0", TLayoutVariant(false), "k2");
    EXPECT_EQ(FValues.Count(), 1);
    EXPECT_EQ(again.GetValue(), TLayoutVariant(true));
    EXPECT_EQ(again.GetKey(), "k1");
    EXPECT_EQ(again.GetName(), "eth0");
}

TEST_F(ValuesTest, SetValueByNameAppendsAtSectionEnd)
{
    FValues.AddItem("Units", TLayoutVariant(std::uint8_t{0}));
    FValues.Save();
    WriteBytes(File(), ReadBytes(File()) + "[Other]\nx=1\n");
    FValues.SetValueByName("units", TLayoutVariant(std::uint8_t{1}));
    FValues.SetValueByName("wlan0", TLayoutVariant(true));
    EXPECT_EQ(FValues.Count(), 2);
    EXPECT_TRUE(FValues.GetItem(1).GetKey().empty());
    FValues.Save();
    EXPECT_EQ(ReadBytes(File()), "[Settings]\nUnits=1\nwlan0=1\n[Other]\nx=1\n");
    EXPECT_TRUE(FValues.GetValueByName("absent").IsEmpty());
}

TEST_F(ValuesTest, DuplicateNamesRefusedInAnyAsciiCase)
{
    TLayoutManagerValue &units = FValues.AddItem("Units", TLayoutVariant(std::uint8_t{0}));
    TLayoutManagerValue &period = FValues.AddItem("Period", TLayoutVariant(std::uint8_t{1}));
    try {
        period.SetName("UNITS");
        ADD_FAILURE() << "duplicate accepted";
    } catch (const ELayoutManager &error) {
        EXPECT_STREQ(error.what(), "TLayoutManagerValue: Duplicates not allowed");
    }
    EXPECT_EQ(period.GetName(), "Period");
    EXPECT_NO_THROW(units.SetName("UNITS")); // its own name in another case
    EXPECT_EQ(units.GetName(), "UNITS");
    FValues.AddItem().SetName("");
    EXPECT_NO_THROW(FValues.AddItem().SetName("")); // empty names are exempt
    EXPECT_EQ(FValues.GetItem(2).GetDisplayName(), "TLayoutManagerValue");
    // Only ASCII letters fold: these two are different names.
    FValues.AddItem("\xC3\x84", TLayoutVariant());
    EXPECT_NO_THROW(FValues.AddItem().SetName("\xC3\xA4"));
    EXPECT_THROW(FValues.SetItem(1, units), ELayoutManager);
    EXPECT_THROW(FValues.SetValue("period", units), ELayoutManager);
}

TEST_F(ValuesTest, AssignCopiesValueNameAndKey)
{
    TLayoutManagerValues other(nullptr);
    TLayoutManagerValue &source = other.AddItem("Name", TLayoutVariant(), "key");
    TLayoutManagerValue &target = FValues.AddItem("Old", TLayoutVariant(std::int32_t{5}));
    target.Assign(source);
    EXPECT_TRUE(target.GetValue().IsEmpty());
    EXPECT_EQ(target.GetName(), "Name");
    EXPECT_EQ(target.GetKey(), "key");
    EXPECT_EQ(target.Values(), &FValues);
}

TEST_F(ValuesTest, KeyedValueStoredScrambled)
{
    TLayoutManagerValue &secret = FValues.AddItem("Secret", TLayoutVariant("ab"), "xK");
    FValues.Save();
    // Key used from its second byte: 'a'^'K', 'b'^'x'.
    EXPECT_EQ(ReadBytes(File()), "[Settings]\nSecret=2A1A\n");
    secret.SetValue(TLayoutVariant(std::int32_t{0}));
    FValues.Restore();
    EXPECT_EQ(secret.GetValue(), TLayoutVariant("ab"));
    WriteBytes(File(), "[Settings]\nSecret=zz\n");
    FValues.Restore();
    EXPECT_EQ(secret.GetValue(), TLayoutVariant(""));
    std::filesystem::remove(File());
    secret.SetValue(TLayoutVariant(std::int32_t{7}));
    FValues.Restore();
    EXPECT_EQ(secret.GetValue(), TLayoutVariant("7")) << "absent name restores the current text";
}

TEST_F(ValuesTest, WithoutStorageNothingHappens)
{
    TLayoutManagerValues lonely(nullptr);
    lonely.AddItem("x", TLayoutVariant(true));
    lonely.Save();
    lonely.Restore();
    EXPECT_EQ(lonely.GetValueByName("x"), TLayoutVariant(true));
    FOwner.Storage.reset();
    FValues.AddItem("y", TLayoutVariant(true));
    FValues.Save();
    EXPECT_FALSE(std::filesystem::exists(File()));
}

// Renames within the watched folder since the watch began: each atomic replacement of the file is one. Counted
// by the temporary names moved away, since inotify merges successive moves to the same name into one event.
class TReplacementCounter {
public:
    explicit TReplacementCounter(const std::filesystem::path &folder)
        : FFd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        if (FFd >= 0)
            ::inotify_add_watch(FFd, folder.c_str(), IN_MOVED_FROM);
    }
    TReplacementCounter(const TReplacementCounter &) = delete;
    TReplacementCounter &operator=(const TReplacementCounter &) = delete;
    ~TReplacementCounter() { ::close(FFd); }
    bool Valid() const { return FFd >= 0; }
    int Count()
    {
        alignas(inotify_event) char buffer[4096];
        for (ssize_t length; (length = ::read(FFd, buffer, sizeof buffer)) > 0;) {
            for (char *at = buffer; at < buffer + length;) {
                const auto *event = reinterpret_cast<inotify_event *>(at);
                FCount += (event->mask & IN_MOVED_FROM) != 0;
                at += sizeof(inotify_event) + event->len;
            }
        }
        return FCount;
    }

private:
    int FFd;
    int FCount = 0;
};

// Saving every named value used to replace the file once per value; the collection's save is one bracket.
TEST_F(ValuesTest, SavingManyValuesReplacesTheFileOnce)
{
    WriteBytes(File(), "[Other]\nkept=1\n");
    TReplacementCounter replacements(FFolder.Path());
    if (!replacements.Valid())
        GTEST_SKIP() << "no inotify to count the replacements of the file";
    for (int i = 0; i < 20; ++i)
        FValues.AddItem("eth" + std::to_string(i), TLayoutVariant(i % 2 == 0));
    FValues.Save();
    EXPECT_EQ(replacements.Count(), 1);
    EXPECT_FALSE(FINI->GetOpened());
    std::string expected = "[Other]\nkept=1\n[Settings]\n";
    for (int i = 0; i < 20; ++i)
        expected += "eth" + std::to_string(i) + "=" + (i % 2 == 0 ? "1" : "0") + "\n";
    EXPECT_EQ(ReadBytes(File()), expected);
}

TEST_F(ValuesTest, StorageErrorPropagatesAfterClosing)
{
    std::filesystem::create_directory(File());
    FValues.AddItem("x", TLayoutVariant(true));
    EXPECT_THROW(FValues.Save(), EIniFileException);
    EXPECT_FALSE(FINI->GetOpened());
}

struct TRecordingCipherer final : ILayoutManagerCipherer {
    std::string EncryptText(const std::string &AText, const std::string &AKey) override { return AKey + ":" + AText; }
    std::string DecryptText(const std::string &AText, const std::string &) override { return "plain " + AText; }
};

TEST_F(ValuesTest, CiphererCanBeReplacedAndReset)
{
    const auto builtIn = FValues.GetCipherer();
    FValues.SetCipherer(std::make_shared<TRecordingCipherer>());
    FValues.AddItem("s", TLayoutVariant("t"), "k");
    FValues.Save();
    EXPECT_EQ(ReadBytes(File()), "[Settings]\ns=k:t\n");
    FValues.SetCipherer(nullptr);
    EXPECT_EQ(FValues.GetCipherer(), builtIn);
}

TEST(Cipherer, TwoCharactersWithOneByteKey)
{
    TLayoutManagerCipherer cipherer;
    const std::string scrambled = cipherer.EncryptText("AB", "\x05");
    EXPECT_EQ(scrambled, "4447");
    EXPECT_EQ(cipherer.DecryptText(scrambled, "\x05"), "AB");
    EXPECT_EQ(cipherer.EncryptText("", "k"), "");
    EXPECT_EQ(cipherer.DecryptText("", "k"), "");
    EXPECT_EQ(cipherer.EncryptText("AB", ""), "4142") << "an empty key leaves the bytes as they are";
}

TEST(Cipherer, HexadecimalForms)
{
    EXPECT_EQ(TLayoutManagerCipherer::StringToHex(std::string("\x00\xAB\xFF", 3)), "00ABFF");
    EXPECT_EQ(TLayoutManagerCipherer::HexToString("414"), "A\x04");
    EXPECT_EQ(TLayoutManagerCipherer::HexToString("4g"), "");
    EXPECT_EQ(TLayoutManagerCipherer::HexToString("41-1"), "");
    EXPECT_EQ(TLayoutManagerCipherer::HexToString("aB"), "\xAB");
    TLayoutManagerCipherer cipherer;
    EXPECT_EQ(cipherer.DecryptText("41G1", ""), "");
    EXPECT_EQ(cipherer.DecryptText("414", ""), "A\x04");
}

TEST(Cipherer, NonAsciiComesBackBytewise)
{
    TLayoutManagerCipherer cipherer;
    // U+00E9 is C3 A9 in UTF-8; each byte returns as its own character.
    EXPECT_EQ(cipherer.DecryptText(cipherer.EncryptText("\xC3\xA9", "key"), "key"), "\xC3\x83\xC2\xA9");
}

TEST(Cipherer, WideToAnsi)
{
    EXPECT_EQ(TLayoutManagerCipherer::WideToAnsi(u"", 0), "");
    EXPECT_EQ(TLayoutManagerCipherer::WideToAnsi(u"A\u4E2D", 0), "A\xE4\xB8\xAD");
    EXPECT_EQ(TLayoutManagerCipherer::WideToAnsi(u"A\u4E2D", 65001), "A\xE4\xB8\xAD");
    EXPECT_EQ(TLayoutManagerCipherer::WideToAnsi(u"\U0001F600", 65001), "\xF0\x9F\x98\x80");
    EXPECT_EQ(TLayoutManagerCipherer::WideToAnsi(u"\u00E9\u4E2D", 28591), "\xE9?");
}

} // namespace

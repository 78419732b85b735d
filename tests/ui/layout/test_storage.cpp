#include "EIniFileException.h"
#include "EIniNameError.h"
#include "Quarl.LayoutManager.Storage.h"
#include "RowName.h"
#include "StoredValueText.h"
#include "TemporaryFolder.h"
#include "ChildProcess.h"

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <memory>
#include <sys/file.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class StorageTest : public testing::Test {
protected:
    void SetUp() override { FStorage.SetFileName(File().string()); }
    fs::path File() const { return FFolder / "sub/settings.ini"; }
    void Store(const std::string &bytes)
    {
        fs::create_directories(File().parent_path());
        WriteBytes(File(), bytes);
    }

    TemporaryFolder FFolder;
    TLayoutManagerINIStorage FStorage;
};

TEST_F(StorageTest, MissingFileGivesDefaultsAndCreatesNothing)
{
    EXPECT_FALSE(FStorage.GetOpened());
    EXPECT_EQ(FStorage.ReadInteger("S", "k", 42), 42);
    EXPECT_EQ(FStorage.ReadString("S", "k", "d"), "d");
    EXPECT_FALSE(FStorage.SectionExists("S"));
    FStorage.DeleteSection("S");
    FStorage.DeleteValue("S", "k");
    EXPECT_FALSE(fs::exists(FFolder / "sub"));
    FStorage.WriteInteger("S", "k", -5);
    EXPECT_EQ(ReadBytes(File()), "[S]\nk=-5\n");
    EXPECT_TRUE(FStorage.GetOpened());
}

TEST_F(StorageTest, WriteAfterReadOnlyBindingStillCreatesFolders)
{
    EXPECT_EQ(FStorage.ReadInteger("S", "k", 1), 1); // binds read-only
    FStorage.WriteBoolean("S", "b", true);
    EXPECT_EQ(ReadBytes(File()), "[S]\nb=1\n");
}

struct IntegerRow {
    std::string name;
    std::string stored;
    std::int64_t expected;
};
class StoredIntegers : public StorageTest, public testing::WithParamInterface<IntegerRow> {};

TEST_P(StoredIntegers, ReadAsDecimalOrHexadecimalElseDefault)
{
    Store("[S]\nk=" + GetParam().stored + "\n");
    EXPECT_EQ(FStorage.ReadInteger("S", "k", 777), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, StoredIntegers,
                         testing::Values(IntegerRow{"Negative", "-5", -5}, IntegerRow{"Plus", "+7", 7},
                                         IntegerRow{"LowerHexPrefix", "0x1F", 31}, IntegerRow{"UpperHexPrefix", "0X1F", 31},
                                         IntegerRow{"Dollar", "$1F", 31}, IntegerRow{"NegativeDollar", "-$10", -16},
                                         IntegerRow{"FullPattern", "$FFFFFFFFFFFFFFFF", -1},
                                         IntegerRow{"Largest", "9223372036854775807", INT64_MAX},
                                         IntegerRow{"Smallest", "-9223372036854775808", INT64_MIN},
                                         IntegerRow{"Overflow", "9223372036854775808", 777},
                                         IntegerRow{"TooManyHexDigits", "$1FFFFFFFFFFFFFFFF", 777},
                                         IntegerRow{"PrefixAlone", "0x", 777}, IntegerRow{"DollarAlone", "$", 777},
                                         IntegerRow{"TrailingLetters", "12abc", 777},
                                         IntegerRow{"NegativeHexPrefix", "-0x1F", 777}, IntegerRow{"Empty", "", 777},
                                         IntegerRow{"DoubleSign", "--1", 777}, IntegerRow{"Float", "1.5", 777}),
                         RowName());

TEST_F(StorageTest, BooleansAreIntegers)
{
    FStorage.WriteBoolean("S", "t", true);
    FStorage.WriteBoolean("S", "f", false);
    EXPECT_EQ(ReadBytes(File()), "[S]\nt=1\nf=0\n");
    Store("[S]\ntwo=2\nminus=-1\nhex=$0\nyes=yes\n");
    EXPECT_TRUE(FStorage.ReadBoolean("S", "two", false));
    EXPECT_TRUE(FStorage.ReadBoolean("S", "minus", false));
    EXPECT_FALSE(FStorage.ReadBoolean("S", "hex", true));
    EXPECT_TRUE(FStorage.ReadBoolean("S", "yes", true));
    EXPECT_FALSE(FStorage.ReadBoolean("S", "yes", false));
}

struct FloatRow {
    std::string name;
    double value;
    std::string text;
};
class FloatTexts : public testing::TestWithParam<FloatRow> {};

TEST_P(FloatTexts, ShortestFormWithFifteenDigits)
{
    EXPECT_EQ(FloatToText(GetParam().value), GetParam().text);
    const auto back = TextToFloat(GetParam().text);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(FloatToText(*back), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, FloatTexts,
                         testing::Values(FloatRow{"Half", 0.5, "0.5"}, FloatRow{"NegativeWhole", -2, "-2"},
                                         FloatRow{"Third", 1.0 / 3, "0.333333333333333"},
                                         FloatRow{"TenthPlusFifth", 0.1 + 0.2, "0.3"},
                                         FloatRow{"FifteenDigitWhole", 123456789012345.0, "123456789012345"},
                                         FloatRow{"ExponentFromE15", 1e15, "1E15"},
                                         FloatRow{"RoundedToFifteen", 1234567890123456.0, "1.23456789012346E15"},
                                         FloatRow{"SmallestFixed", 0.00001, "0.00001"},
                                         FloatRow{"NegativeExponent", -1.5e-6, "-1.5E-6"},
                                         FloatRow{"Huge", 1e300, "1E300"}, FloatRow{"Zero", 0.0, "0"}),
                         RowName());

TEST(FloatTexts, ReaderRefusesOtherNotations)
{
    for (const char *text : {"1,5", "0,5", "1.5x", "", " 1", "1 000", "0x1p3", "+", "++1"})
        EXPECT_FALSE(TextToFloat(text).has_value()) << text;
    EXPECT_EQ(TextToFloat("2.5e3"), 2500.0);
    EXPECT_EQ(TextToFloat("-1E-2"), -0.01);
}

// Reading and writing must not follow the process locale's decimal separator.
struct CommaPunctuation : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST_F(StorageTest, FloatsIgnoreACommaLocale)
{
    const std::locale saved = std::locale::global(std::locale(std::locale::classic(), new CommaPunctuation));
    FStorage.WriteFloat("S", "f", 0.5);
    FStorage.WriteFloat("S", "g", 1234.25);
    const double f = FStorage.ReadFloat("S", "f", -1);
    std::locale::global(saved);
    EXPECT_EQ(ReadBytes(File()), "[S]\nf=0.5\ng=1234.25\n");
    EXPECT_EQ(f, 0.5);
}

TEST_F(StorageTest, FloatsIgnoreACommaCLocale)
{
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const char *comma = nullptr;
    for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8", "nl_NL.UTF-8"}) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            comma = name;
            break;
        }
    }
    if (comma == nullptr)
        GTEST_SKIP() << "no locale with a decimal comma is installed (e.g. de_DE.UTF-8)";
    FStorage.WriteFloat("S", "f", 0.5);
    const double f = FStorage.ReadFloat("S", "f", -1);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(ReadBytes(File()), "[S]\nf=0.5\n");
    EXPECT_EQ(f, 0.5);
}

TEST_F(StorageTest, DateTimeWithoutFraction)
{
    const auto written = EncodeDateTime({2018, 5, 24, 17, 58, 35, 750});
    ASSERT_TRUE(written.has_value());
    FStorage.WriteDatetime("S", "d", *written);
    EXPECT_EQ(ReadBytes(File()), "[S]\nd=2018-05-24 17:58:35\n");
    const TDateTime back = FStorage.ReadDatetime("S", "d", TDateTime{});
    EXPECT_EQ(back, EncodeDateTime({2018, 5, 24, 17, 58, 35, 0}));
}

TEST(DateTimeTexts, ParsesOrderAndSeparatorsOnly)
{
    EXPECT_EQ(TextToDateTime("2018-5-4"), EncodeDateTime({2018, 5, 4}));
    EXPECT_EQ(TextToDateTime("2018-05-24  7:08"), EncodeDateTime({2018, 5, 24, 7, 8, 0}));
    EXPECT_EQ(TextToDateTime("1899-12-30 00:00:00"), TDateTime{0});
    EXPECT_EQ(TextToDateTime("1899-12-29 06:00:00"), TDateTime{-1.25});
    for (const char *bad : {"2018/05/24", "24-05-2018 10:00:00", "2018-02-30", "2018-05-24 24:00:00", "2018-05-24 ",
                            "2018-05-24 10", "2018-05-24 10:00:60", "x", ""})
        EXPECT_FALSE(TextToDateTime(bad).has_value()) << bad;
    EXPECT_EQ(DateTimeToText(TDateTime{-1.25}), "1899-12-29 06:00:00");
    EXPECT_EQ(DateTimeToText(TDateTime{0.99999999999}), "1899-12-31 00:00:00"); // rounds to the millisecond first
    EXPECT_FALSE(DateTimeToText(TDateTime{1e12}).has_value());
}

TEST_F(StorageTest, EmptyVersusAbsentStrings)
{
    Store("[S]\nempty=\n");
    EXPECT_EQ(FStorage.ReadString("S", "empty", "d"), "");
    EXPECT_EQ(FStorage.ReadString("S", "absent", "d"), "d");
    EXPECT_EQ(FStorage.ReadInteger("S", "empty", 3), 3);
}

TEST_F(StorageTest, NamesInAnyLetterCaseAddressOneValue)
{
    FStorage.WriteString("Settings", "Units", "1");
    FStorage.WriteString("SETTINGS", "units", "2");
    EXPECT_EQ(FStorage.ReadString("settings", "UNITS", ""), "2");
    EXPECT_TRUE(FStorage.ValueExists("sEttings", "uNits"));
    EXPECT_EQ(ReadBytes(File()), "[Settings]\nUnits=2\n");
}

TEST_F(StorageTest, ReadSectionReplacesListInFileOrder)
{
    Store("[S]\nB=x\nA=1\n[T]\nC=2\n");
    std::vector<std::string> list{"old"};
    FStorage.ReadSection("S", list);
    EXPECT_EQ(list, (std::vector<std::string>{"B=x", "A=1"}));
    FStorage.ReadSection("missing", list);
    EXPECT_TRUE(list.empty());
}

TEST_F(StorageTest, SequenceOfWritesAndDeletesGivesExactBytes)
{
    FStorage.WriteInteger("Form\\Tree", "Left", 10);
    FStorage.WriteString("Settings", "Name", " padded ");
    FStorage.WriteFloat("Settings", "Ratio", 0.25);
    FStorage.WriteInteger("Form\\Tree", "Top", 0x20);
    FStorage.DeleteValue("Form\\Tree", "left");
    FStorage.WriteBoolean("Other", "On", false);
    FStorage.DeleteSection("other");
    FStorage.DeleteSection("absent");
    FStorage.WriteString("Settings", "Empty", "");
    EXPECT_EQ(ReadBytes(File()), "[Form\\Tree]\nTop=32\n[Settings]\nName=\" padded \"\nRatio=0.25\nEmpty=\n");
    EXPECT_EQ(FStorage.ReadString("Settings", "Name", ""), " padded ");
}

TEST_F(StorageTest, ReadsAreCutAt2047Characters)
{
    const std::string chinese = "\xE4\xB8\xAD";
    std::string longText;
    for (int i = 0; i < 3000; ++i)
        longText += chinese;
    FStorage.WriteString("S", "k", longText);
    const std::string read = FStorage.ReadString("S", "k", "");
    EXPECT_EQ(read.size(), 2047u * chinese.size());
    std::vector<std::string> list;
    FStorage.ReadSection("S", list);
    EXPECT_EQ(list.at(0), "k=" + read);
    EXPECT_EQ(LimitReadText(std::string(2046, 'a') + "\xF0\x9F\x98\x80"), std::string(2046, 'a'));
}

TEST_F(StorageTest, UnreadableFormsKeepTheDefault)
{
    Store("[S]\nf=1,5\nd=yesterday\nb=yes\n");
    EXPECT_EQ(FStorage.ReadFloat("S", "f", 9.5), 9.5);
    EXPECT_EQ(FStorage.ReadDatetime("S", "d", TDateTime{3}), TDateTime{3});
    EXPECT_TRUE(FStorage.ReadBoolean("S", "b", true));
    EXPECT_EQ(ReadBytes(File()), "[S]\nf=1,5\nd=yesterday\nb=yes\n");
}

TEST_F(StorageTest, BindingFollowsOpenCloseAndFileName)
{
    FStorage.Open(true);
    EXPECT_FALSE(FStorage.GetOpened()) << "bound, but the file does not exist yet";
    FStorage.WriteInteger("S", "k", 1);
    EXPECT_FALSE(fs::exists(File())) << "a bracket's writes wait for its close";
    EXPECT_EQ(FStorage.ReadInteger("S", "k", 0), 1) << "but its reads see them";
    FStorage.Close();
    EXPECT_EQ(ReadBytes(File()), "[S]\nk=1\n");
    EXPECT_FALSE(FStorage.GetOpened());
    EXPECT_EQ(FStorage.ReadInteger("S", "k", 0), 1);
    EXPECT_TRUE(FStorage.GetOpened()) << "a read binds on demand";
    FStorage.SetFileName(File().string());
    EXPECT_TRUE(FStorage.GetOpened()) << "the same name keeps the binding";
    EXPECT_FALSE(FStorage.SectionExists("none"));
    EXPECT_FALSE(FStorage.GetOpened()) << "SectionExists closes";
    FStorage.SetOpened(true);
    EXPECT_TRUE(FStorage.GetOpened());

    const fs::path other = FFolder / "other.ini";
    WriteBytes(other, "[S]\nk=2\n");
    FStorage.SetFileName(other.string());
    EXPECT_TRUE(FStorage.GetOpened()) << "rebound to the existing new file";
    EXPECT_EQ(FStorage.ReadInteger("S", "k", 0), 2);
    FStorage.SetFileName((FFolder / "missing.ini").string());
    EXPECT_FALSE(FStorage.GetOpened());
    FStorage.SetOpened(false);
    EXPECT_FALSE(FStorage.GetOpened());
}

TEST(StorageWithoutFileName, ReadsDefaultAndWritesRefuse)
{
    TLayoutManagerINIStorage storage;
    EXPECT_EQ(storage.ReadInteger("S", "k", 4), 4);
    EXPECT_THROW(storage.WriteInteger("S", "k", 1), EIniFileException);
}

TEST_F(StorageTest, RefusedNamesReachTheCaller)
{
    EXPECT_THROW(FStorage.WriteString("S", "a=b", "v"), EIniNameError);
    EXPECT_THROW(FStorage.WriteString("S", "k", "v\n[T]\nx=1"), EIniNameError);
    EXPECT_FALSE(fs::exists(File()));
}

TEST_F(StorageTest, SharedOwnershipKeepsStorageAlive)
{
    auto shared = std::make_shared<TLayoutManagerINIStorage>();
    shared->SetFileName(File().string());
    std::weak_ptr<ILayoutManagerStorage> watch = shared;
    std::shared_ptr<ILayoutManagerStorage> holder = shared;
    ILayoutManagerStorage *processWide = shared.get(); // uncounted, like the process-wide pointer
    shared.reset();
    EXPECT_FALSE(watch.expired());
    processWide->WriteInteger("S", "k", 3);
    holder.reset();
    EXPECT_TRUE(watch.expired());
}

TEST_F(StorageTest, SaveWaitsForAnExclusiveLockButOnlySoLong)
{
    Store("[S]\nk=1\n");
    FStorage.Open(true);
    int release[2];
    int locked[2];
    ASSERT_EQ(::pipe(release), 0);
    ASSERT_EQ(::pipe(locked), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        const int fd = ::open(File().c_str(), O_RDONLY);
        ::flock(fd, LOCK_EX);
        ::write(locked[1], "l", 1);
        char c = 0;
        ::read(release[0], &c, 1); // holds the lock until the test lets go, or for ever
        ::_exit(0);
    }
    char c = 0;
    ASSERT_EQ(::read(locked[0], &c, 1), 1);
    FStorage.Save(); // must come back although the lock is never released
    int status = 0;
    EXPECT_EQ(::waitpid(holder, &status, WNOHANG), 0) << "the lock holder went away early";
    ::write(release[1], "r", 1);
    ::waitpid(holder, &status, 0);
    for (int fd : {release[0], release[1], locked[0], locked[1]})
        ::close(fd);
}

TEST_F(StorageTest, SaveWaitsUntilTheLockIsReleased)
{
    Store("[S]\nk=1\n");
    FStorage.Open(true);
    int locked[2];
    int released[2];
    ASSERT_EQ(::pipe(locked), 0);
    ASSERT_EQ(::pipe2(released, O_NONBLOCK), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        const int fd = ::open(File().c_str(), O_RDONLY);
        ::flock(fd, LOCK_EX);
        ::write(locked[1], "l", 1);
        ::usleep(300000);
        ::write(released[1], "r", 1); // said before letting go, so Save cannot return before it
        ::flock(fd, LOCK_UN);
        ::_exit(0);
    }
    char c = 0;
    ASSERT_EQ(::read(locked[0], &c, 1), 1);
    FStorage.Save();
    EXPECT_EQ(::read(released[0], &c, 1), 1) << "Save returned while the file was still locked";
    int status = 0;
    ::waitpid(holder, &status, 0);
    for (int fd : {released[0], released[1], locked[0], locked[1]})
        ::close(fd);
}

TEST_F(StorageTest, RefusedEraseRaisesButRefusedRemovalIsSilent)
{
    Store("[S]\nk=1\n[T]\nj=2\n");
    ASSERT_EQ(::chmod(File().c_str(), 0444), 0);
    ASSERT_EQ(::chmod(FFolder.Path().c_str(), 0755), 0);
    const int result = RunInChild([&] {
        if (!BecomeNobody())
            return ChildCannotRun;
        TLayoutManagerINIStorage storage;
        storage.SetFileName(File().string());
        storage.DeleteValue("S", "k");
        try {
            storage.DeleteSection("T");
        } catch (const EIniFileException &error) {
            return std::string(error.what()) == "Unable to write to " + File().string() ? 0 : 11;
        }
        return 10;
    });
    if (result == ChildCannotRun)
        GTEST_SKIP() << "cannot switch to the user nobody (65534) to test a read-only file";
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadBytes(File()), "[S]\nk=1\n[T]\nj=2\n");
}

} // namespace

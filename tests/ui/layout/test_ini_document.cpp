#include "EIniNameError.h"
#include "RowName.h"
#include "TIniDocument.h"
#include "Utf16.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

struct ReadRow {
    std::string name;
    std::string file;
    std::string section;
    std::string key;
    std::optional<std::string> expected;
};

class IniReading : public testing::TestWithParam<ReadRow> {};

TEST_P(IniReading, FindsWhatTheProfileServiceWould)
{
    const ReadRow &row = GetParam();
    const TIniDocument document = TIniDocument::Parse(row.file);
    EXPECT_EQ(document.ReadValue(row.section, row.key), row.expected);
    EXPECT_EQ(document.KeyExists(row.section, row.key), row.expected.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    HandWrittenFiles, IniReading,
    testing::Values(
        ReadRow{"CommentNeverMatches", "[S]\n;k=1\nk=2\n", "S", "k", "2"},
        ReadRow{"IndentedCommentNeverMatches", "[S]\n  ;k=1\n", "S", ";k", std::nullopt},
        ReadRow{"SemicolonInsideValueStays", "[S]\nk=a;b\n", "S", "k", "a;b"},
        ReadRow{"HashIsOrdinary", "[S]\n#k=1\n", "S", "#k", "1"},
        ReadRow{"BlanksAroundNamesAndValue", "  [ S ]  \n \t k  =  v w \t\n", "S", "k", "v w"},
        ReadRow{"ArgumentBlanksDropped", "[S]\nk=1\n", "  S ", " k  ", "1"},
        ReadRow{"OuterDoubleQuotesRemoved", "[S]\nk=\" a \"\n", "S", "k", " a "},
        ReadRow{"OuterSingleQuotesRemoved", "[S]\nk='x'\n", "S", "k", "x"},
        ReadRow{"OnlyOnePairRemoved", "[S]\nk=\"\"x\"\"\n", "S", "k", "\"x\""},
        ReadRow{"MismatchedQuotesStay", "[S]\nk=\"x'\n", "S", "k", "\"x'"},
        ReadRow{"LoneQuoteStays", "[S]\nk=\"\n", "S", "k", "\""},
        ReadRow{"DuplicateKeyReadsFirst", "[S]\nk=1\nK=2\n", "S", "k", "1"},
        ReadRow{"DuplicateSectionLooksOnlyInFirst", "[S]\nk=1\n[T]\n[s]\nj=3\n", "S", "j", std::nullopt},
        ReadRow{"EmptySectionName", "[]\nk=1\n", "", "k", "1"},
        ReadRow{"EmptyKeyName", "[S]\n=v\n", "S", "", "v"},
        ReadRow{"EmptyValueIsNotAbsent", "[S]\nk=\n", "S", "k", ""},
        ReadRow{"HeaderWithoutBracketRunsToLineEnd", "[S x\nk=1\n", "S x", "k", "1"},
        ReadRow{"HeaderEndsAtFirstBracket", "[a]b]\nk=1\n", "a", "k", "1"},
        ReadRow{"BackslashHasNoMeaning", "[Twnd_vx_Main\\Tree]\nLeft=3\n", "twnd_vx_main\\tree", "left", "3"},
        ReadRow{"KeysBeforeFirstHeaderBelongNowhere", "k=1\n[S]\n", "", "k", std::nullopt},
        ReadRow{"LineWithoutEqualsIsNoKey", "[S]\nnot a key\n", "S", "not a key", std::nullopt},
        ReadRow{"ValueKeepsLaterEquals", "[S]\nk=a=b\n", "S", "k", "a=b"},
        ReadRow{"CarriageReturnEnds", "[S]\rk=1\rj=2\r", "S", "j", "2"},
        ReadRow{"CrLfEnds", "[S]\r\nk=1\r\n", "S", "k", "1"},
        ReadRow{"MixedEnds", "[S]\nk=1\r\nj=2\rm=3", "S", "m", "3"},
        ReadRow{"Utf8ByteOrderMarkSkipped", "\xEF\xBB\xBF[S]\nk=1\n", "S", "k", "1"},
        ReadRow{"Utf16LittleEndian", Utf16LeFile(u"[S]\r\nk=\u4E2D\u6587\r\n"), "S", "k", "\u4E2D\u6587"},
        ReadRow{"LetterCaseIgnored", "[SeCtIoN]\nKeY=1\n", "section", "KEY", "1"},
        ReadRow{"AccentedLetterCaseIgnored", "[\xC3\x84rger]\n\xC3\x96l=1\n", "\xC3\xA4rger", "\xC3\xB6l", "1"},
        ReadRow{"CyrillicLetterCaseIgnored", "[\xD0\x94\xD0\x90]\nk=1\n", "\xD0\xB4\xD0\xB0", "k", "1"},
        ReadRow{"BinaryGarbageAround", "\x00\xFF\x80[\x01]\n\x02=\x03\n[S]\n\xC0\xC1\nk=1\n"s, "S", "k", "1"},
        ReadRow{"GarbageNamesCompareExactly", "[S]\n\xC0=1\n", "S", "\xC1", std::nullopt}),
    RowName());

TEST(IniReading, MegabyteLineIsReadWhole)
{
    const std::string value(1 << 20, 'v');
    const TIniDocument document = TIniDocument::Parse("[S]\nlong=" + value + "\nk=1\n");
    EXPECT_EQ(document.ReadValue("S", "long"), value);
    EXPECT_EQ(document.ReadValue("S", "k"), "1");
}

TEST(IniReading, SectionListsEachNameOnceInFileOrder)
{
    const TIniDocument document = TIniDocument::Parse("[S]\nB=x\n;c=0\nodd\nA=1\nb=2\n=e\n[T]\nC=3\n");
    const std::vector<std::pair<std::string, std::string>> expected{{"B", "x"}, {"A", "1"}, {"", "e"}};
    EXPECT_EQ(document.SectionValues("s"), expected);
    EXPECT_TRUE(document.SectionValues("missing").empty());
    EXPECT_EQ(document.SectionNames(), (std::vector<std::string>{"S", "T"}));
}

struct EditRow {
    std::string name;
    std::string before;
    std::function<void(TIniDocument &)> edit;
    std::string after;
};

class IniEditing : public testing::TestWithParam<EditRow> {};

TEST_P(IniEditing, ChangesOnlyWhatWasWritten)
{
    const EditRow &row = GetParam();
    TIniDocument document = TIniDocument::Parse(row.before);
    row.edit(document);
    EXPECT_EQ(document.Serialise(), row.after);
}

const auto Write = [](std::string section, std::string key, std::string value) {
    return [=](TIniDocument &document) { document.WriteValue(section, key, value); };
};

INSTANTIATE_TEST_SUITE_P(
    ExactBytes, IniEditing,
    testing::Values(
        EditRow{"NewKeyAfterLastKeyBeforeTrailingLines", "[A]\nx=1\nodd\n\n;c\n[B]\ny=2\n", Write("a", "z", "3"),
                "[A]\nx=1\nz=3\nodd\n\n;c\n[B]\ny=2\n"},
        EditRow{"NewKeyInKeylessSectionFollowsHeader", "[A]\n\n[B]\n", Write("A", "k", "v"), "[A]\nk=v\n\n[B]\n"},
        EditRow{"OverwriteKeepsSpellingAndLayout", "[Sec]\n  Key = old  \nz=1\n", Write("SEC", "key", "new"),
                "[Sec]\n  Key = new\nz=1\n"},
        EditRow{"OverwriteChangesFirstDuplicate", "[S]\nk=1\nk=2\n[s]\nk=3\n", Write("s", "K", "9"),
                "[S]\nk=9\nk=2\n[s]\nk=3\n"},
        EditRow{"NewSectionAtEndWithoutBlankLine", "[A]\nx=1\n", Write("B", "y", "2"), "[A]\nx=1\n[B]\ny=2\n"},
        EditRow{"MissingFinalLineEndAdded", "[A]\nx=1", Write("A", "y", "2"), "[A]\nx=1\ny=2\n"},
        EditRow{"EmptyFileUsesLinuxLineEnds", "", Write("S", "k", "v"), "[S]\nk=v\n"},
        EditRow{"CrLfKept", "[A]\r\nx=1\r\n", Write("A", "y", "2"), "[A]\r\nx=1\r\ny=2\r\n"},
        EditRow{"CrKept", "[A]\rx=1\r", Write("B", "y", "2"), "[A]\rx=1\r[B]\ry=2\r"},
        EditRow{"Utf8ByteOrderMarkKept", "\xEF\xBB\xBF[A]\nx=1\n", Write("A", "x", "2"), "\xEF\xBB\xBF[A]\nx=2\n"},
        EditRow{"Utf16Kept", Utf16LeFile(u"[A]\r\nx=1\r\n"), Write("A", "y", "\xE4\xB8\xAD"),
                Utf16LeFile(u"[A]\r\nx=1\r\ny=\u4E2D\r\n")},
        EditRow{"GarbageOutsideSurvives", "\x00\xFF\n[S]\nk=1\n\x80\x81\n"s, Write("S", "k", "2"),
                "\x00\xFF\n[S]\nk=2\n\x80\x81\n"s},
        EditRow{"BlankEdgedValueQuotedToReadBack", "", Write("S", "k", " x "), "[S]\nk=\" x \"\n"},
        EditRow{"QuotedValueQuotedAgain", "", Write("S", "k", "'q'"), "[S]\nk=\"'q'\"\n"},
        EditRow{"LastKeyDeletedLeavesBareHeader", "[A]\nx=1\n[B]\n",
                [](TIniDocument &d) { d.DeleteValue("a", "X"); }, "[A]\n[B]\n"},
        EditRow{"DeleteRemovesDuplicatesToo", "[S]\nk=1\nK=2\nj=3\n", [](TIniDocument &d) { d.DeleteValue("S", "k"); },
                "[S]\nj=3\n"},
        EditRow{"DeleteOfAbsentKeyChangesNothing", "[S]\nk=1\n", [](TIniDocument &d) { d.DeleteValue("S", "x"); },
                "[S]\nk=1\n"},
        EditRow{"EraseRemovesHeaderKeysAndOwnLines", "; top\n[A]\nx=1\n;c\n[B]\ny=2\n[a]\nz=3\n",
                [](TIniDocument &d) { d.EraseSection("A"); }, "; top\n[B]\ny=2\n"},
        EditRow{"SequenceOfWritesAndDeletes", "",
                [](TIniDocument &d) {
                    d.WriteValue("S", "a", "1");
                    d.WriteValue("S", "b", "2");
                    d.WriteValue("T", "c", "3");
                    d.WriteValue("s", "A", "4");
                    d.DeleteValue("S", "b");
                    d.WriteValue("U", "d", "5");
                    d.EraseSection("t");
                    d.WriteValue("S", "c", "");
                    d.WriteValue("U", "e", "-6");
                },
                "[S]\na=4\nc=\n[U]\nd=5\ne=-6\n"}),
    RowName());

TEST(IniEncoding, UnchangedFilesComeBackByteForByte)
{
    const std::vector<std::string> files{
        "",
        "no line end",
        "[S]\r\nk=1\rj=2\n\n",
        "\xEF\xBB\xBF[S]\nk=1",
        "\x00\x01\xFE\xFF\xC3(\xED\xA0\x80"s,
        Utf16LeFile(u"[S]\r\nk=\u4E2D\r\n") + "\x01",          // odd trailing byte
        "\xFF\xFE"s + "\x00\xD8\x41\x00\x00\xDC\x00\xDC\x00\xD8"s // lone surrogates
    };
    for (const std::string &file : files)
        EXPECT_EQ(TIniDocument::Parse(file).Serialise(), file) << testing::PrintToString(file);
}

TEST(IniEncoding, Utf16SurrogatePairReadsAsOneCharacter)
{
    // U+1F600 as the pair D83D DE00.
    const std::string file = Utf16LeFile(u"[S]\nk=") + "\x3D\xD8\x00\xDE"s;
    EXPECT_EQ(TIniDocument::Parse(file).ReadValue("S", "k"), "\xF0\x9F\x98\x80");
}

struct RefusedRow {
    std::string name;
    std::string section;
    std::string key;
    std::string value;
};

class IniRefusedWrites : public testing::TestWithParam<RefusedRow> {};

TEST_P(IniRefusedWrites, CannotForgeAnotherLine)
{
    const RefusedRow &row = GetParam();
    EXPECT_THROW(CheckIniWrite(row.section, row.key, row.value), EIniNameError);
}

INSTANTIATE_TEST_SUITE_P(Names, IniRefusedWrites,
                         testing::Values(RefusedRow{"LineFeedInValue", "S", "k", "1\n[T]"},
                                         RefusedRow{"CarriageReturnInValue", "S", "k", "1\rx=2"},
                                         RefusedRow{"LineBreakInSection", "S\nx=1", "k", "v"},
                                         RefusedRow{"BracketInSection", "a]b", "k", "v"},
                                         RefusedRow{"LineBreakInKey", "S", "a\nb", "v"},
                                         RefusedRow{"EqualsInKey", "S", "a=b", "v"},
                                         RefusedRow{"KeyStartingWithSemicolon", "S", " ;k", "v"},
                                         RefusedRow{"KeyStartingWithBracket", "S", "[k", "v"}),
                         RowName());

TEST(IniRefusedWrites, OrdinaryOddNamesAreAccepted)
{
    EXPECT_NO_THROW(CheckIniWrite("Form\\Control", "a;b[c]", "=;[x]\"'"));
    EXPECT_NO_THROW(CheckIniWrite("", "", ""));
}

TEST(IniEditing, WrittenValuesReadBackAsGiven)
{
    TIniDocument document;
    for (const std::string value : {" lead", "trail\t", "\"both\"", "'single'", "\"", "a=b;c", "", "x'"}) {
        document.WriteValue("S", "k", value);
        EXPECT_EQ(TIniDocument::Parse(document.Serialise()).ReadValue("S", "k"), value);
    }
}

} // namespace

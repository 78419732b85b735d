#include "RowName.h"
#include "Utf8Utf16.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Which way a row is read: ill-formed input converts one way only.
enum class TWay { Both, FromUtf8, FromUtf16 };

struct CodecRow {
    std::string name;
    std::string utf8;
    std::u16string utf16;
    TWay way;
};

class TextCodec : public testing::TestWithParam<CodecRow> {};

TEST_P(TextCodec, ConvertsWellFormedTextAndReplacesEverythingElse)
{
    const CodecRow &row = GetParam();
    if (row.way != TWay::FromUtf16) {
        EXPECT_EQ(Utf8ToUtf16(row.utf8), row.utf16);
        EXPECT_EQ(Utf16Length(row.utf8), row.utf16.size());
        // The fixed-field copy gives the same units, cut before a pair that does not fit.
        char16_t field[4];
        CopyUtf16(row.utf8, field, std::size(field));
        std::u16string fitted = row.utf16.substr(0, 3);
        if (fitted.size() == 3 && fitted[2] >= 0xD800 && fitted[2] <= 0xDBFF)
            fitted.pop_back();
        EXPECT_EQ(std::u16string(field), fitted);
    }
    if (row.way != TWay::FromUtf8) {
        EXPECT_EQ(Utf16ToUtf8(row.utf16), row.utf8);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TextCodec,
    testing::Values(
        CodecRow{"Ascii", "a/b", u"a/b", TWay::Both},
        CodecRow{"TwoThreeAndFourBytes", "\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80", u"\u00E9\u4E2D\U0001F600", TWay::Both},
        CodecRow{"ReplacementCharacterItself", "\xEF\xBF\xBD", u"\uFFFD", TWay::Both},
        CodecRow{"OverlongSlashIsNoSlash", "\xC0\xAF", u"\uFFFD\uFFFD", TWay::FromUtf8},
        CodecRow{"OverlongThreeBytes", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD", TWay::FromUtf8},
        CodecRow{"OverlongFourBytes", "\xF0\x80\x80\xAF", u"\uFFFD\uFFFD\uFFFD\uFFFD", TWay::FromUtf8},
        CodecRow{"EncodedSurrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD", TWay::FromUtf8},
        CodecRow{"BeyondU10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD", TWay::FromUtf8},
        CodecRow{"CutSequence", "a\xE4\xB8", u"a\uFFFD\uFFFD", TWay::FromUtf8},
        CodecRow{"LoneContinuationAndInvalidLead", "\x80\xFF", u"\uFFFD\uFFFD", TWay::FromUtf8},
        CodecRow{"LoneHighSurrogate", "a\xEF\xBF\xBD" "b", std::u16string{u'a', char16_t(0xD83D), u'b'}, TWay::FromUtf16},
        CodecRow{"LoneLowSurrogate", "\xEF\xBF\xBD", std::u16string{char16_t(0xDE00)}, TWay::FromUtf16},
        CodecRow{"PairInTheWrongOrder", "\xEF\xBF\xBD\xEF\xBF\xBD", std::u16string{char16_t(0xDE00), char16_t(0xD83D)},
                 TWay::FromUtf16}),
    RowName());

} // namespace

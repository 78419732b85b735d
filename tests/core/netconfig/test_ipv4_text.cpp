#include "Quarl_IPTypes.h"
#include "RowName.h"

#include <gtest/gtest.h>

namespace {

struct ParseRow {
    const char *name;
    const char *text;
    std::uint32_t expected;
};

class StrToIPv4Rows : public testing::TestWithParam<ParseRow> {};

TEST_P(StrToIPv4Rows, ParsesAsTheRuleSays)
{
    EXPECT_EQ(StrToIPv4(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(IPv4Text, StrToIPv4Rows,
                         testing::Values(ParseRow{"plain", "10.0.0.1", 0x0A000001u},
                                         ParseRow{"textAfterFourthPartIgnored", "1.2.3.4.5", 0x01020304u},
                                         ParseRow{"lettersReadAsZero", "a.b.c.d", 0u},
                                         ParseRow{"octetAbove255ReadsAsZero", "300.1.1.1", 0x00010101u},
                                         ParseRow{"emptyPartsReadAsZero", "...", 0u},
                                         ParseRow{"signedPartReadsAsZero", "-1.+2.3.4", 0x00000304u},
                                         ParseRow{"hugeNumberDoesNotOverflow", "99999999999999999999.1.1.1", 0x00010101u},
                                         ParseRow{"allOnes", "255.255.255.255", 0xFFFFFFFFu}),
                         RowName());

TEST(IPv4Text, MissingDotRaisesWithTheQuotedText)
{
    try {
        StrToIPv4("1.2.3");
        FAIL() << "1.2.3 was accepted";
    } catch (const EIPv4Error &error) {
        EXPECT_STREQ(error.what(), "\"1.2.3\" 不是有效的 IPv4 地址");
    }
    EXPECT_THROW(StrToIPv4(""), EIPv4Error);
}

TEST(IPv4Text, PrintsMostSignificantByteFirstAsUnsigned)
{
    EXPECT_EQ(IPv4ToStr(0xC0A80102u), "192.168.1.2");
    EXPECT_EQ(IPv4ToStr(0xFFFFFFFFu), "255.255.255.255");
    EXPECT_EQ(IPv4ToStr(0u), "0.0.0.0");
}

TEST(IPv4Text, SwapReversesAllFourBytes)
{
    EXPECT_EQ(SwapIPv4(0x0100007Fu), 0x7F000001u);
    EXPECT_EQ(SwapIPv4(SwapIPv4(0x12345678u)), 0x12345678u);
}

} // namespace

#include "Quarl_IPTypes.h"
#include "RowName.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CompressRow {
    const char *name;
    TIPv6 address;
    const char *compressed;
};

class CompressedRows : public testing::TestWithParam<CompressRow> {};

TEST_P(CompressedRows, OnlyTheFirstZeroRunBecomesDoubleColonAndParsesBack)
{
    EXPECT_EQ(IPv6ToStrCompressed(GetParam().address), GetParam().compressed);
    EXPECT_EQ(StrToIPv6(GetParam().compressed), GetParam().address);
    EXPECT_EQ(StrToIPv6(IPv6ToStr(GetParam().address)), GetParam().address);
    EXPECT_EQ(StrToIPv6(IPv6ToStrOutwritten(GetParam().address)), GetParam().address);
}

INSTANTIATE_TEST_SUITE_P(
    IPv6Text, CompressedRows,
    testing::Values(CompressRow{"loopback", MakeIPv6(0, 0, 0, 0, 0, 0, 0, 1), "::1"},
                    CompressRow{"documentation", MakeIPv6(0x2001, 0xDB8, 0, 0, 0, 0, 0, 1), "2001:DB8::1"},
                    CompressRow{"firstRunWinsOverLongerSecond", MakeIPv6(1, 0, 0, 2, 0, 0, 0, 3), "1::2:0:0:0:3"},
                    CompressRow{"zeroAddress", MakeIPv6(0, 0, 0, 0, 0, 0, 0, 0), "::"},
                    CompressRow{"trailingRun", MakeIPv6(1, 0, 0, 0, 0, 0, 0, 0), "1::"},
                    CompressRow{"singleZeroAtEnd", MakeIPv6(1, 2, 3, 4, 5, 6, 7, 0), "1:2:3:4:5:6:7::"},
                    CompressRow{"singleZeroInside", MakeIPv6(1, 2, 0, 4, 5, 6, 7, 8), "1:2::4:5:6:7:8"},
                    CompressRow{"noZero", MakeIPv6(0xFFFF, 2, 3, 4, 5, 6, 7, 0xABCD), "FFFF:2:3:4:5:6:7:ABCD"}),
    RowName());

TEST(IPv6Text, PrintsUppercaseGroupsFromAToH)
{
    const TIPv6 address = MakeIPv6(0x2001, 0xDB8, 0, 0xA, 0, 0, 0xBEEF, 1);
    EXPECT_EQ(IPv6ToStr(address), "2001:DB8:0:A:0:0:BEEF:1");
    EXPECT_EQ(IPv6ToStrOutwritten(address), "2001:0DB8:0000:000A:0000:0000:BEEF:0001");
    EXPECT_EQ(address.Groups[TIPv6::A], 0x2001);
    EXPECT_EQ(address.Groups[0], 1);
}

TEST(IPv6Text, MappedIPv4FormFillsTheLastTwoGroups)
{
    EXPECT_EQ(IPv6ToStr(StrToIPv6("::FFFF:10.1.2.3")), "0:0:0:0:0:FFFF:A01:203");
    EXPECT_EQ(IPv6ToStr(StrToIPv6("::ffff:255.255.0.1")), "0:0:0:0:0:FFFF:FFFF:1");
}

TEST(IPv6Text, MalformedTextRaisesWithTheQuotedText)
{
    try {
        StrToIPv6("::FFFE:1.2.3.4");
        FAIL() << "::FFFE:1.2.3.4 was accepted";
    } catch (const EIPv6Error &error) {
        EXPECT_STREQ(error.what(), "\"::FFFE:1.2.3.4\" 不是有效的 IPv6 地址");
    }
    for (const char *text : {"", "1:2:3:4:5:6:7", "1:2:3:4:5:6:7:10000", "1:2:3:4:5:6:7:g", "1::2::3", ":1::2",
                             "1:::2", "1:2:3:4::5:6:7:8:9", "::FFFF:", "::FFFF:1.2.3",
                             "::FFFF:1.2.3.256", "::FFFFx1.2.3.4", "::FFFF:1..2.3", "1.2.3.4"})
        EXPECT_THROW(StrToIPv6(text), EIPv6Error) << text;
}

TEST(IPv6Text, ParseAcceptsTheOpenEdges)
{
    EXPECT_EQ(StrToIPv6("1:2:3:4:5:6:7:8:junk"), MakeIPv6(1, 2, 3, 4, 5, 6, 7, 8));
    EXPECT_EQ(StrToIPv6("1:2:3:4:5:6:7:8::"), MakeIPv6(1, 2, 3, 4, 5, 6, 7, 8));
    EXPECT_EQ(StrToIPv6("00001:abcd::"), MakeIPv6(1, 0xABCD, 0, 0, 0, 0, 0, 0));
}

TEST(IPv4Forms, OutwrittenAndURL)
{
    EXPECT_EQ(IPv4ToStrOutwritten(0xC0A80102u), "192.168.001.002");
    EXPECT_EQ(IPv4ToURL(0x0A000001u, "http", 80), "http://10.0.0.1/");
    EXPECT_EQ(IPv4ToURL(0x0A000001u, "http", 8080), "http://10.0.0.1:8080/");
    EXPECT_EQ(IPv4ToURL(0x0A000001u, "https", 80), "https://10.0.0.1:80/");
    EXPECT_EQ(IPv6ToURL(MakeIPv6(0, 0, 0, 0, 0, 0, 0, 1), "http", 80), "http://[0:0:0:0:0:0:0:1]/");
    EXPECT_EQ(IPv6ToURL(MakeIPv6(0, 0, 0, 0, 0, 0, 0, 1), "ftp", 21), "ftp://[0:0:0:0:0:0:0:1]:21/");
}

} // namespace

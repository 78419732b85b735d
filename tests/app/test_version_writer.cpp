#include "FileVersionApi.h"
#include "VersionBlockWriter.h"
#include "VersionFixtures.h"

#include <gtest/gtest.h>

#include <vector>

TEST(VersionBlockWriter, MatchesWhatWindresEmits)
{
    VORLIX_REQUIRE_FIXTURE(file, "written", "x86_64");
    const std::uint32_t size = GetFileVersionInfoSize(file);
    ASSERT_GT(size, 0u);
    std::vector<std::uint8_t> fromWindres(size);
    ASSERT_TRUE(GetFileVersionInfo(file, fromWindres));

    TVersionBlockContent content;
    content.FileVersion = {2, 3, 0, 0};
    content.ProductVersion = {2, 0, 0, 0};
    content.Strings = {{"ProductVersion", "2.0.0.0"},
                       {"FileDescription", "网络测量工具"},
                       {"Odd", "abc"},
                       {"Empty", ""},
                       {"CompanyName", "Quarl"}};
    const std::vector<std::uint8_t> ours = WriteVersionBlock(content);
    ASSERT_LE(ours.size(), fromWindres.size());
    EXPECT_EQ(ours, std::vector<std::uint8_t>(fromWindres.begin(), fromWindres.begin() + ours.size()));
}

TEST(VersionBlockWriter, VersionNumbersParseOnlyFourSixteenBitParts)
{
    std::array<std::uint16_t, 4> parts{};
    ASSERT_TRUE(ParseVersionNumbers("2.3.0.65535", parts));
    EXPECT_EQ(parts, (std::array<std::uint16_t, 4>{2, 3, 0, 65535}));
    for (const char *bad : {"", "2.3.0", "2.3.0.0.1", "2.3.0.65536", "2..0.0", "2.3.0.0 ", "a.b.c.d", "-1.0.0.0"}) {
        EXPECT_FALSE(ParseVersionNumbers(bad, parts)) << bad;
    }
}

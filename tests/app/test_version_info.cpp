#include "RunningExecutable.h"
#include "TVersionInfo.h"
#include "VersionFixtures.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

class VersionInfoOfPe : public testing::TestWithParam<const char *> {
protected:
    std::string Arch() const { return GetParam(); }
};

} // namespace

TEST_P(VersionInfoOfPe, ReleaseNumbersAndAllStrings)
{
    VORLIX_REQUIRE_FIXTURE(file, "release", Arch());
    TVersionInfo info;
    ASSERT_TRUE(ReadVersionInfo(file, info));
    EXPECT_EQ(info.FileName, file);
    EXPECT_EQ(info.FileVersion, "2.3.0.0");
    EXPECT_EQ(info.ProductVersion, "2.0.0");
    EXPECT_EQ(info.FileVersionText, "2.3.0.0");
    EXPECT_EQ(info.ProductVersionText, "2.0.0.0");
    EXPECT_EQ(info.ProductName, "Vorlix");
    EXPECT_EQ(info.CompanyName, "Quarl");
    EXPECT_EQ(info.Description, "网络测量工具");
    EXPECT_EQ(info.Copyright, "Copyright © Quarl");
    EXPECT_EQ(info.Trademarks, "Vorlix™");
    EXPECT_EQ(info.InternalName, "vorlix");
    EXPECT_EQ(info.OriginalFilename, "vorlix.exe"); // queried as OriginalFileName
    EXPECT_EQ(info.Comments, "𝄞 outside the basic plane");
    EXPECT_EQ(info.SpecialBuild, "");
    EXPECT_EQ(info.Major, 2u);
    EXPECT_EQ(info.Minor, 3u);
    EXPECT_EQ(info.ProductMajor, 2u);
    EXPECT_EQ(info.ProductBuild, 0u);
    EXPECT_FALSE(info.PreReleaseBuild);
    EXPECT_FALSE(info.DebugBuild);
    EXPECT_FALSE(info.PrivateBuild);
}

TEST_P(VersionInfoOfPe, PreReleaseWithBuildNumberShowsBetaAndTheNumber)
{
    VORLIX_REQUIRE_FIXTURE(file, "beta17", Arch());
    TVersionInfo info;
    ASSERT_TRUE(ReadVersionInfo(file, info));
    EXPECT_EQ(info.FileVersion, "1.4.2.17 BETA 17");
    EXPECT_EQ(info.ProductVersion, "1.4.0");
    EXPECT_EQ(info.ProductBuild, 9u);
    EXPECT_TRUE(info.PreReleaseBuild);
    EXPECT_EQ(info.ProductName, "Beta");
    EXPECT_EQ(info.SpecialBuild, "nightly");
}

TEST_P(VersionInfoOfPe, PreReleaseWithoutBuildNumberShowsBetaAlone)
{
    VORLIX_REQUIRE_FIXTURE(file, "beta0", Arch());
    TVersionInfo info;
    ASSERT_TRUE(ReadVersionInfo(file, info));
    EXPECT_EQ(info.FileVersion, "1.4.2.0 BETA");
    // Table and entry keys are matched without regard to letter case.
    EXPECT_EQ(info.ProductName, "Lower-case keys");
}

TEST_P(VersionInfoOfPe, MissingTranslationReadsTheDefaultTable)
{
    VORLIX_REQUIRE_FIXTURE(file, "notranslation", Arch());
    TVersionInfo info;
    ASSERT_TRUE(ReadVersionInfo(file, info));
    EXPECT_EQ(info.ProductName, "Default table");
    EXPECT_EQ(info.CompanyName, "Fallback");
    EXPECT_EQ(info.FileVersion, "3.0.0.1");
}

TEST_P(VersionInfoOfPe, FlagsAreReadAsStoredNotMasked)
{
    VORLIX_REQUIRE_FIXTURE(file, "debugunmasked", Arch());
    TVersionInfo info;
    ASSERT_TRUE(ReadVersionInfo(file, info));
    EXPECT_TRUE(info.DebugBuild);
    EXPECT_TRUE(info.PrivateBuild);
    EXPECT_FALSE(info.PreReleaseBuild);
    EXPECT_EQ(info.FileVersion, "0.9.65535.65535");
    EXPECT_EQ(info.ProductVersion, "65535.0.1");
    EXPECT_EQ(info.ProductName, ""); // no string table at all
}

TEST_P(VersionInfoOfPe, StringsUnderAnotherTranslationThanTheFirstStayEmpty)
{
    VORLIX_REQUIRE_FIXTURE(file, "othertranslation", Arch());
    TVersionInfo info;
    ASSERT_TRUE(ReadVersionInfo(file, info));
    EXPECT_EQ(info.FileVersion, "5.6.7.8");
    EXPECT_EQ(info.ProductName, "");
    EXPECT_EQ(info.CompanyName, "");
}

TEST_P(VersionInfoOfPe, FileWithoutBlockSetsOnlyTheFileName)
{
    VORLIX_REQUIRE_FIXTURE(file, "noblock", Arch());
    TVersionInfo info;
    info.ProductName = "stale";
    info.Major = 7;
    EXPECT_FALSE(ReadVersionInfo(file, info));
    TVersionInfo expected;
    expected.FileName = file;
    EXPECT_EQ(info.FileName, expected.FileName);
    EXPECT_EQ(info.ProductName, "");
    EXPECT_EQ(info.Major, 0u);
    EXPECT_EQ(info.FileVersion, "");
}

INSTANTIATE_TEST_SUITE_P(Architectures, VersionInfoOfPe, testing::Values("x86_64", "i686"));

TEST(VersionInfo, MissingOrForeignFilesGiveFalse)
{
    TVersionInfo info;
    EXPECT_FALSE(ReadVersionInfo("/nonexistent/vorlix", info));
    EXPECT_EQ(info.FileName, "/nonexistent/vorlix");
    EXPECT_FALSE(ReadVersionInfo("/proc/self", info)); // a folder
    const std::string text = testing::TempDir() + "vorlix_not_an_executable.txt";
    std::ofstream(text) << "MZ is not enough";
    EXPECT_FALSE(ReadVersionInfo(text, info));
    EXPECT_EQ(info.ProductName, "");
}

TEST(VersionInfo, OwnExecutableCarriesTheBuildsBlock)
{
    TVersionInfo info;
    ASSERT_TRUE(ReadVersionInfo("/proc/self/exe", info));
    EXPECT_EQ(info.FileVersion, "2.3.0.0");
    EXPECT_EQ(info.ProductVersion, "2.0.0");
    EXPECT_EQ(info.FileVersionText, "2.3.0.0");
    EXPECT_EQ(info.ProductVersionText, "2.0.0.0");
    EXPECT_EQ(info.ProductName, "Vorlix");
    EXPECT_EQ(info.CompanyName, "Quarl");
    EXPECT_EQ(info.Description, "网络测量工具");
    EXPECT_FALSE(info.Copyright.empty());
    EXPECT_FALSE(info.Trademarks.empty());
    EXPECT_EQ(info.Comments, "");
    EXPECT_FALSE(info.DebugBuild || info.PreReleaseBuild || info.PrivateBuild);
}

TEST(VersionInfo, ProcessRecordDescribesTheRunningExecutable)
{
    const TVersionInfo &info = ProcessVersionInfo();
    EXPECT_EQ(&info, &ProcessVersionInfo());
    EXPECT_EQ(info.FileName, RunningExecutablePath());
    EXPECT_NE(info.FileName.find("test_app"), std::string::npos);
    EXPECT_EQ(info.ProductName, "Vorlix");
    EXPECT_EQ(info.FileVersion, "2.3.0.0");
}

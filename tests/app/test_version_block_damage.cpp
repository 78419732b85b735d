#include "ElfImage.h"
#include "FileVersionApi.h"
#include "TFileBytes.h"
#include "TVersionInfo.h"
#include "VersionBlockLocator.h"
#include "VersionBlockWriter.h"
#include "VersionFixtures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

namespace {

const char *const Paths[] = {"\\", "", "\\VarFileInfo\\Translation", "\\StringFileInfo\\080403A8\\ProductName",
                             "\\StringFileInfo\\080403A8\\FileDescription", "\\StringFileInfo\\080403A8\\Comments",
                             "\\StringFileInfo\\080403A8\\CompanyName", "\\StringFileInfo\\080403A8"};

std::vector<std::uint8_t> ReadAll(const std::string &file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::string &file, std::span<const std::uint8_t> bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool SameRecord(const TVersionInfo &a, const TVersionInfo &b)
{
    return a.FileVersion == b.FileVersion && a.ProductVersion == b.ProductVersion && a.ProductName == b.ProductName &&
           a.CompanyName == b.CompanyName && a.Description == b.Description && a.Comments == b.Comments &&
           a.Copyright == b.Copyright && a.Build == b.Build && a.DebugBuild == b.DebugBuild;
}

bool OnlyFileName(const TVersionInfo &info)
{
    TVersionInfo empty;
    empty.FileName = info.FileName;
    return SameRecord(info, empty) && info.Major == 0 && info.ProductMajor == 0;
}

// Reads every cut of the file: each either yields the whole record (the cut lies after the
// block) or false with nothing but the file name.
void ExpectEveryCutIsWholeOrNothing(const std::vector<std::uint8_t> &image, const std::string &scratch)
{
    TVersionInfo whole;
    WriteAll(scratch, image);
    ASSERT_TRUE(ReadVersionInfo(scratch, whole));
    for (std::size_t cut = 0; cut < image.size(); ++cut) {
        WriteAll(scratch, std::span(image).first(cut));
        TVersionInfo info;
        const bool found = ReadVersionInfo(scratch, info);
        if (found) {
            EXPECT_TRUE(SameRecord(info, whole)) << "cut at " << cut;
        } else {
            EXPECT_TRUE(OnlyFileName(info)) << "cut at " << cut;
        }
    }
}

// Every value a query answers must lie inside the block; the block sits in its own heap
// allocation, so a read past it also trips the address sanitizer.
void ExpectQueriesStayInside(std::span<const std::uint8_t> source)
{
    const auto copy = std::make_unique<std::uint8_t[]>(source.size());
    std::copy(source.begin(), source.end(), copy.get());
    const std::span<const std::uint8_t> block(copy.get(), source.size());
    for (const char *path : Paths) {
        if (const auto value = VerQueryValue(block, path)) {
            ASSERT_GE(value->Bytes.data(), block.data()) << path;
            ASSERT_LE(value->Bytes.data() + value->Bytes.size(), block.data() + block.size()) << path;
            ASSERT_LE(value->Length * (value->IsText ? 2u : 1u), value->Bytes.size()) << path;
        }
    }
}

std::vector<std::uint8_t> OwnBlock()
{
    TVersionBlockContent content;
    content.FileVersion = {2, 3, 0, 0};
    content.Strings = {{"ProductName", "Vorlix"}, {"FileDescription", "网络测量工具"}, {"Comments", ""}};
    return WriteVersionBlock(content);
}

class DamagedPe : public testing::TestWithParam<const char *> {};

} // namespace

TEST_P(DamagedPe, EveryTruncationReadsWholeOrNothing)
{
    VORLIX_REQUIRE_FIXTURE(file, "release", GetParam());
    ExpectEveryCutIsWholeOrNothing(ReadAll(file), testing::TempDir() + "vorlix_cut_" + GetParam() + ".exe");
}

TEST_P(DamagedPe, CorruptHeaderWordsNeverReadOutside)
{
    VORLIX_REQUIRE_FIXTURE(file, "release", GetParam());
    const std::vector<std::uint8_t> image = ReadAll(file);
    const std::size_t headers = std::min<std::size_t>(image.size(), 0x400);
    for (std::size_t at = 0; at + 4 <= headers; at += 2) {
        for (const std::uint32_t bad : {0u, 0xFFFFFFFFu, 0x80000000u, 0x7FFFFFF0u}) {
            std::vector<std::uint8_t> damaged = image;
            std::memcpy(damaged.data() + at, &bad, 4);
            const TMemoryBytes bytes(damaged);
            if (const auto place = LocateVersionBlock(bytes)) {
                EXPECT_LE(place->Offset + place->Size, damaged.size()) << "word at " << at;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Architectures, DamagedPe, testing::Values("x86_64", "i686"));

TEST(DamagedBlock, EveryCutOfTheBlockStaysInside)
{
    const std::vector<std::uint8_t> block = OwnBlock();
    for (std::size_t cut = 0; cut <= block.size(); ++cut) {
        ExpectQueriesStayInside(std::span(block).first(cut));
    }
}

TEST(DamagedBlock, WrongLengthsStayInside)
{
    const std::vector<std::uint8_t> block = OwnBlock();
    for (std::size_t at = 0; at + 2 <= block.size(); at += 2) {
        for (const std::uint16_t bad : {0, 1, 5, 6, 7, 0x7FFF, 0xFFFF}) {
            std::vector<std::uint8_t> damaged = block;
            damaged[at] = static_cast<std::uint8_t>(bad);
            damaged[at + 1] = static_cast<std::uint8_t>(bad >> 8);
            ExpectQueriesStayInside(damaged);
        }
    }
}

TEST(DamagedBlock, ZeroLengthRootFindsNothing)
{
    std::vector<std::uint8_t> block = OwnBlock();
    block[0] = block[1] = 0;
    EXPECT_FALSE(VerQueryValue(block, "\\").has_value());
}

TEST(DamagedBlock, ShortFixedInformationIsNotRead)
{
    std::vector<std::uint8_t> block = OwnBlock();
    block[2] = 40; // value length below the 52 bytes of the fixed information
    const std::string file = testing::TempDir() + "vorlix_short_fixed.elf";
    WriteAll(file, MakeElfImage(true, ".vs_version_info", block));
    TVersionInfo info;
    EXPECT_FALSE(ReadVersionInfo(file, info));
    EXPECT_TRUE(OnlyFileName(info));
}

TEST(VersionQuery, KeysMatchInFullIgnoringCase)
{
    const std::vector<std::uint8_t> block = OwnBlock();
    const auto name = VerQueryValue(block, "\\stringfileinfo\\080403a8\\PRODUCTNAME");
    ASSERT_TRUE(name.has_value());
    EXPECT_TRUE(name->IsText);
    EXPECT_EQ(name->Length, 7u); // "Vorlix" and its NUL
    EXPECT_FALSE(VerQueryValue(block, "\\StringFileInfo\\080403A8\\Produc").has_value());
    EXPECT_FALSE(VerQueryValue(block, "\\StringFileInfo\\080403A8\\ProductNameX").has_value());
    const auto empty = VerQueryValue(block, "\\StringFileInfo\\080403A8\\Comments");
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->Length, 1u);
    const auto root = VerQueryValue(block, "\\\\");
    ASSERT_TRUE(root.has_value());
    EXPECT_EQ(root->Length, 52u);
}

TEST(ElfVersionBlock, BothWordSizesAreRead)
{
    for (const bool is64 : {true, false}) {
        const std::string file = testing::TempDir() + (is64 ? "vorlix64.elf" : "vorlix32.elf");
        WriteAll(file, MakeElfImage(is64, ".vs_version_info", OwnBlock()));
        TVersionInfo info;
        ASSERT_TRUE(ReadVersionInfo(file, info)) << (is64 ? "ELF64" : "ELF32");
        EXPECT_EQ(info.ProductName, "Vorlix");
        EXPECT_EQ(info.Description, "网络测量工具");
        EXPECT_EQ(info.FileVersion, "2.3.0.0");
    }
}

TEST(ElfVersionBlock, OtherSectionNamesAreNotTheBlock)
{
    for (const char *name : {".vs_version_inf", ".vs_version_info2", ".data"}) {
        const std::vector<std::uint8_t> image = MakeElfImage(true, name, OwnBlock());
        const TMemoryBytes bytes(image);
        EXPECT_FALSE(LocateVersionBlock(bytes).has_value()) << name;
    }
}

TEST(ElfVersionBlock, EveryTruncationReadsWholeOrNothing)
{
    for (const bool is64 : {true, false}) {
        ExpectEveryCutIsWholeOrNothing(MakeElfImage(is64, ".vs_version_info", OwnBlock()),
                                       testing::TempDir() + "vorlix_cut.elf");
    }
}

TEST(ElfVersionBlock, CorruptHeaderFieldsNeverReadOutside)
{
    for (const bool is64 : {true, false}) {
        const std::vector<std::uint8_t> image = MakeElfImage(is64, ".vs_version_info", OwnBlock());
        for (std::size_t at = 0; at + 4 <= image.size(); at += 2) {
            for (const std::uint32_t bad : {0u, 0xFFFFFFFFu, 0x0000FFFFu, 0x7FFFFFF0u}) {
                std::vector<std::uint8_t> damaged = image;
                std::memcpy(damaged.data() + at, &bad, 4);
                const TMemoryBytes bytes(damaged);
                if (const auto place = LocateVersionBlock(bytes)) {
                    EXPECT_LE(place->Offset + place->Size, damaged.size()) << "word at " << at;
                }
            }
        }
    }
}

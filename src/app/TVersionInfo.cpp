#include "TVersionInfo.h"

#include "FileVersionApi.h"
#include "RunningExecutable.h"
#include "Utf16Text.h"

#include <cstdio>
#include <vector>

namespace {

constexpr std::uint32_t FixedInfoBytes = 52;
constexpr std::uint32_t FlagDebug = 0x1;
constexpr std::uint32_t FlagPreRelease = 0x2;
constexpr std::uint32_t FlagPrivate = 0x8;
constexpr const char *DefaultTranslation = "040904E4";

std::uint32_t DwordAt(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

std::string TranslationKey(std::span<const std::uint8_t> block)
{
    const auto translation = VerQueryValue(block, "\\VarFileInfo\\Translation");
    if (!translation || translation->Bytes.size() < 4) {
        return DefaultTranslation;
    }
    const std::uint32_t entry = DwordAt(translation->Bytes, 0);
    char key[9];
    std::snprintf(key, sizeof key, "%04X%04X", entry & 0xFFFF, entry >> 16);
    return key;
}

std::string StringEntry(std::span<const std::uint8_t> block, const std::string &table, const char *name)
{
    const auto value = VerQueryValue(block, "\\StringFileInfo\\" + table + "\\" + name);
    return value ? Utf16LeToUtf8(value->Bytes) : std::string();
}

std::string Dotted(std::uint32_t a, std::uint32_t b, std::uint32_t c)
{
    return std::to_string(a) + "." + std::to_string(b) + "." + std::to_string(c);
}

} // namespace

bool ReadVersionInfo(const std::string &fileName, TVersionInfo &info)
{
    info = TVersionInfo();
    info.FileName = fileName;
    const std::uint32_t size = GetFileVersionInfoSize(fileName);
    if (size == 0) {
        return false;
    }
    std::vector<std::uint8_t> data(size, 0);
    if (!GetFileVersionInfo(fileName, data)) {
        return false;
    }
    const std::span<const std::uint8_t> block(data);
    const auto fixed = VerQueryValue(block, "\\");
    if (!fixed || fixed->Bytes.size() < FixedInfoBytes) {
        return false;
    }
    const std::uint32_t fileMs = DwordAt(fixed->Bytes, 8), fileLs = DwordAt(fixed->Bytes, 12);
    const std::uint32_t productMs = DwordAt(fixed->Bytes, 16), productLs = DwordAt(fixed->Bytes, 20);
    const std::uint32_t flags = DwordAt(fixed->Bytes, 28); // as stored, not masked
    info.Major = fileMs >> 16;
    info.Minor = fileMs & 0xFFFF;
    info.Release = fileLs >> 16;
    info.Build = fileLs & 0xFFFF;
    info.ProductMajor = productMs >> 16;
    info.ProductMinor = productMs & 0xFFFF;
    info.ProductRelease = productLs >> 16;
    info.ProductBuild = productLs & 0xFFFF;
    info.PreReleaseBuild = (flags & FlagPreRelease) != 0;
    info.DebugBuild = (flags & FlagDebug) != 0;
    info.PrivateBuild = (flags & FlagPrivate) != 0;

    const std::string table = TranslationKey(block);
    info.ProductVersionText = StringEntry(block, table, "ProductVersion");
    info.FileVersionText = StringEntry(block, table, "FileVersion");
    info.Description = StringEntry(block, table, "FileDescription");
    info.Copyright = StringEntry(block, table, "LegalCopyright");
    info.Trademarks = StringEntry(block, table, "LegalTrademarks");
    info.Comments = StringEntry(block, table, "Comments");
    info.SpecialBuild = StringEntry(block, table, "SpecialBuild");
    info.ProductName = StringEntry(block, table, "ProductName");
    info.CompanyName = StringEntry(block, table, "CompanyName");
    info.InternalName = StringEntry(block, table, "InternalName");
    info.OriginalFilename = StringEntry(block, table, "OriginalFileName");

    info.ProductVersion = Dotted(info.ProductMajor, info.ProductMinor, info.ProductRelease);
    info.FileVersion = Dotted(info.Major, info.Minor, info.Release) + "." + std::to_string(info.Build);
    if (info.PreReleaseBuild) {
        info.FileVersion += info.Build != 0 ? " BETA " + std::to_string(info.Build) : std::string(" BETA");
    }
    return true;
}

const TVersionInfo &ProcessVersionInfo()
{
    static const TVersionInfo info = [] {
        TVersionInfo read;
        ReadVersionInfo(RunningExecutablePath(), read);
        return read;
    }();
    return info;
}

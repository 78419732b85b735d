#pragma once

#include <cstdint>
#include <string>

// The version record of an executable or library file (UTF-8 strings).
struct TVersionInfo {
    std::string FileName;
    std::string FileVersion;
    std::string ProductVersion;
    std::string FileVersionText;
    std::string ProductVersionText;
    std::string ProductName;
    std::string CompanyName;
    std::string Description;
    std::string Comments;
    std::string Copyright;
    std::string Trademarks;
    std::string InternalName;
    std::string OriginalFilename;
    std::uint32_t Major = 0;
    std::uint32_t Minor = 0;
    std::uint32_t Release = 0;
    std::uint32_t Build = 0;
    std::uint32_t ProductMajor = 0;
    std::uint32_t ProductMinor = 0;
    std::uint32_t ProductRelease = 0;
    std::uint32_t ProductBuild = 0;
    std::string SpecialBuild;
    bool PreReleaseBuild = false;
    bool DebugBuild = false;
    bool PrivateBuild = false;
};

// Resets info, sets its FileName and fills it from the file's version block. True when the
// block's fixed information was found; a file without one leaves only FileName set.
bool ReadVersionInfo(const std::string &fileName, TVersionInfo &info);

// The running executable's record, read on the first call and fixed for the process.
const TVersionInfo &ProcessVersionInfo();

#include "TSysfsNetReader.h"

#include "TextFiles.h"

#include <charconv>
#include <filesystem>
#include <sstream>

TSysfsNetReader::TMediaHint TSysfsNetReader::MediaHint(const std::string &name) const
{
    const std::filesystem::path folder = std::filesystem::path(FRoot) / name;
    std::error_code error;
    if (std::filesystem::exists(folder / "phy80211", error) || std::filesystem::is_directory(folder / "wireless", error))
        return TMediaHint::Wireless;
    const auto uevent = ReadTextFile((folder / "uevent").string());
    if (!uevent)
        return TMediaHint::None;
    std::istringstream lines(*uevent);
    std::string line;
    while (std::getline(lines, line)) {
        if (line == "DEVTYPE=wlan")
            return TMediaHint::Wireless;
        if (line == "DEVTYPE=wwan")
            return TMediaHint::Wwan;
    }
    return TMediaHint::None;
}

std::uint64_t TSysfsNetReader::Speed(const std::string &name) const
{
    // Reading fails with EINVAL while the link has no carrier, and for loopback.
    const auto text = ReadFirstLine((std::filesystem::path(FRoot) / name / "speed").string());
    if (!text)
        return 0;
    long long megabits = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), megabits);
    if (error != std::errc() || megabits <= 0)
        return 0;
    return static_cast<std::uint64_t>(megabits) * 1'000'000u;
}

std::string TSysfsNetReader::DriverName(const std::string &name) const
{
    std::error_code error;
    const auto target = std::filesystem::read_symlink(std::filesystem::path(FRoot) / name / "device" / "driver", error);
    if (error)
        return {};
    return target.filename().string();
}

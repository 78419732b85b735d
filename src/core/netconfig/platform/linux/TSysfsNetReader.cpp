#include "TSysfsNetReader.h"

#include "TUniqueFd.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <string_view>

namespace {

// sysfs attributes are at most a page and come whole in one read, so a stack buffer and a single read
// serve; nothing is stat-ed first.
class TSmallFile {
public:
    // Empty when the file is missing or unreadable (sysfs answers EINVAL for a speed without carrier).
    std::string_view Read(int folder, const char *file)
    {
        const TUniqueFd fd(::openat(folder, file, O_RDONLY | O_CLOEXEC));
        if (!fd.Valid())
            return {};
        ssize_t got = 0;
        do
            got = ::read(fd.Get(), FBuffer, sizeof(FBuffer));
        while (got < 0 && errno == EINTR);
        return got > 0 ? std::string_view(FBuffer, static_cast<std::size_t>(got)) : std::string_view();
    }

private:
    char FBuffer[4096];
};

TSysfsNetReader::TMediaHint MediaHintIn(int folder)
{
    struct stat info {};
    if (::fstatat(folder, "phy80211", &info, 0) == 0 ||
        (::fstatat(folder, "wireless", &info, 0) == 0 && S_ISDIR(info.st_mode)))
        return TSysfsNetReader::TMediaHint::Wireless;
    TSmallFile file;
    std::string_view uevent = file.Read(folder, "uevent");
    while (!uevent.empty()) {
        const auto end = uevent.find('\n');
        const std::string_view line = uevent.substr(0, end);
        if (line == "DEVTYPE=wlan")
            return TSysfsNetReader::TMediaHint::Wireless;
        if (line == "DEVTYPE=wwan")
            return TSysfsNetReader::TMediaHint::Wwan;
        uevent = end == std::string_view::npos ? std::string_view() : uevent.substr(end + 1);
    }
    return TSysfsNetReader::TMediaHint::None;
}

std::uint64_t SpeedIn(int folder)
{
    // Reading fails with EINVAL while the link has no carrier, and for loopback.
    TSmallFile file;
    const std::string_view text = file.Read(folder, "speed");
    long long megabits = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), megabits);
    if (text.empty() || error != std::errc() || megabits <= 0)
        return 0;
    return static_cast<std::uint64_t>(megabits) * 1'000'000u;
}

std::string DriverIn(int folder)
{
    char target[4096];
    const ssize_t length = ::readlinkat(folder, "device/driver", target, sizeof(target));
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof(target))
        return {};
    const std::string_view path(target, static_cast<std::size_t>(length));
    const auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

} // namespace

TUniqueFd TSysfsNetReader::OpenFolder(const std::string &name) const
{
    return TUniqueFd(::open((FRoot + '/' + name).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
}

TSysfsNetReader::TFacts TSysfsNetReader::Facts(const std::string &name, bool mayBeWireless) const
{
    TFacts facts;
    const TUniqueFd folder(OpenFolder(name));
    if (!folder.Valid())
        return facts;
    if (mayBeWireless)
        facts.Hint = MediaHintIn(folder.Get());
    facts.Speed = SpeedIn(folder.Get());
    facts.Driver = DriverIn(folder.Get());
    return facts;
}

TSysfsNetReader::TMediaHint TSysfsNetReader::MediaHint(const std::string &name) const
{
    const TUniqueFd folder(OpenFolder(name));
    return folder.Valid() ? MediaHintIn(folder.Get()) : TMediaHint::None;
}

std::uint64_t TSysfsNetReader::Speed(const std::string &name) const
{
    const TUniqueFd folder(OpenFolder(name));
    return folder.Valid() ? SpeedIn(folder.Get()) : 0;
}

std::string TSysfsNetReader::DriverName(const std::string &name) const
{
    const TUniqueFd folder(OpenFolder(name));
    return folder.Valid() ? DriverIn(folder.Get()) : std::string();
}

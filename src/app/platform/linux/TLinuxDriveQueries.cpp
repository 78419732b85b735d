#include "TLinuxDriveQueries.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace fs = std::filesystem;

namespace {

// Loops, device-mapper stacks and md arrays nest; a cycle in a crafted tree must still end.
constexpr int MaxDepth = 8;

class TBlockVolume final : public TVolumeHandle {
public:
    explicit TBlockVolume(fs::path device) : Device(std::move(device)) {}
    fs::path Device;
};

std::string FirstLine(const fs::path &file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

std::optional<dev_t> DeviceOf(const std::string &path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return std::nullopt;
    }
    return st.st_dev;
}

// The sysfs folder of the whole disk under the block device dev, following loops and slaves.
std::optional<fs::path> DiskOf(const std::string &sysRoot, dev_t dev, int depth)
{
    if (depth > MaxDepth) {
        return std::nullopt;
    }
    std::error_code ec;
    const fs::path link = fs::path(sysRoot) / "dev/block" / (std::to_string(major(dev)) + ":" + std::to_string(minor(dev)));
    fs::path device = fs::canonical(link, ec);
    if (ec) {
        return std::nullopt;
    }
    if (fs::exists(device / "partition", ec)) {
        device = device.parent_path();
    }
    const std::string name = device.filename().string();
    if (name.starts_with("loop")) {
        const std::string backing = FirstLine(device / "loop/backing_file");
        const auto backingDev = backing.empty() ? std::nullopt : DeviceOf(backing);
        return backingDev ? DiskOf(sysRoot, *backingDev, depth + 1) : std::nullopt;
    }
    for (const auto &slave : fs::directory_iterator(device / "slaves", ec)) {
        const std::string numbers = FirstLine(slave.path() / "dev");
        unsigned maj = 0, min = 0;
        char colon = 0;
        std::istringstream in(numbers);
        if (in >> maj >> colon >> min && colon == ':') {
            return DiskOf(sysRoot, makedev(maj, min), depth + 1);
        }
        return std::nullopt;
    }
    return device;
}

// Mount point and file-system type of the longest mount in mountinfo that holds path.
std::optional<std::string> FileSystemOf(const std::string &mountInfo, const std::string &path)
{
    std::ifstream in(mountInfo);
    std::string line, best, bestType;
    bool found = false;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string id, parent, numbers, root, point, field;
        if (!(fields >> id >> parent >> numbers >> root >> point)) {
            continue;
        }
        while (fields >> field && field != "-") {
        }
        std::string type;
        if (!(fields >> type)) {
            continue;
        }
        const bool holds = point == "/" || path == point || (path.starts_with(point) && path[point.size()] == '/');
        if (holds && (!found || point.size() >= best.size())) {
            best = point;
            bestType = type;
            found = true;
        }
    }
    return found ? std::optional<std::string>(bestType) : std::nullopt;
}

TMediaType MediaOfFileSystem(const std::string &type)
{
    static const std::array<const char *, 6> remote = {"nfs", "nfs4", "cifs", "smb3", "9p", "ceph"};
    for (const char *name : remote) {
        if (type == name) {
            return TMediaType::dtRemote;
        }
    }
    if (type == "fuse.sshfs") {
        return TMediaType::dtRemote;
    }
    // tmpfs, overlay and the other local file systems without a block device of their own.
    return TMediaType::dtFixed;
}

} // namespace

TLinuxDriveQueries::TLinuxDriveQueries(std::string sysRoot, std::string mountInfo)
    : FSysRoot(std::move(sysRoot)), FMountInfo(std::move(mountInfo))
{
}

void TLinuxDriveQueries::GetDiskInfo(const std::string &drive, TDiskInfo &info) const
{
    info = TDiskInfo();
    const auto dev = DeviceOf(drive);
    if (!dev) {
        info.MediaType = TMediaType::dtNotExists;
        return;
    }
    if (major(*dev) == 0) {
        const auto type = FileSystemOf(FMountInfo, drive);
        info.MediaType = type ? MediaOfFileSystem(*type) : TMediaType::dtUnknown;
        return;
    }
    const auto disk = DiskOf(FSysRoot, *dev, 0);
    if (!disk) {
        return;
    }
    const std::string name = disk->filename().string();
    if (name.starts_with("sr") || FirstLine(*disk / "device/type") == "5") {
        info.MediaType = TMediaType::dtCDROM;
    } else if (FirstLine(*disk / "removable") == "1") {
        info.MediaType = TMediaType::dtRemovable;
    } else {
        info.MediaType = TMediaType::dtFixed;
    }
}

std::unique_ptr<TVolumeHandle> TLinuxDriveQueries::OpenVolume(const std::string &drive) const
{
    const auto dev = DeviceOf(drive);
    if (!dev || major(*dev) == 0) {
        return nullptr;
    }
    auto disk = DiskOf(FSysRoot, *dev, 0);
    return disk ? std::make_unique<TBlockVolume>(std::move(*disk)) : nullptr;
}

bool TLinuxDriveQueries::QueryStorageDevice(const TVolumeHandle &volume, TDeviceInfo &info) const
{
    info = TDeviceInfo();
    const auto *block = dynamic_cast<const TBlockVolume *>(&volume);
    std::error_code ec;
    if (block == nullptr || !fs::exists(block->Device, ec)) {
        return false;
    }
    const fs::path sysRoot = fs::weakly_canonical(FSysRoot, ec);
    for (fs::path at = block->Device; at.has_relative_path() && at != sysRoot; at = at.parent_path()) {
        const fs::path subsystem = fs::read_symlink(at / "subsystem", ec);
        if (!ec && subsystem.filename() == "usb") {
            info.BusType = BusTypeUsb;
            break;
        }
    }
    return true;
}

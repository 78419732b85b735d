#pragma once

#include <cstdint>
#include <memory>
#include <string>

// Drive types in the order of the platform's drive-type codes.
enum class TMediaType { dtUnknown, dtNotExists, dtRemovable, dtFixed, dtRemote, dtCDROM, dtRAMDisk };

struct TDiskInfo {
    TMediaType MediaType = TMediaType::dtUnknown;
};

inline constexpr std::uint32_t BusTypeUsb = 7;

struct TDeviceInfo {
    std::uint32_t BusType = 0;
};

// An opened volume; what it holds is the implementation's business.
class TVolumeHandle {
public:
    virtual ~TVolumeHandle() = default;
};

// The platform answers that decide whether the executable's drive travels with it.
class TDriveQueries {
public:
    virtual ~TDriveQueries() = default;
    virtual void GetDiskInfo(const std::string &drive, TDiskInfo &info) const = 0;
    // Nothing when the volume cannot be opened (a network path, no block device).
    virtual std::unique_ptr<TVolumeHandle> OpenVolume(const std::string &drive) const = 0;
    virtual bool QueryStorageDevice(const TVolumeHandle &volume, TDeviceInfo &info) const = 0;
};

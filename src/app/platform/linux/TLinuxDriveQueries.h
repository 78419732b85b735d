#pragma once

#include "DriveQueries.h"

#include <string>

// Drive answers for a file on Linux: stat gives its device, /sys/dev/block/MAJ:MIN the block
// device; a partition's disk, a loop device's backing file and the slaves of device-mapper
// and md devices are followed. A file system without a block device (major 0) is judged by
// the longest matching mount in mountinfo. The roots are parameters so tests can feed trees.
class TLinuxDriveQueries final : public TDriveQueries {
public:
    explicit TLinuxDriveQueries(std::string sysRoot = "/sys", std::string mountInfo = "/proc/self/mountinfo");

    // drive is any path on the drive, normally the executable's own.
    void GetDiskInfo(const std::string &drive, TDiskInfo &info) const override;
    std::unique_ptr<TVolumeHandle> OpenVolume(const std::string &drive) const override;
    // Bus type 7 when any ancestor of the disk's device belongs to the usb subsystem.
    bool QueryStorageDevice(const TVolumeHandle &volume, TDeviceInfo &info) const override;

private:
    std::string FSysRoot;
    std::string FMountInfo;
};

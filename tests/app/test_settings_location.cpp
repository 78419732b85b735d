#include "DriveQueries.h"
#include "RunningExecutable.h"
#include "SettingsLocation.h"
#include "TLinuxDriveQueries.h"

#include "RowName.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace fs = std::filesystem;

namespace {

// Scripted platform answers, counting the volume opens and queries.
class TScriptedDrives final : public TDriveQueries {
public:
    TMediaType Media = TMediaType::dtFixed;
    bool Opens = true;
    bool QuerySucceeds = true;
    std::uint32_t Bus = 0;
    mutable int OpenCalls = 0;
    mutable int QueryCalls = 0;

    void GetDiskInfo(const std::string &, TDiskInfo &info) const override { info.MediaType = Media; }
    std::unique_ptr<TVolumeHandle> OpenVolume(const std::string &) const override
    {
        ++OpenCalls;
        return Opens ? std::make_unique<TVolumeHandle>() : nullptr;
    }
    bool QueryStorageDevice(const TVolumeHandle &, TDeviceInfo &info) const override
    {
        ++QueryCalls;
        info.BusType = Bus;
        return QuerySucceeds;
    }
};

struct PortableRow {
    const char *name;
    TMediaType media;
    bool opens;
    bool querySucceeds;
    std::uint32_t bus;
    bool portable;
    int queries;
};

class PortableDecision : public testing::TestWithParam<PortableRow> {};

void WriteFile(const fs::path &file, const std::string &text)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

} // namespace

TEST_P(PortableDecision, FollowsMediaThenBus)
{
    const PortableRow &row = GetParam();
    TScriptedDrives drives;
    drives.Media = row.media;
    drives.Opens = row.opens;
    drives.QuerySucceeds = row.querySucceeds;
    drives.Bus = row.bus;
    EXPECT_EQ(IsPortable("/media/stick/vorlix", drives), row.portable);
    EXPECT_EQ(drives.QueryCalls, row.queries);
}

INSTANTIATE_TEST_SUITE_P(
    Drives, PortableDecision,
    testing::Values(PortableRow{"RemovableStickWithoutDeviceQuery", TMediaType::dtRemovable, true, true, 0, true, 0},
                    PortableRow{"OpticalDriveIsNot", TMediaType::dtCDROM, true, true, BusTypeUsb, false, 0},
                    PortableRow{"FixedUsbDiskIs", TMediaType::dtFixed, true, true, BusTypeUsb, true, 1},
                    PortableRow{"FixedSataDiskIsNot", TMediaType::dtFixed, true, true, 11, false, 1},
                    PortableRow{"FixedNvmeDiskIsNot", TMediaType::dtFixed, true, true, 17, false, 1},
                    PortableRow{"NetworkPathCannotBeOpened", TMediaType::dtRemote, false, true, BusTypeUsb, false, 0},
                    PortableRow{"FailedQueryIsNot", TMediaType::dtFixed, true, false, BusTypeUsb, false, 1},
                    PortableRow{"UnknownDriveOnUsbIs", TMediaType::dtUnknown, true, true, BusTypeUsb, true, 1},
                    PortableRow{"MissingDriveIsNot", TMediaType::dtNotExists, false, true, 0, false, 0},
                    PortableRow{"RamDiskOnUsbBusCode", TMediaType::dtRAMDisk, true, true, BusTypeUsb, true, 1}),
    RowName());

TEST(SettingsPath, PerUserFolderUnderCompanyAndProduct)
{
    EXPECT_EQ(SettingsPath("/usr/bin/vorlix", false, "/home/u/.config", "Quarl", "Vorlix"),
              "/home/u/.config/Quarl/Vorlix/vorlix.ini");
    EXPECT_EQ(SettingsPath("/opt/my.meter.exe", false, "/cfg", "Quarl", "Vorlix"), "/cfg/Quarl/Vorlix/my.meter.ini");
}

TEST(SettingsPath, PortableSitsBesideTheExecutable)
{
    EXPECT_EQ(SettingsPath("/media/stick/tools/meter.exe", true, "/cfg", "Quarl", "Vorlix"),
              "/media/stick/tools/meter.ini");
    EXPECT_EQ(SettingsPath("/vorlix", true, "/cfg", "Quarl", "Vorlix"), "/vorlix.ini");
}

TEST(SettingsPath, EmptyNamesLeaveEmptySegments)
{
    EXPECT_EQ(SettingsPath("/usr/bin/vorlix", false, "/cfg", "", ""), "/cfg///vorlix.ini");
    EXPECT_EQ(SettingsPath("/usr/bin/vorlix", false, "", "Quarl", "Vorlix"), "/Quarl/Vorlix/vorlix.ini");
}

TEST(SettingsFileName, OnlyTheLastExtensionIsReplaced)
{
    EXPECT_EQ(SettingsFileName("/a/b/meter.exe"), "meter.ini");
    EXPECT_EQ(SettingsFileName("/a/b/my.meter.exe"), "my.meter.ini");
    EXPECT_EQ(SettingsFileName("/a/b.d/vorlix"), "vorlix.ini");
    EXPECT_EQ(SettingsFileName("vorlix"), "vorlix.ini");
}

TEST(GetSpecialFolder, XdgThenHomeThenPasswordDatabase)
{
    std::map<std::string, const char *> env;
    const auto lookup = [&env](const char *name) -> const char * {
        const auto it = env.find(name);
        return it == env.end() ? nullptr : it->second;
    };
    env = {{"XDG_CONFIG_HOME", "/x/config"}, {"HOME", "/home/u"}};
    EXPECT_EQ(GetSpecialFolder(lookup), "/x/config");
    env = {{"XDG_CONFIG_HOME", "relative/config"}, {"HOME", "/home/u"}};
    EXPECT_EQ(GetSpecialFolder(lookup), "/home/u/.config");
    env = {{"XDG_CONFIG_HOME", ""}, {"HOME", "/home/u"}};
    EXPECT_EQ(GetSpecialFolder(lookup), "/home/u/.config");
    env = {};
    const std::string fromPasswd = GetSpecialFolder(lookup);
    EXPECT_TRUE(fromPasswd.empty() || (fromPasswd.front() == '/' && fromPasswd.ends_with("/.config"))) << fromPasswd;
}

// A sysfs tree for the device of a real file: a partition of a disk below a USB host.
class SysfsTree : public testing::Test {
protected:
    void SetUp() override
    {
        Root = fs::path(testing::TempDir()) / ("vorlix_sysfs_" + std::to_string(::getpid()));
        fs::remove_all(Root);
        Exe = (Root / "vorlix").string();
        WriteFile(Exe, "binary");
        struct stat st {};
        ASSERT_EQ(::stat(Exe.c_str(), &st), 0);
        if (major(st.st_dev) == 0) {
            GTEST_SKIP() << "the temporary folder has no block device (major 0), so no sysfs tree can match it";
        }
        Numbers = std::to_string(major(st.st_dev)) + ":" + std::to_string(minor(st.st_dev));
        Usb = Root / "devices/pci0/usb1";
        Disk = Usb / "1-1/host0/block/sdb";
        fs::create_directories(Disk / "sdb1");
        WriteFile(Disk / "sdb1/partition", "1");
        WriteFile(Disk / "removable", "0");
        WriteFile(Root / "bus/usb/.keep", "");
        fs::create_directories(Root / "dev/block");
        fs::create_directory_symlink(Disk / "sdb1", Root / "dev/block" / Numbers);
    }
    void TearDown() override { fs::remove_all(Root); }

    fs::path Root, Usb, Disk;
    std::string Exe, Numbers;
};

TEST_F(SysfsTree, UsbDiskReportedFixedIsPortable)
{
    fs::create_directory_symlink(Root / "bus/usb", Usb / "subsystem");
    const TLinuxDriveQueries drives(Root.string());
    TDiskInfo disk;
    drives.GetDiskInfo(Exe, disk);
    EXPECT_EQ(disk.MediaType, TMediaType::dtFixed);
    EXPECT_TRUE(IsPortable(Exe, drives));
}

TEST_F(SysfsTree, InternalDiskIsNotPortable)
{
    const TLinuxDriveQueries drives(Root.string());
    EXPECT_FALSE(IsPortable(Exe, drives));
    const auto volume = drives.OpenVolume(Exe);
    ASSERT_NE(volume, nullptr);
    TDeviceInfo device;
    EXPECT_TRUE(drives.QueryStorageDevice(*volume, device));
    EXPECT_NE(device.BusType, BusTypeUsb);
}

TEST_F(SysfsTree, RemovableDiskIsPortable)
{
    WriteFile(Disk / "removable", "1");
    const TLinuxDriveQueries drives(Root.string());
    TDiskInfo disk;
    drives.GetDiskInfo(Exe, disk);
    EXPECT_EQ(disk.MediaType, TMediaType::dtRemovable);
    EXPECT_TRUE(IsPortable(Exe, drives));
}

TEST_F(SysfsTree, OpticalDriveIsNotPortableThoughRemovableAndOnUsb)
{
    WriteFile(Disk / "removable", "1");
    WriteFile(Disk / "device/type", "5");
    fs::create_directory_symlink(Root / "bus/usb", Usb / "subsystem");
    const TLinuxDriveQueries drives(Root.string());
    TDiskInfo disk;
    drives.GetDiskInfo(Exe, disk);
    EXPECT_EQ(disk.MediaType, TMediaType::dtCDROM);
    EXPECT_FALSE(IsPortable(Exe, drives));
}

TEST_F(SysfsTree, DeviceMapperFollowsItsSlaveToTheUsbDisk)
{
    // The real file's numbers now name a dm device whose slave is the USB partition.
    fs::remove(Root / "dev/block" / Numbers);
    const fs::path dm = Root / "devices/virtual/block/dm-0";
    fs::create_directories(dm / "slaves");
    fs::create_directory_symlink(Disk / "sdb1", dm / "slaves/sdb1");
    WriteFile(Disk / "sdb1/dev", "8:17");
    fs::create_directory_symlink(dm, Root / "dev/block" / Numbers);
    fs::create_directory_symlink(Disk / "sdb1", Root / "dev/block/8:17");
    fs::create_directory_symlink(Root / "bus/usb", Usb / "subsystem");
    EXPECT_TRUE(IsPortable(Exe, TLinuxDriveQueries(Root.string())));
}

TEST_F(SysfsTree, MissingDeviceEntryCannotBeQueried)
{
    fs::remove(Root / "dev/block" / Numbers);
    const TLinuxDriveQueries drives(Root.string());
    TDiskInfo disk;
    drives.GetDiskInfo(Exe, disk);
    EXPECT_EQ(disk.MediaType, TMediaType::dtUnknown);
    EXPECT_EQ(drives.OpenVolume(Exe), nullptr);
    EXPECT_FALSE(IsPortable(Exe, drives));
    drives.GetDiskInfo((Root / "absent").string(), disk);
    EXPECT_EQ(disk.MediaType, TMediaType::dtNotExists);
}

TEST(MountedFileSystems, NoBlockDeviceIsJudgedByTheLongestMount)
{
    const fs::path shm = "/dev/shm";
    struct stat st {};
    if (::stat(shm.c_str(), &st) != 0 || major(st.st_dev) != 0) {
        GTEST_SKIP() << "/dev/shm is missing or not a file system without a block device";
    }
    const fs::path info = fs::path(testing::TempDir()) / "vorlix_mountinfo";
    const auto judge = [&info](const std::string &type) {
        WriteFile(info, "20 1 254:0 / / rw - ext4 /dev/vda rw\n"
                        "26 20 0:24 / /dev rw shared:2 - devtmpfs udev rw\n"
                        "27 26 0:25 / /dev/shm rw shared:3 master:1 - " + type + " srv:/x rw\n"
                        "28 26 0:26 / /dev/shmother rw - nfs srv:/y rw\n");
        TDiskInfo disk;
        const TLinuxDriveQueries drives("/sys", info.string());
        drives.GetDiskInfo("/dev/shm", disk);
        EXPECT_EQ(drives.OpenVolume("/dev/shm"), nullptr);
        EXPECT_FALSE(IsPortable("/dev/shm", drives));
        return disk.MediaType;
    };
    for (const char *remote : {"nfs", "nfs4", "cifs", "smb3", "9p", "ceph", "fuse.sshfs"}) {
        EXPECT_EQ(judge(remote), TMediaType::dtRemote) << remote;
    }
    EXPECT_EQ(judge("tmpfs"), TMediaType::dtFixed);
    EXPECT_EQ(judge("overlay"), TMediaType::dtFixed);
}

TEST(RealMachine, OwnExecutableHasAnAnswer)
{
    const std::string exe = RunningExecutablePath();
    const TLinuxDriveQueries drives;
    TDiskInfo disk;
    drives.GetDiskInfo(exe, disk);
    EXPECT_NE(disk.MediaType, TMediaType::dtNotExists);
    const bool portable = IsPortable(exe, drives);
    const std::string path = SettingsPath(exe, portable, "/cfg", "Quarl", "Vorlix");
    EXPECT_EQ(path, portable ? fs::path(exe).replace_extension(".ini").string() : "/cfg/Quarl/Vorlix/test_app.ini");
    std::cout << "running from " << exe << ": media type " << static_cast<int>(disk.MediaType)
              << (portable ? ", portable" : ", not portable") << "\n";
}

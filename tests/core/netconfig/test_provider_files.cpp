#include "LinkMapping.h"
#include "TResolvConf.h"
#include "TSysfsNetReader.h"

#include <gtest/gtest.h>

#include <linux/if.h>
#include <linux/if_arp.h>
#include <linux/neighbour.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// A folder of its own under the system's temporary folder, removed afterwards.
class TTempFolder {
public:
    TTempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vxnetXXXXXX").string();
        FPath = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TTempFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(FPath, error);
    }
    const std::filesystem::path &Path() const { return FPath; }

    void Write(const std::filesystem::path &relative, const std::string &text) const
    {
        std::filesystem::create_directories((FPath / relative).parent_path());
        std::ofstream(FPath / relative) << text;
    }

private:
    std::filesystem::path FPath;
};

TEST(ResolvConf, ReadsNameserversInOrderAndTheLastSearchOrDomainLine)
{
    const TResolvConf conf = ParseResolvConf("# local\n"
                                             "nameserver 192.168.1.1\n"
                                             "; other comment\n"
                                             "search first.example second.example\n"
                                             "nameserver fe80::1\n"
                                             "nameserver 9.9.9.9 trailing words\n"
                                             "domain last.example\n"
                                             "options ndots:2\n");
    EXPECT_EQ(conf.NameServers, (std::vector<std::string>{"192.168.1.1", "9.9.9.9"}));
    EXPECT_EQ(conf.Domain, "last.example");
}

TEST(ResolvConf, SearchAfterDomainWinsWithItsFirstEntry)
{
    EXPECT_EQ(ParseResolvConf("domain a.example\nsearch b.example c.example\n").Domain, "b.example");
}

TEST(ResolvConf, IgnoresMalformedServerLinesAndBareKeywords)
{
    const TResolvConf conf = ParseResolvConf("nameserver\nnameserver 300.1.1.1\nnameserver 1.2.3\nsearch\n#nameserver 8.8.4.4\n");
    EXPECT_TRUE(conf.NameServers.empty());
    EXPECT_EQ(conf.Domain, "");
}

TEST(ResolvConf, HandlesTabsAndAMissingFinalLineEnd)
{
    const TResolvConf conf = ParseResolvConf("nameserver\t10.0.0.1\nsearch\tlan");
    EXPECT_EQ(conf.NameServers, (std::vector<std::string>{"10.0.0.1"}));
    EXPECT_EQ(conf.Domain, "lan");
}

TEST(ResolvConf, StubOnlyListTakesTheUpstreamServers)
{
    TTempFolder folder;
    folder.Write("resolv.conf", "nameserver 127.0.0.53\nsearch home.example\n");
    folder.Write("upstream.conf", "nameserver 10.1.1.1\nnameserver 10.1.1.2\nsearch ignored.example\n");
    const TResolvConf conf = ReadResolvConf((folder.Path() / "resolv.conf").string(), (folder.Path() / "upstream.conf").string());
    EXPECT_EQ(conf.NameServers, (std::vector<std::string>{"10.1.1.1", "10.1.1.2"}));
    EXPECT_EQ(conf.Domain, "home.example");
}

TEST(ResolvConf, StubStaysWhenUpstreamIsMissingOrEmpty)
{
    TTempFolder folder;
    folder.Write("resolv.conf", "nameserver 127.0.0.53\n");
    folder.Write("empty.conf", "# nothing\n");
    const std::string main = (folder.Path() / "resolv.conf").string();
    EXPECT_EQ(ReadResolvConf(main, (folder.Path() / "absent.conf").string()).NameServers,
              (std::vector<std::string>{"127.0.0.53"}));
    EXPECT_EQ(ReadResolvConf(main, (folder.Path() / "empty.conf").string()).NameServers,
              (std::vector<std::string>{"127.0.0.53"}));
}

TEST(ResolvConf, StubBesideOtherServersIsKept)
{
    TTempFolder folder;
    folder.Write("resolv.conf", "nameserver 127.0.0.53\nnameserver 10.9.9.9\n");
    folder.Write("upstream.conf", "nameserver 10.1.1.1\n");
    EXPECT_EQ(ReadResolvConf((folder.Path() / "resolv.conf").string(), (folder.Path() / "upstream.conf").string()).NameServers,
              (std::vector<std::string>{"127.0.0.53", "10.9.9.9"}));
}

TEST(ResolvConf, MissingFileGivesNothing)
{
    const TResolvConf conf = ReadResolvConf("/nonexistent/vorlix/resolv.conf", "/nonexistent/vorlix/upstream.conf");
    EXPECT_TRUE(conf.NameServers.empty());
    EXPECT_TRUE(conf.Domain.empty());
}

TEST(SysfsNetReader, WirelessAndMobileHintsOverrideTheHardwareType)
{
    TTempFolder folder;
    folder.Write("wphy/phy80211", "");
    std::filesystem::create_directories(folder.Path() / "wext" / "wireless");
    folder.Write("wlan0/uevent", "DEVTYPE=wlan\nINTERFACE=wlan0\n");
    folder.Write("wwan0/uevent", "INTERFACE=wwan0\nDEVTYPE=wwan\n");
    folder.Write("eth0/uevent", "INTERFACE=eth0\nIFINDEX=2\n");
    const TSysfsNetReader sysfs(folder.Path().string());
    struct Row {
        const char *name;
        IFTYPE type;
    };
    for (const Row &row : {Row{"wphy", IF_TYPE_IEEE80211}, Row{"wext", IF_TYPE_IEEE80211}, Row{"wlan0", IF_TYPE_IEEE80211},
                           Row{"wwan0", IF_TYPE_WWANPP}, Row{"eth0", IF_TYPE_ETHERNET_CSMACD},
                           Row{"absent", IF_TYPE_ETHERNET_CSMACD}})
        EXPECT_EQ(InterfaceType(ARPHRD_ETHER, sysfs.MediaHint(row.name)), row.type) << row.name;
}

TEST(SysfsNetReader, SpeedIsMegabitsTimesAMillionAndZeroWhenUnknown)
{
    TTempFolder folder;
    folder.Write("fast/speed", "10000\n");
    folder.Write("unknown/speed", "-1\n");
    folder.Write("garbage/speed", "fast\n");
    folder.Write("empty/speed", "");
    const TSysfsNetReader sysfs(folder.Path().string());
    EXPECT_EQ(sysfs.Speed("fast"), 10'000'000'000u);
    EXPECT_EQ(sysfs.Speed("unknown"), 0u);
    EXPECT_EQ(sysfs.Speed("garbage"), 0u);
    EXPECT_EQ(sysfs.Speed("empty"), 0u);
    EXPECT_EQ(sysfs.Speed("absent"), 0u);
}

TEST(SysfsNetReader, DriverNameIsTheDriverLinksTarget)
{
    TTempFolder folder;
    std::filesystem::create_directories(folder.Path() / "drivers" / "e1000e");
    std::filesystem::create_directories(folder.Path() / "eth0" / "device");
    std::filesystem::create_symlink(folder.Path() / "drivers" / "e1000e", folder.Path() / "eth0" / "device" / "driver");
    const TSysfsNetReader sysfs(folder.Path().string());
    EXPECT_EQ(sysfs.DriverName("eth0"), "e1000e");
    EXPECT_EQ(sysfs.DriverName("veth0"), "");
}

TEST(InterfaceType, HardwareTypesMapToIanaTypes)
{
    struct Row {
        std::uint16_t hardware;
        IFTYPE type;
    };
    for (const Row &row : {Row{ARPHRD_ETHER, 6}, Row{ARPHRD_LOOPBACK, 24}, Row{ARPHRD_IEEE80211_RADIOTAP, 71},
                           Row{ARPHRD_PPP, 23}, Row{ARPHRD_TUNNEL, 131}, Row{ARPHRD_TUNNEL6, 131}, Row{ARPHRD_SIT, 131},
                           Row{ARPHRD_IPGRE, 131}, Row{ARPHRD_IP6GRE, 131}, Row{ARPHRD_NONE, 131}, Row{ARPHRD_RAWIP, 131},
                           Row{ARPHRD_IEEE1394, 144}, Row{ARPHRD_ATM, 37}, Row{ARPHRD_FDDI, 15},
                           Row{ARPHRD_IEEE802_TR, 9}, Row{ARPHRD_INFINIBAND, 1}, Row{ARPHRD_CAN, 1}})
        EXPECT_EQ(InterfaceType(row.hardware, TSysfsNetReader::TMediaHint::None), row.type) << row.hardware;
    EXPECT_EQ(InterfaceType(ARPHRD_RAWIP, TSysfsNetReader::TMediaHint::Wwan), IF_TYPE_WWANPP);
}

TEST(LinkStatus, FlagsAndOperationalStateMapToAdminAndOperStatus)
{
    struct Row {
        const char *name;
        std::uint32_t flags;
        std::uint8_t state;
        DWORD admin;
        DWORD oper;
        IF_OPER_STATUS extended;
    };
    constexpr std::uint32_t Up = IFF_UP;
    constexpr std::uint32_t Running = IFF_UP | IFF_RUNNING;
    for (const Row &row : {
             Row{"down", 0, IF_OPER_UP, 2, 0, IfOperStatusDown},
             Row{"up", Running, IF_OPER_UP, 1, 5, IfOperStatusUp},
             Row{"unknown running", Running, IF_OPER_UNKNOWN, 1, 5, IfOperStatusUp},
             Row{"unknown idle", Up, IF_OPER_UNKNOWN, 1, 2, IfOperStatusDown},
             Row{"dormant", Up, IF_OPER_DORMANT, 1, 3, IfOperStatusDormant},
             Row{"no carrier", Up, IF_OPER_DOWN, 1, 2, IfOperStatusDown},
             Row{"lower down", Up, IF_OPER_LOWERLAYERDOWN, 1, 2, IfOperStatusLowerLayerDown},
             Row{"testing", Up, IF_OPER_TESTING, 3, 0, IfOperStatusTesting},
             Row{"not present", Up, IF_OPER_NOTPRESENT, 1, 0, IfOperStatusNotPresent},
         }) {
        const TLinkStatus status = LinkStatus(row.flags, row.state);
        EXPECT_EQ(status.Admin, row.admin) << row.name;
        EXPECT_EQ(status.Oper, row.oper) << row.name;
        EXPECT_EQ(status.ExtendedOper, row.extended) << row.name;
    }
}

TEST(NeighbourType, StatesMapToArpEntryTypes)
{
    EXPECT_EQ(NeighbourType(NUD_PERMANENT), MIB_IPNET_TYPE_STATIC);
    EXPECT_EQ(NeighbourType(NUD_NOARP), MIB_IPNET_TYPE_STATIC);
    for (std::uint16_t state : {NUD_REACHABLE, NUD_STALE, NUD_DELAY, NUD_PROBE})
        EXPECT_EQ(NeighbourType(state), MIB_IPNET_TYPE_DYNAMIC) << state;
    EXPECT_EQ(NeighbourType(NUD_FAILED), MIB_IPNET_TYPE_INVALID);
    EXPECT_EQ(NeighbourType(NUD_INCOMPLETE), MIB_IPNET_TYPE_INVALID);
    EXPECT_EQ(NeighbourType(NUD_NONE), MIB_IPNET_TYPE_OTHER);
}

} // namespace

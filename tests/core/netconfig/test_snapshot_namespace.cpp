#include "Quarl_NCC.h"
#include "TNetworkNamespace.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <linux/if_link.h>
#include <net/if.h>
#include <netpacket/packet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <string>

// A snapshot of real interfaces in a namespace the test makes: a veth pair with an address, an alias, an MTU
// and a permanent neighbour on the peer's side.
namespace {

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.pop_back();
    return text;
}

// Sends count datagrams of size bytes each to the address through the route of the calling thread's namespace.
bool SendDatagrams(const char *address, int count, std::size_t size)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(9);
    target.sin_addr.s_addr = inet_addr(address);
    const std::string payload(size, 'x');
    bool sent = true;
    for (int i = 0; i < count; ++i)
        sent = sent && ::sendto(fd, payload.data(), payload.size(), 0, reinterpret_cast<sockaddr *>(&target),
                                sizeof target) == static_cast<ssize_t>(payload.size());
    ::close(fd);
    return sent;
}

struct TKernelLink {
    std::string Name;
    std::uint32_t Index = 0;
    std::uint64_t InOctets = 0;
    std::uint64_t OutOctets = 0;
};

// The kernel's own view of the calling thread's namespace, keyed by hardware address text.
std::map<std::string, TKernelLink> KernelLinksByAddress()
{
    std::map<std::string, TKernelLink> links;
    ifaddrs *list = nullptr;
    if (::getifaddrs(&list) != 0)
        return links;
    for (const ifaddrs *entry = list; entry != nullptr; entry = entry->ifa_next) {
        if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_PACKET || entry->ifa_data == nullptr)
            continue;
        const auto *packet = reinterpret_cast<const sockaddr_ll *>(entry->ifa_addr);
        std::string address;
        for (int i = 0; i < packet->sll_halen; ++i) {
            char pair[4];
            std::snprintf(pair, sizeof pair, i == 0 ? "%02X" : ":%02X", packet->sll_addr[i]);
            address += pair;
        }
        const auto *stats = static_cast<const rtnl_link_stats *>(entry->ifa_data);
        links[address] = {entry->ifa_name, static_cast<std::uint32_t>(packet->sll_ifindex), stats->rx_bytes,
                          stats->tx_bytes};
    }
    ::freeifaddrs(list);
    return links;
}

bool IsUtf8(const std::string &text)
{
    return text.find_first_of("\xfe\xff") == std::string::npos;
}

} // namespace

// Pairs of names that differ only in letter case, in the text after a "}", or in bytes that are not UTF-8: each
// adapter must carry its own kernel index and read its own counters.
TEST(SnapshotOfRealInterfaces, EveryAdapterKeepsItsOwnIndexWhateverItsName)
{
    TNetworkNamespace ns;
    if (!ns.IsCreated())
        GTEST_SKIP() << "cannot make a network namespace (needs root and iproute2)";
    struct TPair {
        std::string Sender, Receiver, SenderMac, ReceiverMac, Net;
    };
    const TPair pairs[] = {{"Up0", "up0", "02:00:00:00:01:01", "02:00:00:00:01:02", "10.78.1"},
                           {"br}", "br}ace", "02:00:00:00:02:01", "02:00:00:00:02:02", "10.78.2"},
                           {"x\xff", "x\xfe", "02:00:00:00:03:01", "02:00:00:00:03:02", "10.78.3"}};
    for (const TPair &pair : pairs) {
        ASSERT_TRUE(ns.Ip("link add '" + pair.Sender + "' address " + pair.SenderMac + " type veth peer name '" +
                          pair.Receiver + "' address " + pair.ReceiverMac));
        ASSERT_TRUE(ns.Ip("link set '" + pair.Sender + "' up"));
        ASSERT_TRUE(ns.Ip("link set '" + pair.Receiver + "' up"));
        ASSERT_TRUE(ns.Ip("addr add " + pair.Net + ".1/24 dev '" + pair.Sender + "'"));
        ASSERT_TRUE(ns.Ip("neigh add " + pair.Net + ".2 lladdr " + pair.ReceiverMac + " dev '" + pair.Sender +
                          "' nud permanent"));
    }

    ASSERT_TRUE(ns.Run([&] {
        for (const TPair &pair : pairs)
            ASSERT_TRUE(SendDatagrams((pair.Net + ".2").c_str(), 10, 700));
        TNetworkConfiguration config;
        config.RefreshData();
        const auto before = KernelLinksByAddress();
        std::map<std::string, std::pair<std::uint64_t, std::uint64_t>> read;
        for (std::uint16_t i = 0; i < config.AdapterCount(); ++i) {
            const TAdapter adapter = config.Adapter(i);
            auto &counters = read[adapter.MACAddress];
            config.GetTraffic(adapter.IntfIdx, counters.first, counters.second);
        }
        const auto after = KernelLinksByAddress();
        for (const TPair &pair : pairs) {
            for (const std::string &mac : {pair.SenderMac, pair.ReceiverMac}) {
                SCOPED_TRACE(mac);
                const std::string key = Upper(mac);
                ASSERT_TRUE(before.contains(key) && after.contains(key));
                const TKernelLink &kernel = after.at(key);
                int found = -1;
                for (std::uint16_t i = 0; i < config.AdapterCount(); ++i)
                    if (config.Adapter(i).MACAddress == key)
                        found = i;
                ASSERT_GE(found, 0);
                const TAdapter adapter = config.Adapter(static_cast<std::uint16_t>(found));
                EXPECT_EQ(adapter.IntfIdx, kernel.Index);
                EXPECT_EQ(adapter.IntfIdx, ::if_nametoindex(kernel.Name.c_str()));
                if (IsUtf8(kernel.Name)) {
                    EXPECT_EQ(adapter.Name, kernel.Name);
                }
                const auto &[in, out] = read.at(key);
                EXPECT_GE(in, before.at(key).InOctets);
                EXPECT_LE(in, kernel.InOctets);
                EXPECT_GE(out, before.at(key).OutOctets);
                EXPECT_LE(out, kernel.OutOctets);
            }
            // The traffic tells the two ends apart: the sender sent what the receiver got.
            EXPECT_GE(read.at(Upper(pair.SenderMac)).second, 7000u);
            EXPECT_GE(read.at(Upper(pair.ReceiverMac)).first, 7000u);
        }
    }));
}

TEST(SnapshotOfRealInterfaces, ReportsTheVethPairAsTheKernelHasIt)
{
    TNetworkNamespace ns;
    if (!ns.IsCreated())
        GTEST_SKIP() << "cannot make a network namespace (needs root and iproute2)";
    ASSERT_TRUE(ns.Ip("link add vxa type veth peer name vxb"));
    ASSERT_TRUE(ns.Ip("link set vxa mtu 1400 alias uplink up"));
    ASSERT_TRUE(ns.Ip("link set vxb up"));
    ASSERT_TRUE(ns.Ip("addr add 10.77.0.1/24 dev vxa"));
    const std::string peerMac = Upper(ns.Output("cat /sys/class/net/vxb/address"));
    const std::string ownMac = Upper(ns.Output("cat /sys/class/net/vxa/address"));
    ASSERT_EQ(peerMac.size(), 17u);
    ASSERT_TRUE(ns.Ip("neigh add 10.77.0.2 lladdr " + peerMac + " dev vxa nud permanent"));

    ASSERT_TRUE(ns.Run([&] {
        TNetworkConfiguration config;
        config.RefreshData();
        const int a = config.FindAdapter(std::string_view("vxa"));
        const int b = config.FindAdapter(std::string_view("vxb"));
        ASSERT_GE(a, 0);
        ASSERT_GE(b, 0);
        const TAdapter vxa = config.Adapter(static_cast<std::uint16_t>(a));
        EXPECT_EQ(vxa.MACAddress, ownMac);
        EXPECT_EQ(config.Adapter(static_cast<std::uint16_t>(b)).MACAddress, peerMac);
        EXPECT_EQ(vxa.MTU, 1400u);
        EXPECT_EQ(vxa.Alias, "uplink");
        EXPECT_EQ(vxa.Typ, TAdapterType::atEthernet);
        EXPECT_EQ(vxa.AdminStatus, TAdapterAdminStatus::aasUp);
        EXPECT_EQ(vxa.OperStatus, TAdapterOperationalStatus::aosOperational);
        ASSERT_FALSE(vxa.IPAddress.Empty());
        EXPECT_EQ(vxa.IPAddress[0], "10.77.0.1=255.255.255.0");

        const int row = config.FindAddress(std::string_view("10.77.0.1"));
        ASSERT_GE(row, 0);
        EXPECT_EQ(config.AddressRecord(static_cast<std::uint16_t>(row)).IntfIdx, vxa.IntfIdx);
        bool peerRow = false;
        for (std::uint16_t i = 0; i < config.ARPRecordCount(); ++i) {
            const TAddressRecord arp = config.ARPRecord(i);
            if (arp.IP == "10.77.0.2") {
                peerRow = true;
                EXPECT_EQ(arp.Physical, peerMac);
                EXPECT_EQ(arp.IntfIdx, vxa.IntfIdx);
                EXPECT_EQ(arp.ARPType, 4u);
            }
        }
        EXPECT_TRUE(peerRow);

        std::uint64_t inBefore = 0, outBefore = 0, inAfter = 0, outAfter = 0;
        config.GetTraffic(vxa.IntfIdx, inBefore, outBefore);
        constexpr int Count = 20;
        constexpr std::size_t Size = 1000;
        ASSERT_TRUE(SendDatagrams("10.77.0.2", Count, Size));
        config.GetTraffic(vxa.IntfIdx, inAfter, outAfter);
        EXPECT_GE(outAfter - outBefore, std::uint64_t{Count * Size});
        const std::uint64_t kernel = std::stoull(ns.Output("cat /sys/class/net/vxa/statistics/tx_bytes"));
        EXPECT_LE(outAfter, kernel); // the kernel may send its own frames in between
        std::uint64_t peerIn = 0, peerOut = 0;
        config.GetTraffic(config.Adapter(static_cast<std::uint16_t>(b)).IntfIdx, peerIn, peerOut);
        EXPECT_GE(peerIn, std::uint64_t{Count * Size});
    }));
}

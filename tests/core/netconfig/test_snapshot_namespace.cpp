#include "Quarl_NCC.h"
#include "TNetworkNamespace.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
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

} // namespace

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

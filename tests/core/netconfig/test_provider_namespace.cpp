#include "Quarl_IpHlpAPI.h"
#include "TLinuxNetRoots.h"
#include "TNetworkNamespace.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr const char *Alias = "Vorlix test ünïcode";

std::string Narrow(const WCHAR *text)
{
    std::string out;
    for (; *text; ++text)
        out += *text < 0x80 ? static_cast<char>(*text) : '?';
    return out;
}

std::u16string Wide(const WCHAR *text)
{
    std::u16string out;
    for (; *text; ++text)
        out += static_cast<char16_t>(*text);
    return out;
}

std::string MacText(const BYTE *bytes, std::size_t length)
{
    std::string text;
    char pair[4];
    for (std::size_t i = 0; i < length; ++i) {
        std::snprintf(pair, sizeof(pair), i ? ":%02x" : "%02x", bytes[i]);
        text += pair;
    }
    return text;
}

std::uint32_t Address(const char *text)
{
    return inet_addr(text);
}

std::uint64_t Number(const std::string &text)
{
    return text.empty() ? 0 : std::stoull(text);
}

// A size query, then the call with the size it asked for.
template <class TCall>
std::unique_ptr<std::uint64_t[]> Query(TCall call, DWORD tooSmall)
{
    ULONG size = 0;
    EXPECT_EQ(call(nullptr, &size), tooSmall);
    EXPECT_GT(size, 0u);
    auto buffer = std::make_unique<std::uint64_t[]>(size / 8 + 1);
    EXPECT_EQ(call(buffer.get(), &size), NO_ERROR);
    return buffer;
}

// Two namespaces joined by a veth pair: vxa (10.77.0.1/24 and more) here, vxb (10.77.0.2/24) there,
// plus an interface left down. This kernel has no dummy module, so a second veth pair stands in for it.
class ProviderInNamespace : public testing::Test {
protected:
    void SetUp() override
    {
        if (!FHere.IsCreated() || !FThere.IsCreated())
            GTEST_SKIP() << "cannot create network namespaces (needs root and iproute2's ip netns)";
        const std::string there = FThere.Name();
        ASSERT_TRUE(FHere.Ip("link add vxa type veth peer name vxb netns " + there));
        ASSERT_TRUE(FHere.Ip("link add vxdown type veth peer name vxdownpeer"));
        ASSERT_TRUE(FHere.Ip("link set vxa mtu 1400"));
        ASSERT_TRUE(FHere.Ip(std::string("link set vxa alias '") + Alias + "'"));
        ASSERT_TRUE(FHere.Ip("addr add 10.77.0.1/24 dev vxa"));
        ASSERT_TRUE(FHere.Ip("addr add 10.77.0.9/24 dev vxa"));
        ASSERT_TRUE(FHere.Ip("addr add 10.78.0.1/16 dev vxa"));
        ASSERT_TRUE(FHere.Ip("link set lo up"));
        ASSERT_TRUE(FHere.Ip("link set vxa up"));
        ASSERT_TRUE(FThere.Ip("addr add 10.77.0.2/24 dev vxb"));
        ASSERT_TRUE(FThere.Ip("link set vxb up"));
        ASSERT_TRUE(FHere.Ip("route add default via 10.77.0.2"));
        FPeerMac = FThere.Output("cat /sys/class/net/vxb/address");
        FOwnMac = FHere.Output("cat /sys/class/net/vxa/address");
        FOwnMac.erase(FOwnMac.find_last_not_of('\n') + 1);
        FPeerMac.erase(FPeerMac.find_last_not_of('\n') + 1);
        FIndex = static_cast<DWORD>(Number(FHere.Output("cat /sys/class/net/vxa/ifindex")));
        ASSERT_NE(FIndex, 0u);
    }

    void InHere(const std::function<void()> &body)
    {
        ASSERT_TRUE(FHere.Run([&] {
            ASSERT_TRUE(InitIpHlpAPI());
            body();
        }));
    }

    // Sends `count` datagrams of `size` bytes from here to the peer.
    static void SendToPeer(int count, std::size_t size)
    {
        const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        ASSERT_GE(fd, 0);
        sockaddr_in peer{};
        peer.sin_family = AF_INET;
        peer.sin_port = htons(9);
        peer.sin_addr.s_addr = Address("10.77.0.2");
        const std::vector<char> payload(size, 'v');
        for (int i = 0; i < count; ++i) {
            const auto sent = ::sendto(fd, payload.data(), payload.size(), 0, reinterpret_cast<sockaddr *>(&peer), sizeof(peer));
            EXPECT_EQ(sent, static_cast<ssize_t>(size));
        }
        ::close(fd);
    }

    TNetworkNamespace FHere;
    TNetworkNamespace FThere;
    std::string FOwnMac, FPeerMac;
    DWORD FIndex = 0;
};

TEST_F(ProviderInNamespace, AdaptersInfoListsEveryLinkWithItsAddressesMasksAndGateway)
{
    InHere([&] {
        auto buffer = Query([](void *b, PULONG s) { return IpHlpAPI.GetAdaptersInfo(static_cast<PIP_ADAPTER_INFO>(b), s); },
                            ERROR_BUFFER_OVERFLOW);
        std::vector<std::string> names;
        const IP_ADAPTER_INFO *vxa = nullptr, *lo = nullptr, *down = nullptr;
        for (auto *info = reinterpret_cast<const IP_ADAPTER_INFO *>(buffer.get()); info; info = info->Next) {
            names.emplace_back(info->AdapterName);
            if (names.back() == "vxa")
                vxa = info;
            if (names.back() == "lo")
                lo = info;
            if (names.back() == "vxdown")
                down = info;
        }
        ASSERT_TRUE(vxa && lo && down) << testing::PrintToString(names);
        EXPECT_EQ(vxa->Index, FIndex);
        EXPECT_EQ(vxa->Type, IF_TYPE_ETHERNET_CSMACD);
        EXPECT_EQ(lo->Type, IF_TYPE_SOFTWARE_LOOPBACK);
        EXPECT_EQ(MacText(vxa->Address, vxa->AddressLength), FOwnMac);
        EXPECT_STREQ(vxa->Description, "veth");

        std::vector<std::string> lines;
        for (const IP_ADDR_STRING *node = &vxa->IpAddressList; node; node = node->Next)
            lines.push_back(std::string(node->IpAddress.String) + "=" + node->IpMask.String);
        // The kernel's order: primary addresses first, then the secondary one of 10.77.0.0/24.
        EXPECT_EQ(lines, (std::vector<std::string>{"10.77.0.1=255.255.255.0", "10.78.0.1=255.255.0.0",
                                                   "10.77.0.9=255.255.255.0"}));
        EXPECT_STREQ(vxa->GatewayList.IpAddress.String, "10.77.0.2");
        EXPECT_EQ(vxa->GatewayList.Next, nullptr);
        // No address still gives the one node every list has.
        EXPECT_STREQ(down->IpAddressList.IpAddress.String, "0.0.0.0");
        EXPECT_EQ(down->IpAddressList.Next, nullptr);
    });
}

TEST_F(ProviderInNamespace, InterfaceRowsReportNameMtuTypeStatusAndAlias)
{
    InHere([&] {
        MIB_IFROW row{};
        row.dwIndex = FIndex;
        ASSERT_EQ(IpHlpAPI.GetIfEntry(&row), NO_ERROR);
        EXPECT_EQ(Narrow(row.wszName), "vxa");
        EXPECT_EQ(row.dwMtu, 1400u);
        EXPECT_EQ(row.dwType, IF_TYPE_ETHERNET_CSMACD);
        EXPECT_EQ(row.dwAdminStatus, MIB_IF_ADMIN_STATUS_UP);
        EXPECT_EQ(row.dwOperStatus, MIB_IF_OPER_STATUS_OPERATIONAL);
        EXPECT_EQ(MacText(row.bPhysAddr, row.dwPhysAddrLen), FOwnMac);

        MIB_IF_ROW2 extended{};
        extended.InterfaceIndex = FIndex;
        ASSERT_EQ(IpHlpAPI.GetIfEntry2(&extended), NO_ERROR);
        EXPECT_EQ(Narrow(extended.Description), "vxa");
        EXPECT_EQ(Wide(extended.Alias), u"Vorlix test ünïcode");
        EXPECT_EQ(extended.Mtu, 1400u);
        EXPECT_EQ(extended.OperStatus, IfOperStatusUp);
        EXPECT_EQ(extended.AdminStatus, NET_IF_ADMIN_STATUS_UP);

        NET_LUID luid{};
        ASSERT_EQ(IpHlpAPI.ConvertInterfaceIndexToLuid(FIndex, &luid), NO_ERROR);
        WCHAR alias[IF_MAX_STRING_SIZE + 1] = {};
        ASSERT_EQ(IpHlpAPI.ConvertInterfaceLuidToAlias(&luid, alias, IF_MAX_STRING_SIZE + 1), NO_ERROR);
        EXPECT_EQ(Wide(alias), u"Vorlix test ünïcode");
        WCHAR tooShort[4] = {};
        EXPECT_EQ(IpHlpAPI.ConvertInterfaceLuidToAlias(&luid, tooShort, 4), ERROR_NOT_ENOUGH_MEMORY);
    });
}

TEST_F(ProviderInNamespace, DownInterfaceIsAdministrativelyDownAndNotOperational)
{
    InHere([&] {
        const DWORD index = static_cast<DWORD>(Number(FHere.Output("cat /sys/class/net/vxdown/ifindex")));
        MIB_IFROW row{};
        row.dwIndex = index;
        ASSERT_EQ(IpHlpAPI.GetIfEntry(&row), NO_ERROR);
        EXPECT_EQ(row.dwAdminStatus, MIB_IF_ADMIN_STATUS_DOWN);
        EXPECT_EQ(row.dwOperStatus, MIB_IF_OPER_STATUS_NON_OPERATIONAL);
        MIB_IF_ROW2 extended{};
        extended.InterfaceIndex = index;
        ASSERT_EQ(IpHlpAPI.GetIfEntry2(&extended), NO_ERROR);
        EXPECT_EQ(Wide(extended.Alias), u"");
    });
}

TEST_F(ProviderInNamespace, UnknownIndexIsRefusedByBothRows)
{
    InHere([&] {
        MIB_IFROW row{};
        row.dwIndex = 999999;
        EXPECT_EQ(IpHlpAPI.GetIfEntry(&row), ERROR_INVALID_DATA);
        MIB_IF_ROW2 extended{};
        extended.InterfaceIndex = 999999;
        EXPECT_EQ(IpHlpAPI.GetIfEntry2(&extended), ERROR_FILE_NOT_FOUND);
        NET_LUID luid{};
        EXPECT_EQ(IpHlpAPI.ConvertInterfaceIndexToLuid(999999, &luid), ERROR_FILE_NOT_FOUND);
    });
}

TEST_F(ProviderInNamespace, CountersGrowByTheBytesSentAcrossTheVethPairAndMatchTheKernel)
{
    constexpr int Count = 50;
    constexpr std::size_t Size = 1000;
    InHere([&] {
        MIB_IF_ROW2 before{};
        before.InterfaceIndex = FIndex;
        ASSERT_EQ(IpHlpAPI.GetIfEntry2(&before), NO_ERROR);
        SendToPeer(Count, Size);
        // Sending waits for ARP; give the queue a moment to drain onto the wire.
        std::uint64_t grown = 0;
        MIB_IF_ROW2 after{};
        for (int attempt = 0; attempt < 100 && grown < Count * Size; ++attempt) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            after = MIB_IF_ROW2{};
            after.InterfaceIndex = FIndex;
            ASSERT_EQ(IpHlpAPI.GetIfEntry2(&after), NO_ERROR);
            grown = after.OutOctets - before.OutOctets;
        }
        EXPECT_GE(grown, Count * Size);

        const std::uint64_t kernelBefore = Number(FHere.Output("cat /sys/class/net/vxa/statistics/tx_bytes"));
        MIB_IF_ROW2 now{};
        now.InterfaceIndex = FIndex;
        ASSERT_EQ(IpHlpAPI.GetIfEntry2(&now), NO_ERROR);
        MIB_IFROW narrow{};
        narrow.dwIndex = FIndex;
        ASSERT_EQ(IpHlpAPI.GetIfEntry(&narrow), NO_ERROR);
        const std::uint64_t kernelAfter = Number(FHere.Output("cat /sys/class/net/vxa/statistics/tx_bytes"));
        EXPECT_LE(kernelBefore, now.OutOctets);
        EXPECT_LE(now.OutOctets, kernelAfter);
        EXPECT_EQ(narrow.dwOutOctets, static_cast<DWORD>(now.OutOctets)) << "no traffic between the two reads";
    });
    ASSERT_TRUE(FThere.Run([&] {
        ASSERT_TRUE(InitIpHlpAPI());
        const DWORD peer = static_cast<DWORD>(Number(FThere.Output("cat /sys/class/net/vxb/ifindex")));
        MIB_IF_ROW2 row{};
        row.InterfaceIndex = peer;
        ASSERT_EQ(IpHlpAPI.GetIfEntry2(&row), NO_ERROR);
        EXPECT_GE(row.InOctets, Count * Size);
        EXPECT_EQ(row.InOctets, Number(FThere.Output("cat /sys/class/net/vxb/statistics/rx_bytes")));
    }));
}

TEST_F(ProviderInNamespace, ArpTableHoldsThePeerOnceTrafficResolvedIt)
{
    InHere([&] {
        SendToPeer(1, 10);
        std::optional<MIB_IPNETROW> found;
        for (int attempt = 0; attempt < 100 && !(found && found->dwType == MIB_IPNET_TYPE_DYNAMIC); ++attempt) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            auto buffer = Query([](void *b, PULONG s) { return IpHlpAPI.GetIpNetTable(static_cast<PMIB_IPNETTABLE>(b), s, TRUE); },
                                ERROR_INSUFFICIENT_BUFFER);
            const auto *table = reinterpret_cast<const MIB_IPNETTABLE *>(buffer.get());
            for (DWORD i = 0; i < table->dwNumEntries; ++i)
                if (table->table[i].dwAddr == Address("10.77.0.2"))
                    found = table->table[i];
        }
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(found->dwIndex, FIndex);
        EXPECT_EQ(found->dwType, MIB_IPNET_TYPE_DYNAMIC);
        EXPECT_EQ(MacText(found->bPhysAddr, found->dwPhysAddrLen), FPeerMac);
    });
}

TEST_F(ProviderInNamespace, AddressTableMarksSecondaryAddressesAndSortsOnRequest)
{
    InHere([&] {
        auto buffer = Query([](void *b, PULONG s) { return IpHlpAPI.GetIpAddrTable(static_cast<PMIB_IPADDRTABLE>(b), s, TRUE); },
                            ERROR_INSUFFICIENT_BUFFER);
        const auto *table = reinterpret_cast<const MIB_IPADDRTABLE *>(buffer.get());
        std::vector<std::string> rows;
        for (DWORD i = 0; i < table->dwNumEntries; ++i) {
            const MIB_IPADDRROW &row = table->table[i];
            in_addr address{row.dwAddr}, mask{row.dwMask};
            std::string line = inet_ntoa(address);
            line += "/";
            line += inet_ntoa(mask);
            line += row.wType & MIB_IPADDR_PRIMARY ? " primary" : " secondary";
            rows.push_back(line + (row.dwIndex == FIndex ? " vxa" : ""));
        }
        EXPECT_EQ(rows, (std::vector<std::string>{"10.77.0.1/255.255.255.0 primary vxa", "10.77.0.9/255.255.255.0 secondary vxa",
                                                  "10.78.0.1/255.255.0.0 primary vxa", "127.0.0.1/255.0.0.0 primary"}));
    });
}

TEST_F(ProviderInNamespace, BestInterfaceFollowsTheDefaultRouteWithoutSending)
{
    InHere([&] {
        DWORD index = 0;
        ASSERT_EQ(IpHlpAPI.GetBestInterface(Address("8.8.8.8"), &index), NO_ERROR);
        EXPECT_EQ(index, FIndex);
        ASSERT_TRUE(FHere.Ip("route del default"));
        EXPECT_NE(IpHlpAPI.GetBestInterface(Address("8.8.8.8"), &index), NO_ERROR);
    });
}

TEST_F(ProviderInNamespace, BufferTooSmallAnswersReportTheSizeThatThenSucceeds)
{
    InHere([&] {
        ULONG size = 0;
        ASSERT_EQ(IpHlpAPI.GetAdaptersInfo(nullptr, &size), ERROR_BUFFER_OVERFLOW);
        ULONG oneShort = size - 1;
        auto buffer = std::make_unique<std::uint64_t[]>(size / 8 + 1);
        EXPECT_EQ(IpHlpAPI.GetAdaptersInfo(reinterpret_cast<PIP_ADAPTER_INFO>(buffer.get()), &oneShort), ERROR_BUFFER_OVERFLOW);
        EXPECT_EQ(oneShort, size);
        EXPECT_EQ(IpHlpAPI.GetAdaptersInfo(reinterpret_cast<PIP_ADAPTER_INFO>(buffer.get()), &size), NO_ERROR);

        auto names = Query([](void *b, PULONG s) { return IpHlpAPI.GetInterfaceInfo(static_cast<PIP_INTERFACE_INFO>(b), s); },
                           ERROR_INSUFFICIENT_BUFFER);
        const auto *info = reinterpret_cast<const IP_INTERFACE_INFO *>(names.get());
        bool listed = false;
        for (LONG i = 0; i < info->NumAdapters; ++i)
            listed = listed || (Narrow(info->Adapter[i].Name) == "vxa" && info->Adapter[i].Index == FIndex);
        EXPECT_TRUE(listed);

        auto addresses = Query(
            [](void *b, PULONG s) {
                return IpHlpAPI.GetAdaptersAddresses(AF_INET_IPHLP, GAA_FLAG_INCLUDE_PREFIX, nullptr,
                                                     static_cast<PIP_ADAPTER_ADDRESSES>(b), s);
            },
            ERROR_BUFFER_OVERFLOW);
        const IP_ADAPTER_ADDRESSES *vxa = nullptr;
        for (auto *a = reinterpret_cast<const IP_ADAPTER_ADDRESSES *>(addresses.get()); a; a = a->Next)
            if (a->IfIndex == FIndex)
                vxa = a;
        ASSERT_NE(vxa, nullptr);
        EXPECT_EQ(Wide(vxa->FriendlyName), u"Vorlix test ünïcode");
        EXPECT_TRUE(vxa->Flags & IP_ADAPTER_IPV4_ENABLED);
        ASSERT_NE(vxa->FirstUnicastAddress, nullptr);
        EXPECT_EQ(reinterpret_cast<const sockaddr_in *>(vxa->FirstUnicastAddress->Address.lpSockaddr)->sin_addr.s_addr,
                  Address("10.77.0.1"));
        ASSERT_NE(vxa->FirstPrefix, nullptr);
        EXPECT_EQ(vxa->FirstPrefix->PrefixLength, 24u);

        auto parameters = Query([](void *b, PULONG s) { return IpHlpAPI.GetNetworkParams(static_cast<PFIXED_INFO>(b), s); },
                                ERROR_BUFFER_OVERFLOW);
        char host[256] = {};
        ::gethostname(host, sizeof(host) - 1);
        EXPECT_STREQ(reinterpret_cast<const FIXED_INFO *>(parameters.get())->HostName, host);
    });
}

// Points the provider at a resolver file of the test's own, and back afterwards.
class TResolverFile {
public:
    explicit TResolverFile(const std::string &text)
        : FPath(std::filesystem::temp_directory_path() / ("vxresolv" + std::to_string(::getpid()))),
          FSaved(TLinuxNetRoots::Process())
    {
        std::ofstream(FPath) << text;
        TLinuxNetRoots::Process().ResolvConf = FPath.string();
        TLinuxNetRoots::Process().UpstreamResolvConf = FPath.string() + ".absent";
    }
    ~TResolverFile()
    {
        TLinuxNetRoots::Process() = FSaved;
        std::filesystem::remove(FPath);
    }

private:
    std::filesystem::path FPath;
    TLinuxNetRoots FSaved;
};

TEST_F(ProviderInNamespace, ResolverServersGoToTheDefaultRouteInterfaceAndTheNetworkParameters)
{
    const TResolverFile resolver("nameserver 10.77.0.53\nnameserver 10.77.0.54\nsearch lab.example\n");
    InHere([&] {
        auto addresses = Query(
            [](void *b, PULONG s) {
                return IpHlpAPI.GetAdaptersAddresses(AF_INET_IPHLP, 0, nullptr, static_cast<PIP_ADAPTER_ADDRESSES>(b), s);
            },
            ERROR_BUFFER_OVERFLOW);
        for (auto *a = reinterpret_cast<const IP_ADAPTER_ADDRESSES *>(addresses.get()); a; a = a->Next) {
            std::vector<std::uint32_t> servers;
            for (auto *server = a->FirstDnsServerAddress; server; server = server->Next)
                servers.push_back(reinterpret_cast<const sockaddr_in *>(server->Address.lpSockaddr)->sin_addr.s_addr);
            if (a->IfIndex == FIndex) {
                EXPECT_EQ(servers, (std::vector<std::uint32_t>{Address("10.77.0.53"), Address("10.77.0.54")}));
                EXPECT_EQ(Wide(a->DnsSuffix), u"lab.example");
            } else {
                EXPECT_TRUE(servers.empty()) << a->AdapterName;
            }
        }

        auto buffer = Query([](void *b, PULONG s) { return IpHlpAPI.GetNetworkParams(static_cast<PFIXED_INFO>(b), s); },
                            ERROR_BUFFER_OVERFLOW);
        const auto *info = reinterpret_cast<const FIXED_INFO *>(buffer.get());
        EXPECT_STREQ(info->DomainName, "lab.example");
        std::vector<std::string> servers;
        for (const IP_ADDR_STRING *node = &info->DnsServerList; node; node = node->Next)
            servers.emplace_back(node->IpAddress.String);
        EXPECT_EQ(servers, (std::vector<std::string>{"10.77.0.53", "10.77.0.54"}));
        EXPECT_EQ(info->EnableRouting, 0u);
        ASSERT_FALSE(FHere.Output("sysctl -w net.ipv4.ip_forward=1").empty());
        buffer = Query([](void *b, PULONG s) { return IpHlpAPI.GetNetworkParams(static_cast<PFIXED_INFO>(b), s); },
                       ERROR_BUFFER_OVERFLOW);
        EXPECT_EQ(reinterpret_cast<const FIXED_INFO *>(buffer.get())->EnableRouting, 1u);
    });
}

TEST(ProviderInEmptyNamespace, EmptyTablesAnswerNoData)
{
    TNetworkNamespace empty;
    if (!empty.IsCreated())
        GTEST_SKIP() << "cannot create network namespaces (needs root and iproute2's ip netns)";
    ASSERT_TRUE(empty.Run([] {
        ASSERT_TRUE(InitIpHlpAPI());
        ULONG size = 0;
        EXPECT_EQ(IpHlpAPI.GetIpAddrTable(nullptr, &size, FALSE), ERROR_NO_DATA);
        EXPECT_EQ(IpHlpAPI.GetIpNetTable(nullptr, &size, FALSE), ERROR_NO_DATA);
        EXPECT_EQ(IpHlpAPI.GetIpAddrTable(nullptr, nullptr, FALSE), ERROR_INVALID_PARAMETER);
        DWORD index = 0;
        EXPECT_NE(IpHlpAPI.GetBestInterface(inet_addr("8.8.8.8"), &index), NO_ERROR);
    }));
}

} // namespace

// Points the provider's sysfs root at a folder of the test's own, with a speed file per interface name.
class TSysfsFolder {
public:
    explicit TSysfsFolder(const std::vector<std::pair<std::string, std::string>> &speeds)
        : FPath(std::filesystem::temp_directory_path() / ("vxsysfs" + std::to_string(::getpid()))),
          FSaved(TLinuxNetRoots::Process())
    {
        for (const auto &[name, speed] : speeds) {
            std::filesystem::create_directories(FPath / name);
            std::ofstream(FPath / name / "speed") << speed << '\n';
        }
        TLinuxNetRoots::Process().SysClassNet = FPath.string();
    }
    ~TSysfsFolder()
    {
        TLinuxNetRoots::Process() = FSaved;
        std::filesystem::remove_all(FPath);
    }

private:
    std::filesystem::path FPath;
    TLinuxNetRoots FSaved;
};

TEST_F(ProviderInNamespace, RenameRightAfterAQueryShowsTheNewNameAndItsSysfsFacts)
{
    const TSysfsFolder sysfs({{"vxdown", "100"}, {"vxrenamed", "2500"}});
    const DWORD index = static_cast<DWORD>(Number(FHere.Output("cat /sys/class/net/vxdown/ifindex")));
    ASSERT_NE(index, 0u);
    InHere([&] {
        const auto adapterOf = [&](const std::unique_ptr<std::uint64_t[]> &buffer) -> const IP_ADAPTER_ADDRESSES * {
            for (auto *a = reinterpret_cast<const IP_ADAPTER_ADDRESSES *>(buffer.get()); a; a = a->Next)
                if (a->IfIndex == index)
                    return a;
            return nullptr;
        };
        const auto query = [] {
            return Query(
                [](void *b, PULONG s) {
                    return IpHlpAPI.GetAdaptersAddresses(AF_UNSPEC_IPHLP, 0, nullptr, static_cast<PIP_ADAPTER_ADDRESSES>(b), s);
                },
                ERROR_BUFFER_OVERFLOW);
        };
        const auto before = query();
        const IP_ADAPTER_ADDRESSES *old = adapterOf(before);
        ASSERT_NE(old, nullptr);
        EXPECT_STREQ(old->AdapterName, "vxdown");
        EXPECT_EQ(old->TransmitLinkSpeed, 100'000'000u);

        ASSERT_TRUE(FHere.Ip("link set vxdown name vxrenamed"));
        const auto after = query();
        const IP_ADAPTER_ADDRESSES *renamed = adapterOf(after);
        ASSERT_NE(renamed, nullptr);
        EXPECT_STREQ(renamed->AdapterName, "vxrenamed");
        EXPECT_EQ(Wide(renamed->FriendlyName), u"vxrenamed");
        EXPECT_EQ(renamed->TransmitLinkSpeed, 2'500'000'000u);

        MIB_IFROW row{};
        row.dwIndex = index;
        ASSERT_EQ(IpHlpAPI.GetIfEntry(&row), static_cast<DWORD>(NO_ERROR));
        EXPECT_EQ(Wide(row.wszName), u"vxrenamed");
        EXPECT_EQ(row.dwSpeed, 2'500'000'000u);
    });
}

TEST_F(ProviderInNamespace, IpFamilyFlagsMatchWhatProcfsSaysOfEachInterface)
{
    if (!std::filesystem::exists("/proc/sys/net/ipv6"))
        GTEST_SKIP() << "this kernel has no IPv6";
    ASSERT_TRUE(FHere.Ip("link set vxdown up"));
    FHere.Output("sysctl -qw net.ipv6.conf.vxdown.disable_ipv6=1");
    InHere([&] {
        auto addresses = Query(
            [](void *b, PULONG s) {
                return IpHlpAPI.GetAdaptersAddresses(AF_UNSPEC_IPHLP, 0, nullptr, static_cast<PIP_ADAPTER_ADDRESSES>(b), s);
            },
            ERROR_BUFFER_OVERFLOW);
        int disabledSeen = 0, enabledSeen = 0;
        for (auto *a = reinterpret_cast<const IP_ADAPTER_ADDRESSES *>(addresses.get()); a; a = a->Next) {
            const std::string name = a->AdapterName;
            std::string disabled;
            std::getline(std::ifstream("/proc/sys/net/ipv6/conf/" + name + "/disable_ipv6"), disabled);
            const bool ipv6 = disabled == "0";
            (ipv6 ? enabledSeen : disabledSeen) += 1;
            EXPECT_EQ((a->Flags & IP_ADAPTER_IPV6_ENABLED) != 0, ipv6) << name;
            EXPECT_EQ(a->Ipv6IfIndex, ipv6 ? a->IfIndex : 0u) << name;
            EXPECT_EQ((a->Flags & IP_ADAPTER_IPV4_ENABLED) != 0,
                      std::filesystem::is_directory("/proc/sys/net/ipv4/conf/" + name))
                << name;
        }
        EXPECT_EQ(disabledSeen, 1);
        EXPECT_GE(enabledSeen, 2);
    });
}

#include "SnapshotFixture.h"

#include <netinet/in.h>

#include <cstring>

// Buffer protocols, failure defaults and answers that do not fit their buffer.

TEST_F(SnapshotTest, AdapterQueryGrowsToReportedSizePlusBase)
{
    int answers = 0;
    Net.Adapters = {MakeAdapter(3, "eth0")};
    Fake.GetAdaptersInfo = [&](PIP_ADAPTER_INFO buffer, PULONG size) -> DWORD {
        if (++answers <= 2) {
            Fake.Calls.push_back({"GetAdaptersInfo", *size, true});
            *size = 1000 * static_cast<ULONG>(answers);
            return ERROR_BUFFER_OVERFLOW;
        }
        return Fake.ModelAdaptersInfo(buffer, size);
    };
    const auto &config = Refresh();
    EXPECT_EQ(Sizes(Fake.CallsOf("GetAdaptersInfo")), (std::vector<ULONG>{640, 1640, 2640}));
    ASSERT_EQ(config.AdapterCount(), 1);
    EXPECT_EQ(config.Adapter(0).Name, "eth0");
}

TEST_F(SnapshotTest, InterfaceNamesAndAdapterAddressesGrowByTheirOwnBases)
{
    for (ULONG i = 0; i < 6; ++i)
        Net.InterfaceNames.emplace_back(u"if" + std::u16string(1, static_cast<char16_t>(u'a' + i)), i + 1);
    Net.Adapters = {MakeAdapter(1, "ifa")};
    Net.Addresses = {{1, 0, u"example.test", {"10.0.0.53"}}};
    Refresh();
    const auto names = Sizes(Fake.CallsOf("GetInterfaceInfo"));
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], 520u);
    EXPECT_EQ(names[1], offsetof(IP_INTERFACE_INFO, Adapter) + 6 * sizeof(IP_ADAPTER_INDEX_MAP) + 520);
    const auto addresses = Sizes(Fake.CallsOf("GetAdaptersAddresses"));
    ASSERT_EQ(addresses.size(), 2u);
    EXPECT_EQ(addresses[0], 376u);
    EXPECT_GT(addresses[1], 376u * 2);
}

TEST_F(SnapshotTest, NetworkParamsTakeExactlyTheReportedSize)
{
    Net.HostName = "host";
    Net.DnsServers = {"10.0.0.1", "10.0.0.2", "10.0.0.3"};
    const auto &config = Refresh();
    const auto sizes = Sizes(Fake.CallsOf("GetNetworkParams"));
    ASSERT_EQ(sizes.size(), 2u);
    EXPECT_EQ(sizes[0], 584u);
    EXPECT_EQ(sizes[1], sizeof(FIXED_INFO) + 2 * sizeof(IP_ADDR_STRING));
    EXPECT_EQ(config.HostName(), "host");
}

TEST_F(SnapshotTest, TablesAskForTheirSizeWithoutBufferFirst)
{
    Net.AddressRows = {AddressRow("10.0.0.2", "255.255.255.0", 3)};
    Net.ArpRows = {ArpRow("10.0.0.1", 3, {1, 2, 3, 4, 5, 6}, MIB_IPNET_TYPE_DYNAMIC)};
    Refresh();
    for (const char *entry : {"GetIpAddrTable", "GetIpNetTable"}) {
        const auto calls = Fake.CallsOf(entry);
        ASSERT_EQ(calls.size(), 2u) << entry;
        EXPECT_FALSE(calls[0].WithBuffer) << entry;
        EXPECT_EQ(calls[0].Size, 0u) << entry;
        EXPECT_TRUE(calls[1].WithBuffer) << entry;
        EXPECT_EQ(calls[1].Size, offsetof(MIB_IPADDRTABLE, table) + 1 * (std::string(entry) == "GetIpAddrTable"
                                                                             ? sizeof(MIB_IPADDRROW)
                                                                             : sizeof(MIB_IPNETROW)))
            << entry;
    }
}

TEST_F(SnapshotTest, EmptyAddressTableEndsTheRefreshBeforeArpAndBestInterface)
{
    Net.Adapters = {MakeAdapter(3, "eth0")};
    Net.ArpRows = {ArpRow("10.0.0.1", 3, {1, 2, 3, 4, 5, 6}, MIB_IPNET_TYPE_DYNAMIC)};
    Net.BestInterface = 3;
    const auto &config = Refresh();
    EXPECT_EQ(config.AdapterCount(), 1);
    EXPECT_EQ(config.ARPRecordCount(), 0);
    EXPECT_EQ(config.BestInterfaceIdx(), 0u);
    EXPECT_TRUE(Fake.CallsOf("GetIpNetTable").empty());
    EXPECT_TRUE(Fake.CallsOf("GetBestInterface").empty());
}

TEST_F(SnapshotTest, EmptyArpTableKeepsAddressTableAndEndsBeforeBestInterface)
{
    Net.Adapters = {MakeAdapter(3, "eth0")};
    Net.AddressRows = {AddressRow("10.0.0.2", "255.255.255.0", 3)};
    Net.BestInterface = 3;
    const auto &config = Refresh();
    EXPECT_EQ(config.AdressRecordCount(), 1);
    EXPECT_EQ(config.BestInterfaceIdx(), 0u);
    EXPECT_TRUE(Fake.CallsOf("GetBestInterface").empty());
}

TEST_F(SnapshotTest, EndlessTooSmallAnswersGiveUpAndTheRefreshGoesOn)
{
    Fake.GetAdaptersInfo = [&](PIP_ADAPTER_INFO, PULONG size) -> DWORD {
        Fake.Calls.push_back({"GetAdaptersInfo", *size, true});
        *size += 8;
        return ERROR_BUFFER_OVERFLOW;
    };
    Net.AddressRows = {AddressRow("10.0.0.2", "255.255.255.0", 3)};
    Net.ArpRows = {ArpRow("10.0.0.1", 3, {1, 2, 3, 4, 5, 6}, MIB_IPNET_TYPE_DYNAMIC)};
    const auto &config = Refresh();
    EXPECT_EQ(config.AdapterCount(), 0);
    EXPECT_LE(Fake.CallsOf("GetAdaptersInfo").size(), 16u);
    EXPECT_EQ(config.AdressRecordCount(), 1);
    EXPECT_EQ(config.ARPRecordCount(), 1);
}

TEST_F(SnapshotTest, MissingLibraryLeavesAnEmptySnapshot)
{
    TScriptedIpHlp::InstallNone();
    TNetworkConfiguration config;
    config.RefreshData();
    EXPECT_EQ(config.AdapterCount(), 0);
    EXPECT_EQ(config.HostName(), "");
    EXPECT_EQ(config.DomainName(), "");
    EXPECT_EQ(config.BestInterfaceIdx(), 0u);
    std::uint64_t in = 7, out = 7;
    config.GetTraffic(1, in, out);
    EXPECT_EQ(in, 0u);
    EXPECT_EQ(out, 0u);
}

TEST_F(SnapshotTest, MissingAdapterQueryLeavesEverythingEmptyAndAsksNothing)
{
    Net.HostName = "host";
    Net.AddressRows = {AddressRow("10.0.0.2", "255.255.255.0", 3)};
    Fake.GetAdaptersInfo = nullptr;
    const auto &config = Refresh();
    EXPECT_EQ(config.HostName(), "");
    EXPECT_EQ(config.AdressRecordCount(), 0);
    EXPECT_TRUE(Fake.Calls.empty());
}

TEST_F(SnapshotTest, FailedAdapterQueryStillReadsTablesAndBestInterface)
{
    Net.AddressRows = {AddressRow("10.0.0.2", "255.255.255.0", 3)};
    Net.ArpRows = {ArpRow("10.0.0.1", 3, {1, 2, 3, 4, 5, 6}, MIB_IPNET_TYPE_DYNAMIC)};
    Net.BestInterface = 9;
    Net.HostName = "host";
    const auto &config = Refresh(); // no adapters: the model answers 232
    EXPECT_EQ(config.AdapterCount(), 0);
    EXPECT_EQ(config.HostName(), "host");
    EXPECT_EQ(config.AdressRecordCount(), 1);
    EXPECT_EQ(config.ARPRecordCount(), 1);
    EXPECT_EQ(config.BestInterfaceIdx(), 9u);
}

TEST_F(SnapshotTest, FailedQueriesLeaveTheirPartsAtTheClearedValues)
{
    TFakeAdapter adapter = MakeAdapter(4, "eth0");
    Net.Adapters = {adapter};
    Net.InterfaceNames = {{u"eth0", 40}};
    Net.Addresses = {{4, IP_ADAPTER_DDNS_ENABLED | IP_ADAPTER_IPV4_ENABLED, u"suffix", {"10.0.0.53"}}};
    Net.HostName = "host";
    Net.NodeType = HYBRID_NODETYPE;
    Fake.GetInterfaceInfo = [](PIP_INTERFACE_INFO, PULONG) -> DWORD { return ERROR_NOT_SUPPORTED; };
    Fake.GetAdaptersAddresses = nullptr;
    Fake.GetNetworkParams = [](PFIXED_INFO, PULONG) -> DWORD { return ERROR_NOT_SUPPORTED; };
    const auto &config = Refresh();
    ASSERT_EQ(config.AdapterCount(), 1);
    const TAdapter read = config.Adapter(0);
    EXPECT_EQ(read.IntfIdx, 4u);
    EXPECT_EQ(read.Name, "eth0");
    EXPECT_EQ(read.MaxSpeed, 0u);
    EXPECT_EQ(read.MTU, 0u);
    EXPECT_EQ(read.AdminStatus, TAdapterAdminStatus::aasUnknown);
    EXPECT_EQ(read.OperStatus, TAdapterOperationalStatus::aosNonOperational);
    EXPECT_FALSE(read.DNSEnabled || read.NETBIOSEnabled || read.IPv4Enabled || read.IPv6Enabled);
    EXPECT_TRUE(read.DNSSuffix.empty());
    EXPECT_TRUE(read.DNSServers.Empty());
    EXPECT_EQ(config.HostName(), "");
    EXPECT_EQ(config.NodeType(), TNodeType::ntUnknown);
}

TEST_F(SnapshotTest, RefreshForgetsMarksImageIndexesAndEarlierData)
{
    Net.Adapters = {MakeAdapter(1, "a"), MakeAdapter(2, "b")};
    Net.HostName = "first";
    auto &config = Refresh();
    config.SetAdapterMark(1, true);
    config.SetAdapterImageIndex(1, 7);
    Net.HostName = "";
    Net.Adapters.pop_back();
    Refresh();
    ASSERT_EQ(config.AdapterCount(), 1);
    EXPECT_FALSE(config.AdapterMark(0));
    EXPECT_EQ(config.AdapterImageIndex(0), 0);
    EXPECT_EQ(config.HostName(), "");
}

// Counts that promise more rows than the buffer holds are cut to the buffer.
TEST_F(SnapshotTest, TableCountsBeyondTheBufferAreCutToIt)
{
    Net.AddressRows = {AddressRow("10.0.0.2", "255.0.0.0", 3), AddressRow("10.0.0.3", "255.0.0.0", 3)};
    Net.ArpRows = {ArpRow("10.0.0.1", 3, {1, 2, 3, 4, 5, 6}, MIB_IPNET_TYPE_DYNAMIC)};
    Net.InterfaceNames = {{u"{E0}", 5}};
    const auto lying = [](auto answer) {
        return [answer](auto *table, PULONG size, BOOL order) -> DWORD {
            const DWORD result = answer(table, size, order);
            if (result == NO_ERROR)
                table->dwNumEntries = 100000;
            return result;
        };
    };
    Fake.GetIpAddrTable = lying(Fake.GetIpAddrTable);
    Fake.GetIpNetTable = lying(Fake.GetIpNetTable);
    const auto names = Fake.GetInterfaceInfo;
    Fake.GetInterfaceInfo = [names](PIP_INTERFACE_INFO info, PULONG size) -> DWORD {
        const DWORD result = names(info, size);
        if (result == NO_ERROR)
            info->NumAdapters = 0x7FFFFFFF;
        return result;
    };
    Net.Adapters = {MakeAdapter(1, "{E0}")};
    const auto &config = Refresh();
    EXPECT_EQ(config.AdressRecordCount(), 2);
    EXPECT_EQ(config.ARPRecordCount(), 1);
    EXPECT_EQ(config.Adapter(0).IntfIdx, 5u);
}

TEST_F(SnapshotTest, RecordLinksThatLeaveTheBufferEndTheChain)
{
    Net.Adapters = {MakeAdapter(1, "a"), MakeAdapter(2, "b")};
    static IP_ADAPTER_INFO outside{};
    Fake.GetAdaptersInfo = [&](PIP_ADAPTER_INFO buffer, PULONG size) -> DWORD {
        const DWORD result = Fake.ModelAdaptersInfo(buffer, size);
        if (result == NO_ERROR) {
            // The second record is cut: its link points past the reported size into nothing we own.
            buffer->Next = reinterpret_cast<IP_ADAPTER_INFO *>(reinterpret_cast<std::byte *>(buffer) + *size - 8);
            buffer->IpAddressList.Next = &outside.IpAddressList;
        }
        return result;
    };
    const auto &config = Refresh();
    ASSERT_EQ(config.AdapterCount(), 1);
    EXPECT_EQ(Lines(config.Adapter(0).IPAddress), (std::vector<std::string>{"0.0.0.0=0.0.0.0"}));
}

TEST_F(SnapshotTest, UnterminatedSuffixAndOutsideSocketAddressStayInTheBuffer)
{
    Net.Adapters = {MakeAdapter(1, "a")};
    Net.Addresses = {{1, 0, u"", {"10.0.0.53", "10.0.0.54"}}};
    static sockaddr_in outside{};
    Fake.GetAdaptersAddresses = [&](ULONG, ULONG, PIP_ADAPTER_ADDRESSES buffer, PULONG size) -> ULONG {
        const ULONG result = Fake.ModelAdaptersAddresses(buffer, size);
        if (result == NO_ERROR) {
            auto *end = reinterpret_cast<std::byte *>(buffer) + *size;
            auto *suffix = reinterpret_cast<WCHAR *>(end - 4 * sizeof(WCHAR));
            std::fill(suffix, suffix + 4, u'x');
            buffer->DnsSuffix = suffix;
            buffer->FirstDnsServerAddress->Address.lpSockaddr = reinterpret_cast<sockaddr *>(&outside);
        }
        return result;
    };
    const auto &config = Refresh();
    const TAdapter adapter = config.Adapter(0);
    EXPECT_EQ(adapter.DNSSuffix, "xxxx");
    EXPECT_EQ(Lines(adapter.DNSServers), (std::vector<std::string>{"10.0.0.54"}));
}

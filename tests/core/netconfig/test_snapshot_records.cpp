#include "SnapshotFixture.h"

#include "Quarl_IPTypes.h"

// How the platform's records become adapters, rows and answers.

TEST_F(SnapshotTest, NameComesFromExtendedDescriptionThenPlainRowThenDescription)
{
    Net.Adapters = {MakeAdapter(1, "info-one"), MakeAdapter(2, "info-two"), MakeAdapter(3, "info-three"),
                    MakeAdapter(4, " info-four ")};
    Net.Rows[1] = {u"row-one", 100, 1500, 1, 5};
    Net.Rows2[1] = {u"  ext-one\t", u" alias-one ", 10'000'000'000ull, 9000};
    Net.Rows[2] = {u"row-two", 100, 1500, 2, 2};
    Net.Rows2[2] = {u"  ", u"", 5, 1400};
    Net.Rows[3] = {u" ", 100, 1500, 1, 5};
    const auto &config = Refresh();
    ASSERT_EQ(config.AdapterCount(), 4);
    const TAdapter one = config.Adapter(0);
    EXPECT_EQ(one.Name, "ext-one");
    EXPECT_EQ(one.Alias, "alias-one");
    EXPECT_EQ(one.MaxSpeed, 10'000'000'000ull);
    EXPECT_EQ(one.MTU, 9000u);
    EXPECT_EQ(one.AdminStatus, TAdapterAdminStatus::aasUp);
    EXPECT_EQ(one.OperStatus, TAdapterOperationalStatus::aosOperational);
    EXPECT_EQ(one._Status, 5u);
    EXPECT_EQ(config.Adapter(1).Name, "row-two");
    EXPECT_EQ(config.Adapter(1).MTU, 1400u);
    EXPECT_EQ(config.Adapter(1).AdminStatus, TAdapterAdminStatus::aasDown);
    EXPECT_EQ(config.Adapter(2).Name, "info-three adapter");
    EXPECT_EQ(config.Adapter(3).Name, "info-four");
}

// Device names of the "{GUID}" form take their index from the trimmed name table ignoring case, cut after the
// brace; every other name keeps its own record's index, even when the table lists it under another.
TEST_F(SnapshotTest, NameTableGivesTheIndexOfDeviceGuidNamesOnly)
{
    Net.InterfaceNames = {{u" \\DEVICE\\TCPIP_{ABC}tail ", 41}, {u"plain name", 42}, {u"odd=name", 43},
                          {u"\\DEVICE\\TCPIP_{DEF}", 44}, {u"\\device\\tcpip_{def}", 45}};
    Net.Adapters = {MakeAdapter(1, "\\device\\tcpip_{abc}"), MakeAdapter(2, "PLAIN NAME"), MakeAdapter(3, "odd=name"),
                    MakeAdapter(4, "\\DEVICE\\TCPIP_{ABC}tail"), MakeAdapter(45, "\\DEVICE\\TCPIP_{DEF}")};
    const auto &config = Refresh();
    ASSERT_EQ(config.AdapterCount(), 5);
    EXPECT_EQ(config.Adapter(0).IntfIdx, 41u);
    EXPECT_EQ(config.Adapter(1).IntfIdx, 2u);
    EXPECT_EQ(config.Adapter(2).IntfIdx, 3u);
    EXPECT_EQ(config.Adapter(3).IntfIdx, 4u); // the text after the brace is gone from the table
    EXPECT_EQ(config.Adapter(4).IntfIdx, 45u); // of two lines differing in case, its own index wins
}

TEST_F(SnapshotTest, AliasFromLuidConversionOnlyWhenTheRowGaveNone)
{
    Net.InterfaceNames = {{u"{E0}", 20}};
    Net.Adapters = {MakeAdapter(2, "{E0}"), MakeAdapter(3, "eth1")};
    Net.Rows2[3] = {u"eth1", u"row alias", 0, 0};
    Net.LuidAliases = {{20, u"luid alias"}, {3, u"unused"}};
    const auto &config = Refresh();
    EXPECT_EQ(config.Adapter(0).Alias, "luid alias");
    EXPECT_EQ(config.Adapter(1).Alias, "row alias");
}

TEST_F(SnapshotTest, RecordFieldsTypesAndHardwareAddresses)
{
    TFakeAdapter wifi = MakeAdapter(1, "wlan0");
    wifi.Type = 71;
    wifi.Mac = {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e};
    wifi.Dhcp = true;
    wifi.Wins = true;
    TFakeAdapter odd = MakeAdapter(2, "odd");
    odd.Type = 999;
    TFakeAdapter wwan = MakeAdapter(3, "wwan0");
    wwan.Type = 243;
    Net.Adapters = {wifi, odd, wwan};
    auto lying = Fake.GetAdaptersInfo;
    Fake.GetAdaptersInfo = [&, lying](PIP_ADAPTER_INFO buffer, PULONG size) -> DWORD {
        const DWORD result = lying(buffer, size);
        if (result == NO_ERROR)
            buffer->Next->AddressLength = 200; // more bytes than the field holds
        return result;
    };
    const auto &config = Refresh();
    const TAdapter first = config.Adapter(0);
    EXPECT_EQ(first.MACAddress, "00:1A:2B:3C:4D:5E");
    EXPECT_EQ(first.Typ, TAdapterType::atIEEE80211);
    EXPECT_EQ(first._Typ, 71u);
    EXPECT_TRUE(first.DHCPEnabled);
    EXPECT_TRUE(first.HaveWINS);
    EXPECT_EQ(config.Adapter(1).Typ, TAdapterType::atOther);
    EXPECT_EQ(config.Adapter(1).MACAddress, "00:00:00:00:00:00:00:00");
    EXPECT_EQ(config.Adapter(2).Typ, TAdapterType::atWWANPP);
    EXPECT_EQ(config.Adapter(2).MACAddress, "");
}

TEST_F(SnapshotTest, StatusCodesOutsideTheEnumerationsReadAsUnknown)
{
    Net.Adapters = {MakeAdapter(1, "eth0")};
    Net.Rows[1] = {u"eth0", 0, 0, 9, 42};
    const TAdapter adapter = Refresh().Adapter(0);
    EXPECT_EQ(adapter.AdminStatus, TAdapterAdminStatus::aasUnknown);
    EXPECT_EQ(adapter.OperStatus, TAdapterOperationalStatus::aosNonOperational);
    EXPECT_EQ(adapter._Status, 42u);
}

TEST_F(SnapshotTest, AddressListsKeepTheirOrderAndAlwaysHoldTheFirstNode)
{
    TFakeAdapter adapter = MakeAdapter(1, "eth0");
    adapter.IpAddresses = {{"10.0.0.2", "255.0.0.0"}, {"10.0.0.3", "255.255.0.0"}, {"10.0.0.4", "255.255.255.0"}};
    adapter.Gateways = {{"10.0.0.1", "255.255.255.255"}};
    Net.Adapters = {adapter};
    const TAdapter read = Refresh().Adapter(0);
    EXPECT_EQ(Lines(read.IPAddress),
              (std::vector<std::string>{"10.0.0.2=255.0.0.0", "10.0.0.3=255.255.0.0", "10.0.0.4=255.255.255.0"}));
    EXPECT_EQ(Lines(read.Gateways), (std::vector<std::string>{"10.0.0.1=255.255.255.255"}));
    for (const TSharedLines *list : {&read.DHCPServers, &read.PrimaryWINS, &read.SecondaryWINS})
        EXPECT_EQ(Lines(*list), (std::vector<std::string>{"="}));
}

TEST_F(SnapshotTest, AddressChainsEndOnSelfLinksAndCycles)
{
    TFakeAdapter adapter = MakeAdapter(1, "eth0");
    adapter.IpAddresses = {{"10.0.0.2", "255.0.0.0"}, {"10.0.0.3", "255.0.0.0"}};
    Net.Adapters = {adapter, MakeAdapter(2, "eth1")};
    Fake.GetAdaptersInfo = [&](PIP_ADAPTER_INFO buffer, PULONG size) -> DWORD {
        const DWORD result = Fake.ModelAdaptersInfo(buffer, size);
        if (result == NO_ERROR) {
            buffer->IpAddressList.Next->Next = &buffer->IpAddressList; // two-node cycle
            buffer->GatewayList.Next = &buffer->GatewayList;           // a node linking to itself
            buffer->Next->Next = buffer;                               // records in a cycle
        }
        return result;
    };
    const auto &config = Refresh();
    ASSERT_EQ(config.AdapterCount(), 2);
    EXPECT_EQ(Lines(config.Adapter(0).IPAddress),
              (std::vector<std::string>{"10.0.0.2=255.0.0.0", "10.0.0.3=255.0.0.0"}));
    EXPECT_EQ(config.Adapter(0).Gateways.Count(), 1u);
}

TEST_F(SnapshotTest, NetworkParameters)
{
    Net.HostName = "host";
    Net.DomainName = "example.test";
    Net.ScopeId = "scope";
    Net.DnsServers = {"10.0.0.53", "10.0.0.54", "10.0.0.54", "10.0.0.55"};
    Net.CurrentDnsServer = 1;
    Net.Routing = true;
    Net.Dns = true;
    const std::vector<std::pair<UINT, TNodeType>> nodes = {{1, TNodeType::ntBroadcast}, {2, TNodeType::ntPeerToPeer},
                                                           {4, TNodeType::ntMixed},     {8, TNodeType::ntHybrid},
                                                           {3, TNodeType::ntUnknown}};
    for (const auto &[code, node] : nodes) {
        Net.NodeType = code;
        const auto &config = Refresh();
        EXPECT_EQ(config.NodeType(), node) << code;
        EXPECT_EQ(config.HostName(), "host");
        EXPECT_EQ(config.DomainName(), "example.test");
        EXPECT_EQ(config.DHCPScopeName(), "scope");
        EXPECT_EQ(config.PrimaryDNSSuffix(), "10.0.0.54");
        // The walk stops at a node repeating the address just added.
        EXPECT_EQ(config.DNSServers(), (std::vector<std::string>{"10.0.0.53", "10.0.0.54"}));
        EXPECT_TRUE(config.RoutingEnabled());
        EXPECT_TRUE(config.DNSEnabled());
        EXPECT_FALSE(config.ProxyEnabled());
    }
    Net.CurrentDnsServer.reset();
    EXPECT_EQ(Refresh().PrimaryDNSSuffix(), "");
}

TEST_F(SnapshotTest, AdapterAddressesFillFlagsSuffixAndServersOfKnownAdapters)
{
    Net.Adapters = {MakeAdapter(1, "eth0"), MakeAdapter(2, "eth1")};
    Net.Addresses = {{7, IP_ADAPTER_DDNS_ENABLED, u"unknown", {"10.9.9.9"}},
                     {2,
                      IP_ADAPTER_DDNS_ENABLED | IP_ADAPTER_NETBIOS_OVER_TCPIP_ENABLED | IP_ADAPTER_IPV4_ENABLED |
                          IP_ADAPTER_IPV6_ENABLED,
                      u"corp.example", {"10.0.0.53", "10.0.0.54"}}};
    const auto &config = Refresh();
    const TAdapter first = config.Adapter(0), second = config.Adapter(1);
    EXPECT_FALSE(first.DNSEnabled);
    EXPECT_TRUE(first.DNSServers.Empty());
    EXPECT_TRUE(second.DNSEnabled && second.NETBIOSEnabled && second.IPv4Enabled && second.IPv6Enabled);
    EXPECT_EQ(second.DNSSuffix, "corp.example");
    EXPECT_EQ(Lines(second.DNSServers), (std::vector<std::string>{"10.0.0.53", "10.0.0.54"}));
}

TEST_F(SnapshotTest, AddressAndArpRows)
{
    Net.AddressRows = {AddressRow("10.1.2.3", "255.0.0.0", 3, MIB_IPADDR_PRIMARY | MIB_IPADDR_DYNAMIC),
                       AddressRow("192.168.7.9", "255.255.255.0", 4,
                                  MIB_IPADDR_DISCONNECTED | MIB_IPADDR_DELETED | MIB_IPADDR_TRANSIENT | 0x2)};
    Net.ArpRows = {ArpRow("10.1.2.1", 3, {0xde, 0xad, 0xbe, 0xef, 0x00, 0x01}, MIB_IPNET_TYPE_STATIC),
                   ArpRow("172.16.0.1", 4, {}, MIB_IPNET_TYPE_INVALID)};
    const auto &config = Refresh();
    ASSERT_EQ(config.AdressRecordCount(), 2);
    const TAddressRecord first = config.AddressRecord(0);
    EXPECT_EQ(first.IP, "10.1.2.3");
    EXPECT_EQ(first.Mask, "255.0.0.0");
    EXPECT_EQ(first.IntfIdx, 3u);
    EXPECT_EQ(first.Typ, 0b11);
    EXPECT_EQ(first.ARPType, 0u);
    EXPECT_EQ(first.Physical, "");
    EXPECT_EQ(config.AddressRecord(1).Typ, 0b11100);
    ASSERT_EQ(config.ARPRecordCount(), 2);
    const TAddressRecord arp = config.ARPRecord(0);
    EXPECT_EQ(arp.IP, "10.1.2.1");
    EXPECT_EQ(arp.Mask, "255.255.255.0");
    EXPECT_EQ(arp.Physical, "DE:AD:BE:EF:00:01");
    EXPECT_EQ(arp.ARPType, 4u);
    EXPECT_EQ(arp.Typ, 0);
    EXPECT_EQ(config.ARPRecord(1).Mask, "255.255.255.0");
    EXPECT_EQ(config.ARPRecord(1).Physical, "");
    EXPECT_EQ(config.FindAddress(std::string_view("192.168.7.9")), 1);
    EXPECT_EQ(config.FindAddress(std::uint32_t{4}), 1);
    EXPECT_EQ(config.FindAddress(std::uint32_t{5}), -1);
}

TEST_F(SnapshotTest, FindAdapterByNameIgnoresCaseAndByIndexRefusesNegatives)
{
    Net.Adapters = {MakeAdapter(4294967295u, "Eth0"), MakeAdapter(2, "ETH0")};
    const auto &config = Refresh();
    EXPECT_EQ(config.FindAdapter(std::string_view("eth0")), 0);
    EXPECT_EQ(config.FindAdapter(std::string_view("eth")), -1);
    EXPECT_EQ(config.FindAdapter(std::int64_t{-1}), -1);
    EXPECT_EQ(config.FindAdapter(std::int64_t{4294967295}), 0);
    EXPECT_EQ(config.FindAdapter(std::int64_t{2}), 1);
}

TEST_F(SnapshotTest, BestInterfaceFromTheRouteElseFallbacks)
{
    Net.AddressRows = {AddressRow("10.0.0.2", "255.0.0.0", 3)};
    Net.ArpRows = {ArpRow("10.0.0.1", 3, {1, 2, 3, 4, 5, 6}, MIB_IPNET_TYPE_DYNAMIC)};
    TFakeAdapter zero = MakeAdapter(10, "zero");
    TFakeAdapter garbage = MakeAdapter(11, "garbage");
    garbage.IpAddresses = {{"abc", "x"}};
    TFakeAdapter addressed = MakeAdapter(12, "addressed");
    addressed.IpAddresses = {{"10.0.0.2", "255.0.0.0"}};
    TFakeAdapter up = MakeAdapter(13, "up");
    Net.Rows[13] = {u"up", 0, 0, 1, 5};
    Net.Adapters = {zero, garbage, addressed, up};

    Net.BestInterface = 99;
    EXPECT_EQ(Refresh().BestInterfaceIdx(), 99u);
    Net.BestInterface.reset();
    EXPECT_EQ(Refresh().BestInterfaceIdx(), 13u);
    EXPECT_EQ(Config->FindFirstOperational(), 3);
    Net.Adapters.pop_back();
    EXPECT_EQ(Refresh().BestInterfaceIdx(), 12u);
    EXPECT_EQ(Config->FindFirstOperational(), 2);
    Net.Adapters.pop_back();
    EXPECT_EQ(Refresh().BestInterfaceIdx(), 0u);
    EXPECT_EQ(Config->FindFirstOperational(), -1);
}

TEST_F(SnapshotTest, CurrentReadsAskForTheRouteEachTime)
{
    TFakeAdapter adapter = MakeAdapter(3, "eth0");
    adapter.Mac = {0xaa, 0xbb, 0xcc, 0xdd, 0xee, 0xff};
    Net.Adapters = {adapter, MakeAdapter(4, "eth1")};
    Net.Rows2[3] = {u"eth0", u"Office", 0, 0};
    Net.AddressRows = {AddressRow("10.0.0.4", "255.0.0.0", 4), AddressRow("10.0.0.3", "255.0.0.0", 3)};
    Net.ArpRows = {ArpRow("10.0.0.1", 3, {1, 2, 3, 4, 5, 6}, MIB_IPNET_TYPE_DYNAMIC)};
    Net.BestInterface = 4;
    auto &config = Refresh();
    Net.BestInterface = 3;
    EXPECT_EQ(config.CurrentIP(), "10.0.0.3");
    EXPECT_EQ(config.CurrentMAC(), "AA:BB:CC:DD:EE:FF");
    EXPECT_EQ(config.CurrentNetwork(), "Office");
    EXPECT_EQ(config.BestInterfaceIdx(), 3u);
    EXPECT_EQ(Fake.CallsOf("GetBestInterface").size(), 4u);
    Net.BestInterface = 77;
    EXPECT_EQ(config.CurrentIP(), "");
    EXPECT_EQ(config.CurrentMAC(), "");
}

TEST_F(SnapshotTest, CurrentReadOnAnEmptyAddressTableRefreshesFirst)
{
    Net.Adapters = {MakeAdapter(3, "eth0")};
    auto &config = Refresh();
    config.SetAdapterMark(0, true);
    Net.AddressRows = {AddressRow("10.0.0.3", "255.0.0.0", 3)};
    Net.ArpRows = {ArpRow("10.0.0.1", 3, {1, 2, 3, 4, 5, 6}, MIB_IPNET_TYPE_DYNAMIC)};
    Net.BestInterface = 3;
    EXPECT_EQ(config.CurrentIP(), "10.0.0.3");
    EXPECT_FALSE(config.AdapterMark(0));
}

TEST_F(SnapshotTest, TrafficPrefersTheExtendedRowAndFallsBackToThePlainRow)
{
    Net.Rows[1] = {u"a", 0, 0, 1, 5, 111, 222};
    Net.Rows2[1] = {u"a", u"", 0, 0, 0x1'0000'0005ull, 0x2'0000'0007ull};
    Net.Rows[2] = {u"b", 0, 0, 1, 5, 0xFFFFFFFFu, 3};
    auto &config = Refresh();
    std::uint64_t in = 0, out = 0;
    config.GetTraffic(1, in, out);
    EXPECT_EQ(in, 0x1'0000'0005ull);
    EXPECT_EQ(out, 0x2'0000'0007ull);
    config.GetTraffic(2, in, out);
    EXPECT_EQ(in, 0xFFFFFFFFull);
    EXPECT_EQ(out, 3u);
    config.GetTraffic(9, in, out);
    EXPECT_EQ(in, 0u);
    EXPECT_EQ(out, 0u);
}

TEST_F(SnapshotTest, WithoutTheExtendedRowSpeedsAndCountersAre32Bit)
{
    Net.Adapters = {MakeAdapter(1, "eth0")};
    Net.Rows[1] = {u"eth0", 4294967295u, 1500, 1, 5, 1000, 2000};
    Net.Rows2[1] = {u"ext", u"alias", 40'000'000'000ull, 9000, 1ull << 40, 1ull << 41};
    Fake.GetIfEntry2 = nullptr;
    auto &config = Refresh();
    const TAdapter adapter = config.Adapter(0);
    EXPECT_EQ(adapter.Name, "eth0");
    EXPECT_EQ(adapter.MaxSpeed, 4294967295u);
    EXPECT_EQ(adapter.MTU, 1500u);
    EXPECT_EQ(adapter.Alias, "");
    std::uint64_t in = 0, out = 0;
    config.GetTraffic(1, in, out);
    EXPECT_EQ(in, 1000u);
    EXPECT_EQ(out, 2000u);
}

TEST_F(SnapshotTest, AdapterCopiesOutliveRefreshAndTheSnapshot)
{
    TFakeAdapter adapter = MakeAdapter(1, "eth0");
    adapter.IpAddresses = {{"10.0.0.2", "255.0.0.0"}};
    Net.Adapters = {adapter};
    Net.Addresses = {{1, 0, u"", {"10.0.0.53"}}};
    TAdapter copy = Refresh().Adapter(0);
    Net.Adapters = {MakeAdapter(5, "other")};
    Refresh();
    Config.reset();
    EXPECT_EQ(Lines(copy.IPAddress), (std::vector<std::string>{"10.0.0.2=255.0.0.0"}));
    EXPECT_EQ(Lines(copy.DNSServers), (std::vector<std::string>{"10.0.0.53"}));
}

TEST(SubnetMask, ClassDefaultsAndMalformedText)
{
    const std::vector<std::pair<const char *, const char *>> rows = {
        {"10.1.2.3", "255.0.0.0"},     {"126.0.0.1", "255.0.0.0"},   {"172.16.0.1", "255.255.0.0"},
        {"191.255.0.1", "255.255.0.0"}, {"192.168.1.1", "255.255.255.0"}, {"223.1.1.1", "255.255.255.0"},
        {"127.0.0.1", "0.0.0.0"},      {"224.0.0.1", "0.0.0.0"},     {"0.1.2.3", "0.0.0.0"},
        {"255.255.255.255", "0.0.0.0"}};
    for (const auto &[ip, mask] : rows)
        EXPECT_EQ(TNetworkConfiguration::GetSubnetMask(ip), mask) << ip;
    try {
        TNetworkConfiguration::GetSubnetMask("10.1.2");
        ADD_FAILURE() << "no error for three parts";
    } catch (const EIPv4Error &error) {
        EXPECT_STREQ(error.what(), "\"10.1.2\" 不是有效的 IPv4 地址");
    }
}

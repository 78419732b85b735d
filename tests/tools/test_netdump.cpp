#include "StrictJson.h"
#include "TNetworkNamespace.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Runs the real dump program inside a namespace the test makes, over the kernel's own interfaces.
namespace {

const std::vector<std::string> AdapterKeys = {
    "Description", "Name",        "Alias",       "MACAddress",     "MaxSpeed",    "MTU",         "Typ",
    "AdminStatus", "OperStatus",  "DHCPEnabled", "DNSEnabled",     "HaveWINS",    "NETBIOSEnabled",
    "IPv4Enabled", "IPv6Enabled", "IPAddress",   "Gateways",       "DHCPServers", "PrimaryWINS",
    "SecondaryWINS", "DNSServers", "DNSSuffix",  "IntfIdx",        "_Typ",        "_Status",     "InOctets",
    "OutOctets"};
const std::vector<std::string> RecordKeys = {"IP", "Mask", "Physical", "IntfIdx", "Typ", "ARPType"};
const std::vector<std::string> TopKeys = {"adapters",         "addressTable", "arpTable",         "HostName",
                                          "DomainName",       "PrimaryDNSSuffix", "DNSServers",   "NodeType",
                                          "BestInterfaceIdx", "CurrentIP",    "CurrentMAC",       "CurrentNetwork"};

std::vector<std::string> KeysOf(const TJsonValue &object)
{
    std::vector<std::string> keys;
    for (const auto &member : object.Members)
        keys.push_back(member.first);
    return keys;
}

const TJsonValue *AdapterNamed(const TJsonValue &document, const std::string &name)
{
    for (const TJsonValue &adapter : document.Find("adapters")->Items)
        if (const TJsonValue *field = adapter.Find("Name"); field && field->Text == name)
            return &adapter;
    return nullptr;
}

} // namespace

TEST(NetDump, PrintsOneStrictJsonObjectWithTheDocumentedKeys)
{
    TNetworkNamespace ns;
    if (!ns.IsCreated())
        GTEST_SKIP() << "cannot make a network namespace (needs root and iproute2)";
    ASSERT_TRUE(ns.Ip("link add vxa type veth peer name vxb"));
    ASSERT_TRUE(ns.Ip("link set vxa mtu 1400 up"));
    ASSERT_TRUE(ns.Ip("link set vxb up"));
    ASSERT_TRUE(ns.Ip("addr add 10.77.0.1/24 dev vxa"));
    ASSERT_TRUE(ns.Ip("link set lo up"));
    // An alias with a quote, a backslash and a tab, which the dump must escape.
    ASSERT_TRUE(ns.Ip("link set vxa alias 'say \"hi\"\\there\tnow'"));

    const std::string output = ns.Output(VORLIX_NETDUMP);
    std::string error;
    const auto document = ParseStrictJson(output, error);
    ASSERT_TRUE(document.has_value()) << error << "\n" << output;
    ASSERT_EQ(document->Kind, TJsonValue::TKind::Object);
    EXPECT_EQ(KeysOf(*document), TopKeys);

    const TJsonValue *vxa = AdapterNamed(*document, "vxa");
    ASSERT_NE(vxa, nullptr) << output;
    EXPECT_EQ(KeysOf(*vxa), AdapterKeys);
    EXPECT_EQ(vxa->Find("Alias")->Text, "say \"hi\"\\there\tnow");
    EXPECT_EQ(vxa->Find("MTU")->Text, "1400");
    EXPECT_EQ(vxa->Find("IPAddress")->Items.at(0).Text, "10.77.0.1=255.255.255.0");
    EXPECT_EQ(vxa->Find("Typ")->Text, "1");
    EXPECT_NE(AdapterNamed(*document, "vxb"), nullptr);

    const TJsonValue *table = document->Find("addressTable");
    bool found = false;
    for (const TJsonValue &row : table->Items) {
        EXPECT_EQ(KeysOf(row), RecordKeys);
        found = found || row.Find("IP")->Text == "10.77.0.1";
    }
    EXPECT_TRUE(found) << output;
    for (const TJsonValue &row : document->Find("arpTable")->Items)
        EXPECT_EQ(KeysOf(row), RecordKeys);
}

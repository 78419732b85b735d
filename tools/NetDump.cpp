#include "NetDump.h"

#include "Quarl_NCC.h"
#include "TJsonWriter.h"

namespace {

template <class TEnum>
std::uint64_t Ordinal(TEnum value)
{
    return static_cast<std::uint64_t>(value);
}

template <class TLines>
void Lines(TJsonWriter &json, std::string_view key, const TLines &lines)
{
    json.Key(key);
    json.BeginArray();
    for (const std::string &line : lines)
        json.String(line);
    json.EndArray();
}

void Adapter(TJsonWriter &json, const TNetworkConfiguration &config, const TAdapter &adapter)
{
    json.BeginObject();
    json.Key("Description"), json.String(adapter.Description);
    json.Key("Name"), json.String(adapter.Name);
    json.Key("Alias"), json.String(adapter.Alias);
    json.Key("MACAddress"), json.String(adapter.MACAddress);
    json.Key("MaxSpeed"), json.Number(adapter.MaxSpeed);
    json.Key("MTU"), json.Number(std::uint64_t{adapter.MTU});
    json.Key("Typ"), json.Number(Ordinal(adapter.Typ));
    json.Key("AdminStatus"), json.Number(Ordinal(adapter.AdminStatus));
    json.Key("OperStatus"), json.Number(Ordinal(adapter.OperStatus));
    json.Key("DHCPEnabled"), json.Bool(adapter.DHCPEnabled);
    json.Key("DNSEnabled"), json.Bool(adapter.DNSEnabled);
    json.Key("HaveWINS"), json.Bool(adapter.HaveWINS);
    json.Key("NETBIOSEnabled"), json.Bool(adapter.NETBIOSEnabled);
    json.Key("IPv4Enabled"), json.Bool(adapter.IPv4Enabled);
    json.Key("IPv6Enabled"), json.Bool(adapter.IPv6Enabled);
    Lines(json, "IPAddress", adapter.IPAddress);
    Lines(json, "Gateways", adapter.Gateways);
    Lines(json, "DHCPServers", adapter.DHCPServers);
    Lines(json, "PrimaryWINS", adapter.PrimaryWINS);
    Lines(json, "SecondaryWINS", adapter.SecondaryWINS);
    Lines(json, "DNSServers", adapter.DNSServers);
    json.Key("DNSSuffix"), json.String(adapter.DNSSuffix);
    json.Key("IntfIdx"), json.Number(std::uint64_t{adapter.IntfIdx});
    json.Key("_Typ"), json.Number(std::uint64_t{adapter._Typ});
    json.Key("_Status"), json.Number(std::uint64_t{adapter._Status});
    std::uint64_t in = 0, out = 0;
    config.GetTraffic(adapter.IntfIdx, in, out);
    json.Key("InOctets"), json.Number(in);
    json.Key("OutOctets"), json.Number(out);
    json.EndObject();
}

void Record(TJsonWriter &json, const TAddressRecord &record)
{
    json.BeginObject();
    json.Key("IP"), json.String(record.IP);
    json.Key("Mask"), json.String(record.Mask);
    json.Key("Physical"), json.String(record.Physical);
    json.Key("IntfIdx"), json.Number(std::uint64_t{record.IntfIdx});
    json.Key("Typ"), json.Number(std::uint64_t{record.Typ});
    json.Key("ARPType"), json.Number(std::uint64_t{record.ARPType});
    json.EndObject();
}

} // namespace

std::string DumpSnapshot(TNetworkConfiguration &config)
{
    TJsonWriter json;
    json.BeginObject();
    json.Key("adapters");
    json.BeginArray();
    for (std::uint16_t i = 0; i < config.AdapterCount(); ++i)
        Adapter(json, config, config.Adapter(i));
    json.EndArray();
    json.Key("addressTable");
    json.BeginArray();
    for (std::uint16_t i = 0; i < config.AdressRecordCount(); ++i)
        Record(json, config.AddressRecord(i));
    json.EndArray();
    json.Key("arpTable");
    json.BeginArray();
    for (std::uint16_t i = 0; i < config.ARPRecordCount(); ++i)
        Record(json, config.ARPRecord(i));
    json.EndArray();
    json.Key("HostName"), json.String(config.HostName());
    json.Key("DomainName"), json.String(config.DomainName());
    json.Key("PrimaryDNSSuffix"), json.String(config.PrimaryDNSSuffix());
    Lines(json, "DNSServers", config.DNSServers());
    json.Key("NodeType"), json.Number(Ordinal(config.NodeType()));
    json.Key("BestInterfaceIdx"), json.Number(std::uint64_t{config.BestInterfaceIdx()});
    // Each Current* read may refresh an empty snapshot, so they come after everything read above.
    json.Key("CurrentIP"), json.String(config.CurrentIP());
    json.Key("CurrentMAC"), json.String(config.CurrentMAC());
    json.Key("CurrentNetwork"), json.String(config.CurrentNetwork());
    json.EndObject();
    return json.Text() + "\n";
}

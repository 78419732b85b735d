#include "Quarl_NCC.h"

#include "BufferChain.h"
#include "Quarl_IPTypes.h"
#include "Quarl_IpHlpAPI.h"
#include "QueryProtocols.h"
#include "TQueryBuffer.h"
#include "WideText.h"

#ifndef _WIN32
#include <arpa/inet.h>
#include <netinet/in.h>
#endif

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstring>
#include <optional>
#include <span>
#include <utility>

const std::array<std::string_view, 13> AdapterTypeNames = {
    "其它", "以太网", "令牌环网", "FDDI", "PPP", "本地环回", "ATM", "IEEE 802.11 无线", "隧道封装",
    "IEEE 1394 (火线) 高性能串行总线", "WiMax 移动宽带", "GSM 移动宽带", "CDMA 移动宽带"};

const std::array<std::string_view, 6> OperStatusNames = {"不可用", "无法访问", "已断开",
                                                          "正在连接", "已连接",   "可用"};

TAdapterType AdapterTypeFromIfType(std::uint32_t ifType)
{
    switch (ifType) {
    case IF_TYPE_ETHERNET_CSMACD: return TAdapterType::atEthernet;
    case IF_TYPE_ISO88025_TOKENRING: return TAdapterType::atTokenRing;
    case IF_TYPE_FDDI: return TAdapterType::atFDDI;
    case IF_TYPE_PPP: return TAdapterType::atPPP;
    case IF_TYPE_SOFTWARE_LOOPBACK: return TAdapterType::atLoopback;
    case IF_TYPE_ATM: return TAdapterType::atATM;
    case IF_TYPE_IEEE80211: return TAdapterType::atIEEE80211;
    case IF_TYPE_TUNNEL: return TAdapterType::atTunnel;
    case IF_TYPE_IEEE1394: return TAdapterType::atIEEE1394;
    case IF_TYPE_IEEE80216_WMAN: return TAdapterType::atIEEE80216_WMAN;
    case IF_TYPE_WWANPP: return TAdapterType::atWWANPP;
    case IF_TYPE_WWANPP2: return TAdapterType::atWWANPP2;
    default: return TAdapterType::atOther;
    }
}

namespace {

// Removes leading and trailing characters with codes up to 32, NUL included.
std::string Trim(std::string text)
{
    const auto keep = [](char c) { return static_cast<unsigned char>(c) > 32; };
    const auto last = std::find_if(text.rbegin(), text.rend(), keep).base();
    text.erase(last, text.end());
    text.erase(text.begin(), std::find_if(text.begin(), text.end(), keep));
    return text;
}

bool SameTextIgnoringCase(std::string_view left, std::string_view right)
{
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return left.size() == right.size() &&
           std::equal(left.begin(), left.end(), right.begin(), [&](char l, char r) { return fold(l) == fold(r); });
}

// Uppercase hexadecimal pairs joined by ":"; a length beyond the field is cut to the field.
std::string HardwareAddressText(const BYTE *bytes, std::size_t length, std::size_t fieldLength)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string text;
    for (std::size_t i = 0; i < std::min(length, fieldLength); ++i) {
        if (i > 0)
            text += ':';
        text += Hex[bytes[i] >> 4];
        text += Hex[bytes[i] & 0xF];
    }
    return text;
}

// A network-order address as dotted text.
std::string IPv4Text(DWORD networkOrder)
{
    return IPv4ToStr(SwapIPv4(networkOrder));
}

TAdapterAdminStatus AdminStatusFromCode(DWORD code)
{
    return code <= static_cast<DWORD>(TAdapterAdminStatus::aasTesting) ? static_cast<TAdapterAdminStatus>(code)
                                                                         : TAdapterAdminStatus::aasUnknown;
}

TAdapterOperationalStatus OperStatusFromCode(DWORD code)
{
    return code <= static_cast<DWORD>(TAdapterOperationalStatus::aosOperational)
               ? static_cast<TAdapterOperationalStatus>(code)
               : TAdapterOperationalStatus::aosNonOperational;
}

TNodeType NodeTypeFromCode(UINT code)
{
    switch (code) {
    case BROADCAST_NODETYPE: return TNodeType::ntBroadcast;
    case PEER_TO_PEER_NODETYPE: return TNodeType::ntPeerToPeer;
    case MIXED_NODETYPE: return TNodeType::ntMixed;
    case HYBRID_NODETYPE: return TNodeType::ntHybrid;
    default: return TNodeType::ntUnknown;
    }
}

TAddressType AddressTypeFromFlags(USHORT flags)
{
    TAddressType set = 0;
    if (flags & MIB_IPADDR_PRIMARY)
        set |= AddressTypeBit(TAddressTypes::atPrimary);
    if (flags & MIB_IPADDR_DYNAMIC)
        set |= AddressTypeBit(TAddressTypes::atDynamic);
    if (flags & MIB_IPADDR_DISCONNECTED)
        set |= AddressTypeBit(TAddressTypes::atDisconnected);
    if (flags & MIB_IPADDR_DELETED)
        set |= AddressTypeBit(TAddressTypes::atDeleted);
    if (flags & MIB_IPADDR_TRANSIENT)
        set |= AddressTypeBit(TAddressTypes::atTransient);
    return set;
}

// "address=mask" for every node of an adapter-info chain; the embedded first node always gives a line.
TSharedLines AddressLines(const TQueryBuffer &buffer, const IP_ADDR_STRING &first)
{
    std::vector<std::string> lines;
    for (const IP_ADDR_STRING *node : ChainNodes<IP_ADDR_STRING>(buffer, &first))
        lines.push_back(AnsiFieldText(node->IpAddress.String) + "=" + AnsiFieldText(node->IpMask.String));
    return TSharedLines(std::move(lines));
}

// The rows that follow a table's count at offset: as many as the count says and the buffer holds.
template <class TRow>
std::span<const TRow> CountedRows(const TQueryBuffer &buffer, std::size_t offset, std::int64_t count)
{
    if (count <= 0 || buffer.Size() < offset)
        return {};
    const std::size_t room = (buffer.Size() - offset) / sizeof(TRow);
    const auto *rows = reinterpret_cast<const TRow *>(static_cast<const std::byte *>(buffer.Data()) + offset);
    return {rows, std::min(static_cast<std::size_t>(count), room)};
}

template <class TTable, class TRow>
std::span<const TRow> TableRows(const TQueryBuffer &buffer)
{
    const auto *count = buffer.At<DWORD>(buffer.Data());
    return count == nullptr ? std::span<const TRow>() : CountedRows<TRow>(buffer, offsetof(TTable, table), *count);
}

// Routes towards the outside world are asked for this destination; the lookup sends nothing.
DWORD OutsideDestination()
{
    return static_cast<DWORD>(inet_addr("8.8.8.8"));
}

} // namespace

TNetworkConfiguration::TNetworkConfiguration()
{
    InitIpHlpAPI();
    Clear();
}

TNetworkConfiguration::~TNetworkConfiguration() = default;

void TNetworkConfiguration::Clear()
{
    FAdapters.clear();
    FAT.clear();
    FARP.clear();
    FProxy = false;
    FRouting = false;
    FDNS = false;
    FHost.clear();
    FDomain.clear();
    FDHCPScope.clear();
    FDNSSuf.clear();
    FDNSList.clear();
    FIL.clear();
    FNode = TNodeType::ntUnknown;
    FBII = 0;
}

void TNetworkConfiguration::RefreshData()
{
    Clear();
    if (!InitIpHlpAPI())
        return;
    ReadInterfaceNames();
    ReadAdapters();
    ReadAdapterAddresses();
    ReadNetworkParams();
    if (!ReadAddressTable())
        return;
    if (!ReadARPTable())
        return;
    ReadBestInterface();
}

void TNetworkConfiguration::ReadInterfaceNames()
{
    if (IpHlpAPI.GetInterfaceInfo == nullptr)
        return;
    TQueryBuffer buffer;
    const DWORD result = QueryProtocols::GrowByBase(
        buffer, 520, ERROR_INSUFFICIENT_BUFFER, [](void *data, ULONG *size) {
            return IpHlpAPI.GetInterfaceInfo(static_cast<PIP_INTERFACE_INFO>(data), size);
        });
    const auto *count = buffer.At<LONG>(buffer.Data());
    if (result != NO_ERROR || count == nullptr)
        return;
    for (const IP_ADAPTER_INDEX_MAP &entry :
         CountedRows<IP_ADAPTER_INDEX_MAP>(buffer, offsetof(IP_INTERFACE_INFO, Adapter), *count)) {
        std::string name = Trim(WideFieldText(entry.Name));
        if (const auto brace = name.find('}'); brace != std::string::npos)
            name.erase(brace + 1);
        FIL.push_back(name + "=" + std::to_string(entry.Index));
    }
}

namespace {

// The name table serves Windows device names such as "\\DEVICE\\TCPIP_{GUID}", whose letter case varies between
// queries. Any other name (Linux names are case-sensitive and may hold "}" or bytes that are not UTF-8) keeps the
// adapter record's own index, so no adapter can take another interface's counters.
bool IsDeviceGuidName(std::string_view name)
{
    const auto open = name.find('{');
    return open != std::string_view::npos && name.find('}', open) != std::string_view::npos;
}

} // namespace

std::uint32_t TNetworkConfiguration::IntfIdxByName(const std::string &name, std::uint32_t own) const
{
    if (!IsDeviceGuidName(name))
        return own;
    std::optional<std::uint32_t> first;
    for (const std::string &line : FIL) {
        // The index is the number after the last "=", so names holding "=" still match.
        const auto equals = line.rfind('=');
        if (!SameTextIgnoringCase(std::string_view(line).substr(0, equals), name))
            continue;
        std::uint32_t index = 0;
        const char *begin = line.data() + equals + 1;
        const auto parsed = std::from_chars(begin, line.data() + line.size(), index);
        if (parsed.ec != std::errc() || parsed.ptr != line.data() + line.size())
            continue;
        // Names that differ only in case (or lost bytes in the wide text) may match several lines: the one
        // naming the record's own interface wins.
        if (index == own)
            return own;
        if (!first)
            first = index;
    }
    return first.value_or(own);
}

void TNetworkConfiguration::ReadAdapters()
{
    TQueryBuffer buffer;
    const DWORD result =
        QueryProtocols::GrowByBase(buffer, 640, ERROR_BUFFER_OVERFLOW, [](void *data, ULONG *size) {
            return IpHlpAPI.GetAdaptersInfo(static_cast<PIP_ADAPTER_INFO>(data), size);
        });
    if (result != NO_ERROR)
        return;
    for (const IP_ADAPTER_INFO *record : ChainNodes<IP_ADAPTER_INFO>(buffer, buffer.Data())) {
        TAdapter adapter;
        adapter.Name = Trim(AnsiFieldText(record->AdapterName));
        adapter.Description = Trim(AnsiFieldText(record->Description));
        adapter._Typ = record->Type;
        adapter.Typ = AdapterTypeFromIfType(record->Type);
        adapter.MACAddress = HardwareAddressText(record->Address, record->AddressLength, MAX_ADAPTER_ADDRESS_LENGTH);
        adapter.DHCPEnabled = record->DhcpEnabled != 0;
        adapter.HaveWINS = record->HaveWins != 0;
        adapter.IPAddress = AddressLines(buffer, record->IpAddressList);
        adapter.Gateways = AddressLines(buffer, record->GatewayList);
        adapter.DHCPServers = AddressLines(buffer, record->DhcpServer);
        adapter.PrimaryWINS = AddressLines(buffer, record->PrimaryWinsServer);
        adapter.SecondaryWINS = AddressLines(buffer, record->SecondaryWinsServer);

        MIB_IFROW row{};
        row.dwIndex = record->Index;
        if (IpHlpAPI.GetIfEntry != nullptr && IpHlpAPI.GetIfEntry(&row) == NO_ERROR) {
            adapter.Name = Trim(WideFieldText(row.wszName));
            adapter.MaxSpeed = row.dwSpeed;
            adapter.MTU = row.dwMtu;
            adapter.AdminStatus = AdminStatusFromCode(row.dwAdminStatus);
            adapter.OperStatus = OperStatusFromCode(row.dwOperStatus);
            adapter._Status = row.dwOperStatus;
        }

        if (IpHlpAPI.GetIfEntry2 != nullptr) {
            MIB_IF_ROW2 row2{};
            row2.InterfaceIndex = record->Index;
            if (IpHlpAPI.GetIfEntry2(&row2) == NO_ERROR) {
                // An empty description keeps the plain row's name.
                if (std::string description = Trim(WideFieldText(row2.Description)); !description.empty())
                    adapter.Name = std::move(description);
                adapter.Alias = Trim(WideFieldText(row2.Alias));
                adapter.MaxSpeed = row2.TransmitLinkSpeed;
                adapter.MTU = row2.Mtu;
            }
        }

        if (adapter.Name.empty())
            adapter.Name = adapter.Description;
        adapter.IntfIdx = IntfIdxByName(adapter.Name, record->Index);

        NET_LUID luid{};
        if (adapter.Alias.empty() && IpHlpAPI.ConvertInterfaceIndexToLuid != nullptr &&
            IpHlpAPI.ConvertInterfaceIndexToLuid(adapter.IntfIdx, &luid) == NO_ERROR &&
            IpHlpAPI.ConvertInterfaceLuidToAlias != nullptr) {
            WCHAR alias[IF_MAX_STRING_SIZE + 1]{};
            if (IpHlpAPI.ConvertInterfaceLuidToAlias(&luid, alias, IF_MAX_STRING_SIZE + 1) == NO_ERROR)
                adapter.Alias = WideFieldText(alias);
        }
        FAdapters.push_back(std::move(adapter));
    }
}

void TNetworkConfiguration::ReadAdapterAddresses()
{
    if (IpHlpAPI.GetAdaptersAddresses == nullptr)
        return;
    TQueryBuffer buffer;
    const DWORD result =
        QueryProtocols::GrowByBase(buffer, 376, ERROR_BUFFER_OVERFLOW, [](void *data, ULONG *size) {
            return IpHlpAPI.GetAdaptersAddresses(AF_INET_IPHLP, GAA_FLAG_INCLUDE_PREFIX, nullptr,
                                                 static_cast<PIP_ADAPTER_ADDRESSES>(data), size);
        });
    if (result != NO_ERROR)
        return;
    for (const IP_ADAPTER_ADDRESSES *record : ChainNodes<IP_ADAPTER_ADDRESSES>(buffer, buffer.Data())) {
        const int found = FindAdapter(std::int64_t{record->IfIndex});
        if (found < 0)
            continue;
        TAdapter &adapter = FAdapters[static_cast<std::size_t>(found)];
        adapter.DNSEnabled = (record->Flags & IP_ADAPTER_DDNS_ENABLED) != 0;
        adapter.NETBIOSEnabled = (record->Flags & IP_ADAPTER_NETBIOS_OVER_TCPIP_ENABLED) != 0;
        adapter.IPv4Enabled = (record->Flags & IP_ADAPTER_IPV4_ENABLED) != 0;
        adapter.IPv6Enabled = (record->Flags & IP_ADAPTER_IPV6_ENABLED) != 0;
        adapter.DNSSuffix = Utf16ToUtf8(buffer.WideTextAt(record->DnsSuffix));

        std::vector<std::string> servers(adapter.DNSServers.begin(), adapter.DNSServers.end());
        for (const auto *server :
             ChainNodes<IP_ADAPTER_DNS_SERVER_ADDRESS>(buffer, record->FirstDnsServerAddress)) {
            // Only an IPv4 socket address that lies wholly in the buffer is read.
            sockaddr_in address{};
            if (server->Address.iSockaddrLength < static_cast<INT>(sizeof address) ||
                !buffer.Holds(server->Address.lpSockaddr, sizeof address))
                continue;
            std::memcpy(&address, server->Address.lpSockaddr, sizeof address);
            if (address.sin_family == AF_INET)
                servers.push_back(IPv4Text(address.sin_addr.s_addr));
        }
        adapter.DNSServers = TSharedLines(std::move(servers));
    }
}

void TNetworkConfiguration::ReadNetworkParams()
{
    if (IpHlpAPI.GetNetworkParams == nullptr)
        return;
    TQueryBuffer buffer;
    const DWORD result = QueryProtocols::ReportedSize(buffer, 584, [](void *data, ULONG *size) {
        return IpHlpAPI.GetNetworkParams(static_cast<PFIXED_INFO>(data), size);
    });
    const auto *info = buffer.At<FIXED_INFO>(buffer.Data());
    if (result != NO_ERROR || info == nullptr)
        return;
    FNode = NodeTypeFromCode(info->NodeType);
    FDHCPScope = AnsiFieldText(info->ScopeId);
    if (const auto *current = buffer.At<IP_ADDR_STRING>(info->CurrentDnsServer))
        FDNSSuf = AnsiFieldText(current->IpAddress.String);
    FDNSList.clear();
    for (const IP_ADDR_STRING *node : ChainNodes<IP_ADDR_STRING>(buffer, &info->DnsServerList)) {
        std::string address = AnsiFieldText(node->IpAddress.String);
        if (!FDNSList.empty() && FDNSList.back() == address)
            break;
        FDNSList.push_back(std::move(address));
    }
    FHost = AnsiFieldText(info->HostName);
    FDomain = AnsiFieldText(info->DomainName);
    FProxy = info->EnableProxy != 0;
    FRouting = info->EnableRouting != 0;
    FDNS = info->EnableDns != 0;
}

bool TNetworkConfiguration::ReadAddressTable()
{
    if (IpHlpAPI.GetIpAddrTable == nullptr)
        return true;
    TQueryBuffer buffer;
    const DWORD result = QueryProtocols::SizeQuery(buffer, [](void *data, ULONG *size) {
        return IpHlpAPI.GetIpAddrTable(static_cast<PMIB_IPADDRTABLE>(data), size, 0);
    });
    if (result == ERROR_NO_DATA)
        return false;
    if (result != NO_ERROR)
        return true;
    for (const MIB_IPADDRROW &row : TableRows<MIB_IPADDRTABLE, MIB_IPADDRROW>(buffer)) {
        TAddressRecord record;
        record.IP = IPv4Text(row.dwAddr);
        record.Mask = IPv4Text(row.dwMask);
        record.IntfIdx = row.dwIndex;
        record.Typ = AddressTypeFromFlags(row.wType);
        FAT.push_back(std::move(record));
    }
    return true;
}

bool TNetworkConfiguration::ReadARPTable()
{
    if (IpHlpAPI.GetIpNetTable == nullptr)
        return true;
    TQueryBuffer buffer;
    const DWORD result = QueryProtocols::SizeQuery(buffer, [](void *data, ULONG *size) {
        return IpHlpAPI.GetIpNetTable(static_cast<PMIB_IPNETTABLE>(data), size, 0);
    });
    if (result == ERROR_NO_DATA)
        return false;
    if (result != NO_ERROR)
        return true;
    for (const MIB_IPNETROW &row : TableRows<MIB_IPNETTABLE, MIB_IPNETROW>(buffer)) {
        TAddressRecord record;
        record.IP = IPv4Text(row.dwAddr);
        record.Mask = "255.255.255.0";
        record.IntfIdx = row.dwIndex;
        record.ARPType = row.dwType;
        record.Physical = HardwareAddressText(row.bPhysAddr, row.dwPhysAddrLen, MAXLEN_PHYSADDR);
        FARP.push_back(std::move(record));
    }
    return true;
}

void TNetworkConfiguration::ReadBestInterface()
{
    DWORD index = 0;
    if (IpHlpAPI.GetBestInterface != nullptr && IpHlpAPI.GetBestInterface(OutsideDestination(), &index) == NO_ERROR)
        FBII = index;
    else
        FBII = FindFirstOperationalIntfIdx();
}

void TNetworkConfiguration::UpdateBestInterface()
{
    DWORD index = 0;
    const bool routed =
        IpHlpAPI.GetBestInterface != nullptr && IpHlpAPI.GetBestInterface(OutsideDestination(), &index) == NO_ERROR;
    if (FAT.empty())
        RefreshData();
    FBII = routed ? index : FindFirstOperationalIntfIdx();
}

int TNetworkConfiguration::FindAdapter(std::string_view name) const
{
    for (std::size_t i = 0; i < FAdapters.size(); ++i)
        if (SameTextIgnoringCase(FAdapters[i].Name, name))
            return static_cast<int>(i);
    return -1;
}

int TNetworkConfiguration::FindAdapter(std::int64_t intfIdx) const
{
    if (intfIdx < 0)
        return -1;
    for (std::size_t i = 0; i < FAdapters.size(); ++i)
        if (FAdapters[i].IntfIdx == intfIdx)
            return static_cast<int>(i);
    return -1;
}

int TNetworkConfiguration::FindAddress(std::string_view ip) const
{
    for (std::size_t i = 0; i < FAT.size(); ++i)
        if (SameTextIgnoringCase(FAT[i].IP, ip))
            return static_cast<int>(i);
    return -1;
}

int TNetworkConfiguration::FindAddress(std::uint32_t intfIdx) const
{
    for (std::size_t i = 0; i < FAT.size(); ++i)
        if (FAT[i].IntfIdx == intfIdx)
            return static_cast<int>(i);
    return -1;
}

int TNetworkConfiguration::FindFirstOperational() const
{
    for (std::size_t i = 0; i < FAdapters.size(); ++i)
        if (FAdapters[i].OperStatus == TAdapterOperationalStatus::aosOperational)
            return static_cast<int>(i);
    for (std::size_t i = 0; i < FAdapters.size(); ++i) {
        if (FAdapters[i].IPAddress.Empty())
            continue;
        const std::string &line = FAdapters[i].IPAddress[0];
        // Platform text that is no address at all counts as a zero address, not as an error of the caller.
        try {
            if (StrToIPv4(std::string_view(line).substr(0, line.find('='))) != 0)
                return static_cast<int>(i);
        } catch (const EIPv4Error &) {
        }
    }
    return -1;
}

std::uint32_t TNetworkConfiguration::FindFirstOperationalIntfIdx() const
{
    const int found = FindFirstOperational();
    return found < 0 ? 0 : FAdapters[static_cast<std::size_t>(found)].IntfIdx;
}

void TNetworkConfiguration::GetTraffic(std::uint32_t intfIdx, std::uint64_t &in, std::uint64_t &out) const
{
    in = 0;
    out = 0;
    if (IpHlpAPI.GetIfEntry2 != nullptr) {
        MIB_IF_ROW2 row2{};
        row2.InterfaceIndex = intfIdx;
        if (IpHlpAPI.GetIfEntry2(&row2) == NO_ERROR) {
            in = row2.InOctets;
            out = row2.OutOctets;
            return;
        }
    }
    MIB_IFROW row{};
    row.dwIndex = intfIdx;
    if (IpHlpAPI.GetIfEntry != nullptr && IpHlpAPI.GetIfEntry(&row) == NO_ERROR) {
        in = row.dwInOctets;
        out = row.dwOutOctets;
    }
}

std::string TNetworkConfiguration::GetSubnetMask(std::string_view ip)
{
    const std::uint32_t first = StrToIPv4(ip) >> 24;
    if (first >= 1 && first <= 126)
        return "255.0.0.0";
    if (first >= 128 && first <= 191)
        return "255.255.0.0";
    if (first >= 192 && first <= 223)
        return "255.255.255.0";
    return "0.0.0.0";
}

std::string TNetworkConfiguration::CurrentIP()
{
    UpdateBestInterface();
    const int found = FindAddress(FBII);
    return found < 0 ? std::string() : FAT[static_cast<std::size_t>(found)].IP;
}

std::string TNetworkConfiguration::CurrentMAC()
{
    UpdateBestInterface();
    const int found = FindAdapter(std::int64_t{FBII});
    return found < 0 ? std::string() : FAdapters[static_cast<std::size_t>(found)].MACAddress;
}

std::string TNetworkConfiguration::CurrentNetwork()
{
    UpdateBestInterface();
    const int found = FindAdapter(std::int64_t{FBII});
    return found < 0 ? std::string() : FAdapters[static_cast<std::size_t>(found)].Alias;
}

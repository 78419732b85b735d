#pragma once

#include "IpHlpRecords.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

// A scripted stand-in for "iphlpapi.dll". By default every entry answers from the plain description in
// TFakeNetwork the way the platform documents (buffer-too-small answers with the required size, 232 for
// empty tables); a test replaces single entries to produce answers a real system cannot be made to give.
struct TFakeAddress {
    std::string Address;
    std::string Mask;
};

struct TFakeIfRow {
    std::u16string Name;
    DWORD Speed = 0;
    DWORD Mtu = 0;
    DWORD AdminStatus = 0;
    DWORD OperStatus = 0;
    DWORD InOctets = 0;
    DWORD OutOctets = 0;
};

struct TFakeIfRow2 {
    std::u16string Description;
    std::u16string Alias;
    ULONG64 TransmitLinkSpeed = 0;
    ULONG Mtu = 0;
    ULONG64 InOctets = 0;
    ULONG64 OutOctets = 0;
};

struct TFakeAdapter {
    std::string AdapterName;
    std::string Description;
    DWORD Index = 0;
    UINT Type = 6;
    std::vector<BYTE> Mac;
    bool Dhcp = false;
    bool Wins = false;
    std::vector<TFakeAddress> IpAddresses{{"0.0.0.0", "0.0.0.0"}};
    std::vector<TFakeAddress> Gateways{{"0.0.0.0", "0.0.0.0"}};
    std::vector<TFakeAddress> DhcpServers{{"", ""}};
    std::vector<TFakeAddress> PrimaryWins{{"", ""}};
    std::vector<TFakeAddress> SecondaryWins{{"", ""}};
};

struct TFakeAdapterAddresses {
    DWORD IfIndex = 0;
    ULONG Flags = 0;
    std::u16string DnsSuffix;
    std::vector<std::string> DnsServers;
};

struct TFakeNetwork {
    std::vector<std::pair<std::u16string, ULONG>> InterfaceNames;
    std::vector<TFakeAdapter> Adapters;
    std::map<DWORD, TFakeIfRow> Rows;   // by interface index
    std::map<DWORD, TFakeIfRow2> Rows2; // by interface index
    std::map<ULONG, std::u16string> LuidAliases;
    std::vector<TFakeAdapterAddresses> Addresses;
    std::string HostName;
    std::string DomainName;
    std::vector<std::string> DnsServers{""};
    std::optional<std::size_t> CurrentDnsServer; // index into DnsServers
    UINT NodeType = 0;
    std::string ScopeId;
    bool Routing = false, Proxy = false, Dns = false;
    std::vector<MIB_IPADDRROW> AddressRows;
    std::vector<MIB_IPNETROW> ArpRows;
    std::optional<DWORD> BestInterface; // for 8.8.8.8; none means no route
};

// One call of an entry: its name and the buffer size it was given (0 for calls without a size).
struct TFakeCall {
    std::string Entry;
    ULONG Size = 0;
    bool WithBuffer = false;
};

class TScriptedIpHlp {
public:
    explicit TScriptedIpHlp(TFakeNetwork &network);
    ~TScriptedIpHlp();
    TScriptedIpHlp(const TScriptedIpHlp &) = delete;
    TScriptedIpHlp &operator=(const TScriptedIpHlp &) = delete;

    // Registers the module under "iphlpapi.dll" exporting the entries that are set now.
    void Install();
    // Makes "iphlpapi.dll" a module that does not exist.
    static void InstallNone();
    // Back to the system's module, re-bound.
    static void Restore();

    std::function<DWORD(PIP_ADAPTER_INFO, PULONG)> GetAdaptersInfo;
    std::function<DWORD(PIP_INTERFACE_INFO, PULONG)> GetInterfaceInfo;
    std::function<DWORD(PMIB_IFROW)> GetIfEntry;
    std::function<DWORD(PMIB_IF_ROW2)> GetIfEntry2;
    std::function<ULONG(ULONG, ULONG, PIP_ADAPTER_ADDRESSES, PULONG)> GetAdaptersAddresses;
    std::function<DWORD(NET_IFINDEX, PNET_LUID)> ConvertInterfaceIndexToLuid;
    std::function<DWORD(const NET_LUID *, PWSTR, SIZE_T)> ConvertInterfaceLuidToAlias;
    std::function<DWORD(PFIXED_INFO, PULONG)> GetNetworkParams;
    std::function<DWORD(PMIB_IPADDRTABLE, PULONG, BOOL)> GetIpAddrTable;
    std::function<DWORD(PMIB_IPNETTABLE, PULONG, BOOL)> GetIpNetTable;
    std::function<DWORD(IPAddr, PDWORD)> GetBestInterface;

    mutable std::vector<TFakeCall> Calls;
    std::vector<TFakeCall> CallsOf(const std::string &entry) const;

    // The documented behaviour of each entry over the network description, for scripts that wrap it.
    DWORD ModelAdaptersInfo(PIP_ADAPTER_INFO buffer, PULONG size) const;
    DWORD ModelNetworkParams(PFIXED_INFO buffer, PULONG size) const;
    ULONG ModelAdaptersAddresses(PIP_ADAPTER_ADDRESSES buffer, PULONG size) const;

    static TScriptedIpHlp *Current;

private:
    TFakeNetwork &FNetwork;
};

// Fills a fixed wide field, cut to leave room for the NUL.
template <std::size_t N>
void CopyWide(WCHAR (&field)[N], std::u16string_view text)
{
    const std::size_t length = text.size() < N ? text.size() : N - 1;
    text.copy(field, length);
    field[length] = u'\0';
}

template <std::size_t N>
void CopyAnsi(char (&field)[N], std::string_view text)
{
    const std::size_t length = text.size() < N ? text.size() : N - 1;
    text.copy(field, length);
    field[length] = '\0';
}

// A network-order address from dotted text.
DWORD NetworkOrder(const char *dotted);

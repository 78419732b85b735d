#pragma once

#include "TSharedLines.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class TAdapterType : std::uint8_t {
    atOther,
    atEthernet,
    atTokenRing,
    atFDDI,
    atPPP,
    atLoopback,
    atATM,
    atIEEE80211,
    atTunnel,
    atIEEE1394,
    atIEEE80216_WMAN,
    atWWANPP,
    atWWANPP2
};

// The ordinals equal the platform's interface-row operational status codes.
enum class TAdapterOperationalStatus : std::uint8_t {
    aosNonOperational,
    aosUnreachable,
    aosDisconnected,
    aosConnecting,
    aosConnected,
    aosOperational
};

// The ordinals equal the platform's administrative status codes.
enum class TAdapterAdminStatus : std::uint8_t { aasUnknown, aasUp, aasDown, aasTesting };

enum class TAddressTypes : std::uint8_t { atPrimary, atDynamic, atDisconnected, atDeleted, atTransient };

// A set of TAddressTypes: bit n stands for ordinal n.
using TAddressType = std::uint8_t;

constexpr TAddressType AddressTypeBit(TAddressTypes member)
{
    return static_cast<TAddressType>(1u << static_cast<unsigned>(member));
}

enum class TNodeType : std::uint8_t { ntUnknown, ntBroadcast, ntPeerToPeer, ntMixed, ntHybrid };

// Words for the properties dialog, indexed by the enumerations' ordinals.
extern const std::array<std::string_view, 13> AdapterTypeNames;
extern const std::array<std::string_view, 6> OperStatusNames;

// Maps the platform's IANA interface type number; unknown numbers are atOther.
TAdapterType AdapterTypeFromIfType(std::uint32_t ifType);

// One adapter of a snapshot. Copies share the six address lists, which are immutable, so a copy stays whole
// after the snapshot it came from has been refreshed or destroyed.
struct TAdapter {
    std::string Description;
    std::string Name;
    std::string Alias;
    std::string MACAddress;
    std::uint64_t MaxSpeed = 0;
    std::uint32_t MTU = 0;
    TAdapterType Typ = TAdapterType::atOther;
    TAdapterAdminStatus AdminStatus = TAdapterAdminStatus::aasUnknown;
    TAdapterOperationalStatus OperStatus = TAdapterOperationalStatus::aosNonOperational;
    bool DHCPEnabled = false;
    bool DNSEnabled = false;
    bool HaveWINS = false;
    bool NETBIOSEnabled = false;
    bool IPv4Enabled = false;
    bool IPv6Enabled = false;
    TSharedLines IPAddress;     // address=mask lines
    TSharedLines Gateways;      // address=mask lines
    TSharedLines DHCPServers;   // address=mask lines
    TSharedLines PrimaryWINS;   // address=mask lines
    TSharedLines SecondaryWINS; // address=mask lines
    TSharedLines DNSServers;    // plain dotted addresses
    std::string DNSSuffix;
    std::uint32_t IntfIdx = 0;
    std::uint32_t _Typ = 0;
    std::uint32_t _Status = 0;
    int _ImageIndex = 0;
    bool _Mark = false;
};

// One row of the address table or of the ARP table.
struct TAddressRecord {
    std::string IP;
    std::string Mask;
    std::string Physical;
    std::uint32_t IntfIdx = 0;
    TAddressType Typ = 0;
    std::uint32_t ARPType = 0;
};

using TAdapterList = std::vector<TAdapter>;
using TAddressTable = std::vector<TAddressRecord>;

// A snapshot of the machine's network configuration through the IP Helper binding. Built from scratch by
// every RefreshData; between refreshes only GetTraffic and the Current* reads ask the platform.
// Indexed accessors take indexes below the matching count and do not check them.
class TNetworkConfiguration {
public:
    TNetworkConfiguration();
    ~TNetworkConfiguration();
    TNetworkConfiguration(const TNetworkConfiguration &) = delete;
    TNetworkConfiguration &operator=(const TNetworkConfiguration &) = delete;

    void Clear();
    void RefreshData();

    std::uint16_t AdapterCount() const { return static_cast<std::uint16_t>(FAdapters.size()); }
    TAdapter Adapter(std::uint16_t index) const { return FAdapters[index]; }
    bool AdapterMark(std::uint16_t index) const { return FAdapters[index]._Mark; }
    void SetAdapterMark(std::uint16_t index, bool mark) { FAdapters[index]._Mark = mark; }
    int AdapterImageIndex(std::uint16_t index) const { return FAdapters[index]._ImageIndex; }
    void SetAdapterImageIndex(std::uint16_t index, int imageIndex) { FAdapters[index]._ImageIndex = imageIndex; }

    // Name compared ignoring ASCII letter case; -1 when none.
    int FindAdapter(std::string_view name) const;
    // A negative index never matches; -1 when none.
    int FindAdapter(std::int64_t intfIdx) const;
    int FindAddress(std::string_view ip) const;
    int FindAddress(std::uint32_t intfIdx) const;
    int FindFirstOperational() const;
    std::uint32_t FindFirstOperationalIntfIdx() const;

    // Cumulative received and sent octets; 0 and 0 for an index the platform does not know. Allocates nothing.
    void GetTraffic(std::uint32_t intfIdx, std::uint64_t &in, std::uint64_t &out) const;

    // The class-based default mask; malformed text raises EIPv4Error.
    static std::string GetSubnetMask(std::string_view ip);

    TAddressRecord AddressRecord(std::uint16_t index) const { return FAT[index]; }
    std::uint16_t AdressRecordCount() const { return static_cast<std::uint16_t>(FAT.size()); }
    TAddressRecord ARPRecord(std::uint16_t index) const { return FARP[index]; }
    std::uint16_t ARPRecordCount() const { return static_cast<std::uint16_t>(FARP.size()); }

    // Each read asks the platform for the best interface again and may refresh an empty snapshot.
    std::string CurrentIP();
    std::string CurrentMAC();
    std::string CurrentNetwork();

    const std::string &HostName() const { return FHost; }
    const std::string &DomainName() const { return FDomain; }
    const std::string &PrimaryDNSSuffix() const { return FDNSSuf; }
    const std::string &DHCPScopeName() const { return FDHCPScope; }
    const std::vector<std::string> &DNSServers() const { return FDNSList; }
    TNodeType NodeType() const { return FNode; }
    bool ProxyEnabled() const { return FProxy; }
    bool RoutingEnabled() const { return FRouting; }
    bool DNSEnabled() const { return FDNS; }
    std::uint32_t BestInterfaceIdx() const { return FBII; }

private:
    void ReadInterfaceNames();
    void ReadAdapters();
    void ReadAdapterAddresses();
    void ReadNetworkParams();
    bool ReadAddressTable();
    bool ReadARPTable();
    void ReadBestInterface();
    void UpdateBestInterface();
    std::uint32_t IntfIdxByName(const std::string &name, std::uint32_t own) const;

    TAdapterList FAdapters;
    TAddressTable FAT;
    TAddressTable FARP;
    bool FProxy = false;
    bool FRouting = false;
    bool FDNS = false;
    std::string FHost;
    std::string FDomain;
    std::string FDNSSuf;
    std::vector<std::string> FDNSList;
    std::vector<std::string> FIL; // name=index lines of the interface-name table
    TNodeType FNode = TNodeType::ntUnknown;
    std::string FDHCPScope;
    std::uint32_t FBII = 0;
};

#pragma once

// The IP Helper records, codes and sizes as the platform documents them. Windows builds take them from
// the SDK; other builds declare the same field names and fixed sizes here, with the platform's 32-bit
// ULONG/DWORD kept 32-bit. Pointers and alignment follow the build's own ABI, so record sizes differ
// from the 32-bit platform's: callers must rely on the sizes the operations report, never on constants.

#ifdef _WIN32

#include <winsock2.h>
#include <ws2ipdef.h>
#include <iphlpapi.h>
#include <windows.h>

#define VX_WINAPI WINAPI

// The address families as the IP Helper calls take them, under names both builds share.
constexpr ULONG AF_UNSPEC_IPHLP = AF_UNSPEC;
constexpr ULONG AF_INET_IPHLP = AF_INET;
constexpr ULONG AF_INET6_IPHLP = AF_INET6;

#else

#include <sys/socket.h>

#include <cstddef>
#include <cstdint>

#define VX_WINAPI

using BYTE = std::uint8_t;
using UCHAR = std::uint8_t;
using BOOLEAN = std::uint8_t;
using USHORT = std::uint16_t;
using WORD = std::uint16_t;
using UINT = std::uint32_t;
using DWORD = std::uint32_t;
using ULONG = std::uint32_t;
using LONG = std::int32_t;
using INT = std::int32_t;
using BOOL = std::int32_t;
constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;
using ULONG64 = std::uint64_t;
using ULONGLONG = std::uint64_t;
using ULONG_PTR = std::uintptr_t;
using SIZE_T = std::size_t;
using PVOID = void *;
using HANDLE = void *;
using PHANDLE = HANDLE *;
using PULONG = ULONG *;
using PDWORD = DWORD *;
using PCHAR = char *;
// Wide text is UTF-16 as on the platform, so one decoder serves both builds.
using WCHAR = char16_t;
using PWCHAR = WCHAR *;
using PWSTR = WCHAR *;
using LPWSTR = WCHAR *;

using IPAddr = ULONG;
using IPMask = ULONG;
using NET_IFINDEX = ULONG;
using IF_INDEX = ULONG;
using IFTYPE = ULONG;
using NETIO_STATUS = DWORD;

// Result codes.
constexpr DWORD NO_ERROR = 0;
constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_INVALID_DATA = 13;
constexpr DWORD ERROR_GEN_FAILURE = 31;
constexpr DWORD ERROR_NOT_SUPPORTED = 50;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_BUFFER_OVERFLOW = 111;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_NO_DATA = 232;
constexpr DWORD ERROR_IO_PENDING = 997;
constexpr DWORD ERROR_NOT_FOUND = 1168;
constexpr DWORD ERROR_NETWORK_UNREACHABLE = 1231;

// Fixed sizes.
constexpr std::size_t MAX_ADAPTER_NAME_LENGTH = 256;
constexpr std::size_t MAX_ADAPTER_DESCRIPTION_LENGTH = 128;
constexpr std::size_t MAX_ADAPTER_ADDRESS_LENGTH = 8;
constexpr std::size_t MAX_HOSTNAME_LEN = 128;
constexpr std::size_t MAX_DOMAIN_NAME_LEN = 128;
constexpr std::size_t MAX_SCOPE_ID_LEN = 256;
constexpr std::size_t MAX_ADAPTER_NAME = 128;
constexpr std::size_t MAX_INTERFACE_NAME_LEN = 256;
constexpr std::size_t MAXLEN_PHYSADDR = 8;
constexpr std::size_t MAXLEN_IFDESCR = 256;
constexpr std::size_t IF_MAX_STRING_SIZE = 256;
constexpr std::size_t IF_MAX_PHYS_ADDRESS_LENGTH = 32;
constexpr std::size_t MAX_DHCPV6_DUID_LENGTH = 130;

// IANA interface types.
constexpr IFTYPE IF_TYPE_OTHER = 1;
constexpr IFTYPE IF_TYPE_ETHERNET_CSMACD = 6;
constexpr IFTYPE IF_TYPE_ISO88025_TOKENRING = 9;
constexpr IFTYPE IF_TYPE_FDDI = 15;
constexpr IFTYPE IF_TYPE_PPP = 23;
constexpr IFTYPE IF_TYPE_SOFTWARE_LOOPBACK = 24;
constexpr IFTYPE IF_TYPE_ATM = 37;
constexpr IFTYPE IF_TYPE_IEEE80211 = 71;
constexpr IFTYPE IF_TYPE_TUNNEL = 131;
constexpr IFTYPE IF_TYPE_IEEE1394 = 144;
constexpr IFTYPE IF_TYPE_IEEE80216_WMAN = 237;
constexpr IFTYPE IF_TYPE_WWANPP = 243;
constexpr IFTYPE IF_TYPE_WWANPP2 = 244;

// MIB_IFROW statuses.
constexpr DWORD MIB_IF_ADMIN_STATUS_UP = 1;
constexpr DWORD MIB_IF_ADMIN_STATUS_DOWN = 2;
constexpr DWORD MIB_IF_ADMIN_STATUS_TESTING = 3;
constexpr DWORD MIB_IF_OPER_STATUS_NON_OPERATIONAL = 0;
constexpr DWORD MIB_IF_OPER_STATUS_UNREACHABLE = 1;
constexpr DWORD MIB_IF_OPER_STATUS_DISCONNECTED = 2;
constexpr DWORD MIB_IF_OPER_STATUS_CONNECTING = 3;
constexpr DWORD MIB_IF_OPER_STATUS_CONNECTED = 4;
constexpr DWORD MIB_IF_OPER_STATUS_OPERATIONAL = 5;

// MIB_IPADDRROW wType flags.
constexpr USHORT MIB_IPADDR_PRIMARY = 0x0001;
constexpr USHORT MIB_IPADDR_DYNAMIC = 0x0004;
constexpr USHORT MIB_IPADDR_DISCONNECTED = 0x0008;
constexpr USHORT MIB_IPADDR_DELETED = 0x0040;
constexpr USHORT MIB_IPADDR_TRANSIENT = 0x0080;

// MIB_IPNETROW dwType.
constexpr DWORD MIB_IPNET_TYPE_OTHER = 1;
constexpr DWORD MIB_IPNET_TYPE_INVALID = 2;
constexpr DWORD MIB_IPNET_TYPE_DYNAMIC = 3;
constexpr DWORD MIB_IPNET_TYPE_STATIC = 4;

// FIXED_INFO NodeType.
constexpr UINT BROADCAST_NODETYPE = 1;
constexpr UINT PEER_TO_PEER_NODETYPE = 2;
constexpr UINT MIXED_NODETYPE = 4;
constexpr UINT HYBRID_NODETYPE = 8;

// GetAdaptersAddresses flags and IP_ADAPTER_ADDRESSES Flags bits.
constexpr ULONG GAA_FLAG_SKIP_UNICAST = 0x0001;
constexpr ULONG GAA_FLAG_SKIP_ANYCAST = 0x0002;
constexpr ULONG GAA_FLAG_SKIP_MULTICAST = 0x0004;
constexpr ULONG GAA_FLAG_SKIP_DNS_SERVER = 0x0008;
constexpr ULONG GAA_FLAG_INCLUDE_PREFIX = 0x0010;
constexpr ULONG GAA_FLAG_SKIP_FRIENDLY_NAME = 0x0020;
constexpr ULONG GAA_FLAG_INCLUDE_GATEWAYS = 0x0080;
constexpr ULONG IP_ADAPTER_DDNS_ENABLED = 0x0001;
constexpr ULONG IP_ADAPTER_REGISTER_ADAPTER_SUFFIX = 0x0002;
constexpr ULONG IP_ADAPTER_DHCP_ENABLED = 0x0004;
constexpr ULONG IP_ADAPTER_RECEIVE_ONLY = 0x0008;
constexpr ULONG IP_ADAPTER_NO_MULTICAST = 0x0010;
constexpr ULONG IP_ADAPTER_NETBIOS_OVER_TCPIP_ENABLED = 0x0040;
constexpr ULONG IP_ADAPTER_IPV4_ENABLED = 0x0080;
constexpr ULONG IP_ADAPTER_IPV6_ENABLED = 0x0100;

// Address families as the platform numbers them.
constexpr ULONG AF_UNSPEC_IPHLP = 0;
constexpr ULONG AF_INET_IPHLP = 2;
constexpr ULONG AF_INET6_IPHLP = 23;

// IF_OPER_STATUS, NET_IF_ADMIN_STATUS and NET_IF_MEDIA_CONNECT_STATE of the extended row.
enum IF_OPER_STATUS : std::uint32_t {
    IfOperStatusUp = 1,
    IfOperStatusDown = 2,
    IfOperStatusTesting = 3,
    IfOperStatusUnknown = 4,
    IfOperStatusDormant = 5,
    IfOperStatusNotPresent = 6,
    IfOperStatusLowerLayerDown = 7,
};

enum NET_IF_ADMIN_STATUS : std::uint32_t {
    NET_IF_ADMIN_STATUS_UP = 1,
    NET_IF_ADMIN_STATUS_DOWN = 2,
    NET_IF_ADMIN_STATUS_TESTING = 3,
};

enum NET_IF_MEDIA_CONNECT_STATE : std::uint32_t {
    MediaConnectStateUnknown = 0,
    MediaConnectStateConnected = 1,
    MediaConnectStateDisconnected = 2,
};

struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};
using NET_IF_NETWORK_GUID = GUID;

union NET_LUID {
    ULONG64 Value;
    struct {
        ULONG64 Reserved : 24;
        ULONG64 NetLuidIndex : 24;
        ULONG64 IfType : 16;
    } Info;
};
using IF_LUID = NET_LUID;
using PNET_LUID = NET_LUID *;

// Interface-name table.
struct IP_ADAPTER_INDEX_MAP {
    ULONG Index;
    WCHAR Name[MAX_ADAPTER_NAME];
};

struct IP_INTERFACE_INFO {
    LONG NumAdapters;
    IP_ADAPTER_INDEX_MAP Adapter[1];
};
using PIP_INTERFACE_INFO = IP_INTERFACE_INFO *;

// Adapter information: every list is a chain whose first node is embedded in the record.
struct IP_ADDRESS_STRING {
    char String[16];
};
using IP_MASK_STRING = IP_ADDRESS_STRING;

struct IP_ADDR_STRING {
    IP_ADDR_STRING *Next;
    IP_ADDRESS_STRING IpAddress;
    IP_MASK_STRING IpMask;
    DWORD Context;
};
using PIP_ADDR_STRING = IP_ADDR_STRING *;

struct IP_ADAPTER_INFO {
    IP_ADAPTER_INFO *Next;
    DWORD ComboIndex;
    char AdapterName[MAX_ADAPTER_NAME_LENGTH + 4];
    char Description[MAX_ADAPTER_DESCRIPTION_LENGTH + 4];
    UINT AddressLength;
    BYTE Address[MAX_ADAPTER_ADDRESS_LENGTH];
    DWORD Index;
    UINT Type;
    UINT DhcpEnabled;
    PIP_ADDR_STRING CurrentIpAddress;
    IP_ADDR_STRING IpAddressList;
    IP_ADDR_STRING GatewayList;
    IP_ADDR_STRING DhcpServer;
    BOOL HaveWins;
    IP_ADDR_STRING PrimaryWinsServer;
    IP_ADDR_STRING SecondaryWinsServer;
    std::int64_t LeaseObtained;
    std::int64_t LeaseExpires;
};
using PIP_ADAPTER_INFO = IP_ADAPTER_INFO *;

// Network parameters.
struct FIXED_INFO {
    char HostName[MAX_HOSTNAME_LEN + 4];
    char DomainName[MAX_DOMAIN_NAME_LEN + 4];
    PIP_ADDR_STRING CurrentDnsServer;
    IP_ADDR_STRING DnsServerList;
    UINT NodeType;
    char ScopeId[MAX_SCOPE_ID_LEN + 4];
    UINT EnableRouting;
    UINT EnableProxy;
    UINT EnableDns;
};
using PFIXED_INFO = FIXED_INFO *;

// Interface rows: the 32-bit row and the extended row with 64-bit counters.
struct MIB_IFROW {
    WCHAR wszName[MAX_INTERFACE_NAME_LEN];
    DWORD dwIndex;
    DWORD dwType;
    DWORD dwMtu;
    DWORD dwSpeed;
    DWORD dwPhysAddrLen;
    BYTE bPhysAddr[MAXLEN_PHYSADDR];
    DWORD dwAdminStatus;
    DWORD dwOperStatus;
    DWORD dwLastChange;
    DWORD dwInOctets;
    DWORD dwInUcastPkts;
    DWORD dwInNUcastPkts;
    DWORD dwInDiscards;
    DWORD dwInErrors;
    DWORD dwInUnknownProtos;
    DWORD dwOutOctets;
    DWORD dwOutUcastPkts;
    DWORD dwOutNUcastPkts;
    DWORD dwOutDiscards;
    DWORD dwOutErrors;
    DWORD dwOutQLen;
    DWORD dwDescrLen;
    BYTE bDescr[MAXLEN_IFDESCR];
};
using PMIB_IFROW = MIB_IFROW *;

struct MIB_IFTABLE {
    DWORD dwNumEntries;
    MIB_IFROW table[1];
};
using PMIB_IFTABLE = MIB_IFTABLE *;

struct MIB_IF_ROW2 {
    NET_LUID InterfaceLuid;
    NET_IFINDEX InterfaceIndex;
    GUID InterfaceGuid;
    WCHAR Alias[IF_MAX_STRING_SIZE + 1];
    WCHAR Description[IF_MAX_STRING_SIZE + 1];
    ULONG PhysicalAddressLength;
    UCHAR PhysicalAddress[IF_MAX_PHYS_ADDRESS_LENGTH];
    UCHAR PermanentPhysicalAddress[IF_MAX_PHYS_ADDRESS_LENGTH];
    ULONG Mtu;
    IFTYPE Type;
    std::uint32_t TunnelType;
    std::uint32_t MediaType;
    std::uint32_t PhysicalMediumType;
    std::uint32_t AccessType;
    std::uint32_t DirectionType;
    struct {
        BOOLEAN HardwareInterface : 1;
        BOOLEAN FilterInterface : 1;
        BOOLEAN ConnectorPresent : 1;
        BOOLEAN NotAuthenticated : 1;
        BOOLEAN NotMediaConnected : 1;
        BOOLEAN Paused : 1;
        BOOLEAN LowPower : 1;
        BOOLEAN EndPointInterface : 1;
    } InterfaceAndOperStatusFlags;
    IF_OPER_STATUS OperStatus;
    NET_IF_ADMIN_STATUS AdminStatus;
    NET_IF_MEDIA_CONNECT_STATE MediaConnectState;
    NET_IF_NETWORK_GUID NetworkGuid;
    std::uint32_t ConnectionType;
    ULONG64 TransmitLinkSpeed;
    ULONG64 ReceiveLinkSpeed;
    ULONG64 InOctets;
    ULONG64 InUcastPkts;
    ULONG64 InNUcastPkts;
    ULONG64 InDiscards;
    ULONG64 InErrors;
    ULONG64 InUnknownProtos;
    ULONG64 InUcastOctets;
    ULONG64 InMulticastOctets;
    ULONG64 InBroadcastOctets;
    ULONG64 OutOctets;
    ULONG64 OutUcastPkts;
    ULONG64 OutNUcastPkts;
    ULONG64 OutDiscards;
    ULONG64 OutErrors;
    ULONG64 OutUcastOctets;
    ULONG64 OutMulticastOctets;
    ULONG64 OutBroadcastOctets;
    ULONG64 OutQLen;
};
using PMIB_IF_ROW2 = MIB_IF_ROW2 *;

struct MIB_IF_TABLE2 {
    ULONG NumEntries;
    MIB_IF_ROW2 Table[1];
};
using PMIB_IF_TABLE2 = MIB_IF_TABLE2 *;

// Resolved but never called; only pointers to it travel.
struct MIB_IPINTERFACE_ROW;
using PMIB_IPINTERFACE_ROW = MIB_IPINTERFACE_ROW *;

// Adapter addresses. The platform wraps Length/IfIndex and Flags in unions with bit views; the plain
// fields keep the same names and offsets.
struct SOCKET_ADDRESS {
    sockaddr *lpSockaddr;
    INT iSockaddrLength;
};

// The shape every address chain of IP_ADAPTER_ADDRESSES shares.
struct IP_ADAPTER_ADDRESS_NODE {
    alignas(8) ULONG Length;
    DWORD Flags;
    IP_ADAPTER_ADDRESS_NODE *Next;
    SOCKET_ADDRESS Address;
};

struct IP_ADAPTER_UNICAST_ADDRESS {
    alignas(8) ULONG Length;
    DWORD Flags;
    IP_ADAPTER_UNICAST_ADDRESS *Next;
    SOCKET_ADDRESS Address;
    std::uint32_t PrefixOrigin;
    std::uint32_t SuffixOrigin;
    std::uint32_t DadState;
    ULONG ValidLifetime;
    ULONG PreferredLifetime;
    ULONG LeaseLifetime;
    UCHAR OnLinkPrefixLength;
};
using PIP_ADAPTER_UNICAST_ADDRESS = IP_ADAPTER_UNICAST_ADDRESS *;

struct IP_ADAPTER_DNS_SERVER_ADDRESS {
    alignas(8) ULONG Length;
    DWORD Reserved;
    IP_ADAPTER_DNS_SERVER_ADDRESS *Next;
    SOCKET_ADDRESS Address;
};
using PIP_ADAPTER_DNS_SERVER_ADDRESS = IP_ADAPTER_DNS_SERVER_ADDRESS *;

struct IP_ADAPTER_GATEWAY_ADDRESS {
    alignas(8) ULONG Length;
    DWORD Reserved;
    IP_ADAPTER_GATEWAY_ADDRESS *Next;
    SOCKET_ADDRESS Address;
};
using PIP_ADAPTER_GATEWAY_ADDRESS = IP_ADAPTER_GATEWAY_ADDRESS *;

struct IP_ADAPTER_PREFIX {
    alignas(8) ULONG Length;
    DWORD Flags;
    IP_ADAPTER_PREFIX *Next;
    SOCKET_ADDRESS Address;
    ULONG PrefixLength;
};
using PIP_ADAPTER_PREFIX = IP_ADAPTER_PREFIX *;

using IP_ADAPTER_ANYCAST_ADDRESS = IP_ADAPTER_ADDRESS_NODE;
using IP_ADAPTER_MULTICAST_ADDRESS = IP_ADAPTER_ADDRESS_NODE;
using IP_ADAPTER_WINS_SERVER_ADDRESS = IP_ADAPTER_ADDRESS_NODE;
using IP_ADAPTER_DNS_SUFFIX_NODE = IP_ADAPTER_ADDRESS_NODE;

struct IP_ADAPTER_ADDRESSES {
    alignas(8) ULONG Length;
    IF_INDEX IfIndex;
    IP_ADAPTER_ADDRESSES *Next;
    PCHAR AdapterName;
    PIP_ADAPTER_UNICAST_ADDRESS FirstUnicastAddress;
    IP_ADAPTER_ANYCAST_ADDRESS *FirstAnycastAddress;
    IP_ADAPTER_MULTICAST_ADDRESS *FirstMulticastAddress;
    PIP_ADAPTER_DNS_SERVER_ADDRESS FirstDnsServerAddress;
    PWCHAR DnsSuffix;
    PWCHAR Description;
    PWCHAR FriendlyName;
    BYTE PhysicalAddress[MAX_ADAPTER_ADDRESS_LENGTH];
    ULONG PhysicalAddressLength;
    ULONG Flags;
    ULONG Mtu;
    IFTYPE IfType;
    IF_OPER_STATUS OperStatus;
    IF_INDEX Ipv6IfIndex;
    ULONG ZoneIndices[16];
    PIP_ADAPTER_PREFIX FirstPrefix;
    ULONG64 TransmitLinkSpeed;
    ULONG64 ReceiveLinkSpeed;
    IP_ADAPTER_WINS_SERVER_ADDRESS *FirstWinsServerAddress;
    PIP_ADAPTER_GATEWAY_ADDRESS FirstGatewayAddress;
    ULONG Ipv4Metric;
    ULONG Ipv6Metric;
    IF_LUID Luid;
    SOCKET_ADDRESS Dhcpv4Server;
    std::uint32_t CompartmentId;
    NET_IF_NETWORK_GUID NetworkGuid;
    std::uint32_t ConnectionType;
    std::uint32_t TunnelType;
    SOCKET_ADDRESS Dhcpv6Server;
    BYTE Dhcpv6ClientDuid[MAX_DHCPV6_DUID_LENGTH];
    ULONG Dhcpv6ClientDuidLength;
    ULONG Dhcpv6Iaid;
    IP_ADAPTER_DNS_SUFFIX_NODE *FirstDnsSuffix;
};
using PIP_ADAPTER_ADDRESSES = IP_ADAPTER_ADDRESSES *;

// IPv4 address table.
struct MIB_IPADDRROW {
    DWORD dwAddr;
    IF_INDEX dwIndex;
    DWORD dwMask;
    DWORD dwBCastAddr;
    DWORD dwReasmSize;
    USHORT unused1;
    USHORT wType;
};

struct MIB_IPADDRTABLE {
    DWORD dwNumEntries;
    MIB_IPADDRROW table[1];
};
using PMIB_IPADDRTABLE = MIB_IPADDRTABLE *;

// ARP table.
struct MIB_IPNETROW {
    IF_INDEX dwIndex;
    DWORD dwPhysAddrLen;
    BYTE bPhysAddr[MAXLEN_PHYSADDR];
    DWORD dwAddr;
    DWORD dwType;
};

struct MIB_IPNETTABLE {
    DWORD dwNumEntries;
    MIB_IPNETROW table[1];
};
using PMIB_IPNETTABLE = MIB_IPNETTABLE *;

// The overlapped record of NotifyAddrChange; what hEvent holds on this platform is the notifier's own.
struct OVERLAPPED {
    ULONG_PTR Internal;
    ULONG_PTR InternalHigh;
    DWORD Offset;
    DWORD OffsetHigh;
    HANDLE hEvent;
};
using LPOVERLAPPED = OVERLAPPED *;

enum TCP_TABLE_CLASS : std::uint32_t {
    TCP_TABLE_BASIC_LISTENER,
    TCP_TABLE_BASIC_CONNECTIONS,
    TCP_TABLE_BASIC_ALL,
    TCP_TABLE_OWNER_PID_LISTENER,
    TCP_TABLE_OWNER_PID_CONNECTIONS,
    TCP_TABLE_OWNER_PID_ALL,
    TCP_TABLE_OWNER_MODULE_LISTENER,
    TCP_TABLE_OWNER_MODULE_CONNECTIONS,
    TCP_TABLE_OWNER_MODULE_ALL,
};

enum UDP_TABLE_CLASS : std::uint32_t {
    UDP_TABLE_BASIC,
    UDP_TABLE_OWNER_PID,
    UDP_TABLE_OWNER_MODULE,
};

#endif

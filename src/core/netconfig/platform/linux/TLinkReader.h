#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TNetlinkSocket;

// An interface's cumulative counters.
struct TLinkCounters {
    std::uint64_t InOctets = 0;
    std::uint64_t OutOctets = 0;
    std::uint64_t InPackets = 0;
    std::uint64_t OutPackets = 0;
    std::uint64_t InErrors = 0;
    std::uint64_t OutErrors = 0;
    std::uint64_t InDiscards = 0;
    std::uint64_t OutDiscards = 0;
    std::uint64_t InMulticast = 0;
};

class TAttributes;

// The counters of a 64-bit statistics attribute; false when it is missing or too short.
bool ReadLinkCounters(const TAttributes &attributes, unsigned short type, TLinkCounters &counters);

// One interface as the kernel's link table reports it.
struct TLinkRecord {
    std::uint32_t Index = 0;
    std::string Name;
    std::uint16_t HardwareType = 0; // ARPHRD_*
    std::uint32_t Flags = 0;        // IFF_*
    std::uint8_t OperState = 0;     // IF_OPER_*
    std::uint32_t MTU = 0;
    std::vector<std::uint8_t> Address;
    std::string Alias;
    std::string Kind; // IFLA_INFO_KIND: veth, bridge, wireguard, ...
    // The device has IPv4 state (what /proc/sys/net/ipv4/conf/NAME shows), and IPv6 that is not
    // disabled (disable_ipv6 = 0).
    bool IPv4 = false;
    bool IPv6 = false;
    TLinkCounters Counters;
};

// Reads the RTM_NEWLINK answers in `replies`, in their order; malformed ones are left out.
std::vector<TLinkRecord> ParseLinks(const std::vector<std::byte> &replies);

// The whole link table, in the kernel's order; nullopt when the dump fails.
std::optional<std::vector<TLinkRecord>> ReadLinks(TNetlinkSocket &socket);

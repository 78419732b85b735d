#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class TNetlinkSocket;

// One IPv4 address of an interface; addresses in network order.
struct TIPv4AddressRecord {
    std::uint32_t Index = 0;
    std::uint32_t Address = 0;
    std::uint32_t Broadcast = 0;
    std::uint8_t PrefixLength = 0;
    bool Secondary = false;
    // Not permanent: handed out with a lifetime, as by DHCP.
    bool Dynamic = false;
};

std::vector<TIPv4AddressRecord> ParseIPv4Addresses(const std::vector<std::byte> &replies);

// Every IPv4 address in the kernel's order; nullopt when the dump fails.
std::optional<std::vector<TIPv4AddressRecord>> ReadIPv4Addresses(TNetlinkSocket &socket);

// The network-order mask of a prefix length (0..32; longer counts as 32).
std::uint32_t PrefixToMask(std::uint8_t prefixLength);

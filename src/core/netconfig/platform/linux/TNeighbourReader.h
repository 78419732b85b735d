#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class TNetlinkSocket;

// One IPv4 neighbour (ARP) entry; address in network order.
struct TNeighbourRecord {
    std::uint32_t Index = 0;
    std::uint32_t Address = 0;
    std::vector<std::uint8_t> Physical;
    std::uint16_t State = 0; // NUD_*
};

std::vector<TNeighbourRecord> ParseNeighbours(const std::vector<std::byte> &replies);

// The IPv4 neighbour table; nullopt when the dump fails.
std::optional<std::vector<TNeighbourRecord>> ReadNeighbours(TNetlinkSocket &socket);

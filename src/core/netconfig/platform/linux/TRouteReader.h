#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class TNetlinkSocket;

// A default route of the main table; gateway in network order, 0 for an on-link default.
struct TDefaultRoute {
    std::uint32_t Index = 0;
    std::uint32_t Gateway = 0;
    std::uint32_t Metric = 0;
};

std::vector<TDefaultRoute> ParseDefaultRoutes(const std::vector<std::byte> &replies);

// The IPv4 default routes, lowest metric first; nullopt when the dump fails.
std::optional<std::vector<TDefaultRoute>> ReadDefaultRoutes(TNetlinkSocket &socket);

// The interface the kernel would send to `destination` (network order) through: a table lookup that
// sends nothing. nullopt when there is no route.
std::optional<std::uint32_t> LookUpRouteInterface(TNetlinkSocket &socket, std::uint32_t destination);

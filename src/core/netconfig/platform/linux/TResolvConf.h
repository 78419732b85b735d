#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What the resolver configuration names.
struct TResolvConf {
    // Dotted IPv4 texts in file order; IPv6 servers are left out.
    std::vector<std::string> NameServers;
    // The first domain of the last "search" or "domain" line; empty when there is none.
    std::string Domain;
};

TResolvConf ParseResolvConf(std::string_view text);

// Reads `path`; when it lists only the local stub 127.0.0.53, the servers come from `upstreamPath`
// (systemd-resolved's list of the real servers) if that can be read.
TResolvConf ReadResolvConf(const std::string &path, const std::string &upstreamPath);

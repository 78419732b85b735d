#pragma once

#include "LinkMapping.h"
#include "TLinkReader.h"
#include "TLinkStatsReader.h"
#include "TNetlinkSocket.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One interface as the provider answers about it: the kernel's link plus what sysfs adds.
struct TInterfaceInfo {
    TLinkRecord Link;
    IFTYPE Type = IF_TYPE_OTHER;
    TLinkStatus Status;
    std::uint64_t Speed = 0;
    // The driver of the device, else the link kind (veth, bridge, ...), else the name.
    std::string Description;
    bool Hardware = false;
};

// The provider's state for the calling thread: its netlink sockets (which belong to the network
// namespace the thread was in when it first asked) and the interface table as last read. Identity
// facts (names, alias, speed, description) are as fresh as the last adapter or interface query;
// counters are read live on every row query. The link table is dumped again on every adapter or
// interface query; the sysfs facts of an interface are kept for a moment, keyed by index and name,
// because one snapshot asks several of those queries in a row; a new name, flags or state reads them
// again at once.
class TLinuxNetState {
public:
    static TLinuxNetState &Current();

    TNetlinkSocket &Socket() { return FSocket; }
    TLinkStatsReader &Stats() { return *FStats; }

    // Re-reads the link table and the sysfs facts; false when the dump fails (the table is then empty).
    bool RefreshInterfaces();
    const std::vector<TInterfaceInfo> &Interfaces() const { return FInterfaces; }

    // The interface of that index; the table is read again once when the index is not in it.
    const TInterfaceInfo *FindInterface(std::uint32_t index);

private:
    const TInterfaceInfo *Lookup(std::uint32_t index) const;
    // The facts of that link, from the previous table when it is recent and knew the link by that name.
    TSysfsNetReader::TFacts ReadFacts(const TSysfsNetReader &sysfs, const TLinkRecord &link, bool recent) const;

    struct TKnownFacts {
        std::uint32_t Index = 0;
        std::string Name;
        std::uint32_t Flags = 0;
        std::uint8_t OperState = 0;
        TSysfsNetReader::TFacts Facts;
    };

    TNetlinkSocket FSocket;
    std::unique_ptr<TLinkStatsReader> FStats = std::make_unique<TLinkStatsReader>();
    std::vector<TInterfaceInfo> FInterfaces;
    std::vector<TKnownFacts> FFacts;
    std::chrono::steady_clock::time_point FFactsRead;
};

#pragma once

#include "TLinkReader.h"
#include "TNetlinkSocket.h"

#include <cstdint>

// Reads one interface's counters on a socket of its own into a fixed buffer: nothing is allocated per
// read. Uses RTM_GETSTATS, and RTM_GETLINK by index on kernels that lack it. Not shareable across
// threads; the socket belongs to the network namespace it was made in.
class TLinkStatsReader {
public:
    // False when the kernel does not know the index (or cannot be asked).
    bool Read(std::uint32_t index, TLinkCounters &counters);

private:
    bool ReadStats(std::uint32_t index, TLinkCounters &counters, long &result);
    bool ReadLink(std::uint32_t index, TLinkCounters &counters);

    TNetlinkSocket FSocket;
    bool FStatsMissing = false;
    // A single link answer with every attribute fits; the statistics answer needs a few hundred bytes.
    alignas(8) unsigned char FAnswer[32768];
};

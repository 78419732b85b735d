#include "TLinkStatsReader.h"

#include "NetlinkMessages.h"

#include <linux/if_link.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstddef>
#include <span>

bool TLinkStatsReader::Read(std::uint32_t index, TLinkCounters &counters)
{
    if (!FStatsMissing) {
        long result = 0;
        if (ReadStats(index, counters, result))
            return true;
        // Kernels before 4.7 answer an unknown message type; anything else is an answer about the index.
        if (result != -EOPNOTSUPP && result != -EINVAL)
            return false;
        FStatsMissing = true;
    }
    return ReadLink(index, counters);
}

bool TLinkStatsReader::ReadStats(std::uint32_t index, TLinkCounters &counters, long &result)
{
    TNetlinkRequest<if_stats_msg> request(RTM_GETSTATS, NLM_F_REQUEST);
    request.Fixed.family = AF_UNSPEC;
    request.Fixed.ifindex = index;
    request.Fixed.filter_mask = IFLA_STATS_FILTER_BIT(IFLA_STATS_LINK_64);
    result = FSocket.Exchange(request.Header, FAnswer, sizeof(FAnswer));
    if (result <= 0)
        return false;
    bool found = false;
    ForEachMessage<if_stats_msg>(std::span(reinterpret_cast<const std::byte *>(FAnswer), static_cast<std::size_t>(result)),
                                 RTM_NEWSTATS, [&](const if_stats_msg &, const TAttributes &attributes) {
                                     found = ReadLinkCounters(attributes, IFLA_STATS_LINK_64, counters);
                                 });
    return found;
}

bool TLinkStatsReader::ReadLink(std::uint32_t index, TLinkCounters &counters)
{
    TNetlinkRequest<ifinfomsg> request(RTM_GETLINK, NLM_F_REQUEST);
    request.Fixed.ifi_family = AF_UNSPEC;
    request.Fixed.ifi_index = static_cast<int>(index);
    const long result = FSocket.Exchange(request.Header, FAnswer, sizeof(FAnswer));
    if (result <= 0)
        return false;
    bool found = false;
    ForEachMessage<ifinfomsg>(std::span(reinterpret_cast<const std::byte *>(FAnswer), static_cast<std::size_t>(result)),
                              RTM_NEWLINK, [&](const ifinfomsg &, const TAttributes &attributes) {
                                  found = ReadLinkCounters(attributes, IFLA_STATS64, counters);
                              });
    return found;
}

#include "TNeighbourReader.h"

#include "NetlinkMessages.h"
#include "TNetlinkSocket.h"

#include <sys/socket.h>

#include <linux/neighbour.h>

std::vector<TNeighbourRecord> ParseNeighbours(const std::vector<std::byte> &replies)
{
    std::vector<TNeighbourRecord> neighbours;
    ForEachMessage<ndmsg>(replies, RTM_NEWNEIGH, [&](const ndmsg &info, const TAttributes &attributes) {
        TNeighbourRecord record;
        if (info.ndm_family != AF_INET || !attributes.Read(NDA_DST, record.Address))
            return;
        record.Index = static_cast<std::uint32_t>(info.ndm_ifindex);
        record.State = info.ndm_state;
        const auto physical = attributes.Bytes(NDA_LLADDR);
        record.Physical.assign(physical.begin(), physical.end());
        neighbours.push_back(std::move(record));
    });
    return neighbours;
}

std::optional<std::vector<TNeighbourRecord>> ReadNeighbours(TNetlinkSocket &socket)
{
    const auto replies = DumpTable<ndmsg>(socket, RTM_GETNEIGH, AF_INET);
    if (!replies)
        return std::nullopt;
    return ParseNeighbours(*replies);
}

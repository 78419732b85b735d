#include "TRouteReader.h"

#include "NetlinkMessages.h"
#include "TNetlinkSocket.h"

#include <sys/socket.h>

#include <algorithm>

std::vector<TDefaultRoute> ParseDefaultRoutes(const std::vector<std::byte> &replies)
{
    std::vector<TDefaultRoute> routes;
    ForEachMessage<rtmsg>(replies, RTM_NEWROUTE, [&](const rtmsg &info, const TAttributes &attributes) {
        std::uint32_t table = info.rtm_table;
        attributes.Read(RTA_TABLE, table);
        if (info.rtm_family != AF_INET || info.rtm_dst_len != 0 || table != RT_TABLE_MAIN ||
            info.rtm_type != RTN_UNICAST)
            return;
        TDefaultRoute route;
        if (!attributes.Read(RTA_OIF, route.Index))
            return;
        attributes.Read(RTA_GATEWAY, route.Gateway);
        attributes.Read(RTA_PRIORITY, route.Metric);
        routes.push_back(route);
    });
    std::stable_sort(routes.begin(), routes.end(),
                     [](const TDefaultRoute &a, const TDefaultRoute &b) { return a.Metric < b.Metric; });
    return routes;
}

std::optional<std::vector<TDefaultRoute>> ReadDefaultRoutes(TNetlinkSocket &socket)
{
    const auto replies = DumpTable<rtmsg>(socket, RTM_GETROUTE, AF_INET);
    if (!replies)
        return std::nullopt;
    return ParseDefaultRoutes(*replies);
}

std::optional<std::uint32_t> LookUpRouteInterface(TNetlinkSocket &socket, std::uint32_t destination)
{
    TNetlinkRequest<rtmsg> request(RTM_GETROUTE, NLM_F_REQUEST);
    request.Fixed.rtm_family = AF_INET;
    request.Fixed.rtm_dst_len = 32;
    request.Add(RTA_DST, destination);
    std::vector<std::byte> replies;
    if (!socket.Request(request.Header, replies))
        return std::nullopt;
    std::optional<std::uint32_t> index;
    ForEachMessage<rtmsg>(replies, RTM_NEWROUTE, [&](const rtmsg &, const TAttributes &attributes) {
        std::uint32_t found = 0;
        if (!index && attributes.Read(RTA_OIF, found))
            index = found;
    });
    return index;
}

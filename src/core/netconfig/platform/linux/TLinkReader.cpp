#include "TLinkReader.h"

#include "NetlinkMessages.h"
#include "TNetlinkSocket.h"

#include <linux/if_link.h>
#include <linux/ipv6.h>
#include <sys/socket.h>

#include <cstring>

namespace {

// The counters up to `collisions` exist in every kernel's 64-bit statistics.
constexpr std::size_t StatsCoreSize = 10 * sizeof(std::uint64_t);

// Whether the link's per-family attributes hold IPv4 state and enabled IPv6.
void ReadFamilies(const TAttributes &attributes, TLinkRecord &link)
{
    const TAttributes families = attributes.Nested(IFLA_AF_SPEC);
    link.IPv4 = families.Find(AF_INET) != nullptr;
    const auto conf = families.Nested(AF_INET6).Bytes(IFLA_INET6_CONF);
    std::int32_t disabled = 1;
    constexpr std::size_t At = DEVCONF_DISABLE_IPV6 * sizeof(std::int32_t);
    if (conf.size() >= At + sizeof(disabled))
        std::memcpy(&disabled, conf.data() + At, sizeof(disabled));
    link.IPv6 = disabled == 0;
}

} // namespace

bool ReadLinkCounters(const TAttributes &attributes, unsigned short type, TLinkCounters &counters)
{
    rtnl_link_stats64 stats{};
    if (!attributes.ReadPrefix(type, stats, StatsCoreSize))
        return false;
    counters.InOctets = stats.rx_bytes;
    counters.OutOctets = stats.tx_bytes;
    counters.InPackets = stats.rx_packets;
    counters.OutPackets = stats.tx_packets;
    counters.InErrors = stats.rx_errors;
    counters.OutErrors = stats.tx_errors;
    counters.InDiscards = stats.rx_dropped;
    counters.OutDiscards = stats.tx_dropped;
    counters.InMulticast = stats.multicast;
    return true;
}

std::vector<TLinkRecord> ParseLinks(const std::vector<std::byte> &replies)
{
    std::vector<TLinkRecord> links;
    ForEachMessage<ifinfomsg>(replies, RTM_NEWLINK, [&](const ifinfomsg &info, const TAttributes &attributes) {
        TLinkRecord link;
        link.Index = static_cast<std::uint32_t>(info.ifi_index);
        link.HardwareType = info.ifi_type;
        link.Flags = info.ifi_flags;
        link.Name = std::string(attributes.Text(IFLA_IFNAME));
        if (link.Index == 0 || link.Name.empty())
            return;
        attributes.Read(IFLA_OPERSTATE, link.OperState);
        attributes.Read(IFLA_MTU, link.MTU);
        const auto address = attributes.Bytes(IFLA_ADDRESS);
        link.Address.assign(address.begin(), address.end());
        link.Alias = std::string(attributes.Text(IFLA_IFALIAS));
        link.Kind = std::string(attributes.Nested(IFLA_LINKINFO).Text(IFLA_INFO_KIND));
        ReadLinkCounters(attributes, IFLA_STATS64, link.Counters);
        ReadFamilies(attributes, link);
        links.push_back(std::move(link));
    });
    return links;
}

std::optional<std::vector<TLinkRecord>> ReadLinks(TNetlinkSocket &socket)
{
    const auto replies = DumpTable<ifinfomsg>(socket, RTM_GETLINK, AF_UNSPEC);
    if (!replies)
        return std::nullopt;
    return ParseLinks(*replies);
}

#include "TAddressReader.h"

#include "NetlinkMessages.h"
#include "TNetlinkSocket.h"

#include <linux/if_addr.h>
#include <netinet/in.h>
#include <sys/socket.h>

std::uint32_t PrefixToMask(std::uint8_t prefixLength)
{
    if (prefixLength == 0)
        return 0;
    const std::uint32_t hostOrder = prefixLength >= 32 ? 0xFFFFFFFFu : ~(0xFFFFFFFFu >> prefixLength);
    return htonl(hostOrder);
}

std::vector<TIPv4AddressRecord> ParseIPv4Addresses(const std::vector<std::byte> &replies)
{
    std::vector<TIPv4AddressRecord> addresses;
    ForEachMessage<ifaddrmsg>(replies, RTM_NEWADDR, [&](const ifaddrmsg &info, const TAttributes &attributes) {
        if (info.ifa_family != AF_INET)
            return;
        TIPv4AddressRecord record;
        // IFA_LOCAL is the interface's own address; IFA_ADDRESS is the peer's on point-to-point links.
        if (!attributes.Read(IFA_LOCAL, record.Address) && !attributes.Read(IFA_ADDRESS, record.Address))
            return;
        record.Index = info.ifa_index;
        record.PrefixLength = info.ifa_prefixlen;
        attributes.Read(IFA_BROADCAST, record.Broadcast);
        std::uint32_t flags = info.ifa_flags;
        attributes.Read(IFA_FLAGS, flags);
        record.Secondary = (flags & IFA_F_SECONDARY) != 0;
        record.Dynamic = (flags & IFA_F_PERMANENT) == 0;
        addresses.push_back(record);
    });
    return addresses;
}

std::optional<std::vector<TIPv4AddressRecord>> ReadIPv4Addresses(TNetlinkSocket &socket)
{
    const auto replies = DumpTable<ifaddrmsg>(socket, RTM_GETADDR, AF_INET);
    if (!replies)
        return std::nullopt;
    return ParseIPv4Addresses(*replies);
}

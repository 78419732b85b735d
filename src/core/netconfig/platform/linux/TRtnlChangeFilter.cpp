#include "TRtnlChangeFilter.h"

#include "RtnlParse.h"

#include <linux/if.h>
#include <linux/if_addr.h>
#include <sys/socket.h>

#include <algorithm>

namespace {

// Text attributes carry a terminating NUL that is not part of the text.
std::string AttributeText(std::span<const std::byte> payload)
{
    const auto *text = reinterpret_cast<const char *>(payload.data());
    return std::string(text, std::find(text, text + payload.size(), '\0'));
}

std::string AttributeBytes(std::span<const std::byte> payload)
{
    return std::string(reinterpret_cast<const char *>(payload.data()), payload.size());
}

template <class T>
void ReadNumber(std::span<const std::byte> payload, T &value)
{
    if (auto number = rtnl::Read<T>(payload))
        value = *number;
}

}  // namespace

bool TRtnlChangeFilter::Update(std::span<const std::byte> messages)
{
    bool changed = false;
    rtnl::ForEachMessage(messages, [&](const nlmsghdr &header, std::span<const std::byte> message) {
        changed = UpdateMessage(header, message) || changed;
    });
    return changed;
}

bool TRtnlChangeFilter::UpdateMessage(const nlmsghdr &header, std::span<const std::byte> message)
{
    switch (header.nlmsg_type) {
    case RTM_NEWLINK:
    case RTM_DELLINK:
        return UpdateLink(header, message);
    case RTM_NEWADDR:
    case RTM_DELADDR:
        return UpdateAddress(header, message);
    default:
        return false;
    }
}

bool TRtnlChangeFilter::UpdateLink(const nlmsghdr &header, std::span<const std::byte> message)
{
    const auto link = rtnl::Read<ifinfomsg>(message, rtnl::Align(sizeof(nlmsghdr)));
    if (!link)
        return false;
    if (header.nlmsg_type == RTM_DELLINK) {
        FLinks.erase(link->ifi_index);
        return true;
    }
    TLinkView view;
    view.Type = link->ifi_type;
    view.Flags = link->ifi_flags & (IFF_UP | IFF_RUNNING);
    bool wireless = false;
    rtnl::ForEachAttribute(message, sizeof(ifinfomsg), [&](std::uint16_t type, std::span<const std::byte> payload) {
        switch (type) {
        case IFLA_IFNAME: view.Name = AttributeText(payload); break;
        case IFLA_MTU: ReadNumber(payload, view.MTU); break;
        case IFLA_OPERSTATE: ReadNumber(payload, view.OperState); break;
        case IFLA_ADDRESS: view.HardwareAddress = AttributeBytes(payload); break;
        case IFLA_IFALIAS: view.Alias = AttributeText(payload); break;
        case IFLA_WIRELESS: wireless = true; break;
        default: break;
        }
    });
    // Wireless-extension events (scans, association chatter) ride on link messages but carry no link
    // state of their own.
    if (wireless)
        return false;
    auto [known, added] = FLinks.try_emplace(link->ifi_index, view);
    if (added)
        return true;
    if (known->second == view)
        return false;
    known->second = std::move(view);
    return true;
}

bool TRtnlChangeFilter::UpdateAddress(const nlmsghdr &header, std::span<const std::byte> message)
{
    const auto address = rtnl::Read<ifaddrmsg>(message, rtnl::Align(sizeof(nlmsghdr)));
    if (!address || address->ifa_family != AF_INET)
        return false;
    TAddrKey key{static_cast<std::int32_t>(address->ifa_index), 0, address->ifa_prefixlen};
    std::uint32_t flags = address->ifa_flags;
    bool haveLocal = false;
    rtnl::ForEachAttribute(message, sizeof(ifaddrmsg), [&](std::uint16_t type, std::span<const std::byte> payload) {
        // The local address is the interface's own; IFA_ADDRESS is the peer on point-to-point links.
        if (type == IFA_LOCAL) {
            ReadNumber(payload, key.Address);
            haveLocal = true;
        } else if (type == IFA_ADDRESS && !haveLocal) {
            ReadNumber(payload, key.Address);
        } else if (type == IFA_FLAGS) {
            ReadNumber(payload, flags);
        }
    });
    if (header.nlmsg_type == RTM_DELADDR) {
        FAddresses.erase(key);
        return true;
    }
    // Only the marks a snapshot maps: secondary clears primary, non-permanent means assigned.
    flags &= IFA_F_SECONDARY | IFA_F_PERMANENT;
    auto [known, added] = FAddresses.try_emplace(key, flags);
    if (added)
        return true;
    if (known->second == flags)
        return false;
    known->second = flags;
    return true;
}

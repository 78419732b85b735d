#pragma once

#include <linux/netlink.h>
#include <linux/rtnetlink.h>

#include <cstddef>
#include <cstdint>

// The netlink framing rules (NLMSG_* and RTA_* of the kernel headers) as typed functions: the
// macros' C casts are not ours to keep.

constexpr std::size_t NetlinkAlign(std::size_t length)
{
    return (length + NLMSG_ALIGNTO - 1) & ~static_cast<std::size_t>(NLMSG_ALIGNTO - 1);
}

constexpr std::size_t MessageHeaderLength = NetlinkAlign(sizeof(nlmsghdr));

constexpr std::size_t MessageLength(std::size_t payload)
{
    return payload + MessageHeaderLength;
}

inline const void *MessageData(const nlmsghdr *message)
{
    return reinterpret_cast<const std::byte *>(message) + MessageHeaderLength;
}

// Whether a whole message starts at `message` within the `remaining` bytes.
inline bool MessageFits(const nlmsghdr *message, std::size_t remaining)
{
    return remaining >= sizeof(nlmsghdr) && message->nlmsg_len >= sizeof(nlmsghdr) && message->nlmsg_len <= remaining;
}

// The next message; `remaining` shrinks accordingly (to 0 past the end).
inline const nlmsghdr *NextMessage(const nlmsghdr *message, std::size_t &remaining)
{
    const std::size_t step = NetlinkAlign(message->nlmsg_len);
    remaining = step < remaining ? remaining - step : 0;
    return reinterpret_cast<const nlmsghdr *>(reinterpret_cast<const std::byte *>(message) + step);
}

constexpr std::size_t AttributeAlign(std::size_t length)
{
    return (length + RTA_ALIGNTO - 1) & ~static_cast<std::size_t>(RTA_ALIGNTO - 1);
}

constexpr std::size_t AttributeHeaderLength = AttributeAlign(sizeof(rtattr));

inline bool AttributeFits(const rtattr *attribute, std::size_t remaining)
{
    return remaining >= sizeof(rtattr) && attribute->rta_len >= sizeof(rtattr) && attribute->rta_len <= remaining;
}

inline const rtattr *NextAttribute(const rtattr *attribute, std::size_t &remaining)
{
    const std::size_t step = AttributeAlign(attribute->rta_len);
    remaining = step < remaining ? remaining - step : 0;
    return reinterpret_cast<const rtattr *>(reinterpret_cast<const std::byte *>(attribute) + step);
}

inline const void *AttributeData(const rtattr *attribute)
{
    return reinterpret_cast<const std::byte *>(attribute) + AttributeHeaderLength;
}

inline std::size_t AttributePayload(const rtattr *attribute)
{
    return attribute->rta_len > AttributeHeaderLength ? attribute->rta_len - AttributeHeaderLength : 0;
}

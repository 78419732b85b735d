#pragma once

#include "NetlinkFraming.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>

// Bounds-checked reading of rtnetlink buffers of mixed message types, in arrival order. Records are copied out, so no unaligned or
// out-of-range read can happen whatever the buffer holds.
namespace rtnl {

constexpr std::size_t Align(std::size_t length)
{
    return NetlinkAlign(length);
}

template <class T>
std::optional<T> Read(std::span<const std::byte> bytes, std::size_t offset = 0)
{
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T))
        return std::nullopt;
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

// Calls `visit(header, message)` for each whole message of a receive buffer; a truncated tail is dropped.
template <class Visit>
void ForEachMessage(std::span<const std::byte> buffer, Visit &&visit)
{
    std::size_t offset = 0;
    while (auto header = Read<nlmsghdr>(buffer, offset)) {
        if (header->nlmsg_len < sizeof(nlmsghdr) || header->nlmsg_len > buffer.size() - offset)
            return;
        visit(*header, buffer.subspan(offset, header->nlmsg_len));
        offset += Align(header->nlmsg_len);
    }
}

// Calls `visit(type, payload)` for each attribute after a message's fixed body of `bodySize` bytes.
template <class Visit>
void ForEachAttribute(std::span<const std::byte> message, std::size_t bodySize, Visit &&visit)
{
    std::size_t offset = Align(sizeof(nlmsghdr)) + Align(bodySize);
    while (auto attribute = Read<rtattr>(message, offset)) {
        if (attribute->rta_len < sizeof(rtattr) || attribute->rta_len > message.size() - offset)
            return;
        const std::size_t header = Align(sizeof(rtattr));
        const std::size_t length = attribute->rta_len >= header ? attribute->rta_len - header : 0;
        visit(static_cast<std::uint16_t>(attribute->rta_type & NLA_TYPE_MASK),
              message.subspan(offset + header, length));
        offset += Align(attribute->rta_len);
    }
}

}  // namespace rtnl

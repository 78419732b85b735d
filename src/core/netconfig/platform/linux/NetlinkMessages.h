#pragma once

#include "NetlinkFraming.h"
#include "TNetlinkSocket.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// Bounds-checked reading of rtnetlink answers: a truncated or inconsistent message or attribute is
// skipped, never read past.

// The attributes that follow a message's fixed header.
class TAttributes {
public:
    TAttributes(const void *first, std::size_t length) : FFirst(static_cast<const rtattr *>(first)), FLength(length) {}

    // The first attribute of that type whose length is sane, else null.
    const rtattr *Find(unsigned short type) const
    {
        std::size_t remaining = FFirst ? FLength : 0;
        for (const rtattr *attribute = FFirst; AttributeFits(attribute, remaining);
             attribute = NextAttribute(attribute, remaining))
            if ((attribute->rta_type & NLA_TYPE_MASK) == type)
                return attribute;
        return nullptr;
    }

    // Copies a fixed-size payload; false when the attribute is missing or shorter than T.
    template <class T>
    bool Read(unsigned short type, T &value) const
    {
        const rtattr *attribute = Find(type);
        if (!attribute || AttributePayload(attribute) < sizeof(T))
            return false;
        std::memcpy(&value, AttributeData(attribute), sizeof(T));
        return true;
    }

    // Copies what the payload holds of T, at least `minimum` bytes; the rest of T is zeroed. For records
    // that grew over kernel versions.
    template <class T>
    bool ReadPrefix(unsigned short type, T &value, std::size_t minimum) const
    {
        const rtattr *attribute = Find(type);
        if (!attribute || AttributePayload(attribute) < minimum)
            return false;
        value = T{};
        std::memcpy(&value, AttributeData(attribute), std::min<std::size_t>(AttributePayload(attribute), sizeof(T)));
        return true;
    }

    // Text up to its NUL or the end of the payload; empty when missing.
    std::string_view Text(unsigned short type) const
    {
        const rtattr *attribute = Find(type);
        if (!attribute)
            return {};
        const auto *text = static_cast<const char *>(AttributeData(attribute));
        const std::size_t payload = AttributePayload(attribute);
        return {text, strnlen(text, payload)};
    }

    // The raw payload; empty when missing.
    std::basic_string_view<unsigned char> Bytes(unsigned short type) const
    {
        const rtattr *attribute = Find(type);
        if (!attribute)
            return {};
        return {static_cast<const unsigned char *>(AttributeData(attribute)), AttributePayload(attribute)};
    }

    // The attributes nested inside one attribute.
    TAttributes Nested(unsigned short type) const
    {
        const rtattr *attribute = Find(type);
        if (!attribute)
            return {nullptr, 0};
        return {AttributeData(attribute), AttributePayload(attribute)};
    }

private:
    const rtattr *FFirst;
    std::size_t FLength;
};

// Calls visit(header, attributes) for every message of `type` in `replies` that is long enough to hold
// its fixed header `THeader`.
template <class THeader, class TVisit>
void ForEachMessage(std::span<const std::byte> replies, std::uint16_t type, TVisit visit)
{
    std::size_t remaining = replies.size();
    for (auto *message = reinterpret_cast<const nlmsghdr *>(replies.data()); MessageFits(message, remaining);
         message = NextMessage(message, remaining)) {
        if (message->nlmsg_type != type || message->nlmsg_len < MessageLength(sizeof(THeader)))
            continue;
        const auto *header = static_cast<const THeader *>(MessageData(message));
        const std::size_t headerSpace = NetlinkAlign(sizeof(THeader));
        const std::size_t payload = message->nlmsg_len - MessageHeaderLength;
        const std::size_t rest = payload > headerSpace ? payload - headerSpace : 0;
        visit(*header, TAttributes(reinterpret_cast<const std::byte *>(header) + headerSpace, rest));
    }
}

// A request: header, fixed part and room for a few attributes, in one aligned block.
template <class TFixed, std::size_t Room = 64>
struct TNetlinkRequest {
    nlmsghdr Header{};
    TFixed Fixed{};
    alignas(NLMSG_ALIGNTO) unsigned char Attributes[Room]{};
    static_assert(sizeof(nlmsghdr) == MessageHeaderLength);

    TNetlinkRequest(std::uint16_t type, std::uint16_t flags)
    {
        Header.nlmsg_type = type;
        Header.nlmsg_flags = flags;
        Header.nlmsg_len = static_cast<std::uint32_t>(MessageLength(sizeof(TFixed)));
    }

    template <class T>
    void Add(unsigned short type, const T &value)
    {
        const std::size_t at = NetlinkAlign(Header.nlmsg_len);
        static_assert(AttributeHeaderLength + sizeof(T) <= Room);
        auto *attribute = reinterpret_cast<rtattr *>(reinterpret_cast<unsigned char *>(&Header) + at);
        attribute->rta_type = type;
        attribute->rta_len = static_cast<unsigned short>(AttributeHeaderLength + sizeof(T));
        std::memcpy(reinterpret_cast<unsigned char *>(attribute) + AttributeHeaderLength, &value, sizeof(T));
        Header.nlmsg_len = static_cast<std::uint32_t>(at + AttributeAlign(attribute->rta_len));
    }
};

// Dumps a whole table. Every rtnetlink request header starts with its address family byte.
template <class TFixed>
std::optional<std::vector<std::byte>> DumpTable(TNetlinkSocket &socket, std::uint16_t type, std::uint8_t family)
{
    TNetlinkRequest<TFixed> request(type, NLM_F_REQUEST | NLM_F_DUMP);
    std::memcpy(&request.Fixed, &family, sizeof(family));
    std::vector<std::byte> replies;
    if (!socket.Request(request.Header, replies))
        return std::nullopt;
    return replies;
}

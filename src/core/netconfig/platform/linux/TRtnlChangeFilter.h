#pragma once

#include <linux/if_link.h>
#include <linux/rtnetlink.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

// Tells which rtnetlink link and IPv4 address messages change something a configuration snapshot shows
// (name, type, up and running, operational state, MTU, hardware address, alias; address, prefix, primary
// and permanent marks). The kernel repeats link messages for statistics, promiscuity and wireless
// events, and address messages for every lease renewal; those must not rebuild the whole program.
class TRtnlChangeFilter {
public:
    // Records the state that the link and address messages of `messages` (dump replies or events, each
    // NLMSG_ALIGNed after the other) carry. True when that changed what a snapshot shows; a deletion
    // always counts.
    bool Update(std::span<const std::byte> messages);

private:
    struct TLinkView {
        std::string Name;
        std::uint16_t Type = 0;
        std::uint32_t Flags = 0;
        std::uint8_t OperState = 0;
        std::uint32_t MTU = 0;
        std::string HardwareAddress;
        std::string Alias;
        bool operator==(const TLinkView &) const = default;
    };
    struct TAddrKey {
        std::int32_t Index = 0;
        std::uint32_t Address = 0;
        std::uint8_t PrefixLength = 0;
        auto operator<=>(const TAddrKey &) const = default;
    };

    bool UpdateMessage(const nlmsghdr &header, std::span<const std::byte> message);
    bool UpdateLink(const nlmsghdr &header, std::span<const std::byte> message);
    bool UpdateAddress(const nlmsghdr &header, std::span<const std::byte> message);

    std::map<std::int32_t, TLinkView> FLinks;
    std::map<TAddrKey, std::uint32_t> FAddresses;
};

#include "TRtnlChangeFilter.h"

#include <gtest/gtest.h>

#include <linux/if.h>
#include <linux/if_addr.h>
#include <linux/if_arp.h>
#include <linux/if_link.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Builds one rtnetlink message: header, fixed body, attributes, each aligned as the kernel aligns them.
class TMessage {
public:
    template <class TBody>
    TMessage(std::uint16_t type, const TBody &body) : FType(type)
    {
        Append(&body, sizeof body);
    }

    TMessage &Attribute(std::uint16_t type, const void *payload, std::size_t length)
    {
        rtattr header{static_cast<unsigned short>(RTA_LENGTH(length)), type};
        Append(&header, sizeof header);
        Append(payload, length);
        return *this;
    }
    TMessage &Text(std::uint16_t type, const std::string &text) { return Attribute(type, text.c_str(), text.size() + 1); }
    TMessage &U32(std::uint16_t type, std::uint32_t value) { return Attribute(type, &value, sizeof value); }
    TMessage &U8(std::uint16_t type, std::uint8_t value) { return Attribute(type, &value, sizeof value); }

    std::vector<std::byte> Bytes() const
    {
        nlmsghdr header{};
        header.nlmsg_len = static_cast<std::uint32_t>(NLMSG_HDRLEN + FBody.size());
        header.nlmsg_type = FType;
        std::vector<std::byte> bytes(NLMSG_HDRLEN);
        std::memcpy(bytes.data(), &header, sizeof header);
        bytes.insert(bytes.end(), FBody.begin(), FBody.end());
        return bytes;
    }

private:
    void Append(const void *data, std::size_t length)
    {
        const auto *bytes = static_cast<const std::byte *>(data);
        FBody.insert(FBody.end(), bytes, bytes + length);
        FBody.resize(NLMSG_ALIGN(FBody.size()));
    }

    std::uint16_t FType;
    std::vector<std::byte> FBody;
};

TMessage Link(std::uint16_t type, int index, unsigned flags, std::uint32_t mtu)
{
    ifinfomsg body{};
    body.ifi_family = AF_UNSPEC;
    body.ifi_type = ARPHRD_ETHER;
    body.ifi_index = index;
    body.ifi_flags = flags;
    TMessage message(type, body);
    message.Text(IFLA_IFNAME, "eth" + std::to_string(index)).U32(IFLA_MTU, mtu).U8(IFLA_OPERSTATE, IF_OPER_UP);
    return message;
}

TMessage Address(std::uint16_t type, int index, std::uint32_t address, std::uint32_t flags)
{
    ifaddrmsg body{};
    body.ifa_family = AF_INET;
    body.ifa_prefixlen = 24;
    body.ifa_index = static_cast<std::uint32_t>(index);
    TMessage message(type, body);
    message.U32(IFA_LOCAL, address).U32(IFA_ADDRESS, address).U32(IFA_FLAGS, flags);
    return message;
}

TEST(RtnlChangeFilter, RepeatedLinkStateIsNoChangeButEveryShownFieldIs)
{
    TRtnlChangeFilter filter;
    EXPECT_TRUE(filter.Update(Link(RTM_NEWLINK, 2, IFF_UP | IFF_RUNNING, 1500).Bytes()));
    EXPECT_FALSE(filter.Update(Link(RTM_NEWLINK, 2, IFF_UP | IFF_RUNNING, 1500).Bytes()));
    // Promiscuity is not shown; up and running, MTU and alias are.
    EXPECT_FALSE(filter.Update(Link(RTM_NEWLINK, 2, IFF_UP | IFF_RUNNING | IFF_PROMISC, 1500).Bytes()));
    EXPECT_TRUE(filter.Update(Link(RTM_NEWLINK, 2, IFF_UP, 1500).Bytes()));
    EXPECT_TRUE(filter.Update(Link(RTM_NEWLINK, 2, IFF_UP, 1400).Bytes()));
    EXPECT_TRUE(filter.Update(Link(RTM_NEWLINK, 2, IFF_UP, 1400).Text(IFLA_IFALIAS, "uplink").Bytes()));
    EXPECT_TRUE(filter.Update(Link(RTM_DELLINK, 2, IFF_UP, 1400).Bytes()));
}

TEST(RtnlChangeFilter, WirelessEventIsNoChangeEvenWhenItsFieldsDiffer)
{
    TRtnlChangeFilter filter;
    filter.Update(Link(RTM_NEWLINK, 3, IFF_UP | IFF_RUNNING, 1500).Bytes());
    const unsigned char event[8] = {8, 0, 0x15, 0x8b, 0, 0, 0, 0};
    EXPECT_FALSE(filter.Update(Link(RTM_NEWLINK, 3, 0, 0).Attribute(IFLA_WIRELESS, event, sizeof event).Bytes()));
    // The wireless event did not overwrite the known state.
    EXPECT_FALSE(filter.Update(Link(RTM_NEWLINK, 3, IFF_UP | IFF_RUNNING, 1500).Bytes()));
}

TEST(RtnlChangeFilter, LeaseRenewalIsNoChangeButNewDeletedOrRemarkedAddressesAre)
{
    TRtnlChangeFilter filter;
    EXPECT_TRUE(filter.Update(Address(RTM_NEWADDR, 2, 0x0100000a, 0).Bytes()));
    EXPECT_FALSE(filter.Update(Address(RTM_NEWADDR, 2, 0x0100000a, 0).Bytes()));
    EXPECT_TRUE(filter.Update(Address(RTM_NEWADDR, 2, 0x0100000a, IFA_F_PERMANENT).Bytes()));
    EXPECT_TRUE(filter.Update(Address(RTM_NEWADDR, 2, 0x0200000a, IFA_F_PERMANENT).Bytes()));
    EXPECT_TRUE(filter.Update(Address(RTM_DELADDR, 2, 0x0100000a, IFA_F_PERMANENT).Bytes()));
    EXPECT_TRUE(filter.Update(Address(RTM_NEWADDR, 2, 0x0100000a, IFA_F_PERMANENT).Bytes()));
}

TEST(RtnlChangeFilter, OneChangeAmongSilentMessagesInABatchCounts)
{
    TRtnlChangeFilter filter;
    filter.Update(Link(RTM_NEWLINK, 2, IFF_UP, 1500).Bytes());
    std::vector<std::byte> batch = Link(RTM_NEWLINK, 2, IFF_UP, 1500).Bytes();
    const auto change = Link(RTM_NEWLINK, 2, IFF_UP, 9000).Bytes();
    batch.insert(batch.end(), change.begin(), change.end());
    EXPECT_TRUE(filter.Update(batch));
}

TEST(RtnlChangeFilter, TruncatedOrForeignMessagesAreIgnored)
{
    TRtnlChangeFilter filter;
    std::vector<std::byte> truncated = Link(RTM_NEWLINK, 4, IFF_UP, 1500).Bytes();
    truncated.resize(truncated.size() - 4);
    EXPECT_FALSE(filter.Update(truncated));
    std::vector<std::byte> headerOnly = Link(RTM_NEWLINK, 4, IFF_UP, 1500).Bytes();
    headerOnly.resize(NLMSG_HDRLEN);
    nlmsghdr header{};
    std::memcpy(&header, headerOnly.data(), sizeof header);
    header.nlmsg_len = NLMSG_HDRLEN;
    std::memcpy(headerOnly.data(), &header, sizeof header);
    EXPECT_FALSE(filter.Update(headerOnly));
    ifaddrmsg v6{};
    v6.ifa_family = AF_INET6;
    EXPECT_FALSE(filter.Update(TMessage(RTM_NEWADDR, v6).Bytes()));
}

}  // namespace

#include "NetlinkMessages.h"
#include "TAddressReader.h"
#include "TLinkReader.h"
#include "TNeighbourReader.h"
#include "TNetlinkSocket.h"
#include "TRouteReader.h"

#include <gtest/gtest.h>

#include <cstring>

#include <linux/if_addr.h>
#include <linux/neighbour.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <vector>

namespace {

// Every prefix of a real answer, copied into a buffer of exactly that size, so a read past a
// truncated message or attribute shows up under the address sanitizer.
template <class TParse>
void ParseEveryPrefix(const std::vector<std::byte> &whole, TParse parse, std::size_t fullCount)
{
    for (std::size_t length = 0; length <= whole.size(); ++length) {
        const std::vector<std::byte> prefix(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_LE(parse(prefix).size(), fullCount) << length;
    }
}

TEST(NetlinkParsing, TruncatedLinkAndAddressAnswersAreNeverReadPastTheirEnd)
{
    TNetlinkSocket socket;
    ASSERT_TRUE(socket.IsOpen());
    const auto links = DumpTable<ifinfomsg>(socket, RTM_GETLINK, AF_UNSPEC);
    ASSERT_TRUE(links.has_value());
    const std::size_t linkCount = ParseLinks(*links).size();
    EXPECT_GE(linkCount, 1u) << "every namespace has lo";
    ParseEveryPrefix(*links, ParseLinks, linkCount);

    const auto addresses = DumpTable<ifaddrmsg>(socket, RTM_GETADDR, AF_INET);
    ASSERT_TRUE(addresses.has_value());
    ParseEveryPrefix(*addresses, ParseIPv4Addresses, ParseIPv4Addresses(*addresses).size());
}

TEST(NetlinkParsing, AttributeLongerThanItsMessageIsIgnored)
{
    // One RTM_NEWNEIGH whose NDA_DST claims more bytes than the message holds.
    struct {
        nlmsghdr header;
        ndmsg neighbour;
        rtattr attribute;
        std::uint32_t address;
    } message{};
    message.header.nlmsg_type = RTM_NEWNEIGH;
    message.header.nlmsg_len = sizeof(message);
    message.neighbour.ndm_family = AF_INET;
    message.attribute.rta_type = NDA_DST;
    message.attribute.rta_len = 200;
    message.address = 0x0100007F;
    std::vector<std::byte> replies(sizeof(message));
    std::memcpy(replies.data(), &message, sizeof(message));
    EXPECT_TRUE(ParseNeighbours(replies).empty());

    message.attribute.rta_len = sizeof(rtattr) + sizeof(std::uint32_t);
    std::memcpy(replies.data(), &message, sizeof(message));
    ASSERT_EQ(ParseNeighbours(replies).size(), 1u);
    EXPECT_EQ(ParseNeighbours(replies).front().Address, 0x0100007Fu);
}

TEST(NetlinkParsing, PrefixLengthsGiveNetworkOrderMasks)
{
    EXPECT_EQ(PrefixToMask(0), 0u);
    EXPECT_EQ(PrefixToMask(8), htonl(0xFF000000u));
    EXPECT_EQ(PrefixToMask(23), htonl(0xFFFFFE00u));
    EXPECT_EQ(PrefixToMask(32), 0xFFFFFFFFu);
    EXPECT_EQ(PrefixToMask(40), 0xFFFFFFFFu);
}

TEST(NetlinkParsing, DefaultRoutesComeLowestMetricFirst)
{
    std::vector<std::byte> replies;
    auto add = [&](std::uint32_t index, std::uint32_t metric, std::uint8_t destinationLength) {
        TNetlinkRequest<rtmsg> message(RTM_NEWROUTE, 0);
        message.Fixed.rtm_family = AF_INET;
        message.Fixed.rtm_table = RT_TABLE_MAIN;
        message.Fixed.rtm_type = RTN_UNICAST;
        message.Fixed.rtm_dst_len = destinationLength;
        message.Add(RTA_OIF, index);
        message.Add(RTA_PRIORITY, metric);
        const std::size_t at = replies.size();
        replies.resize(at + message.Header.nlmsg_len);
        std::memcpy(replies.data() + at, &message.Header, message.Header.nlmsg_len);
    };
    add(3, 600, 0);
    add(4, 100, 24); // not a default route
    add(5, 100, 0);
    const auto routes = ParseDefaultRoutes(replies);
    ASSERT_EQ(routes.size(), 2u);
    EXPECT_EQ(routes[0].Index, 5u);
    EXPECT_EQ(routes[1].Index, 3u);
}

} // namespace

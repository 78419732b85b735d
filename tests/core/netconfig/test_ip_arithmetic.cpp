#include "Quarl_IPTypes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const TIPv6 kOnes = MakeIPv6(0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF);
const TIPv6 kOne = MakeIPv6(0, 0, 0, 0, 0, 0, 0, 1);

TEST(IPv6Arithmetic, CarryRunsThroughAllEightGroupsAndWraps)
{
    EXPECT_EQ(MakeIPv6(0, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF) + kOne, MakeIPv6(1, 0, 0, 0, 0, 0, 0, 0));
    EXPECT_EQ(kOnes + kOne, TIPv6{});
    EXPECT_EQ(kOnes + kOnes, MakeIPv6(0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFE));
}

TEST(IPv6Arithmetic, BorrowRunsThroughAllEightGroups)
{
    EXPECT_EQ(MakeIPv6(1, 0, 0, 0, 0, 0, 0, 0) - kOne, MakeIPv6(0, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF));
    EXPECT_EQ(MakeIPv6(5, 0, 0, 0, 0, 0, 0, 3) - MakeIPv6(2, 0, 0, 0, 0, 0, 0, 4),
              MakeIPv6(2, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF));
}

TEST(IPv6Arithmetic, SubtractingALargerAddressGivesZero)
{
    EXPECT_EQ(kOne - MakeIPv6(0, 0, 0, 0, 0, 0, 0, 2), TIPv6{});
    EXPECT_EQ(MakeIPv6(0, 0, 0, 0, 0, 0, 0, 0xFFFF) - MakeIPv6(0, 0, 0, 0, 0, 0, 1, 0), TIPv6{});
}

TEST(IPv6Arithmetic, ComparisonStartsAtTheFirstGroup)
{
    EXPECT_LT(MakeIPv6(1, 0, 0, 0, 0, 0, 0, 0xFFFF), MakeIPv6(2, 0, 0, 0, 0, 0, 0, 0));
    EXPECT_GT(MakeIPv6(0, 0, 0, 0, 0, 0, 1, 0), MakeIPv6(0, 0, 0, 0, 0, 0, 0, 0xFFFF));
    EXPECT_EQ(kOne <=> kOne, std::strong_ordering::equal);
}

TEST(IPv6Arithmetic, BitwiseOperationsAreGroupWise)
{
    const TIPv6 a = MakeIPv6(0xFF00, 0x0F0F, 0, 0, 0, 0, 0, 0x1234);
    const TIPv6 b = MakeIPv6(0x0FF0, 0x00FF, 0, 0, 0, 0, 0, 0xFFFF);
    EXPECT_EQ(a & b, MakeIPv6(0x0F00, 0x000F, 0, 0, 0, 0, 0, 0x1234));
    EXPECT_EQ(a | b, MakeIPv6(0xFFF0, 0x0FFF, 0, 0, 0, 0, 0, 0xFFFF));
    EXPECT_EQ(a ^ b, MakeIPv6(0xF0F0, 0x0FF0, 0, 0, 0, 0, 0, 0xEDCB));
}

TEST(FloatingScale, IPv4EndsAndRoundTrips)
{
    EXPECT_EQ(IPv4ToDouble(0), 0.0);
    EXPECT_EQ(IPv4ToDouble(0xFFFFFFFFu), 1.0);
    for (std::uint32_t address : {0u, 1u, 0x0A000001u, 0x80000000u, 0xC0A80102u, 0xFFFFFFFEu, 0xFFFFFFFFu}) {
        EXPECT_EQ(DoubleToIPv4(IPv4ToDouble(address)), address) << address;
        EXPECT_EQ(ExtendedToIPv4(IPv4ToExtended(address)), address) << address;
    }
    EXPECT_EQ(SingleToIPv4(IPv4ToSingle(0x80000000u)), 0x80000000u);
}

TEST(FloatingScale, OutOfRangeAndNaNGiveTheNearestEnd)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(DoubleToIPv4(nan), 0u);
    EXPECT_EQ(DoubleToIPv4(-5.0), 0u);
    EXPECT_EQ(DoubleToIPv4(-inf), 0u);
    EXPECT_EQ(DoubleToIPv4(2.0), 0xFFFFFFFFu);
    EXPECT_EQ(DoubleToIPv4(inf), 0xFFFFFFFFu);
    EXPECT_EQ(DoubleToIPv6(nan), TIPv6{});
    EXPECT_EQ(DoubleToIPv6(-1e300), TIPv6{});
    EXPECT_EQ(DoubleToIPv6(1.0), kOnes);
    EXPECT_EQ(DoubleToIPv6(inf), kOnes);
    EXPECT_EQ(SingleToIPv6(std::numeric_limits<float>::quiet_NaN()), TIPv6{});
}

TEST(FloatingScale, IPv6GroupsComeBackFromTheScale)
{
    EXPECT_EQ(IPv6ToDouble(TIPv6{}), 0.0);
    EXPECT_EQ(IPv6ToDouble(kOnes), 1.0);
    EXPECT_EQ(DoubleToIPv6(0.5), MakeIPv6(0x8000, 0, 0, 0, 0, 0, 0, 0));
    // Addresses with no more significant bits than the mantissa survive the round trip.
    const TIPv6 doc = MakeIPv6(0x2001, 0xDB8, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(DoubleToIPv6(IPv6ToDouble(doc)), doc);
    EXPECT_EQ(SingleToIPv6(IPv6ToSingle(MakeIPv6(0x2001, 0, 0, 0, 0, 0, 0, 0))), MakeIPv6(0x2001, 0, 0, 0, 0, 0, 0, 0));
    const TIPv6 spread = MakeIPv6(0x1234, 0x5678, 0x9ABC, 0xDEF0, 0, 0, 0, 0);
    EXPECT_EQ(ExtendedToIPv6(IPv6ToExtended(spread)), spread);
}

TEST(Follow, GoesThroughTheHookAndDoesNothingWithout)
{
    std::string opened;
    SetFollowHook([&opened](const std::string &url) { opened = url; });
    FollowURL("http://10.0.0.1/");
    EXPECT_EQ(opened, "http://10.0.0.1/");
    SetFollowHook(nullptr);
    opened.clear();
    EXPECT_NO_THROW(FollowURL("http://10.0.0.2/"));
    EXPECT_TRUE(opened.empty());
}

} // namespace

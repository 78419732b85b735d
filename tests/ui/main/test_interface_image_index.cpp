#include "InterfaceImageIndex.h"

#include "RowName.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

struct TypeRow {
    const char *name;
    std::int32_t type;
    int image;
};

class InterfaceImageByType : public testing::TestWithParam<TypeRow> {};

} // namespace

TEST_P(InterfaceImageByType, UpInterfacesShowTheirKind)
{
    const TypeRow &row = GetParam();
    for (const std::uint32_t status : {4u, 5u, 6u, 1000u, std::numeric_limits<std::uint32_t>::max()}) {
        EXPECT_EQ(InterfaceImageIndex(row.type, status), row.image) << "status " << status;
    }
}

TEST_P(InterfaceImageByType, InterfacesNotUpShowTheWarning)
{
    const TypeRow &row = GetParam();
    for (const std::uint32_t status : {0u, 1u, 2u, 3u}) {
        EXPECT_EQ(InterfaceImageIndex(row.type, status), 0) << "status " << status;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Types, InterfaceImageByType,
    testing::Values(TypeRow{"Other", 1, 1}, TypeRow{"Ppp", 23, 2}, TypeRow{"Atm", 37, 3},
                    TypeRow{"Ieee1394", 144, 4}, TypeRow{"Ethernet", 6, 7}, TypeRow{"TokenRing", 9, 7},
                    TypeRow{"Wireless", 71, 8}, TypeRow{"Wimax", 237, 8}, TypeRow{"Fddi", 15, 9},
                    TypeRow{"Loopback", 24, 10}, TypeRow{"Tunnel", 131, 11}, TypeRow{"MobileBroadband243", 243, 12},
                    TypeRow{"MobileBroadband244", 244, 12}, TypeRow{"VirtualIsUnknown", 53, 0},
                    TypeRow{"Zero", 0, 0}, TypeRow{"Negative", -6, 0}, TypeRow{"NeighbourOfLoopback", 25, 0},
                    TypeRow{"NeighbourOfMobile", 245, 0}, TypeRow{"Largest", std::numeric_limits<std::int32_t>::max(), 0}),
    RowName());

TEST(InterfaceImageIndex, UnusedPicturesAreNeverChosen)
{
    for (std::int32_t type = -2; type <= 300; ++type) {
        const int image = InterfaceImageIndex(type, 5);
        EXPECT_TRUE(image >= 0 && image <= 12 && image != 5 && image != 6) << "type " << type << " gave " << image;
    }
}

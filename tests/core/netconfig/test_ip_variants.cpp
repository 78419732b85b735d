#include "TIPv6Object.h"
#include "TVariant.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TVariant IPv6Value(const char *text)
{
    return TVariant(text).CastTo(TVarType::IPv6);
}

TEST(IPv4Variant, MadeOnlyFromTheListedKinds)
{
    EXPECT_EQ(TVariant("10.0.0.1").CastTo(TVarType::IPv4).AsCardinal(), 0x0A000001u);
    EXPECT_EQ(TVariant(std::uint8_t{7}).CastTo(TVarType::IPv4).AsString(), "0.0.0.7");
    EXPECT_EQ(TVariant(std::uint16_t{0x102}).CastTo(TVarType::IPv4).AsString(), "0.0.1.2");
    EXPECT_EQ(TVariant(1.0).CastTo(TVarType::IPv4).AsString(), "255.255.255.255");
    EXPECT_EQ(TVariant(0.0f).CastTo(TVarType::IPv4).AsCardinal(), 0u);
    try {
        TVariant(std::int64_t{5}).CastTo(TVarType::IPv4);
        FAIL() << "an Int64 made an IPv4 value";
    } catch (const EIPv4Error &error) {
        EXPECT_STREQ(error.what(), "IPv4 的格式类型无效");
    }
    EXPECT_THROW(TVariant().CastTo(TVarType::IPv4), EIPv4Error);
    EXPECT_THROW(TVariant(true).CastTo(TVarType::IPv4), EIPv4Error);
    EXPECT_THROW(TVariant("1.2.3").CastTo(TVarType::IPv4), EIPv4Error);
}

TEST(IPv4Variant, PropertiesByNameInAnyCase)
{
    const TVariant address = TVariant(0xC0A80102u).CastTo(TVarType::IPv4);
    EXPECT_EQ(address.GetProperty("ASCARDINAL").AsCardinal(), 0xC0A80102u);
    EXPECT_EQ(address.GetProperty("asString").AsString(), "192.168.1.2");
    EXPECT_EQ(address.GetProperty("ASSTRINGOUTWRITTEN").AsString(), "192.168.001.002");
    EXPECT_EQ(address.GetProperty("ASDOUBLE").VarType(), TVarType::Double);
    EXPECT_EQ(DoubleToIPv4(address.GetProperty("ASDOUBLE").AsDouble()), 0xC0A80102u);
    EXPECT_EQ(address.GetProperty("ASSINGLE").VarType(), TVarType::Single);
    EXPECT_EQ(address.GetProperty("ASEXTENDED").VarType(), TVarType::Extended);
    EXPECT_THROW(address.GetProperty("ASBYTES"), EVariantError);
    EXPECT_THROW(TVariant(address).SetProperty("ASSTRING", TVariant("1.2.3.4")), EVariantError);
}

TEST(IPv4Variant, ConvertsThroughTheCardinal)
{
    const TVariant address = TVariant("0.0.1.44").CastTo(TVarType::IPv4);
    EXPECT_EQ(address.AsInt64(), 300);
    EXPECT_EQ(address.CastTo(TVarType::Word).VarType(), TVarType::Word);
    EXPECT_THROW(address.CastTo(TVarType::Byte), EVariantError);
    EXPECT_EQ(address.AsDouble(), IPv4ToDouble(300));
}

TEST(IPv4Variant, ComparesUnsigned)
{
    const TVariant high = TVariant("200.0.0.0").CastTo(TVarType::IPv4);
    const TVariant low = TVariant("100.0.0.0").CastTo(TVarType::IPv4);
    EXPECT_EQ(high.Compare(low), std::strong_ordering::greater);
    EXPECT_EQ(low.Compare(TVariant("100.0.0.0")), std::strong_ordering::equal);
}

TEST(IPv6Variant, TextPropertiesReadAndWrite)
{
    TVariant address = IPv6Value("2001:db8::1");
    EXPECT_EQ(address.AsString(), "2001:DB8:0:0:0:0:0:1");
    EXPECT_EQ(address.GetProperty("ASSTRINGCOMPRESSED").AsString(), "2001:DB8::1");
    EXPECT_EQ(address.GetProperty("AsStringOutwritten").AsString(), "2001:0DB8:0000:0000:0000:0000:0000:0001");
    address.SetProperty("ASSTRINGCOMPRESSED", TVariant("::FFFF:10.1.2.3"));
    EXPECT_EQ(address.GetProperty("ASSTRING").AsString(), "0:0:0:0:0:FFFF:A01:203");
    address.SetProperty("ASDOUBLE", TVariant(0.5));
    EXPECT_EQ(address.GetProperty("ASSTRINGCOMPRESSED").AsString(), "8000::");
    EXPECT_THROW(address.SetProperty("ASSTRING", TVariant("nonsense")), EIPv6Error);
    EXPECT_EQ(address.AsString(), "8000:0:0:0:0:0:0:0") << "a refused write must keep the address";
}

TEST(IPv6Variant, MethodsByName)
{
    const TVariant address = IPv6Value("::1");
    EXPECT_EQ(address.Invoke("ASURL").AsString(), "http://[0:0:0:0:0:0:0:1]/");
    const std::vector<TVariant> index7{TVariant(7)};
    EXPECT_EQ(address.Invoke("GROUP", index7).AsCardinal(), 1u);
    const std::vector<TVariant> index0{TVariant(0)};
    EXPECT_EQ(address.Invoke("group", index0).AsCardinal(), 0u);
    const std::vector<TVariant> index8{TVariant(8)};
    EXPECT_THROW(address.Invoke("GROUP", index8), std::out_of_range);
    EXPECT_FALSE(address.Invoke("ISZERO").AsBoolean());
    EXPECT_TRUE(IPv6Value("::").Invoke("ISZERO").AsBoolean());
    EXPECT_THROW(address.Invoke("GROUP"), EVariantError);
    EXPECT_THROW(address.Invoke("NOSUCH"), EVariantError);
    EXPECT_THROW(TVariant(5).Invoke("ISZERO"), EVariantError);
}

TEST(IPv6Variant, EqualsTakesIPv6OrTextAndEmptyIsUnequal)
{
    const TVariant address = IPv6Value("1::2");
    const std::vector<TVariant> same{IPv6Value("1:0:0:0:0:0:0:2")};
    const std::vector<TVariant> text{TVariant("1:0::2")};
    const std::vector<TVariant> other{TVariant("1::3")};
    const std::vector<TVariant> empty{TVariant()};
    const std::vector<TVariant> null{TVariant(TVarNull{})};
    EXPECT_TRUE(address.Invoke("EQUALS", same).AsBoolean());
    EXPECT_TRUE(address.Invoke("EQUALS", text).AsBoolean());
    EXPECT_FALSE(address.Invoke("EQUALS", other).AsBoolean());
    EXPECT_FALSE(address.Invoke("EQUALS", empty).AsBoolean());
    EXPECT_FALSE(address.Invoke("EQUALS", null).AsBoolean());
}

TEST(IPv6Variant, FollowOpensTheURLThroughTheHook)
{
    std::vector<std::string> opened;
    SetFollowHook([&opened](const std::string &url) { opened.push_back(url); });
    IPv6Value("::1").Invoke("FOLLOW");
    TVariant("10.0.0.1").CastTo(TVarType::IPv4).Invoke("FOLLOW");
    SetFollowHook(nullptr);
    IPv6Value("::2").Invoke("FOLLOW");
    EXPECT_EQ(opened, (std::vector<std::string>{"http://[0:0:0:0:0:0:0:1]/", "http://10.0.0.1/"}));
}

TEST(IPv6Variant, OperatorsAndConcatenation)
{
    const TVariant a = IPv6Value("::FFFF");
    const TVariant b = IPv6Value("::1");
    EXPECT_EQ((a + b).AsString(), "0:0:0:0:0:0:1:0");
    EXPECT_EQ((b - a).AsString(), "0:0:0:0:0:0:0:0");
    EXPECT_EQ((a - TVariant("::F")).AsString(), "0:0:0:0:0:0:0:FFF0");
    EXPECT_EQ((a & b).AsString(), "0:0:0:0:0:0:0:1");
    EXPECT_EQ((a ^ b).AsString(), "0:0:0:0:0:0:0:FFFE");
    EXPECT_EQ((IPv6Value("1::") | b).AsString(), "1:0:0:0:0:0:0:1");
    EXPECT_EQ((b + TVariant(" is here")).AsString(), "0:0:0:0:0:0:0:1 is here");
    EXPECT_EQ((TVariant("at ") + b).VarType(), TVarType::String);
    EXPECT_EQ((TVariant("at ") + b).AsString(), "at 0:0:0:0:0:0:0:1");
    EXPECT_THROW(a + TVariant(5u), EIPv6Error);
    EXPECT_THROW(TVariant(1) + TVariant(2), EVariantError);
    EXPECT_EQ(a.Compare(b), std::strong_ordering::greater);
    EXPECT_EQ(b.Compare(TVariant("::1")), std::strong_ordering::equal);
}

TEST(IPv6Variant, CopiesOwnTheirAddress)
{
    TVariant original = IPv6Value("::1");
    TVariant copy = original;
    copy.SetProperty("ASSTRING", TVariant("::2"));
    EXPECT_EQ(original.GetProperty("ASSTRINGCOMPRESSED").AsString(), "::1");
    EXPECT_EQ(copy.GetProperty("ASSTRINGCOMPRESSED").AsString(), "::2");
}

TEST(IPv6Object, GroupsIndexFromTheFirstGroupInText)
{
    TIPv6Object object("1:2:3:4:5:6:7:8");
    EXPECT_EQ(object.Groups(0), 1);
    EXPECT_EQ(object.Group(7), 8);
    object.SetGroups(0, 0xABCD);
    EXPECT_EQ(object.AsString(), "ABCD:2:3:4:5:6:7:8");
    EXPECT_THROW(object.Groups(-1), std::out_of_range);
    EXPECT_THROW(object.SetGroups(8, 1), std::out_of_range);
    EXPECT_EQ(object.Compare(TIPv6Object("ABCD::")), std::strong_ordering::greater);
    EXPECT_TRUE(object.Equals(StrToIPv6("abcd:2:3:4:5:6:7:8")));
}

TEST(VariantConversion, RefusesWhatDoesNotFit)
{
    EXPECT_THROW(TVariant(300).CastTo(TVarType::Byte), EVariantError);
    EXPECT_THROW(TVariant(1e300).AsSingle(), EVariantError);
    EXPECT_THROW(TVariant(std::numeric_limits<double>::quiet_NaN()).AsInt64(), EVariantError);
    EXPECT_THROW(TVariant("12x").AsCardinal(), EVariantError);
    EXPECT_THROW(TVariant(TVarNull{}).AsString(), EVariantError);
    EXPECT_EQ(TVariant("2.5").AsInt64(), 2);
    EXPECT_EQ(TVariant(-1).AsString(), "-1");
    EXPECT_EQ(TVariant(0.25).AsString(), "0.25");
    EXPECT_EQ(TVariant().AsCardinal(), 0u);
}

} // namespace

#include "TIPv6Object.h"

#include "TVariant.h"

#include <cstddef>
#include <stdexcept>

namespace {

std::size_t GroupSlot(int index)
{
    if (index < 0 || index > 7)
        throw std::out_of_range("IPv6 group index " + std::to_string(index) + " is outside 0..7");
    return TIPv6::A - static_cast<std::size_t>(index);
}

} // namespace

TIPv6Object::TIPv6Object(const TIPv6 &address) : FIPv6(address) {}

TIPv6Object::TIPv6Object(std::string_view text) : FIPv6(StrToIPv6(text)) {}

std::string TIPv6Object::AsString() const
{
    return IPv6ToStr(FIPv6);
}

std::string TIPv6Object::AsStringCompressed() const
{
    return IPv6ToStrCompressed(FIPv6);
}

std::string TIPv6Object::AsStringOutwritten() const
{
    return IPv6ToStrOutwritten(FIPv6);
}

void TIPv6Object::SetAsString(std::string_view text)
{
    FIPv6 = StrToIPv6(text);
}

double TIPv6Object::AsDouble() const
{
    return IPv6ToDouble(FIPv6);
}

long double TIPv6Object::AsExtended() const
{
    return IPv6ToExtended(FIPv6);
}

float TIPv6Object::AsSingle() const
{
    return IPv6ToSingle(FIPv6);
}

void TIPv6Object::SetAsDouble(double scale)
{
    FIPv6 = DoubleToIPv6(scale);
}

void TIPv6Object::SetAsExtended(long double scale)
{
    FIPv6 = ExtendedToIPv6(scale);
}

void TIPv6Object::SetAsSingle(float scale)
{
    FIPv6 = SingleToIPv6(scale);
}

std::uint16_t TIPv6Object::Groups(int index) const
{
    return FIPv6.Groups[GroupSlot(index)];
}

void TIPv6Object::SetGroups(int index, std::uint16_t value)
{
    FIPv6.Groups[GroupSlot(index)] = value;
}

std::string TIPv6Object::AsURL() const
{
    return IPv6ToURL(FIPv6, "http", 80);
}

std::strong_ordering TIPv6Object::Compare(const TIPv6Object &value) const
{
    return FIPv6 <=> value.FIPv6;
}

bool TIPv6Object::Equals(const TIPv6 &value) const
{
    return FIPv6 == value;
}

bool TIPv6Object::Equals(const TVariant &value) const
{
    if (value.IsEmpty() || value.IsNull())
        return false;
    if (const TIPv6VariantType *other = value.IPv6Value())
        return Equals(other->Object().IPv6());
    return Equals(StrToIPv6(value.AsString()));
}

bool TIPv6Object::IsZero() const
{
    return IPv6IsZero(FIPv6);
}

void TIPv6Object::Follow() const
{
    FollowURL(AsURL());
}

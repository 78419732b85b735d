#pragma once

#include "TVarType.h"

#include <cstdint>
#include <span>
#include <string_view>

class TVariant;

// The dynamic IPv4 value: a host-order address that answers its properties and methods by name.
class TIPv4VariantType final {
public:
    explicit TIPv4VariantType(std::uint32_t address = 0) : FAddress(address) {}

    // From Single, Double or Extended (floating scale), text (StrToIPv4), Byte, Word or Cardinal (the number),
    // or another IPv4 value; anything else raises EIPv4Error.
    static TIPv4VariantType Cast(const TVariant &value);

    std::uint32_t Address() const { return FAddress; }

    // Floating kinds give the scale, text gives IPv4ToStr, Cardinal and Int64 the number, the rest go through
    // the Cardinal.
    TVariant CastTo(TVarType type) const;

    // "ASCARDINAL", "ASEXTENDED", "ASDOUBLE", "ASSINGLE", "ASSTRING", "ASSTRINGOUTWRITTEN"; any letter case.
    TVariant GetProperty(std::string_view name) const;
    // "FOLLOW".
    TVariant Invoke(std::string_view name, std::span<const TVariant> arguments) const;

private:
    std::uint32_t FAddress;
};

#pragma once

#include "TIPv6Object.h"
#include "TVarType.h"

#include <span>
#include <string_view>

class TVariant;

// The dynamic IPv6 value: an address object of its own, copied with the value.
class TIPv6VariantType final {
public:
    TIPv6VariantType() = default;
    explicit TIPv6VariantType(const TIPv6Object &object) : FIPv6(object) {}

    // From text (parsed), another IPv6 value, or any other value through its text; raises EIPv6Error.
    static TIPv6VariantType Cast(const TVariant &value);

    const TIPv6Object &Object() const { return FIPv6; }

    // Text gives IPv6ToStr; every other kind goes through that text.
    TVariant CastTo(TVarType type) const;

    // "ASEXTENDED", "ASDOUBLE", "ASSINGLE", "ASSTRING", "ASSTRINGCOMPRESSED", "ASSTRINGOUTWRITTEN"; any letter
    // case. Writing a text property parses the text.
    TVariant GetProperty(std::string_view name) const;
    void SetProperty(std::string_view name, const TVariant &value);
    // Functions "ASURL", "EQUALS" (a value), "GROUP" (an index), "ISZERO"; procedure "FOLLOW".
    TVariant Invoke(std::string_view name, std::span<const TVariant> arguments) const;

private:
    TIPv6Object FIPv6;
};

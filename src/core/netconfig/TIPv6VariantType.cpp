#include "TIPv6VariantType.h"

#include "TVariant.h"

#include <algorithm>

TIPv6VariantType TIPv6VariantType::Cast(const TVariant &value)
{
    if (const TIPv6VariantType *ipv6 = value.IPv6Value())
        return *ipv6;
    return TIPv6VariantType(TIPv6Object(value.AsString()));
}

TVariant TIPv6VariantType::CastTo(TVarType type) const
{
    if (type == TVarType::IPv6)
        return TVariant(*this);
    return TVariant(FIPv6.AsString()).CastTo(type);
}

TVariant TIPv6VariantType::GetProperty(std::string_view name) const
{
    if (SameVarName(name, "ASEXTENDED"))
        return TVariant(FIPv6.AsExtended());
    if (SameVarName(name, "ASDOUBLE"))
        return TVariant(FIPv6.AsDouble());
    if (SameVarName(name, "ASSINGLE"))
        return TVariant(FIPv6.AsSingle());
    if (SameVarName(name, "ASSTRING"))
        return TVariant(FIPv6.AsString());
    if (SameVarName(name, "ASSTRINGCOMPRESSED"))
        return TVariant(FIPv6.AsStringCompressed());
    if (SameVarName(name, "ASSTRINGOUTWRITTEN"))
        return TVariant(FIPv6.AsStringOutwritten());
    throw EVariantError("an IPv6 value has no property \"" + std::string(name) + "\"");
}

void TIPv6VariantType::SetProperty(std::string_view name, const TVariant &value)
{
    if (SameVarName(name, "ASSTRING") || SameVarName(name, "ASSTRINGCOMPRESSED") ||
        SameVarName(name, "ASSTRINGOUTWRITTEN"))
        FIPv6.SetAsString(value.AsString());
    else if (SameVarName(name, "ASEXTENDED"))
        FIPv6.SetAsExtended(value.AsExtended());
    else if (SameVarName(name, "ASDOUBLE"))
        FIPv6.SetAsDouble(value.AsDouble());
    else if (SameVarName(name, "ASSINGLE"))
        FIPv6.SetAsSingle(value.AsSingle());
    else
        throw EVariantError("an IPv6 value has no property \"" + std::string(name) + "\"");
}

TVariant TIPv6VariantType::Invoke(std::string_view name, std::span<const TVariant> arguments) const
{
    if (SameVarName(name, "ASURL")) {
        RequireArgumentCount(name, arguments, 0);
        return TVariant(FIPv6.AsURL());
    }
    if (SameVarName(name, "EQUALS")) {
        RequireArgumentCount(name, arguments, 1);
        return TVariant(FIPv6.Equals(arguments[0]));
    }
    if (SameVarName(name, "GROUP")) {
        RequireArgumentCount(name, arguments, 1);
        // Clamped so that any far-off index reaches Group's own range error.
        const auto index = static_cast<int>(std::clamp<std::int64_t>(arguments[0].AsInt64(), -1, 8));
        return TVariant(FIPv6.Group(index));
    }
    if (SameVarName(name, "ISZERO")) {
        RequireArgumentCount(name, arguments, 0);
        return TVariant(FIPv6.IsZero());
    }
    if (SameVarName(name, "FOLLOW")) {
        RequireArgumentCount(name, arguments, 0);
        FIPv6.Follow();
        return TVariant();
    }
    throw EVariantError("an IPv6 value has no method \"" + std::string(name) + "\"");
}

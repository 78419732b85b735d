#include "TIPv4VariantType.h"

#include "Quarl_IPTypes.h"
#include "TVariant.h"

TIPv4VariantType TIPv4VariantType::Cast(const TVariant &value)
{
    if (const TIPv4VariantType *ipv4 = value.IPv4Value())
        return *ipv4;
    switch (value.VarType()) {
    case TVarType::Single:
    case TVarType::Double:
    case TVarType::Extended: return TIPv4VariantType(ExtendedToIPv4(value.AsExtended()));
    case TVarType::String: return TIPv4VariantType(StrToIPv4(value.AsString()));
    case TVarType::Byte:
    case TVarType::Word:
    case TVarType::Cardinal: return TIPv4VariantType(value.AsCardinal());
    default: throw EIPv4Error("IPv4 的格式类型无效");
    }
}

TVariant TIPv4VariantType::CastTo(TVarType type) const
{
    switch (type) {
    case TVarType::IPv4: return TVariant(*this);
    case TVarType::Single: return TVariant(IPv4ToSingle(FAddress));
    case TVarType::Double: return TVariant(IPv4ToDouble(FAddress));
    case TVarType::Extended: return TVariant(IPv4ToExtended(FAddress));
    case TVarType::String: return TVariant(IPv4ToStr(FAddress));
    case TVarType::Int64: return TVariant(std::int64_t{FAddress});
    default: return TVariant(FAddress).CastTo(type);
    }
}

TVariant TIPv4VariantType::GetProperty(std::string_view name) const
{
    if (SameVarName(name, "ASCARDINAL"))
        return TVariant(FAddress);
    if (SameVarName(name, "ASEXTENDED"))
        return TVariant(IPv4ToExtended(FAddress));
    if (SameVarName(name, "ASDOUBLE"))
        return TVariant(IPv4ToDouble(FAddress));
    if (SameVarName(name, "ASSINGLE"))
        return TVariant(IPv4ToSingle(FAddress));
    if (SameVarName(name, "ASSTRING"))
        return TVariant(IPv4ToStr(FAddress));
    if (SameVarName(name, "ASSTRINGOUTWRITTEN"))
        return TVariant(IPv4ToStrOutwritten(FAddress));
    throw EVariantError("an IPv4 value has no property \"" + std::string(name) + "\"");
}

TVariant TIPv4VariantType::Invoke(std::string_view name, std::span<const TVariant> arguments) const
{
    if (SameVarName(name, "FOLLOW")) {
        RequireArgumentCount(name, arguments, 0);
        FollowURL(IPv4ToURL(FAddress, "http", 80));
        return TVariant();
    }
    throw EVariantError("an IPv4 value has no method \"" + std::string(name) + "\"");
}

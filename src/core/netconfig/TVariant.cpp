#include "TVariant.h"

#include "Quarl_IPTypes.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace {

[[noreturn]] void RaiseConversion(TVarType from, TVarType to)
{
    throw EVariantError(std::string("cannot convert a value of kind ") + VarTypeName(from) + " to " + VarTypeName(to));
}

[[noreturn]] void RaiseOverflow(TVarType to)
{
    throw EVariantError(std::string("the value is out of range for ") + VarTypeName(to));
}

template <class Number>
std::string ShortestText(Number value)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

template <class Number>
bool ParseWhole(std::string_view text, Number &value)
{
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

// Floating to whole numbers rounds half to even, as the scale conversions do.
std::int64_t RoundedToInt64(long double value, TVarType to)
{
    if (!std::isfinite(value))
        RaiseOverflow(to);
    const long double rounded = std::nearbyint(value);
    if (!(rounded >= -0x1p63L && rounded < 0x1p63L))
        RaiseOverflow(to);
    return static_cast<std::int64_t>(rounded);
}

template <class Integer>
TVariant CheckedInteger(std::int64_t value, TVarType to)
{
    if (value < std::numeric_limits<Integer>::min() || value > std::int64_t{std::numeric_limits<Integer>::max()})
        RaiseOverflow(to);
    return TVariant(static_cast<Integer>(value));
}

TVariant IntegerAs(std::int64_t value, TVarType to)
{
    switch (to) {
    case TVarType::Boolean: return TVariant(value != 0);
    case TVarType::Byte: return CheckedInteger<std::uint8_t>(value, to);
    case TVarType::Word: return CheckedInteger<std::uint16_t>(value, to);
    case TVarType::Cardinal: return CheckedInteger<std::uint32_t>(value, to);
    case TVarType::Integer: return CheckedInteger<std::int32_t>(value, to);
    case TVarType::Int64: return TVariant(value);
    case TVarType::Single: return TVariant(static_cast<float>(value));
    case TVarType::Double: return TVariant(static_cast<double>(value));
    case TVarType::Extended: return TVariant(static_cast<long double>(value));
    case TVarType::String: return TVariant(std::to_string(value));
    default: RaiseConversion(TVarType::Int64, to);
    }
}

// Narrowing a finite value beyond the target's range is undefined, so it is refused.
TVariant FloatingAs(long double value, TVarType to)
{
    switch (to) {
    case TVarType::Boolean: return TVariant(value != 0);
    case TVarType::Single:
        if (std::isfinite(value) && std::fabs(value) > FLT_MAX)
            RaiseOverflow(to);
        return TVariant(static_cast<float>(value));
    case TVarType::Double:
        if (std::isfinite(value) && std::fabs(value) > DBL_MAX)
            RaiseOverflow(to);
        return TVariant(static_cast<double>(value));
    case TVarType::Extended: return TVariant(value);
    case TVarType::String: return TVariant(ShortestText(value));
    default: return IntegerAs(RoundedToInt64(value, to), to);
    }
}

TVariant TextAs(const std::string &text, TVarType to)
{
    if (to == TVarType::String)
        return TVariant(text);
    if (to == TVarType::Boolean) {
        if (SameVarName(text, "True"))
            return TVariant(true);
        if (SameVarName(text, "False"))
            return TVariant(false);
    }
    std::int64_t whole = 0;
    if (ParseWhole(text, whole))
        return IntegerAs(whole, to);
    long double floating = 0;
    if (ParseWhole(text, floating))
        return FloatingAs(floating, to);
    RaiseConversion(TVarType::String, to);
}

enum class TBinaryOperation { Add, Subtract, And, Or, Xor };

TVariant Apply(TBinaryOperation operation, const TVariant &left, const TVariant &right)
{
    if (!left.IPv6Value() && !right.IPv6Value())
        throw EVariantError(std::string("no operation between values of kinds ") + VarTypeName(left.VarType()) +
                            " and " + VarTypeName(right.VarType()));
    if (operation == TBinaryOperation::Add &&
        (left.VarType() == TVarType::String || right.VarType() == TVarType::String))
        return TVariant(left.AsString() + right.AsString());
    const TIPv6 a = TIPv6VariantType::Cast(left).Object().IPv6();
    const TIPv6 b = TIPv6VariantType::Cast(right).Object().IPv6();
    TIPv6 result;
    switch (operation) {
    case TBinaryOperation::Add: result = a + b; break;
    case TBinaryOperation::Subtract: result = a - b; break;
    case TBinaryOperation::And: result = a & b; break;
    case TBinaryOperation::Or: result = a | b; break;
    case TBinaryOperation::Xor: result = a ^ b; break;
    }
    return TVariant(TIPv6VariantType(TIPv6Object(result)));
}

[[noreturn]] void RaiseNoMembers(TVarType type, std::string_view name)
{
    throw EVariantError(std::string("a value of kind ") + VarTypeName(type) + " has no property or method \"" +
                        std::string(name) + "\"");
}

} // namespace

bool SameVarName(std::string_view left, std::string_view right)
{
    if (left.size() != right.size())
        return false;
    for (std::size_t i = 0; i < left.size(); ++i) {
        char a = left[i], b = right[i];
        if (a >= 'a' && a <= 'z')
            a = static_cast<char>(a - 'a' + 'A');
        if (b >= 'a' && b <= 'z')
            b = static_cast<char>(b - 'a' + 'A');
        if (a != b)
            return false;
    }
    return true;
}

void RequireArgumentCount(std::string_view method, std::span<const TVariant> arguments, std::size_t count)
{
    if (arguments.size() != count)
        throw EVariantError(std::string(method) + " takes " + std::to_string(count) + " argument(s), not " +
                            std::to_string(arguments.size()));
}

TVarType TVariant::VarType() const
{
    // The alternatives stand in the order of TVarType.
    return static_cast<TVarType>(FValue.index());
}

TVariant TVariant::CastTo(TVarType type) const
{
    const TVarType from = VarType();
    if (type == from)
        return *this;
    if (type == TVarType::IPv4)
        return TVariant(TIPv4VariantType::Cast(*this));
    if (type == TVarType::IPv6)
        return TVariant(TIPv6VariantType::Cast(*this));
    if (type == TVarType::Empty)
        return TVariant();
    if (type == TVarType::Null)
        return TVariant(TVarNull{});
    switch (from) {
    case TVarType::Empty: return type == TVarType::String ? TVariant(std::string()) : IntegerAs(0, type);
    case TVarType::Null: RaiseConversion(from, type);
    case TVarType::Boolean:
        if (type == TVarType::String)
            return TVariant(std::get<bool>(FValue) ? "True" : "False");
        return IntegerAs(std::get<bool>(FValue) ? 1 : 0, type);
    case TVarType::Byte: return IntegerAs(std::get<std::uint8_t>(FValue), type);
    case TVarType::Word: return IntegerAs(std::get<std::uint16_t>(FValue), type);
    case TVarType::Cardinal: return IntegerAs(std::get<std::uint32_t>(FValue), type);
    case TVarType::Integer: return IntegerAs(std::get<std::int32_t>(FValue), type);
    case TVarType::Int64: return IntegerAs(std::get<std::int64_t>(FValue), type);
    case TVarType::Single:
        if (type == TVarType::String)
            return TVariant(ShortestText(std::get<float>(FValue)));
        return FloatingAs(std::get<float>(FValue), type);
    case TVarType::Double:
        if (type == TVarType::String)
            return TVariant(ShortestText(std::get<double>(FValue)));
        return FloatingAs(std::get<double>(FValue), type);
    case TVarType::Extended: return FloatingAs(std::get<long double>(FValue), type);
    case TVarType::String: return TextAs(std::get<std::string>(FValue), type);
    case TVarType::IPv4: return std::get<TIPv4VariantType>(FValue).CastTo(type);
    case TVarType::IPv6: return std::get<TIPv6VariantType>(FValue).CastTo(type);
    }
    RaiseConversion(from, type);
}

std::string TVariant::AsString() const
{
    return std::get<std::string>(CastTo(TVarType::String).FValue);
}

std::uint32_t TVariant::AsCardinal() const
{
    return std::get<std::uint32_t>(CastTo(TVarType::Cardinal).FValue);
}

std::int64_t TVariant::AsInt64() const
{
    return std::get<std::int64_t>(CastTo(TVarType::Int64).FValue);
}

float TVariant::AsSingle() const
{
    return std::get<float>(CastTo(TVarType::Single).FValue);
}

double TVariant::AsDouble() const
{
    return std::get<double>(CastTo(TVarType::Double).FValue);
}

long double TVariant::AsExtended() const
{
    return std::get<long double>(CastTo(TVarType::Extended).FValue);
}

bool TVariant::AsBoolean() const
{
    return std::get<bool>(CastTo(TVarType::Boolean).FValue);
}

TVariant TVariant::GetProperty(std::string_view name) const
{
    if (const TIPv4VariantType *ipv4 = IPv4Value())
        return ipv4->GetProperty(name);
    if (const TIPv6VariantType *ipv6 = IPv6Value())
        return ipv6->GetProperty(name);
    RaiseNoMembers(VarType(), name);
}

void TVariant::SetProperty(std::string_view name, const TVariant &value)
{
    // The IPv4 kind's properties are read-only.
    if (auto *ipv6 = std::get_if<TIPv6VariantType>(&FValue))
        return ipv6->SetProperty(name, value);
    RaiseNoMembers(VarType(), name);
}

TVariant TVariant::Invoke(std::string_view name, std::span<const TVariant> arguments) const
{
    if (const TIPv4VariantType *ipv4 = IPv4Value())
        return ipv4->Invoke(name, arguments);
    if (const TIPv6VariantType *ipv6 = IPv6Value())
        return ipv6->Invoke(name, arguments);
    RaiseNoMembers(VarType(), name);
}

std::strong_ordering TVariant::Compare(const TVariant &other) const
{
    if (IPv6Value() || other.IPv6Value())
        return TIPv6VariantType::Cast(*this).Object().Compare(TIPv6VariantType::Cast(other).Object());
    if (IPv4Value() || other.IPv4Value())
        return TIPv4VariantType::Cast(*this).Address() <=> TIPv4VariantType::Cast(other).Address();
    throw EVariantError(std::string("no comparison between values of kinds ") + VarTypeName(VarType()) + " and " +
                        VarTypeName(other.VarType()));
}

TVariant operator+(const TVariant &left, const TVariant &right)
{
    return Apply(TBinaryOperation::Add, left, right);
}

TVariant operator-(const TVariant &left, const TVariant &right)
{
    return Apply(TBinaryOperation::Subtract, left, right);
}

TVariant operator&(const TVariant &left, const TVariant &right)
{
    return Apply(TBinaryOperation::And, left, right);
}

TVariant operator|(const TVariant &left, const TVariant &right)
{
    return Apply(TBinaryOperation::Or, left, right);
}

TVariant operator^(const TVariant &left, const TVariant &right)
{
    return Apply(TBinaryOperation::Xor, left, right);
}

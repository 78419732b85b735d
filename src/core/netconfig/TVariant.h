#pragma once

#include "TIPv4VariantType.h"
#include "TIPv6VariantType.h"
#include "TVarType.h"

#include <compare>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

struct TVarNull {
    bool operator==(const TVarNull &) const = default;
};

// A dynamic value: empty, Null, a number, text, or one of the two address kinds. Conversions that cannot be
// made raise EVariantError (the address kinds raise its descendants).
class TVariant {
public:
    TVariant() = default;
    explicit TVariant(TVarNull) : FValue(TVarNull{}) {}
    explicit TVariant(bool value) : FValue(value) {}
    explicit TVariant(std::uint8_t value) : FValue(value) {}
    explicit TVariant(std::uint16_t value) : FValue(value) {}
    explicit TVariant(std::uint32_t value) : FValue(value) {}
    explicit TVariant(std::int32_t value) : FValue(value) {}
    explicit TVariant(std::int64_t value) : FValue(value) {}
    explicit TVariant(float value) : FValue(value) {}
    explicit TVariant(double value) : FValue(value) {}
    explicit TVariant(long double value) : FValue(value) {}
    explicit TVariant(std::string value) : FValue(std::move(value)) {}
    explicit TVariant(const char *value) : FValue(std::string(value)) {}
    explicit TVariant(TIPv4VariantType value) : FValue(value) {}
    explicit TVariant(TIPv6VariantType value) : FValue(std::move(value)) {}

    TVarType VarType() const;
    bool IsEmpty() const { return VarType() == TVarType::Empty; }
    bool IsNull() const { return VarType() == TVarType::Null; }

    // The value converted to another kind.
    TVariant CastTo(TVarType type) const;
    std::string AsString() const;
    std::uint32_t AsCardinal() const;
    std::int64_t AsInt64() const;
    float AsSingle() const;
    double AsDouble() const;
    long double AsExtended() const;
    bool AsBoolean() const;

    // The address held, or nullptr for every other kind.
    const TIPv4VariantType *IPv4Value() const { return std::get_if<TIPv4VariantType>(&FValue); }
    const TIPv6VariantType *IPv6Value() const { return std::get_if<TIPv6VariantType>(&FValue); }

    // Late-bound properties and methods of the address kinds, by name in any letter case. Other kinds have none;
    // asking them raises EVariantError, as does an unknown name.
    TVariant GetProperty(std::string_view name) const;
    void SetProperty(std::string_view name, const TVariant &value);
    TVariant Invoke(std::string_view name, std::span<const TVariant> arguments = {}) const;

    // Defined when either side is an address: with an IPv6 value both sides are compared as IPv6 addresses,
    // otherwise with an IPv4 value both as IPv4 addresses (unsigned).
    std::strong_ordering Compare(const TVariant &other) const;

    // Defined when either side is an IPv6 value: the other side is made an IPv6 value, except that adding text
    // to an IPv6 value, or an IPv6 value to text, concatenates the texts.
    friend TVariant operator+(const TVariant &left, const TVariant &right);
    friend TVariant operator-(const TVariant &left, const TVariant &right);
    friend TVariant operator&(const TVariant &left, const TVariant &right);
    friend TVariant operator|(const TVariant &left, const TVariant &right);
    friend TVariant operator^(const TVariant &left, const TVariant &right);

private:
    std::variant<std::monostate, TVarNull, bool, std::uint8_t, std::uint16_t, std::uint32_t, std::int32_t, std::int64_t,
                 float, double, long double, std::string, TIPv4VariantType, TIPv6VariantType>
        FValue;
};

// Property and method names match ignoring ASCII letter case.
bool SameVarName(std::string_view left, std::string_view right);

// Raises EVariantError unless a method got exactly `count` arguments.
void RequireArgumentCount(std::string_view method, std::span<const TVariant> arguments, std::size_t count);

#pragma once

#include "Quarl_IPTypes.h"

#include <compare>
#include <string>
#include <string_view>

class TVariant;

// An IPv6 address with its text forms, floating scale and groups as properties.
class TIPv6Object {
public:
    TIPv6Object() = default;
    explicit TIPv6Object(const TIPv6 &address);
    // Parses any of the three text forms; raises EIPv6Error.
    explicit TIPv6Object(std::string_view text);

    const TIPv6 &IPv6() const { return FIPv6; }
    void SetIPv6(const TIPv6 &address) { FIPv6 = address; }

    std::string AsString() const;
    std::string AsStringCompressed() const;
    std::string AsStringOutwritten() const;
    // Every text property parses all three forms on writing, so one setter serves them.
    void SetAsString(std::string_view text);

    double AsDouble() const;
    long double AsExtended() const;
    float AsSingle() const;
    void SetAsDouble(double scale);
    void SetAsExtended(long double scale);
    void SetAsSingle(float scale);

    // Index 0 is A, the first group in text; an index outside 0..7 raises std::out_of_range.
    std::uint16_t Groups(int index) const;
    void SetGroups(int index, std::uint16_t value);
    std::uint16_t Group(int index) const { return Groups(index); }

    std::string AsURL() const;
    std::strong_ordering Compare(const TIPv6Object &value) const;
    bool Equals(const TIPv6 &value) const;
    // An empty or Null value is unequal; an IPv6 value compares as is; anything else is parsed from its text.
    bool Equals(const TVariant &value) const;
    bool IsZero() const;
    // Opens AsURL through the application's hook.
    void Follow() const;

private:
    TIPv6 FIPv6;
};

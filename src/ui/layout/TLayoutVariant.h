#pragma once

#include "TDateTime.h"

#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

// A fixed-point amount with four decimals, held as the amount times 10000.
struct TCurrency {
    std::int64_t Scaled = 0;
    bool operator==(const TCurrency &) const = default;
};

struct TLayoutNull {
    bool operator==(const TLayoutNull &) const = default;
};

// The kinds a named value can hold; the groups decide how it is stored.
enum class TLayoutVarKind {
    Empty, Null, ShortInt, Byte, SmallInt, Word, Integer, LongWord, Int64, UInt64,
    Single, Double, Currency, DateTime, Boolean, String
};

// The value of a named setting: empty, Null, one of the integer, float, date-time and Boolean kinds, or text.
class TLayoutVariant {
public:
    TLayoutVariant() = default;
    template <class T>
        requires(!std::is_same_v<std::decay_t<T>, TLayoutVariant>)
    explicit TLayoutVariant(T value) : FValue(std::move(value))
    {
    }
    explicit TLayoutVariant(const char *value) : FValue(std::string(value)) {}

    TLayoutVarKind Kind() const { return static_cast<TLayoutVarKind>(FValue.index()); }
    bool IsEmpty() const { return Kind() == TLayoutVarKind::Empty; }
    bool IsIntegerKind() const;
    bool IsFloatKind() const;

    // The text form: decimal integers, floats and date-times as stored, "True"/"False", the text itself;
    // empty and Null give the empty text.
    std::string Text() const;
    std::int64_t AsInt64() const;   // integer kinds; 0 otherwise
    double AsDouble() const;        // float kinds; 0 otherwise
    TDateTime AsDateTime() const;   // date-time; 0 otherwise
    bool AsBoolean() const;         // Boolean; false otherwise

    template <class T>
    const T *Get() const
    {
        return std::get_if<T>(&FValue);
    }
    bool operator==(const TLayoutVariant &) const = default;

private:
    std::variant<std::monostate, TLayoutNull, std::int8_t, std::uint8_t, std::int16_t, std::uint16_t, std::int32_t,
                 std::uint32_t, std::int64_t, std::uint64_t, float, double, TCurrency, TDateTime, bool, std::string>
        FValue;
};

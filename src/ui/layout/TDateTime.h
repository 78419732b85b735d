#pragma once

#include <compare>
#include <optional>

// A point in time as a serial number: days since 30 December 1899, the fraction being the time of day
// (one second is 1/86400). Before that day the fraction still counts forward from midnight: -1.25 is
// 29 December 1899 06:00.
struct TDateTime {
    double Value = 0;
    auto operator<=>(const TDateTime &) const = default;
};

struct TDateTimeParts {
    int Year = 0;
    int Month = 0;
    int Day = 0;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};

// None when a part is out of range (years 1 to 9999, a real day of the month, a time of day).
std::optional<TDateTime> EncodeDateTime(const TDateTimeParts &parts);
// Rounded to the millisecond; none for a value outside years 1 to 9999 or not a number.
std::optional<TDateTimeParts> DecodeDateTime(TDateTime value);

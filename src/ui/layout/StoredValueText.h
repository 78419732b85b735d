#pragma once

#include "TDateTime.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The text forms of stored values. Writers give the same text in every locale; readers accept exactly what
// the writers give plus the stated alternatives, and answer none for anything else so the caller's default
// applies.

std::string IntegerToText(std::int64_t value);
// Decimal with an optional sign, or hexadecimal after "$" (also after "0x"/"0X" followed by at least one
// character). Hexadecimal takes up to 16 digits as the 64-bit pattern, so $FFFFFFFFFFFFFFFF is -1.
std::optional<std::int64_t> TextToInteger(std::string_view text);

// The shortest form with at most 15 significant digits, "." as separator; exponent form with a capital E
// from 1E15 up and below 1E-5.
std::string FloatToText(double value);
// A decimal number with "." as separator, exponent allowed.
std::optional<double> TextToFloat(std::string_view text);

// "YYYY-MM-DD HH:MM:SS", the fraction of the second dropped; none for a value without a calendar date.
std::optional<std::string> DateTimeToText(TDateTime value);
// Year, month, day joined by "-", optionally followed by blanks and hours ":" minutes [":" seconds];
// parts of one or two digits (the year up to four).
std::optional<TDateTime> TextToDateTime(std::string_view text);

// A stored value is read through a buffer of 2048 UTF-16 units: the first 2047 come back. A character
// outside the basic plane counts two and is never split.
std::string LimitReadText(std::string text);

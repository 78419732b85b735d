#pragma once

#include "Tsp_FormatSettings.h"

#include <string>
#include <string_view>

// Formats a date-time serial number (days since 30 December 1899, the fraction being the time
// of day, rounded to the millisecond) by a picture such as "hh:mm:ss". Fields, case-insensitive:
// h/hh hours (24-hour), n/nn minutes, m/mm minutes right after an hour field and month
// elsewhere, s/ss seconds, zzz milliseconds, d/dd day, yy/yyyy year; ':' is the locale's time
// separator; text in single or double quotes and any other character are copied.
// A non-finite serial gives an empty text.
std::string FormatDateTimePicture(std::string_view picture, double serial, const Tsp_FormatSettings &settings);

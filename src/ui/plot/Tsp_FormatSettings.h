#pragma once

#include <string>

class QLocale;

// The locale's separators that label texts use (UTF-8).
struct Tsp_FormatSettings {
    std::string DecimalSeparator = ".";
    std::string TimeSeparator = ":";

    // The user's locale, read once per process from the system locale.
    static const Tsp_FormatSettings &System();
    static Tsp_FormatSettings FromLocale(const QLocale &locale);
};

#pragma once

#include <string>

// The separators of the user's locale that every number text uses (UTF-8).
struct TMeterFormatSettings {
    std::string DecimalSeparator = ".";
    std::string ThousandSeparator = ",";

    // The user's locale, read once per process from the system locale.
    static const TMeterFormatSettings &System();
    // The numeric separators of a named locale ("" is the one the environment selects);
    // a locale the system does not have gives the defaults above.
    static TMeterFormatSettings FromLocale(const char *name);
};

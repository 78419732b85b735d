#include "MeterFormatSettings.h"

#include <langinfo.h>
#include <locale.h>

TMeterFormatSettings TMeterFormatSettings::FromLocale(const char *name)
{
    TMeterFormatSettings settings;
    const locale_t locale = newlocale(LC_NUMERIC_MASK, name, locale_t{});
    if (locale == locale_t{}) {
        return settings;
    }
    const char *decimal = nl_langinfo_l(RADIXCHAR, locale);
    if (decimal != nullptr && *decimal != '\0') {
        settings.DecimalSeparator = decimal;
    }
    // The C locale has no thousands separator; then numbers are simply not grouped.
    const char *thousands = nl_langinfo_l(THOUSEP, locale);
    settings.ThousandSeparator = thousands != nullptr ? thousands : "";
    freelocale(locale);
    return settings;
}

const TMeterFormatSettings &TMeterFormatSettings::System()
{
    static const TMeterFormatSettings settings = FromLocale("");
    return settings;
}

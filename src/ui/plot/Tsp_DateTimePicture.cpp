#include "Tsp_DateTimePicture.h"

#include <cctype>
#include <cmath>
#include <cstdint>

namespace {

struct DateTimeParts {
    std::int64_t year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// Days since 1 January 1970 to a proleptic Gregorian date (H. Hinnant's civil_from_days).
void CivilFromDays(std::int64_t z, DateTimeParts &parts)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    parts.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    parts.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    parts.year = yoe + era * 400 + (parts.month <= 2 ? 1 : 0);
}

DateTimeParts Decode(double serial)
{
    constexpr std::int64_t msPerDay = 86400000;
    constexpr std::int64_t serialToUnixDays = -25569; // 30 December 1899 is day -25569 of 1970
    // Serials beyond any calendar year we can print are clamped rather than overflowing.
    const double clamped = std::fmax(-1e12, std::fmin(1e12, serial));
    std::int64_t days = static_cast<std::int64_t>(std::trunc(clamped));
    std::int64_t ms = static_cast<std::int64_t>(std::llround(std::fabs(clamped - std::trunc(clamped)) * msPerDay));
    if (ms >= msPerDay) { // 23:59:59.9996 rounds into the next day
        ms -= msPerDay;
        days += clamped < 0 ? -1 : 1;
    }
    DateTimeParts parts;
    CivilFromDays(days + serialToUnixDays, parts);
    parts.hour = static_cast<int>(ms / 3600000);
    parts.minute = static_cast<int>(ms / 60000 % 60);
    parts.second = static_cast<int>(ms / 1000 % 60);
    parts.millisecond = static_cast<int>(ms % 1000);
    return parts;
}

void AppendNumber(std::string &out, std::int64_t value, std::size_t width)
{
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (digits.size() < width) {
        digits.insert(0, width - digits.size(), '0');
    }
    if (value < 0) {
        out += '-';
    }
    out += digits;
}

} // namespace

std::string FormatDateTimePicture(std::string_view picture, double serial, const Tsp_FormatSettings &settings)
{
    if (!std::isfinite(serial)) {
        return {};
    }
    const DateTimeParts parts = Decode(serial);
    std::string out;
    bool afterHour = false;
    std::size_t i = 0;
    while (i < picture.size()) {
        const char c = picture[i];
        const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::size_t run = 1;
        while (i + run < picture.size()
               && std::tolower(static_cast<unsigned char>(picture[i + run])) == lower) {
            ++run;
        }
        if (c == '\'' || c == '"') {
            const std::size_t close = picture.find(c, i + 1);
            const std::size_t end = close == std::string_view::npos ? picture.size() : close;
            out += picture.substr(i + 1, end - i - 1);
            i = end == picture.size() ? end : end + 1;
            continue;
        }
        const std::size_t width = run >= 2 ? 2 : 1;
        switch (lower) {
        case 'h':
            AppendNumber(out, parts.hour, width);
            afterHour = true;
            i += width;
            continue;
        case 'n':
            AppendNumber(out, parts.minute, width);
            i += width;
            break;
        case 'm':
            AppendNumber(out, afterHour ? parts.minute : parts.month, width);
            i += width;
            break;
        case 's':
            AppendNumber(out, parts.second, width);
            i += width;
            break;
        case 'd':
            AppendNumber(out, parts.day, width);
            i += width;
            break;
        case 'z':
            AppendNumber(out, parts.millisecond, run >= 3 ? 3 : 1);
            i += run >= 3 ? 3 : 1;
            break;
        case 'y':
            if (run >= 4) {
                AppendNumber(out, parts.year, 4);
                i += 4;
            } else {
                AppendNumber(out, parts.year % 100, 2);
                i += run;
            }
            break;
        case ':':
            out += settings.TimeSeparator;
            i += 1;
            continue; // a separator keeps "hh:mm" meaning minutes
        default:
            out += c;
            i += 1;
            continue;
        }
        afterHour = false;
    }
    return out;
}

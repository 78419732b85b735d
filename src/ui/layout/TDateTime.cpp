#include "TDateTime.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr std::int64_t MillisecondsPerDay = 86'400'000;

// Days since 1 January 1970 of a proleptic Gregorian date (H. Hinnant's days_from_civil).
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day)
{
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

void CivilFromDays(std::int64_t days, int &year, int &month, int &day)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned monthIndex = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    year = static_cast<int>(static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2));
}

const std::int64_t SerialEpoch = DaysFromCivil(1899, 12, 30);

int DaysInMonth(int year, int month)
{
    static constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : Days[month - 1];
}

} // namespace

std::optional<TDateTime> EncodeDateTime(const TDateTimeParts &parts)
{
    if (parts.Year < 1 || parts.Year > 9999 || parts.Month < 1 || parts.Month > 12 || parts.Day < 1 ||
        parts.Day > DaysInMonth(parts.Year, parts.Month) || parts.Hour < 0 || parts.Hour > 23 || parts.Minute < 0 ||
        parts.Minute > 59 || parts.Second < 0 || parts.Second > 59 || parts.Millisecond < 0 || parts.Millisecond > 999)
        return std::nullopt;
    const auto days = static_cast<double>(
        DaysFromCivil(parts.Year, static_cast<unsigned>(parts.Month), static_cast<unsigned>(parts.Day)) - SerialEpoch);
    const double time =
        (((parts.Hour * 60.0 + parts.Minute) * 60.0 + parts.Second) * 1000.0 + parts.Millisecond) / MillisecondsPerDay;
    return TDateTime{days >= 0 ? days + time : days - time};
}

std::optional<TDateTimeParts> DecodeDateTime(TDateTime value)
{
    // Years 1 to 9999 span these serials; outside them (and for NaN) there is no calendar date.
    if (!(value.Value > -693594.0 && value.Value < 2958466.0))
        return std::nullopt;
    double whole = std::trunc(value.Value);
    auto milliseconds = static_cast<std::int64_t>(std::llround(std::fabs(value.Value - whole) * MillisecondsPerDay));
    if (milliseconds >= MillisecondsPerDay) {
        milliseconds -= MillisecondsPerDay;
        whole += value.Value >= 0 ? 1 : -1;
    }
    TDateTimeParts parts;
    CivilFromDays(static_cast<std::int64_t>(whole) + SerialEpoch, parts.Year, parts.Month, parts.Day);
    if (parts.Year < 1 || parts.Year > 9999)
        return std::nullopt;
    parts.Millisecond = static_cast<int>(milliseconds % 1000);
    parts.Second = static_cast<int>(milliseconds / 1000 % 60);
    parts.Minute = static_cast<int>(milliseconds / 60000 % 60);
    parts.Hour = static_cast<int>(milliseconds / 3600000);
    return parts;
}

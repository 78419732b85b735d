#include "StoredValueText.h"

#include "Utf8Utf16.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace {

bool ParseWhole(std::string_view text, std::uint64_t &value, int base)
{
    const char *end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value, base);
    return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

std::optional<int> Part(std::string_view text, std::size_t maxDigits)
{
    std::uint64_t value = 0;
    if (text.empty() || text.size() > maxDigits || text.find_first_not_of("0123456789") != std::string_view::npos ||
        !ParseWhole(text, value, 10))
        return std::nullopt;
    return static_cast<int>(value);
}

std::string TwoDigits(int value)
{
    return std::string{static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

} // namespace

std::string IntegerToText(std::int64_t value)
{
    return std::to_string(value);
}

std::optional<std::int64_t> TextToInteger(std::string_view text)
{
    std::string converted;
    if (text.size() > 2 && (text.starts_with("0x") || text.starts_with("0X"))) {
        converted.assign("$").append(text.substr(2));
        text = converted;
    }
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+'))
        text.remove_prefix(1);
    std::uint64_t magnitude = 0;
    if (text.starts_with('$')) {
        text.remove_prefix(1);
        if (text.size() > 16 || text.starts_with('+') || text.starts_with('-') || !ParseWhole(text, magnitude, 16))
            return std::nullopt;
    } else {
        const std::uint64_t limit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + negative;
        if (text.starts_with('+') || text.starts_with('-') || !ParseWhole(text, magnitude, 10) || magnitude > limit)
            return std::nullopt;
    }
    // Two's complement wrap: the hexadecimal pattern and the most negative decimal both land where they belong.
    const std::uint64_t bits = negative ? ~magnitude + 1 : magnitude;
    return static_cast<std::int64_t>(bits);
}

std::string FloatToText(double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    const std::string_view scientific(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const auto e = scientific.find('e');
    const bool negative = scientific.front() == '-';
    std::string digits;
    for (char c : scientific.substr(negative, e - negative)) {
        if (c != '.')
            digits += c;
    }
    digits.erase(digits.find_last_not_of('0') + 1);
    int exponent = 0;
    std::from_chars(scientific.data() + e + 1 + (scientific[e + 1] == '+'), scientific.data() + scientific.size(),
                    exponent);

    std::string text = negative ? "-" : "";
    if (exponent >= -5 && exponent < 15) {
        if (exponent < 0) {
            text += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        } else {
            const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= integerDigits)
                text += digits + std::string(integerDigits - digits.size(), '0');
            else
                text += digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
        }
        return text;
    }
    text += digits.substr(0, 1);
    if (digits.size() > 1)
        text.append(".").append(digits, 1);
    return text + "E" + std::to_string(exponent);
}

std::optional<double> TextToFloat(std::string_view text)
{
    if (text.starts_with('+'))
        text.remove_prefix(1);
    if (text.empty() || text.starts_with('+'))
        return std::nullopt;
    double value = 0;
    const char *end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != end)
        return std::nullopt;
    return value;
}

std::optional<std::string> DateTimeToText(TDateTime value)
{
    const auto parts = DecodeDateTime(value);
    if (!parts)
        return std::nullopt;
    std::string year = std::to_string(parts->Year);
    year.insert(0, 4 - year.size(), '0');
    return year + "-" + TwoDigits(parts->Month) + "-" + TwoDigits(parts->Day) + " " + TwoDigits(parts->Hour) + ":" +
           TwoDigits(parts->Minute) + ":" + TwoDigits(parts->Second);
}

std::optional<TDateTime> TextToDateTime(std::string_view text)
{
    const auto blank = text.find_first_of(" \t");
    const std::string_view date = text.substr(0, blank);
    std::string_view time;
    if (blank != std::string_view::npos) {
        time = text.substr(blank);
        time.remove_prefix(std::min(time.find_first_not_of(" \t"), time.size()));
        if (time.empty())
            return std::nullopt;
    }
    const auto firstDash = date.find('-');
    const auto secondDash = firstDash == std::string_view::npos ? firstDash : date.find('-', firstDash + 1);
    if (secondDash == std::string_view::npos)
        return std::nullopt;
    const auto year = Part(date.substr(0, firstDash), 4);
    const auto month = Part(date.substr(firstDash + 1, secondDash - firstDash - 1), 2);
    const auto day = Part(date.substr(secondDash + 1), 2);
    if (!year || !month || !day)
        return std::nullopt;
    TDateTimeParts parts{*year, *month, *day};
    if (!time.empty()) {
        const auto firstColon = time.find(':');
        if (firstColon == std::string_view::npos)
            return std::nullopt;
        const auto secondColon = time.find(':', firstColon + 1);
        const auto hour = Part(time.substr(0, firstColon), 2);
        const auto minute = Part(time.substr(firstColon + 1, secondColon - std::min(secondColon, firstColon + 1)), 2);
        const auto second = secondColon == std::string_view::npos ? std::optional<int>(0)
                                                                  : Part(time.substr(secondColon + 1), 2);
        if (!hour || !minute || !second)
            return std::nullopt;
        parts.Hour = *hour;
        parts.Minute = *minute;
        parts.Second = *second;
    }
    return EncodeDateTime(parts);
}

std::string LimitReadText(std::string text)
{
    constexpr std::size_t Limit = 2047;
    std::size_t units = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        const std::size_t width = DecodeUtf8(text, i) > 0xFFFF ? 2 : 1;
        if (units + width > Limit) {
            text.resize(start);
            break;
        }
        units += width;
    }
    return text;
}

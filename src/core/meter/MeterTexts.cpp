#include "MeterTexts.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace {

// Room for any double in fixed notation with two decimals, a multi-byte separator and a unit.
constexpr std::size_t TextCapacity = 400;

struct TTextBuffer {
    char Data[TextCapacity];
    std::size_t Length = 0;

    std::string_view View() const { return {Data, Length}; }
};

// Nearest integer, ties to even, as a signed 64-bit value. Values beyond the range saturate
// instead of overflowing; NaN counts as 0.
std::int64_t RoundToInt64(double x)
{
    if (std::isnan(x)) {
        return 0;
    }
    const double rounded = std::nearbyint(x);
    if (rounded >= 9223372036854775808.0) {
        return std::numeric_limits<std::int64_t>::max();
    }
    if (rounded < -9223372036854775808.0) {
        return std::numeric_limits<std::int64_t>::min();
    }
    return static_cast<std::int64_t>(rounded);
}

// "%1.2f <unit>" with the locale's decimal separator and no grouping.
void FixedTwoDecimals(double value, std::string_view unit, const TMeterFormatSettings &settings, TTextBuffer &out)
{
    char digits[TextCapacity];
    const auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 2);
    const std::string_view number(digits, static_cast<std::size_t>(result.ptr - digits));
    out.Length = 0;
    const auto append = [&out](std::string_view part) {
        const std::size_t n = std::min(part.size(), TextCapacity - out.Length);
        part.copy(out.Data + out.Length, n);
        out.Length += n;
    };
    const std::size_t point = number.find('.');
    append(number.substr(0, point));
    if (point != std::string_view::npos) {
        append(settings.DecimalSeparator);
        append(number.substr(point + 1));
    }
    append(" ");
    append(unit);
}

void TransferText(double x, const TMeterFormatSettings &settings, TTextBuffer &out)
{
    const auto r = static_cast<std::uint64_t>(RoundToInt64(x));
    if (r >= (std::uint64_t{1} << 30)) {
        FixedTwoDecimals(x / 1073741824.0, "GB", settings, out);
    } else if (r >= (std::uint64_t{1} << 20)) {
        FixedTwoDecimals(x / 1048576.0, "MB", settings, out);
    } else if (r >= (std::uint64_t{1} << 10)) {
        FixedTwoDecimals(x / 1024.0, "KB", settings, out);
    } else {
        FixedTwoDecimals(x, "B", settings, out);
    }
}

void SpeedText(double x, const TMeterFormatSettings &settings, TTextBuffer &out)
{
    const double b = x * 8;
    const std::int64_t r = RoundToInt64(b);
    if (r / 1000000000 > 0) {
        FixedTwoDecimals(b / 1000000000.0, "Gbps", settings, out);
    } else if (r / 1000000 > 0) {
        FixedTwoDecimals(b / 1000000.0, "Mbps", settings, out);
    } else if (r / 1000 > 0) {
        FixedTwoDecimals(b / 1000.0, "Kbps", settings, out);
    } else {
        FixedTwoDecimals(b, "bps", settings, out);
    }
}

} // namespace

std::string FormatTransfer(double bytes, const TMeterFormatSettings &settings)
{
    TTextBuffer text;
    TransferText(bytes, settings, text);
    return std::string(text.View());
}

std::string FormatSpeed(double bytes, const TMeterFormatSettings &settings)
{
    TTextBuffer text;
    SpeedText(bytes, settings, text);
    return std::string(text.View());
}

void FormatMeterValue(int units, double value, std::string &text, const TMeterFormatSettings &settings)
{
    TTextBuffer made;
    switch (units) {
    case MeterUnitsTransfer:
        TransferText(value, settings, made);
        break;
    case MeterUnitsSpeed:
        SpeedText(value, settings, made);
        break;
    default:
        return;
    }
    text.assign(made.View());
}

std::string FormatPlotValue(int units, double value, const TMeterFormatSettings &settings)
{
    TTextBuffer made;
    switch (units) {
    case MeterUnitsTransfer:
        FixedTwoDecimals(value, "KB", settings, made);
        break;
    case MeterUnitsSpeed:
        FixedTwoDecimals(value, "kbps", settings, made);
        break;
    default:
        break;
    }
    return std::string(made.View());
}

std::string FormatMaxSpeed(std::uint64_t bitsPerSecond)
{
    return std::to_string(bitsPerSecond / 1000000) + " Mbps";
}

std::string FormatMtu(std::uint64_t bytes, const TMeterFormatSettings &settings)
{
    const std::string digits = std::to_string(bytes);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            text += settings.ThousandSeparator;
        }
        text += digits[i];
    }
    return text + " B";
}

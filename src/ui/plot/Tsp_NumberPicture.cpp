#include "Tsp_NumberPicture.h"

#include <charconv>
#include <cmath>
#include <cstddef>

namespace {

struct Picture {
    std::string_view prefix;
    std::string_view suffix;
    std::size_t minIntDigits = 0;
    std::size_t minDecimals = 0;
    std::size_t maxDecimals = 0;
};

Picture ParsePicture(std::string_view picture)
{
    Picture parsed;
    const std::size_t first = picture.find_first_of("#0.");
    if (first == std::string_view::npos) {
        parsed.prefix = picture;
        return parsed;
    }
    const std::size_t last = picture.find_last_of("#0.");
    parsed.prefix = picture.substr(0, first);
    parsed.suffix = picture.substr(last + 1);
    bool afterPoint = false;
    for (const char c : picture.substr(first, last - first + 1)) {
        if (c == '.') {
            afterPoint = true;
        } else if (afterPoint && (c == '0' || c == '#')) {
            ++parsed.maxDecimals;
            if (c == '0') {
                parsed.minDecimals = parsed.maxDecimals;
            }
        } else if (c == '0') {
            ++parsed.minIntDigits;
        }
    }
    return parsed;
}

// Adds one unit in the last place of a digit string; returns false when it overflowed ("99" -> "00").
bool Increment(std::string &digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return true;
        }
        *it = '0';
    }
    return false;
}

} // namespace

std::string FormatNumberPicture(std::string_view picture, double value, const Tsp_FormatSettings &settings)
{
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-INF" : "INF";
    }
    const Picture pic = ParsePicture(picture);

    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t point = text.find('.');
    std::string intPart(text.substr(0, point));
    std::string fracPart = point == std::string_view::npos ? std::string() : std::string(text.substr(point + 1));

    if (fracPart.size() > pic.maxDecimals) {
        const bool roundUp = fracPart[pic.maxDecimals] >= '5';
        fracPart.resize(pic.maxDecimals);
        if (roundUp && !Increment(fracPart) && !Increment(intPart)) {
            intPart.insert(intPart.begin(), '1');
        }
    }
    while (fracPart.size() > pic.minDecimals && fracPart.back() == '0') {
        fracPart.pop_back();
    }
    if (fracPart.size() < pic.minDecimals) {
        fracPart.append(pic.minDecimals - fracPart.size(), '0');
    }
    // Leading zeros beyond the picture's required digits go; "#.##" writes 0.5 as ".5".
    std::size_t leading = 0;
    while (leading < intPart.size() && intPart[leading] == '0') {
        ++leading;
    }
    intPart.erase(0, leading);
    if (intPart.size() < pic.minIntDigits) {
        intPart.insert(0, pic.minIntDigits - intPart.size(), '0');
    }

    const bool isZero = intPart.find_first_not_of('0') == std::string::npos
                        && fracPart.find_first_not_of('0') == std::string::npos;
    std::string out(pic.prefix);
    if (value < 0 && !isZero) {
        out += '-';
    }
    out += intPart;
    if (!fracPart.empty()) {
        out += settings.DecimalSeparator;
        out += fracPart;
    }
    out += pic.suffix;
    return out;
}

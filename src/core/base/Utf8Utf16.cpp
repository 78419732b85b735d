#include "Utf8Utf16.h"

namespace {

bool IsSurrogate(char32_t c)
{
    return c >= 0xD800 && c <= 0xDFFF;
}

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The one or two units of a code point; gives how many.
std::size_t EncodeUtf16(char32_t point, char16_t (&units)[2])
{
    if (point <= 0xFFFF) {
        units[0] = static_cast<char16_t>(point);
        return 1;
    }
    units[0] = static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
    units[1] = static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
    return 2;
}

} // namespace

char32_t DecodeUtf8(std::string_view text, std::size_t &at)
{
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80)
        return lead;
    std::size_t extra = 0;
    char32_t value = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        value = lead & 0x07;
    } else {
        return ReplacementCharacter;
    }
    if (at + extra > text.size())
        return ReplacementCharacter;
    for (std::size_t k = 0; k < extra; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if (!IsContinuation(next))
            return ReplacementCharacter;
        value = (value << 6) | (next & 0x3F);
    }
    static constexpr char32_t Smallest[] = {0, 0x80, 0x800, 0x10000};
    if (value < Smallest[extra] || value > 0x10FFFF || IsSurrogate(value))
        return ReplacementCharacter;
    at += extra;
    return value;
}

char32_t DecodeUtf16(std::u16string_view text, std::size_t &at)
{
    const char32_t unit = text[at++];
    if (!IsSurrogate(unit))
        return unit;
    if (unit <= 0xDBFF && at < text.size() && text[at] >= 0xDC00 && text[at] <= 0xDFFF)
        return 0x10000 + ((unit - 0xD800) << 10) + (text[at++] - 0xDC00u);
    return ReplacementCharacter;
}

void AppendUtf8(std::string &out, char32_t codePoint)
{
    if (IsSurrogate(codePoint) || codePoint > 0x10FFFF)
        codePoint = ReplacementCharacter;
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();)
        AppendUtf8(out, DecodeUtf16(text, at));
    return out;
}

std::u16string Utf16LeUnits(std::string_view bytes)
{
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
    return units;
}

std::u16string Utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        char16_t units[2];
        out.append(units, EncodeUtf16(DecodeUtf8(text, at), units));
    }
    return out;
}

std::size_t Utf16Length(std::string_view text)
{
    std::size_t units = 0;
    for (std::size_t at = 0; at < text.size();)
        units += DecodeUtf8(text, at) > 0xFFFF ? 2 : 1;
    return units;
}

void CopyUtf16(std::string_view text, char16_t *target, std::size_t capacity)
{
    if (capacity == 0)
        return;
    std::size_t written = 0;
    for (std::size_t at = 0; at < text.size();) {
        char16_t units[2];
        const std::size_t count = EncodeUtf16(DecodeUtf8(text, at), units);
        if (written + count >= capacity)
            break;
        for (std::size_t k = 0; k < count; ++k)
            target[written++] = units[k];
    }
    target[written] = 0;
}

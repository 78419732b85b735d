#include "IniEncoding.h"

#include "Utf8Append.h"

#include <cstdint>

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LeBom = "\xFF\xFE";

void AppendUtf16Unit(std::string &out, std::uint32_t unit)
{
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}

// Lone surrogates pass through as their own three-byte forms, so every sequence of UTF-16 units survives.
std::string Utf16LeToUtf8(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    const auto unitAt = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) |
               (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8);
    };
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const std::uint32_t unit = unitAt(i);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
            const std::uint32_t low = unitAt(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                AppendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendUtf8(text, unit);
    }
    return text;
}

// Reads one UTF-8 sequence at `i`, surrogate forms included; a malformed byte becomes U+FFFD.
std::uint32_t NextCodePoint(std::string_view text, std::size_t &i)
{
    const auto byte = [&](std::size_t k) { return static_cast<std::uint32_t>(static_cast<unsigned char>(text[k])); };
    const std::uint32_t lead = byte(i);
    std::size_t length = 0;
    std::uint32_t codePoint = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    if (lead >= 0xC2 && lead < 0xE0) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        length = 3;
        codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead < 0xF5) {
        length = 4;
        codePoint = lead & 0x07;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + length > text.size()) {
        ++i;
        return 0xFFFD;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        codePoint = (codePoint << 6) | (byte(i + k) & 0x3F);
    }
    const bool overlong = (length == 3 && codePoint < 0x800) || (length == 4 && codePoint < 0x10000);
    if (overlong || codePoint > 0x10FFFF) {
        ++i;
        return 0xFFFD;
    }
    i += length;
    return codePoint;
}

std::string Utf8ToUtf16Le(std::string_view text)
{
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size();) {
        const std::uint32_t codePoint = NextCodePoint(text, i);
        if (codePoint >= 0x10000) {
            AppendUtf16Unit(bytes, 0xD800 + ((codePoint - 0x10000) >> 10));
            AppendUtf16Unit(bytes, 0xDC00 + ((codePoint - 0x10000) & 0x3FF));
        } else {
            AppendUtf16Unit(bytes, codePoint);
        }
    }
    return bytes;
}

} // namespace

TIniDecodedText DecodeIniBytes(std::string_view bytes)
{
    TIniDecodedText decoded;
    if (bytes.starts_with(Utf16LeBom)) {
        bytes.remove_prefix(Utf16LeBom.size());
        decoded.Encoding = TIniEncoding::Utf16Le;
        decoded.Text = Utf16LeToUtf8(bytes);
        if (bytes.size() % 2 != 0)
            decoded.Trailing = std::string(bytes.substr(bytes.size() - 1));
    } else if (bytes.starts_with(Utf8Bom)) {
        decoded.Encoding = TIniEncoding::Utf8WithBom;
        decoded.Text = std::string(bytes.substr(Utf8Bom.size()));
    } else {
        decoded.Text = std::string(bytes);
    }
    return decoded;
}

std::string EncodeIniText(const TIniDecodedText &decoded)
{
    switch (decoded.Encoding) {
    case TIniEncoding::Utf16Le:
        return std::string(Utf16LeBom) + Utf8ToUtf16Le(decoded.Text) + decoded.Trailing;
    case TIniEncoding::Utf8WithBom:
        return std::string(Utf8Bom) + decoded.Text;
    case TIniEncoding::Utf8:
        break;
    }
    return decoded.Text;
}

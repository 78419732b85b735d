#include "Utf16Fields.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

// Decodes one code point at `at` and advances it; U+FFFD for a malformed sequence.
char32_t NextCodePoint(std::string_view text, std::size_t &at)
{
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80)
        return lead;
    int extra = 0;
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
        return 0xFFFD;
    }
    for (int i = 0; i < extra; ++i) {
        if (at >= text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80)
            return 0xFFFD;
        value = (value << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
    }
    static constexpr char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
    if (value < smallest[extra] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0xFFFD;
    return value;
}

} // namespace

std::size_t WideLength(std::string_view text)
{
    std::size_t units = 0;
    for (std::size_t at = 0; at < text.size();)
        units += NextCodePoint(text, at) > 0xFFFF ? 2 : 1;
    return units;
}

void CopyWide(std::string_view text, WCHAR *target, std::size_t capacity)
{
    if (capacity == 0)
        return;
    std::size_t written = 0;
    for (std::size_t at = 0; at < text.size();) {
        const char32_t point = NextCodePoint(text, at);
        if (point > 0xFFFF) {
            if (written + 2 >= capacity)
                break;
            const char32_t offset = point - 0x10000;
            target[written++] = static_cast<WCHAR>(0xD800 + (offset >> 10));
            target[written++] = static_cast<WCHAR>(0xDC00 + (offset & 0x3FF));
        } else {
            if (written + 1 >= capacity)
                break;
            target[written++] = static_cast<WCHAR>(point);
        }
    }
    target[written] = 0;
}

void CopyNarrow(std::string_view text, char *target, std::size_t capacity)
{
    if (capacity == 0)
        return;
    const std::size_t length = std::min(text.size(), capacity - 1);
    std::memcpy(target, text.data(), length);
    target[length] = '\0';
}

#pragma once

#include <string>
#include <string_view>

// UTF-16LE bytes with a byte-order mark, from text whose characters are all in the basic plane.
inline std::string Utf16LeFile(std::u16string_view text)
{
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

#include "IniNames.h"

#include "Utf8Utf16.h"

#include <cstdint>

namespace {

std::uint32_t FoldCodePoint(std::uint32_t c)
{
    if (c >= 'A' && c <= 'Z')
        return c + 0x20;
    if (c < 0xC0)
        return c;
    if (c <= 0xDE && c != 0xD7) // Latin-1 capitals
        return c + 0x20;
    if (c >= 0x100 && c <= 0x137) // Latin Extended-A, capital at even code points
        return c | 1;
    if (c >= 0x139 && c <= 0x148)
        return (c & 1) ? c + 1 : c;
    if (c >= 0x14A && c <= 0x177)
        return c | 1;
    if (c >= 0x179 && c <= 0x17E)
        return (c & 1) ? c + 1 : c;
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) // Greek capitals
        return c + 0x20;
    if (c >= 0x410 && c <= 0x42F) // Cyrillic capitals
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    return c;
}

// Decodes one code point; a byte that is not part of well-formed UTF-8 stands for itself above the Unicode
// range, so it only ever equals the same byte.
std::uint32_t NextFolded(std::string_view text, std::size_t &i)
{
    const std::size_t start = i;
    const char32_t codePoint = DecodeUtf8(text, i);
    if (codePoint == ReplacementCharacter && i == start + 1)
        return 0x110000 + static_cast<unsigned char>(text[start]);
    return FoldCodePoint(codePoint);
}

} // namespace

bool SameIniName(std::string_view left, std::string_view right)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < left.size() && j < right.size()) {
        if (NextFolded(left, i) != NextFolded(right, j))
            return false;
    }
    return i == left.size() && j == right.size();
}

std::u32string FoldedIniName(std::string_view name)
{
    std::u32string folded;
    for (std::size_t i = 0; i < name.size();)
        folded += static_cast<char32_t>(NextFolded(name, i));
    return folded;
}

std::string_view TrimIniBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

#include "Utf16Text.h"

#include "Utf8Utf16.h"

#include <algorithm>
#include <string_view>

std::string Utf16LeToUtf8(std::span<const std::uint8_t> units)
{
    std::u16string text = Utf16LeUnits(std::string_view(reinterpret_cast<const char *>(units.data()), units.size()));
    text.resize(std::min(text.find(u'\0'), text.size()));
    return Utf16ToUtf8(text);
}

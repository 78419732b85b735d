#include "Quarl_IPTypes.h"

#include <cstdio>

namespace {

// A part counts only when it is all decimal digits with a value of at most 255; anything else is 0.
std::uint32_t OctetOf(std::string_view part)
{
    if (part.empty())
        return 0;
    std::uint32_t value = 0;
    for (char c : part) {
        if (c < '0' || c > '9')
            return 0;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
        if (value > 255)
            return 0;
    }
    return value;
}

} // namespace

std::string IPv4ToStr(std::uint32_t address)
{
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", address >> 24, (address >> 16) & 0xFFu, (address >> 8) & 0xFFu,
                  address & 0xFFu);
    return text;
}

std::uint32_t StrToIPv4(std::string_view text)
{
    const std::string padded = std::string(text) + '.';
    std::uint32_t address = 0;
    std::size_t position = 0;
    for (int part = 0; part < 4; ++part) {
        const std::size_t dot = padded.find('.', position);
        if (dot == std::string::npos)
            throw EIPv4Error("\"" + std::string(text) + "\" 不是有效的 IPv4 地址");
        address = (address << 8) | OctetOf(std::string_view(padded).substr(position, dot - position));
        position = dot + 1;
    }
    return address;
}

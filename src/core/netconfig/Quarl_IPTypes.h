#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// IPv4 addresses are host-order 32-bit values with the first octet in the most significant byte.

class EIPv4Error : public std::runtime_error {
public:
    explicit EIPv4Error(const std::string &message) : std::runtime_error(message) {}
};

// "%d.%d.%d.%d", most significant byte first.
std::string IPv4ToStr(std::uint32_t address);

// Four "."-separated parts, most significant first; a part that is not a decimal 0..255 reads as 0.
// Raises EIPv4Error only when a dot is missing (fewer than four parts); text after the fourth part is ignored.
std::uint32_t StrToIPv4(std::string_view text);

// Network order to host order and back.
constexpr std::uint32_t SwapIPv4(std::uint32_t address)
{
    return (address >> 24) | ((address >> 8) & 0x0000FF00u) | ((address << 8) & 0x00FF0000u) | (address << 24);
}

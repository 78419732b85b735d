#pragma once

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

// The errors of dynamic values; the address parsers raise its two descendants.
class EVariantError : public std::runtime_error {
public:
    explicit EVariantError(const std::string &message) : std::runtime_error(message) {}
};

class EIPv4Error : public EVariantError {
public:
    explicit EIPv4Error(const std::string &message) : EVariantError(message) {}
};

class EIPv6Error : public EVariantError {
public:
    explicit EIPv6Error(const std::string &message) : EVariantError(message) {}
};

// IPv4 addresses are host-order 32-bit values with the first octet in the most significant byte.

// "%d.%d.%d.%d", most significant byte first.
std::string IPv4ToStr(std::uint32_t address);

// Every octet three digits with leading zeros: 192.168.001.002.
std::string IPv4ToStrOutwritten(std::uint32_t address);

// scheme://address:port/, the port left out for http on port 80.
std::string IPv4ToURL(std::uint32_t address, std::string_view scheme, std::uint16_t port);

// Four "."-separated parts, most significant first; a part that is not a decimal 0..255 reads as 0.
// Raises EIPv4Error only when a dot is missing (fewer than four parts); text after the fourth part is ignored.
std::uint32_t StrToIPv4(std::string_view text);

// Network order to host order and back.
constexpr std::uint32_t SwapIPv4(std::uint32_t address)
{
    return (address >> 24) | ((address >> 8) & 0x0000FF00u) | ((address << 8) & 0x00FF0000u) | (address << 24);
}

// The floating scale maps 0.0.0.0 to 0 and 255.255.255.255 to 1. Going back, the scale rounds half to even;
// NaN and anything below 0 give 0.0.0.0, anything above 1 gives 255.255.255.255.
float IPv4ToSingle(std::uint32_t address);
double IPv4ToDouble(std::uint32_t address);
long double IPv4ToExtended(std::uint32_t address);
std::uint32_t SingleToIPv4(float scale);
std::uint32_t DoubleToIPv4(double scale);
std::uint32_t ExtendedToIPv4(long double scale);

using TIPv6WordArray = std::array<std::uint16_t, 8>;

// Eight groups stored from the last in text (H) to the first (A), the most significant.
struct TIPv6 {
    static constexpr std::size_t H = 0, G = 1, F = 2, E = 3, D = 4, C = 5, B = 6, A = 7;

    TIPv6WordArray Groups{};
};

// Builds an address from its groups in text order, A first.
constexpr TIPv6 MakeIPv6(std::uint16_t a, std::uint16_t b, std::uint16_t c, std::uint16_t d, std::uint16_t e,
                         std::uint16_t f, std::uint16_t g, std::uint16_t h)
{
    return TIPv6{{h, g, f, e, d, c, b, a}};
}

// Three forms: eight groups; "::" with a dotted quad (only ::FFFF:a.b.c.d); "::" standing for zero groups.
// Raises EIPv6Error for anything else, including more than eight groups.
TIPv6 StrToIPv6(std::string_view text);

// Uppercase hexadecimal groups: without leading zeros, four digits each, or with the first zero run as "::".
std::string IPv6ToStr(const TIPv6 &address);
std::string IPv6ToStrOutwritten(const TIPv6 &address);
std::string IPv6ToStrCompressed(const TIPv6 &address);

// scheme://[address]:port/, the port left out for http on port 80.
std::string IPv6ToURL(const TIPv6 &address, std::string_view scheme, std::uint16_t port);

// The 128-bit value over 2^128 - 1. Going back, NaN and anything up to 0 give the zero address and anything
// from 1 up gives the all-ones address; in between, the groups are the truncated scaled value.
float IPv6ToSingle(const TIPv6 &address);
double IPv6ToDouble(const TIPv6 &address);
long double IPv6ToExtended(const TIPv6 &address);
TIPv6 SingleToIPv6(float scale);
TIPv6 DoubleToIPv6(double scale);
TIPv6 ExtendedToIPv6(long double scale);

bool IPv6IsZero(const TIPv6 &address);

// Group by group from A down; the first differing group decides.
std::strong_ordering operator<=>(const TIPv6 &left, const TIPv6 &right);
bool operator==(const TIPv6 &left, const TIPv6 &right);

// 128-bit arithmetic: the sum wraps at 2^128, a difference below zero is the zero address.
TIPv6 operator+(const TIPv6 &left, const TIPv6 &right);
TIPv6 operator-(const TIPv6 &left, const TIPv6 &right);
TIPv6 operator&(const TIPv6 &left, const TIPv6 &right);
TIPv6 operator|(const TIPv6 &left, const TIPv6 &right);
TIPv6 operator^(const TIPv6 &left, const TIPv6 &right);

// Opening an address's URL is the desktop's business: the application sets the hook once at start-up, before
// anything follows a link. Without a hook, following does nothing.
using TFollowHook = std::function<void(const std::string &url)>;
void SetFollowHook(TFollowHook hook);
void FollowURL(const std::string &url);

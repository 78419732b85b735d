#include "Quarl_IPTypes.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <utility>

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

// One or more hexadecimal digits with a value of at most 0xFFFF; leading zeros are allowed.
std::optional<std::uint16_t> HexGroupOf(std::string_view part)
{
    if (part.empty())
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : part) {
        std::uint32_t digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<std::uint32_t>(c - '0');
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        else
            return std::nullopt;
        value = value * 16 + digit;
        if (value > 0xFFFFu)
            return std::nullopt;
    }
    return static_cast<std::uint16_t>(value);
}

// Unlike the lenient IPv4 parser, the dotted quad of a mapped IPv6 address must be exact.
std::optional<std::uint32_t> StrictOctetOf(std::string_view part)
{
    if (part.empty())
        return std::nullopt;
    const std::uint32_t value = OctetOf(part);
    if (value == 0 && part.find_first_not_of('0') != std::string_view::npos)
        return std::nullopt;
    return value;
}

[[noreturn]] void RaiseIPv6(std::string_view text)
{
    throw EIPv6Error("\"" + std::string(text) + "\" 不是有效的 IPv6 地址");
}

bool IsFFFF(std::string_view four)
{
    for (char c : four)
        if (c != 'F' && c != 'f')
            return false;
    return true;
}

// Eight groups, text after the eighth ignored.
TIPv6 ParseFullForm(std::string_view text)
{
    const std::string padded = std::string(text) + ':';
    TIPv6 address;
    std::size_t position = 0;
    for (std::size_t group = 0; group < 8; ++group) {
        const std::size_t colon = padded.find(':', position);
        if (colon == std::string::npos)
            RaiseIPv6(text);
        const auto value = HexGroupOf(std::string_view(padded).substr(position, colon - position));
        if (!value)
            RaiseIPv6(text);
        address.Groups[TIPv6::A - group] = *value;
        position = colon + 1;
    }
    return address;
}

// ::FFFF:a.b.c.d; whatever stands before the "::" is not looked at.
TIPv6 ParseMappedForm(std::string_view text, std::size_t doubleColon)
{
    const std::size_t tag = doubleColon + 2;
    // The tag and its closing colon must be there before anything is read after them.
    if (text.size() < tag + 5 || !IsFFFF(text.substr(tag, 4)) || text[tag + 4] != ':')
        RaiseIPv6(text);
    const std::string quad = std::string(text.substr(tag + 5)) + '.';
    std::uint32_t ipv4 = 0;
    std::size_t position = 0;
    for (int part = 0; part < 4; ++part) {
        const std::size_t dot = quad.find('.', position);
        if (dot == std::string::npos)
            RaiseIPv6(text);
        const auto octet = StrictOctetOf(std::string_view(quad).substr(position, dot - position));
        if (!octet)
            RaiseIPv6(text);
        ipv4 = (ipv4 << 8) | *octet;
        position = dot + 1;
    }
    return MakeIPv6(0, 0, 0, 0, 0, 0xFFFF, static_cast<std::uint16_t>(ipv4 >> 16),
                    static_cast<std::uint16_t>(ipv4 & 0xFFFFu));
}

// The groups of one side of a "::"; false when a group is bad or there are more than `room`.
bool ParseGroupList(std::string_view list, TIPv6WordArray &groups, std::size_t &count, std::size_t room)
{
    count = 0;
    if (list.empty())
        return true;
    std::size_t position = 0;
    while (true) {
        const std::size_t colon = list.find(':', position);
        const std::size_t end = colon == std::string_view::npos ? list.size() : colon;
        const auto value = HexGroupOf(list.substr(position, end - position));
        if (!value || count == room)
            return false;
        groups[count++] = *value;
        if (colon == std::string_view::npos)
            return true;
        position = colon + 1;
    }
}

// Groups before "::" fill from A down, groups after it end at H, zero groups in between.
TIPv6 ParseCompressedForm(std::string_view text, std::size_t doubleColon)
{
    TIPv6WordArray head{}, tail{};
    std::size_t headCount = 0, tailCount = 0;
    if (!ParseGroupList(text.substr(0, doubleColon), head, headCount, 8) ||
        !ParseGroupList(text.substr(doubleColon + 2), tail, tailCount, 8 - headCount))
        RaiseIPv6(text);
    TIPv6 address;
    for (std::size_t i = 0; i < headCount; ++i)
        address.Groups[TIPv6::A - i] = head[i];
    for (std::size_t i = 0; i < tailCount; ++i)
        address.Groups[tailCount - 1 - i] = tail[i];
    return address;
}

std::string HexGroup(std::uint16_t group)
{
    char text[8];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(group));
    return text;
}

std::string FormatGroups(const TIPv6 &address, const char *format)
{
    std::string text;
    for (std::size_t i = 0; i < 8; ++i) {
        char group[8];
        std::snprintf(group, sizeof group, format, static_cast<unsigned>(address.Groups[TIPv6::A - i]));
        if (i > 0)
            text += ':';
        text += group;
    }
    return text;
}

std::string URLOf(std::string_view scheme, const std::string &host, std::uint16_t port)
{
    // Appended piece by piece: GCC 12 at -O3 misreads "literal" + string temporaries as overlapping copies.
    std::string url(scheme);
    url += "://";
    url += host;
    if (!(port == 80 && scheme == "http")) {
        url += ':';
        url += std::to_string(port);
    }
    url += '/';
    return url;
}

constexpr long double kIPv4Divisor = 4294967295.0L;
// 2^128 - 1 held as a double is exactly 2^128, so the scaling both ways is by a power of two.
constexpr double kIPv6Divisor = 340282366920938463463374607431768211455.0;

template <class Operation>
TIPv6 GroupWise(const TIPv6 &left, const TIPv6 &right, Operation operation)
{
    TIPv6 result;
    for (std::size_t i = 0; i < 8; ++i)
        result.Groups[i] = static_cast<std::uint16_t>(operation(left.Groups[i], right.Groups[i]));
    return result;
}

TFollowHook &FollowHook()
{
    static TFollowHook hook;
    return hook;
}

} // namespace

std::string IPv4ToStr(std::uint32_t address)
{
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", address >> 24, (address >> 16) & 0xFFu, (address >> 8) & 0xFFu,
                  address & 0xFFu);
    return text;
}

std::string IPv4ToStrOutwritten(std::uint32_t address)
{
    char text[16];
    std::snprintf(text, sizeof text, "%03u.%03u.%03u.%03u", address >> 24, (address >> 16) & 0xFFu,
                  (address >> 8) & 0xFFu, address & 0xFFu);
    return text;
}

std::string IPv4ToURL(std::uint32_t address, std::string_view scheme, std::uint16_t port)
{
    return URLOf(scheme, IPv4ToStr(address), port);
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

float IPv4ToSingle(std::uint32_t address)
{
    return static_cast<float>(IPv4ToExtended(address));
}

double IPv4ToDouble(std::uint32_t address)
{
    return static_cast<double>(IPv4ToExtended(address));
}

long double IPv4ToExtended(std::uint32_t address)
{
    return address / kIPv4Divisor;
}

std::uint32_t SingleToIPv4(float scale)
{
    return ExtendedToIPv4(scale);
}

std::uint32_t DoubleToIPv4(double scale)
{
    return ExtendedToIPv4(scale);
}

std::uint32_t ExtendedToIPv4(long double scale)
{
    // Converting a value outside the Cardinal range is undefined, so the ends are clamped first.
    if (!(scale > 0))
        return 0;
    const long double scaled = scale * kIPv4Divisor;
    if (scaled >= kIPv4Divisor)
        return 0xFFFFFFFFu;
    return static_cast<std::uint32_t>(std::nearbyint(scaled));
}

TIPv6 StrToIPv6(std::string_view text)
{
    const std::size_t doubleColon = text.find("::");
    if (doubleColon == std::string_view::npos)
        return ParseFullForm(text);
    if (text.find('.') != std::string_view::npos)
        return ParseMappedForm(text, doubleColon);
    return ParseCompressedForm(text, doubleColon);
}

std::string IPv6ToStr(const TIPv6 &address)
{
    return FormatGroups(address, "%X");
}

std::string IPv6ToStrOutwritten(const TIPv6 &address)
{
    return FormatGroups(address, "%04X");
}

std::string IPv6ToStrCompressed(const TIPv6 &address)
{
    // Only the first run of zero groups, even a run of one, becomes "::".
    enum class State { BeforeRun, InRun, AfterRun } state = State::BeforeRun;
    std::string text;
    for (std::size_t index = TIPv6::A + 1; index-- > 0;) {
        const std::uint16_t group = address.Groups[index];
        const bool last = index == TIPv6::H;
        if (group != 0) {
            if (index != TIPv6::A)
                text += ':';
            text += HexGroup(group);
            if (state == State::InRun)
                state = State::AfterRun;
        } else if (state == State::BeforeRun) {
            text += last ? "::" : ":";
            state = State::InRun;
        } else if (state == State::InRun) {
            if (last)
                text += ':';
        } else {
            text += ":0";
        }
    }
    return text;
}

std::string IPv6ToURL(const TIPv6 &address, std::string_view scheme, std::uint16_t port)
{
    std::string host = "[";
    host += IPv6ToStr(address);
    host += ']';
    return URLOf(scheme, host, port);
}

float IPv6ToSingle(const TIPv6 &address)
{
    return static_cast<float>(IPv6ToExtended(address));
}

double IPv6ToDouble(const TIPv6 &address)
{
    return static_cast<double>(IPv6ToExtended(address));
}

long double IPv6ToExtended(const TIPv6 &address)
{
    long double value = 0;
    for (std::size_t index = TIPv6::A + 1; index-- > 0;)
        value = value * 65536 + address.Groups[index];
    return value / kIPv6Divisor;
}

TIPv6 SingleToIPv6(float scale)
{
    return ExtendedToIPv6(scale);
}

TIPv6 DoubleToIPv6(double scale)
{
    return ExtendedToIPv6(scale);
}

TIPv6 ExtendedToIPv6(long double scale)
{
    // A scale of 1 or more would put 65536 or more into group A, which no Word holds.
    if (!(scale > 0))
        return TIPv6{};
    if (scale >= 1)
        return TIPv6{{0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF}};
    long double rest = scale * kIPv6Divisor;
    TIPv6 address;
    for (std::size_t index = TIPv6::A + 1; index-- > 0;) {
        const long double weight = std::ldexp(1.0L, static_cast<int>(16 * index));
        const long double quotient = rest / weight;
        const long double whole = std::trunc(quotient);
        address.Groups[index] = static_cast<std::uint16_t>(whole);
        rest = (quotient - whole) * weight;
    }
    return address;
}

bool IPv6IsZero(const TIPv6 &address)
{
    return address == TIPv6{};
}

std::strong_ordering operator<=>(const TIPv6 &left, const TIPv6 &right)
{
    for (std::size_t index = TIPv6::A + 1; index-- > 0;)
        if (left.Groups[index] != right.Groups[index])
            return left.Groups[index] <=> right.Groups[index];
    return std::strong_ordering::equal;
}

bool operator==(const TIPv6 &left, const TIPv6 &right)
{
    return left.Groups == right.Groups;
}

TIPv6 operator+(const TIPv6 &left, const TIPv6 &right)
{
    TIPv6 sum;
    std::uint32_t carry = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        const std::uint32_t total = std::uint32_t{left.Groups[i]} + right.Groups[i] + carry;
        sum.Groups[i] = static_cast<std::uint16_t>(total & 0xFFFFu);
        carry = total >> 16;
    }
    return sum;
}

TIPv6 operator-(const TIPv6 &left, const TIPv6 &right)
{
    if (left < right)
        return TIPv6{};
    TIPv6 difference;
    std::uint32_t borrow = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        const std::uint32_t subtrahend = std::uint32_t{right.Groups[i]} + borrow;
        borrow = left.Groups[i] < subtrahend ? 1 : 0;
        difference.Groups[i] = static_cast<std::uint16_t>((std::uint32_t{left.Groups[i]} + (borrow << 16)) - subtrahend);
    }
    return difference;
}

TIPv6 operator&(const TIPv6 &left, const TIPv6 &right)
{
    return GroupWise(left, right, [](std::uint16_t a, std::uint16_t b) { return a & b; });
}

TIPv6 operator|(const TIPv6 &left, const TIPv6 &right)
{
    return GroupWise(left, right, [](std::uint16_t a, std::uint16_t b) { return a | b; });
}

TIPv6 operator^(const TIPv6 &left, const TIPv6 &right)
{
    return GroupWise(left, right, [](std::uint16_t a, std::uint16_t b) { return a ^ b; });
}

void SetFollowHook(TFollowHook hook)
{
    FollowHook() = std::move(hook);
}

void FollowURL(const std::string &url)
{
    if (const TFollowHook &hook = FollowHook())
        hook(url);
}

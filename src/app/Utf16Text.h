#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// UTF-16 little-endian code units, as version blocks store text, to UTF-8. Stops at the first
// NUL; an unpaired surrogate becomes U+FFFD; an odd trailing byte is ignored.
std::string Utf16LeToUtf8(std::span<const std::uint8_t> units);

// UTF-8 to UTF-16 code units; an invalid byte sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

#pragma once

#include <cstdint>
#include <span>
#include <string>

// UTF-16 little-endian code units, as version blocks store text, to UTF-8. Stops at the first NUL; an odd
// trailing byte is ignored; ill-formed text becomes U+FFFD as Utf16ToUtf8 makes it.
std::string Utf16LeToUtf8(std::span<const std::uint8_t> units);

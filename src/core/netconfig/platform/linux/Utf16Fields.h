#pragma once

#include "IpHlpRecords.h"

#include <cstddef>
#include <string_view>

// UTF-8 to the records' UTF-16, without allocating. Malformed bytes become U+FFFD.

// Code units that `text` needs, without the terminating NUL.
std::size_t WideLength(std::string_view text);

// Writes as much of `text` as fits into `capacity` units, always NUL-terminated (capacity > 0), never
// splitting a surrogate pair.
void CopyWide(std::string_view text, WCHAR *target, std::size_t capacity);

// Copies NUL-terminated, truncated to fit, into a fixed ANSI field.
void CopyNarrow(std::string_view text, char *target, std::size_t capacity);

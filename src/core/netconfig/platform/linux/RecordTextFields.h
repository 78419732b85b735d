#pragma once

#include "Utf8Utf16.h"

#include <cstddef>
#include <string_view>

// Text into the records' fixed fields, without allocating. Wide fields take CopyUtf16 and Utf16Length.

// Copies NUL-terminated, truncated to fit, into a fixed ANSI field.
void CopyNarrow(std::string_view text, char *target, std::size_t capacity);

#pragma once

#include "Utf8Utf16.h"

#include <cstddef>
#include <string>
#include <string_view>

// A fixed-size wide field: its text up to the first NUL, at most the field's length.
template <std::size_t N>
std::string WideFieldText(const char16_t (&field)[N])
{
    std::size_t length = 0;
    while (length < N && field[length] != u'\0')
        ++length;
    return Utf16ToUtf8(std::u16string_view(field, length));
}

// A fixed-size ANSI field: its bytes up to the first NUL, at most the field's length. The system's ANSI
// code page is UTF-8 here, so the bytes are taken as they are.
template <std::size_t N>
std::string AnsiFieldText(const char (&field)[N])
{
    std::size_t length = 0;
    while (length < N && field[length] != '\0')
        ++length;
    return std::string(field, length);
}

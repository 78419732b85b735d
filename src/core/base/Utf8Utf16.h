#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The one conversion between UTF-8 and UTF-16 text. One rule in both directions: whatever is not well-formed
// becomes U+FFFD. In UTF-8 that includes overlong forms (so "\xC0\xAF" can never stand for "/"), encoded
// surrogates, values beyond U+10FFFF and cut sequences; each bad byte gives one U+FFFD. In UTF-16 it is an
// unpaired surrogate.

inline constexpr char32_t ReplacementCharacter = 0xFFFD;

// The code point that starts at `at`, which moves past it.
char32_t DecodeUtf8(std::string_view text, std::size_t &at);
// The code point that starts at `at`, which moves past it (two units for a pair).
char32_t DecodeUtf16(std::u16string_view text, std::size_t &at);

// Appends a code point; a surrogate or a value beyond U+10FFFF is appended as U+FFFD.
void AppendUtf8(std::string &out, char32_t codePoint);

std::string Utf16ToUtf8(std::u16string_view text);
// Little-endian byte pairs, as files store UTF-16, to code units; an odd last byte is left out.
std::u16string Utf16LeUnits(std::string_view bytes);
std::u16string Utf8ToUtf16(std::string_view text);

// Code units that Utf8ToUtf16(text) has, for fixed fields that must not allocate.
std::size_t Utf16Length(std::string_view text);
// Writes as much of `text` as fits into `capacity` units of `target`, always NUL-terminated (capacity > 0),
// never splitting a surrogate pair.
void CopyUtf16(std::string_view text, char16_t *target, std::size_t capacity);

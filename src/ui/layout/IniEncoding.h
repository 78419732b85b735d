#pragma once

#include <string>
#include <string_view>

// How an INI file's bytes are laid out. The engine works on UTF-8 text and puts the file's own form back when
// it writes, so a file keeps its encoding whoever rewrites it.
enum class TIniEncoding { Utf8, Utf8WithBom, Utf16Le };

struct TIniDecodedText {
    TIniEncoding Encoding = TIniEncoding::Utf8;
    std::string Text;     // UTF-8; in UTF-16 files an unpaired surrogate reads as U+FFFD
    std::string Trailing; // an odd last byte of a UTF-16 file, written back as it was
};

// A UTF-16LE byte-order mark selects UTF-16LE; a UTF-8 mark is skipped. Anything else is taken byte for byte,
// so garbage survives untouched.
TIniDecodedText DecodeIniBytes(std::string_view bytes);

// The inverse of DecodeIniBytes for well-formed text: DecodeIniBytes(EncodeIniText(d)) gives d back, and
// EncodeIniText of a decoded well-formed file gives its bytes back. (A document that is not edited keeps its
// bytes whatever they are; see TIniDocument.)
std::string EncodeIniText(const TIniDecodedText &decoded);

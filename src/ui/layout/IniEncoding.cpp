#include "IniEncoding.h"

#include "Utf8Utf16.h"

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LeBom = "\xFF\xFE";

std::string Utf8ToUtf16Le(std::string_view text)
{
    const std::u16string units = Utf8ToUtf16(text);
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (const char16_t unit : units) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

} // namespace

TIniDecodedText DecodeIniBytes(std::string_view bytes)
{
    TIniDecodedText decoded;
    if (bytes.starts_with(Utf16LeBom)) {
        bytes.remove_prefix(Utf16LeBom.size());
        decoded.Encoding = TIniEncoding::Utf16Le;
        decoded.Text = Utf16ToUtf8(Utf16LeUnits(bytes));
        if (bytes.size() % 2 != 0)
            decoded.Trailing = std::string(bytes.substr(bytes.size() - 1));
    } else if (bytes.starts_with(Utf8Bom)) {
        decoded.Encoding = TIniEncoding::Utf8WithBom;
        decoded.Text = std::string(bytes.substr(Utf8Bom.size()));
    } else {
        decoded.Text = std::string(bytes);
    }
    return decoded;
}

std::string EncodeIniText(const TIniDecodedText &decoded)
{
    switch (decoded.Encoding) {
    case TIniEncoding::Utf16Le:
        return std::string(Utf16LeBom) + Utf8ToUtf16Le(decoded.Text) + decoded.Trailing;
    case TIniEncoding::Utf8WithBom:
        return std::string(Utf8Bom) + decoded.Text;
    case TIniEncoding::Utf8:
        break;
    }
    return decoded.Text;
}

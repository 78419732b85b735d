#include "TLayoutManagerCipherer.h"

#include "Utf8Utf16.h"

#include <charconv>
#include <cstdint>
#include <system_error>

namespace {

constexpr std::uint16_t SystemCodePage = 0;
constexpr std::uint16_t Utf8CodePage = 65001;
constexpr std::uint16_t Latin1CodePage = 28591;

// Texts are UTF-8 and the system code page is UTF-8, so a text's ANSI form is its own bytes.
std::string AnsiForm(const std::string &text)
{
    return text;
}

std::string Scramble(std::string bytes, const std::string &key)
{
    if (key.empty())
        return bytes;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(bytes[i] ^ key[(i + 1) % key.size()]);
    return bytes;
}

} // namespace

std::string TLayoutManagerCipherer::EncryptText(const std::string &AText, const std::string &AKey)
{
    if (AText.empty())
        return {};
    return StringToHex(Scramble(AnsiForm(AText), AnsiForm(AKey)));
}

std::string TLayoutManagerCipherer::DecryptText(const std::string &AText, const std::string &AKey)
{
    if (AText.empty())
        return {};
    std::string text;
    for (char byte : Scramble(HexToString(AText), AnsiForm(AKey)))
        AppendUtf8(text, static_cast<unsigned char>(byte));
    return text;
}

std::string TLayoutManagerCipherer::WideToAnsi(std::u16string_view AText, std::uint16_t ACodePage)
{
    std::string bytes;
    for (std::size_t i = 0; i < AText.size();) {
        const char32_t c = DecodeUtf16(AText, i);
        if (ACodePage == SystemCodePage || ACodePage == Utf8CodePage)
            AppendUtf8(bytes, c);
        else if (ACodePage == Latin1CodePage)
            bytes += c < 0x100 ? static_cast<char>(c) : '?';
        else
            return {};
    }
    return bytes;
}

std::string TLayoutManagerCipherer::StringToHex(std::string_view ASource)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(ASource.size() * 2);
    for (char c : ASource) {
        const auto byte = static_cast<unsigned char>(c);
        hex += Digits[byte >> 4];
        hex += Digits[byte & 0x0F];
    }
    return hex;
}

std::string TLayoutManagerCipherer::HexToString(std::string_view ASource)
{
    std::string bytes;
    for (std::size_t i = 0; i < ASource.size(); i += 2) {
        const std::string_view piece = ASource.substr(i, 2);
        unsigned value = 0;
        const auto result = std::from_chars(piece.data(), piece.data() + piece.size(), value, 16);
        if (result.ec != std::errc() || result.ptr != piece.data() + piece.size())
            return {};
        bytes += static_cast<char>(value);
    }
    return bytes;
}

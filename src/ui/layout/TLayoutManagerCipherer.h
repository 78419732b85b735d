#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Scrambles the text of keyed values. It hides a value from a casual look at the file; it is no encryption.
class ILayoutManagerCipherer {
public:
    ILayoutManagerCipherer() = default;
    ILayoutManagerCipherer(const ILayoutManagerCipherer &) = delete;
    ILayoutManagerCipherer &operator=(const ILayoutManagerCipherer &) = delete;
    virtual ~ILayoutManagerCipherer() = default;

    virtual std::string EncryptText(const std::string &AText, const std::string &AKey) = 0;
    virtual std::string DecryptText(const std::string &AText, const std::string &AKey) = 0;
};

// XOR of the text's ANSI bytes with the key's, the key used from its second byte on, written as uppercase
// hexadecimal. Texts are UTF-8, and so is the system code page on Linux.
class TLayoutManagerCipherer final : public ILayoutManagerCipherer {
public:
    // A key whose ANSI form is empty leaves the bytes as they are (they are still written as hexadecimal).
    std::string EncryptText(const std::string &AText, const std::string &AKey) override;
    // Each resulting byte becomes the character of that code (0 to 255), in UTF-8.
    std::string DecryptText(const std::string &AText, const std::string &AKey) override;

    // Code page 0 (the system's) and 65001 give UTF-8; 28591 gives Latin-1 with "?" for what it lacks; any
    // other code page gives no bytes.
    static std::string WideToAnsi(std::u16string_view AText, std::uint16_t ACodePage);
    static std::string StringToHex(std::string_view ASource);
    // Two digits a byte, a last single digit alone; anything not hexadecimal gives the empty result.
    static std::string HexToString(std::string_view ASource);
};

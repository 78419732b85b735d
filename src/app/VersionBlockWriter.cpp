#include "VersionBlockWriter.h"

#include "Utf8Utf16.h"

#include <charconv>
#include <cstdio>

namespace {

enum class TValueKind : std::uint16_t { Binary = 0, Text = 1 };

class TBlockBuffer {
public:
    std::size_t Size() const { return FBytes.size(); }
    std::vector<std::uint8_t> Take() { return std::move(FBytes); }

    void Word(std::uint16_t w)
    {
        FBytes.push_back(static_cast<std::uint8_t>(w));
        FBytes.push_back(static_cast<std::uint8_t>(w >> 8));
    }
    void Dword(std::uint32_t d)
    {
        Word(static_cast<std::uint16_t>(d));
        Word(static_cast<std::uint16_t>(d >> 16));
    }
    void Text(const std::u16string &text)
    {
        for (const char16_t c : text) {
            Word(c);
        }
        Word(0);
    }
    void Align()
    {
        while (FBytes.size() % 4 != 0) {
            FBytes.push_back(0);
        }
    }
    void PatchWord(std::size_t at, std::uint16_t w)
    {
        FBytes[at] = static_cast<std::uint8_t>(w);
        FBytes[at + 1] = static_cast<std::uint8_t>(w >> 8);
    }

    // Writes a node header and key and returns where it starts, for Close.
    std::size_t Open(const std::string &key, std::uint16_t valueLength, TValueKind kind)
    {
        Align();
        const std::size_t start = Size();
        Word(0);
        Word(valueLength);
        Word(static_cast<std::uint16_t>(kind));
        Text(Utf8ToUtf16(key));
        Align();
        return start;
    }
    // The node's length runs to the end of its last child or value, without trailing padding.
    void Close(std::size_t start) { PatchWord(start, static_cast<std::uint16_t>(Size() - start)); }

private:
    std::vector<std::uint8_t> FBytes;
};

std::uint32_t High(const std::array<std::uint16_t, 4> &v) { return std::uint32_t{v[0]} << 16 | v[1]; }
std::uint32_t Low(const std::array<std::uint16_t, 4> &v) { return std::uint32_t{v[2]} << 16 | v[3]; }

} // namespace

std::vector<std::uint8_t> WriteVersionBlock(const TVersionBlockContent &content)
{
    TBlockBuffer out;
    const std::size_t root = out.Open("VS_VERSION_INFO", 52, TValueKind::Binary);
    for (const std::uint32_t d : {0xFEEF04BDu, 0x00010000u, High(content.FileVersion), Low(content.FileVersion),
                                  High(content.ProductVersion), Low(content.ProductVersion), content.FlagsMask,
                                  content.Flags, content.FileOS, content.FileType, 0u, 0u, 0u}) {
        out.Dword(d);
    }

    const std::size_t stringInfo = out.Open("StringFileInfo", 0, TValueKind::Text);
    char key[9];
    std::snprintf(key, sizeof key, "%04X%04X", content.Language, content.CodePage);
    const std::size_t table = out.Open(key, 0, TValueKind::Text);
    for (const auto &[name, text] : content.Strings) {
        const std::u16string value = Utf8ToUtf16(text);
        const std::size_t entry = out.Open(name, static_cast<std::uint16_t>(value.size() + 1), TValueKind::Text);
        out.Text(value);
        out.Close(entry);
    }
    out.Close(table);
    out.Close(stringInfo);

    const std::size_t varInfo = out.Open("VarFileInfo", 0, TValueKind::Text);
    const std::size_t translation = out.Open("Translation", 4, TValueKind::Binary);
    out.Word(content.Language);
    out.Word(content.CodePage);
    out.Close(translation);
    out.Close(varInfo);
    out.Close(root);
    return out.Take();
}

bool ParseVersionNumbers(const std::string &text, std::array<std::uint16_t, 4> &parts)
{
    const char *at = text.data();
    const char *end = text.data() + text.size();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            if (at == end || *at != '.') {
                return false;
            }
            ++at;
        }
        const auto result = std::from_chars(at, end, parts[i]);
        if (result.ec != std::errc() || result.ptr == at) {
            return false;
        }
        at = result.ptr;
    }
    return at == end;
}

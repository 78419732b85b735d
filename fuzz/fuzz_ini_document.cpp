#include "IniNames.h"
#include "TIniDocument.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A printable name or value cut from the input, free of the characters a write refuses.
std::string Printable(std::string_view bytes)
{
    std::string text;
    for (char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != ']' && c != '=' && c != ';' && c != '[')
            text += c;
    }
    return text;
}

} // namespace

// Any bytes parse; an unchanged document serialises to the same bytes; writing one value keeps every other
// key and reads back as written after a serialise/parse round trip.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    TIniDocument document = TIniDocument::Parse(bytes);
    if (document.Serialise() != bytes)
        std::abort();

    const std::size_t cut = size / 2;
    const std::string section = Printable(bytes.substr(0, std::min<std::size_t>(cut, 8)));
    const std::string key = Printable(bytes.substr(cut, 8));
    const std::string value = Printable(bytes.substr(size - std::min<std::size_t>(size, 12)));

    struct Entry {
        std::string Section, Key, Value;
    };
    std::vector<Entry> before;
    for (const std::string &name : document.SectionNames()) {
        for (const auto &[entryKey, entryValue] : document.SectionValues(name))
            before.push_back({name, entryKey, entryValue});
    }

    document.WriteValue(section, key, value);
    const TIniDocument reread = TIniDocument::Parse(document.Serialise());
    if (reread.ReadValue(section, key) != value)
        std::abort();
    for (const Entry &entry : before) {
        const bool written = SameIniName(entry.Section, TrimIniBlanks(section)) && SameIniName(entry.Key, TrimIniBlanks(key));
        if (reread.ReadValue(entry.Section, entry.Key) != (written ? value : entry.Value))
            std::abort();
    }
    return 0;
}

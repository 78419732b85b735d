#pragma once

#include "IniEncoding.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The text of one INI file, read and edited as the platform's profile service does: names in any letter
// case, the first of duplicate sections and keys wins, comments and odd lines are kept but never matched.
// An edit touches only the line it concerns, so everything else (comments, garbage, line ends, encoding)
// comes back byte for byte from Serialise; so does a whole unedited document, even text that the decoding
// had to replace (an unpaired surrogate in a UTF-16 file).
class TIniDocument {
public:
    TIniDocument() = default;
    static TIniDocument Parse(std::string_view fileBytes);
    std::string Serialise() const;

    bool SectionExists(std::string_view section) const;
    std::vector<std::string> SectionNames() const;
    bool KeyExists(std::string_view section, std::string_view key) const;
    std::optional<std::string> ReadValue(std::string_view section, std::string_view key) const;
    // Each name of the section once, in file order, with its first value.
    std::vector<std::pair<std::string, std::string>> SectionValues(std::string_view section) const;

    // Names must already be acceptable (see CheckIniWrite); the value is stored so that it reads back as given.
    void WriteValue(std::string_view section, std::string_view key, std::string_view value);
    // Both remove every occurrence that reads would see, so a removed name cannot come back from a duplicate.
    void DeleteValue(std::string_view section, std::string_view key);
    void EraseSection(std::string_view section);

private:
    struct TLine {
        std::string Text;
        std::string End; // "\r\n", "\n", "\r", or empty for a last line without one
    };

    std::optional<std::size_t> FindSection(std::string_view section) const;
    std::size_t SectionEnd(std::size_t header) const;
    std::optional<std::size_t> FindKey(std::size_t header, std::string_view key) const;
    void InsertLine(std::size_t at, std::string text);

    TIniEncoding FEncoding = TIniEncoding::Utf8;
    std::string FTrailing;
    std::string FNewLine = "\n";
    std::vector<TLine> FLines;
    std::optional<std::string> FUnedited; // the parsed bytes, until the first edit
};

// Refuses names and values that would corrupt the file or could not be read back: a line break anywhere, a
// "]" in a section name, a "=" in a key name, a key name starting with ";" or "[". Raises EIniNameError.
void CheckIniWrite(std::string_view section, std::string_view key, std::string_view value);

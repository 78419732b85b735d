#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TIniDocument;

// One INI file on disk. Nothing is cached: every read sees the file as it is now, and every change is in
// the file, atomically, before the call returns. A missing or unreadable file reads as empty.
// Changes raise EIniFileException when the file system refuses them (the file keeps its old contents) and
// EIniNameError for names or values the file cannot hold.
class TIniFile {
public:
    explicit TIniFile(std::filesystem::path fileName) : FFileName(std::move(fileName)) {}

    const std::filesystem::path &FileName() const { return FFileName; }

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    std::optional<std::string> ReadString(std::string_view section, std::string_view key) const;
    std::vector<std::pair<std::string, std::string>> ReadSectionValues(std::string_view section) const;

    // Missing folders are created first.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void EraseSection(std::string_view section);
    void DeleteKey(std::string_view section, std::string_view key);

private:
    TIniDocument Load() const;
    template <class Edit>
    void Change(Edit edit);

    std::filesystem::path FFileName;
};

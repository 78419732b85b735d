#pragma once

#include "TIniDocument.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One INI file on disk. Outside a batch nothing is cached: every read sees the file as it is now, and every
// change is in the file, atomically, before the call returns. Inside a batch (BeginBatch ... Commit) changes
// are kept and reads see them, and Commit writes them all with one replacement. Every write is one locked
// read-modify-write, so changes of other processes to other values survive it. A missing or unreadable file
// reads as empty.
// Changes raise EIniFileException when the file system refuses them (the file keeps its old contents) and
// EIniNameError for names or values the file cannot hold; in a batch the refusal comes from Commit.
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

    // Later changes wait for Commit. Does nothing while a batch is open.
    void BeginBatch();
    // Writes the waiting changes in one replacement and ends the batch, also when it raises.
    void Commit();

private:
    using TEdit = std::function<void(TIniDocument &)>;

    struct TBatch {
        std::vector<TEdit> Edits;
        // The file with every waiting change applied, made when a read needs it; none once a change follows.
        mutable std::optional<TIniDocument> View;
    };

    TIniDocument Load() const;
    const TIniDocument &Current(TIniDocument &loaded) const;
    void Change(TEdit edit);
    void Apply(const std::vector<TEdit> &edits);

    std::filesystem::path FFileName;
    std::optional<TBatch> FBatch;
};

#include "TIniFile.h"

#include "AtomicFile.h"
#include "EIniFileException.h"
#include "TIniFileLock.h"

#include <system_error>

namespace {

// The document with the edits applied, and whether it differs from the file's bytes.
bool Edited(const std::optional<std::string> &bytes, const std::vector<std::function<void(TIniDocument &)>> &edits,
            std::string &changed)
{
    TIniDocument document = bytes ? TIniDocument::Parse(*bytes) : TIniDocument();
    for (const auto &edit : edits)
        edit(document);
    changed = document.Serialise();
    // An edit that changes nothing leaves the file alone (and creates none).
    return changed != bytes.value_or(std::string()) || (!bytes && !changed.empty());
}

} // namespace

TIniDocument TIniFile::Load() const
{
    try {
        if (const auto bytes = ReadFileBytes(FFileName))
            return TIniDocument::Parse(*bytes);
    } catch (const std::system_error &) {
    }
    return {};
}

const TIniDocument &TIniFile::Current(TIniDocument &loaded) const
{
    if (FBatch && FBatch->View)
        return *FBatch->View;
    loaded = Load();
    if (!FBatch || FBatch->Edits.empty())
        return loaded;
    for (const TEdit &edit : FBatch->Edits)
        edit(loaded);
    FBatch->View = std::move(loaded);
    return *FBatch->View;
}

void TIniFile::Change(TEdit edit)
{
    if (!FBatch) {
        Apply({std::move(edit)});
        return;
    }
    FBatch->Edits.push_back(std::move(edit));
    FBatch->View.reset();
}

void TIniFile::Apply(const std::vector<TEdit> &edits)
{
    try {
        std::string changed;
        // A missing file is looked at first, so that an edit that changes nothing creates no folder or lock.
        std::error_code missing;
        if (!std::filesystem::exists(FFileName, missing)) {
            if (!Edited(ReadFileBytes(FFileName), edits, changed))
                return;
            if (FFileName.has_parent_path())
                std::filesystem::create_directories(FFileName.parent_path());
        }
        // Read again under the lock: another process may have written between the first read and now.
        const TIniFileLock lock(FFileName);
        if (Edited(ReadFileBytes(FFileName), edits, changed))
            ReplaceFileAtomically(FFileName, changed);
    } catch (const std::system_error &) {
        throw EIniFileException(FFileName.string());
    }
}

void TIniFile::BeginBatch()
{
    if (!FBatch)
        FBatch.emplace();
}

void TIniFile::Commit()
{
    if (!FBatch)
        return;
    const std::vector<TEdit> edits = std::move(FBatch->Edits);
    FBatch.reset();
    if (!edits.empty())
        Apply(edits);
}

bool TIniFile::SectionExists(std::string_view section) const
{
    TIniDocument loaded;
    return Current(loaded).SectionExists(section);
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const
{
    TIniDocument loaded;
    return Current(loaded).KeyExists(section, key);
}

std::optional<std::string> TIniFile::ReadString(std::string_view section, std::string_view key) const
{
    TIniDocument loaded;
    return Current(loaded).ReadValue(section, key);
}

std::vector<std::pair<std::string, std::string>> TIniFile::ReadSectionValues(std::string_view section) const
{
    TIniDocument loaded;
    return Current(loaded).SectionValues(section);
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    CheckIniWrite(section, key, value);
    Change([section = std::string(section), key = std::string(key), value = std::string(value)](
               TIniDocument &document) { document.WriteValue(section, key, value); });
}

void TIniFile::EraseSection(std::string_view section)
{
    Change([section = std::string(section)](TIniDocument &document) { document.EraseSection(section); });
}

void TIniFile::DeleteKey(std::string_view section, std::string_view key)
{
    Change([section = std::string(section), key = std::string(key)](TIniDocument &document) {
        document.DeleteValue(section, key);
    });
}

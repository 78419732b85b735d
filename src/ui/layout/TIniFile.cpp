#include "TIniFile.h"

#include "AtomicFile.h"
#include "EIniFileException.h"
#include "TIniDocument.h"

#include <system_error>

TIniDocument TIniFile::Load() const
{
    try {
        if (const auto bytes = ReadFileBytes(FFileName))
            return TIniDocument::Parse(*bytes);
    } catch (const std::system_error &) {
    }
    return {};
}

template <class Edit>
void TIniFile::Change(Edit edit)
{
    try {
        const auto bytes = ReadFileBytes(FFileName);
        TIniDocument document = bytes ? TIniDocument::Parse(*bytes) : TIniDocument();
        edit(document);
        const std::string changed = document.Serialise();
        // An edit that changes nothing leaves the file alone (and creates none).
        if (changed == bytes.value_or(std::string()) && (bytes || changed.empty()))
            return;
        if (FFileName.has_parent_path())
            std::filesystem::create_directories(FFileName.parent_path());
        ReplaceFileAtomically(FFileName, changed);
    } catch (const std::system_error &) {
        throw EIniFileException(FFileName.string());
    }
}

bool TIniFile::SectionExists(std::string_view section) const
{
    return Load().SectionExists(section);
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const
{
    return Load().KeyExists(section, key);
}

std::optional<std::string> TIniFile::ReadString(std::string_view section, std::string_view key) const
{
    return Load().ReadValue(section, key);
}

std::vector<std::pair<std::string, std::string>> TIniFile::ReadSectionValues(std::string_view section) const
{
    return Load().SectionValues(section);
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    CheckIniWrite(section, key, value);
    Change([&](TIniDocument &document) { document.WriteValue(section, key, value); });
}

void TIniFile::EraseSection(std::string_view section)
{
    Change([&](TIniDocument &document) { document.EraseSection(section); });
}

void TIniFile::DeleteKey(std::string_view section, std::string_view key)
{
    Change([&](TIniDocument &document) { document.DeleteValue(section, key); });
}

#include "Quarl.LayoutManager.Storage.h"

#include "EIniFileException.h"
#include "StoredValueText.h"
#include "TIniFile.h"
#include "TUniqueFd.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {

enum class TLockState { Free, Held, Missing };

// The Linux counterpart of a file held open without sharing: an exclusive lock of another process.
TLockState ProbeLock(const std::string &fileName)
{
    const TUniqueFd file(::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!file.Valid())
        return errno == ENOENT ? TLockState::Missing : TLockState::Held;
    return ::flock(file.Get(), LOCK_SH | LOCK_NB) != 0 ? TLockState::Held : TLockState::Free;
}

} // namespace

TLayoutManagerINIStorage::TLayoutManagerINIStorage() = default;

TLayoutManagerINIStorage::~TLayoutManagerINIStorage()
{
    FOpenDepth = 0;
    try {
        Release();
    } catch (const EIniFileException &) {
        // Nobody is left to tell; the file keeps what it had.
    }
}

void TLayoutManagerINIStorage::SetFileName(const std::string &AValue)
{
    if (AValue == FFileName)
        return;
    FFileName = AValue;
    if (!FStorage)
        return;
    Release();
    std::error_code error;
    if (std::filesystem::exists(FFileName, error))
        Bind(true);
}

bool TLayoutManagerINIStorage::GetOpened()
{
    std::error_code error;
    return FStorage && std::filesystem::exists(FStorage->FileName(), error);
}

void TLayoutManagerINIStorage::SetOpened(bool AValue)
{
    if (AValue)
        Open(true);
    else
        Close();
}

void TLayoutManagerINIStorage::Open(bool AReadOnly)
{
    ++FOpenDepth;
    Bind(AReadOnly);
}

void TLayoutManagerINIStorage::Close()
{
    if (FOpenDepth > 1) {
        --FOpenDepth;
        return;
    }
    FOpenDepth = 0;
    Release();
}

void TLayoutManagerINIStorage::Bind(bool AReadOnly)
{
    if (FStorage) {
        if (FOpenDepth > 0)
            FStorage->BeginBatch();
        return;
    }
    if (FFileName.empty())
        return;
    const std::filesystem::path path(FFileName);
    if (!AReadOnly && path.has_parent_path()) {
        // A folder that cannot be made shows up as a refused write.
        std::error_code error;
        std::filesystem::create_directories(path.parent_path(), error);
    }
    FStorage = std::make_unique<TIniFile>(path);
    if (FOpenDepth > 0)
        FStorage->BeginBatch();
}

void TLayoutManagerINIStorage::Release()
{
    if (const std::unique_ptr<TIniFile> file = std::move(FStorage))
        file->Commit();
}

// Binding again while bound changes nothing, so neither asks whether the file exists yet.
void TLayoutManagerINIStorage::BindForReading()
{
    if (!FStorage)
        Bind(true);
}

TIniFile &TLayoutManagerINIStorage::BindForWriting()
{
    if (!FStorage)
        Bind(false);
    if (!FStorage)
        throw EIniFileException(FFileName);
    return *FStorage;
}

bool TLayoutManagerINIStorage::SectionExists(const std::string &AName)
{
    BindForReading();
    const bool exists = FStorage && FStorage->SectionExists(AName);
    // Inside a bracket the binding carries waiting changes, and the bracket's close releases it.
    if (FOpenDepth == 0)
        Release();
    return exists;
}

bool TLayoutManagerINIStorage::ValueExists(const std::string &ASection, const std::string &AName)
{
    BindForReading();
    return FStorage && FStorage->ValueExists(ASection, AName);
}

void TLayoutManagerINIStorage::WriteInteger(const std::string &ASection, const std::string &AName, std::int64_t AValue)
{
    BindForWriting().WriteString(ASection, AName, IntegerToText(AValue));
}

void TLayoutManagerINIStorage::WriteString(const std::string &ASection, const std::string &AName,
                                           const std::string &AValue)
{
    BindForWriting().WriteString(ASection, AName, AValue);
}

void TLayoutManagerINIStorage::WriteFloat(const std::string &ASection, const std::string &AName, double AValue)
{
    BindForWriting().WriteString(ASection, AName, FloatToText(AValue));
}

void TLayoutManagerINIStorage::WriteDatetime(const std::string &ASection, const std::string &AName, TDateTime AValue)
{
    // A serial without a calendar date is stored as an empty text, which reads back as the default.
    BindForWriting().WriteString(ASection, AName, DateTimeToText(AValue).value_or(std::string()));
}

void TLayoutManagerINIStorage::WriteBoolean(const std::string &ASection, const std::string &AName, bool AValue)
{
    BindForWriting().WriteString(ASection, AName, AValue ? "1" : "0");
}

std::optional<std::string> TLayoutManagerINIStorage::ReadText(const std::string &ASection, const std::string &AName)
{
    BindForReading();
    if (!FStorage)
        return std::nullopt;
    auto text = FStorage->ReadString(ASection, AName);
    if (text)
        *text = LimitReadText(std::move(*text));
    return text;
}

std::int64_t TLayoutManagerINIStorage::ReadInteger(const std::string &ASection, const std::string &AName,
                                                   std::int64_t ADefault)
{
    const auto text = ReadText(ASection, AName);
    return text ? TextToInteger(*text).value_or(ADefault) : ADefault;
}

std::string TLayoutManagerINIStorage::ReadString(const std::string &ASection, const std::string &AName,
                                                 const std::string &ADefault)
{
    return ReadText(ASection, AName).value_or(ADefault);
}

double TLayoutManagerINIStorage::ReadFloat(const std::string &ASection, const std::string &AName, double ADefault)
{
    const auto text = ReadText(ASection, AName);
    return text ? TextToFloat(*text).value_or(ADefault) : ADefault;
}

TDateTime TLayoutManagerINIStorage::ReadDatetime(const std::string &ASection, const std::string &AName,
                                                 TDateTime ADefault)
{
    const auto text = ReadText(ASection, AName);
    return text ? TextToDateTime(*text).value_or(ADefault) : ADefault;
}

bool TLayoutManagerINIStorage::ReadBoolean(const std::string &ASection, const std::string &AName, bool ADefault)
{
    const auto text = ReadText(ASection, AName);
    if (!text)
        return ADefault;
    const auto value = TextToInteger(*text);
    return value ? *value != 0 : ADefault;
}

void TLayoutManagerINIStorage::ReadSection(const std::string &ASection, std::vector<std::string> &AList)
{
    AList.clear();
    BindForReading();
    if (!FStorage)
        return;
    for (const auto &[name, value] : FStorage->ReadSectionValues(ASection))
        AList.push_back(name + "=" + LimitReadText(value));
}

void TLayoutManagerINIStorage::DeleteSection(const std::string &ASection)
{
    BindForReading();
    if (FStorage && FStorage->SectionExists(ASection))
        FStorage->EraseSection(ASection);
}

void TLayoutManagerINIStorage::DeleteValue(const std::string &ASection, const std::string &AName)
{
    BindForReading();
    if (!FStorage || !FStorage->ValueExists(ASection, AName))
        return;
    try {
        FStorage->DeleteKey(ASection, AName);
    } catch (const EIniFileException &) {
        // Removing one name is best effort: a refusal leaves the name in place and is not reported.
    }
}

void TLayoutManagerINIStorage::Save()
{
    if (!FStorage)
        return;
    const std::string fileName = FStorage->FileName().string();
    for (int waited = 0; waited < SaveWaitMilliseconds; waited += 100) {
        if (ProbeLock(fileName) != TLockState::Held)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

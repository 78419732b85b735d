#pragma once

#include "TDateTime.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TIniFile;

// Typed values addressed by section and name. Holders share it through std::shared_ptr: it lives while any
// holder keeps it. Every operation binds to the file on demand; reads never fail for missing data, they
// give the caller's default. Writes and section erases that the file system refuses raise
// EIniFileException ("Unable to write to <file name>"); names or values that a file cannot hold raise
// EIniNameError.
class ILayoutManagerStorage {
public:
    ILayoutManagerStorage() = default;
    ILayoutManagerStorage(const ILayoutManagerStorage &) = delete;
    ILayoutManagerStorage &operator=(const ILayoutManagerStorage &) = delete;
    virtual ~ILayoutManagerStorage() = default;

    virtual bool GetOpened() = 0;
    virtual void SetOpened(bool AValue) = 0;
    virtual bool SectionExists(const std::string &AName) = 0;
    virtual bool ValueExists(const std::string &ASection, const std::string &AName) = 0;
    virtual void WriteInteger(const std::string &ASection, const std::string &AName, std::int64_t AValue) = 0;
    virtual void WriteString(const std::string &ASection, const std::string &AName, const std::string &AValue) = 0;
    virtual void WriteFloat(const std::string &ASection, const std::string &AName, double AValue) = 0;
    virtual void WriteDatetime(const std::string &ASection, const std::string &AName, TDateTime AValue) = 0;
    virtual void WriteBoolean(const std::string &ASection, const std::string &AName, bool AValue) = 0;
    virtual std::int64_t ReadInteger(const std::string &ASection, const std::string &AName, std::int64_t ADefault) = 0;
    virtual std::string ReadString(const std::string &ASection, const std::string &AName,
                                   const std::string &ADefault) = 0;
    virtual double ReadFloat(const std::string &ASection, const std::string &AName, double ADefault) = 0;
    virtual TDateTime ReadDatetime(const std::string &ASection, const std::string &AName, TDateTime ADefault) = 0;
    virtual bool ReadBoolean(const std::string &ASection, const std::string &AName, bool ADefault) = 0;
    // Replaces AList's lines with one name "=" value line per name of the section, in file order.
    virtual void ReadSection(const std::string &ASection, std::vector<std::string> &AList) = 0;
    virtual void DeleteSection(const std::string &ASection) = 0;
    virtual void DeleteValue(const std::string &ASection, const std::string &AName) = 0;
    virtual void Save() = 0;
    virtual void Open(bool AReadOnly) = 0;
    virtual void Close() = 0;
};

// The storage over an INI file. Open and Close bracket a batch and nest: the changes made inside the outermost
// bracket reach the file in one atomic replacement when it closes, and Close raises EIniFileException when
// that write is refused. Outside a bracket nothing is cached, so other processes' changes are seen at once and
// every write is in the file, atomically, when the call returns. The binding made on demand by an operation
// outside a bracket is no bracket.
class TLayoutManagerINIStorage final : public ILayoutManagerStorage {
public:
    // How long Save waits at most for another process that holds the file locked.
    static constexpr int SaveWaitMilliseconds = 1000;

    TLayoutManagerINIStorage();
    ~TLayoutManagerINIStorage() override;

    const std::string &GetFileName() const { return FFileName; }
    void SetFileName(const std::string &AValue);

    bool GetOpened() override;
    void SetOpened(bool AValue) override;
    bool SectionExists(const std::string &AName) override;
    bool ValueExists(const std::string &ASection, const std::string &AName) override;
    void WriteInteger(const std::string &ASection, const std::string &AName, std::int64_t AValue) override;
    void WriteString(const std::string &ASection, const std::string &AName, const std::string &AValue) override;
    void WriteFloat(const std::string &ASection, const std::string &AName, double AValue) override;
    void WriteDatetime(const std::string &ASection, const std::string &AName, TDateTime AValue) override;
    void WriteBoolean(const std::string &ASection, const std::string &AName, bool AValue) override;
    std::int64_t ReadInteger(const std::string &ASection, const std::string &AName, std::int64_t ADefault) override;
    std::string ReadString(const std::string &ASection, const std::string &AName, const std::string &ADefault) override;
    double ReadFloat(const std::string &ASection, const std::string &AName, double ADefault) override;
    TDateTime ReadDatetime(const std::string &ASection, const std::string &AName, TDateTime ADefault) override;
    bool ReadBoolean(const std::string &ASection, const std::string &AName, bool ADefault) override;
    void ReadSection(const std::string &ASection, std::vector<std::string> &AList) override;
    void DeleteSection(const std::string &ASection) override;
    void DeleteValue(const std::string &ASection, const std::string &AName) override;
    // Every write is already on disk, so this only waits (at most SaveWaitMilliseconds, in 100 ms steps) while
    // another process holds an exclusive lock on the file; a missing file has nothing to flush.
    void Save() override;
    void Open(bool AReadOnly) override;
    void Close() override;

private:
    void Bind(bool AReadOnly);
    // Writes the bracket's changes and unbinds, also when the write raises.
    void Release();
    void BindForReading();
    TIniFile &BindForWriting();
    // The stored text of a present name, cut to the read limit; none when absent.
    std::optional<std::string> ReadText(const std::string &ASection, const std::string &AName);

    std::unique_ptr<TIniFile> FStorage;
    std::string FFileName;
    int FOpenDepth = 0; // open brackets; the outermost Close writes
};

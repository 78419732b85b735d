#pragma once

#include "TUniqueFd.h"

#include <filesystem>

// An exclusive lock for one read-modify-write of an INI file, held on the file "<name>.lock" beside it, so
// that writers in several processes never lose each other's values. The INI file itself cannot carry the
// lock: every write renames a new file into its place. Readers take no lock, since they always see a whole
// file. Raises std::system_error when the lock file cannot be made or the lock is not free within
// WaitMilliseconds (a writer that never finishes must not hang this one).
class TIniFileLock {
public:
    static constexpr int WaitMilliseconds = 2000;

    explicit TIniFileLock(const std::filesystem::path &iniFile);
    TIniFileLock(const TIniFileLock &) = delete;
    TIniFileLock &operator=(const TIniFileLock &) = delete;
    ~TIniFileLock() = default; // closing the descriptor releases the lock

private:
    TUniqueFd FFile;
};

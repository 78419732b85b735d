#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The whole file, or nothing when it is missing. Raises std::system_error when it exists but cannot be read
// (no permission, a folder), so a writer never mistakes an unreadable file for an empty one.
std::optional<std::string> ReadFileBytes(const std::filesystem::path &path);

// Replaces the file with `bytes` so that any reader sees either the old or the new whole file, and a crash
// leaves one of them: a temporary file in the same folder is written, flushed to disk, given the old file's
// mode, and renamed over it. A symbolic link is followed, so the link stays. A read-only file is refused,
// as it would be by an ordinary write. Raises std::system_error; the old file is then untouched.
void ReplaceFileAtomically(const std::filesystem::path &path, std::string_view bytes);

#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Larger files are not settings files and are never read into memory.
inline constexpr std::uintmax_t MaxReadFileBytes = 64u << 20;

// The whole file, or nothing when it is missing. Raises std::system_error when it exists but cannot be read
// (no permission, a folder, a FIFO or device, more than MaxReadFileBytes), so a writer never mistakes an
// unreadable file for an empty one. Never blocks on a FIFO.
std::optional<std::string> ReadFileBytes(const std::filesystem::path &path);

// The file that a write of `path` replaces: the target of a symbolic link, else `path` itself.
std::filesystem::path ReplacedFile(const std::filesystem::path &path);

// Replaces the file with `bytes` so that any reader sees either the old or the new whole file, and a crash
// leaves one of them: a temporary file in the same folder is written, flushed to disk, given the old file's
// mode, and renamed over it. A symbolic link is followed, so the link stays. A read-only file and anything
// that is not a regular file are refused, as an ordinary write would refuse them. Raises std::system_error;
// the old file is then untouched.
void ReplaceFileAtomically(const std::filesystem::path &path, std::string_view bytes);

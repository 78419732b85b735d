#pragma once

#include <optional>
#include <string>

// Small text files of sysfs and procfs, and configuration files; nullopt when unreadable.
std::optional<std::string> ReadTextFile(const std::string &path);

// The first line without its line end; nullopt when unreadable.
std::optional<std::string> ReadFirstLine(const std::string &path);

#pragma once

#include <functional>
#include <string>

class TDriveQueries;

// True when the drive holding exePath is removable, or a disk on the USB bus; an optical drive,
// a network file system or a drive that cannot be queried is not portable.
bool IsPortable(const std::string &exePath, const TDriveQueries &queries);

// The executable's file name with its last extension replaced by ".ini" (added without one).
std::string SettingsFileName(const std::string &exePath);

// The INI file's full path: beside the executable when portable, else under
// configFolder/company/product/. An empty configFolder gives a path from the root.
std::string SettingsPath(const std::string &exePath, bool portable, const std::string &configFolder,
                         const std::string &company, const std::string &product);

// The per-user configuration folder: $XDG_CONFIG_HOME when absolute, else $HOME/.config, else the
// password database's home + "/.config"; empty when none is known. getenv is injectable for tests.
std::string GetSpecialFolder(const std::function<const char *(const char *)> &getenv);

#pragma once

#include <functional>
#include <string>

// The file that travels with the program: $APPIMAGE when the program runs from an AppImage (the running
// executable is then a file inside a temporary mount), else the running executable itself.
std::string TravellingExecutablePath(const std::function<const char *(const char *)> &getenv);

// The settings file of this run: beside the travelling executable when its drive is portable, else in the
// per-user configuration folder under the version block's company and product names. Reads the process-wide
// version record first, because the folder depends on it.
std::string SettingsPathForThisRun(const std::function<const char *(const char *)> &getenv);

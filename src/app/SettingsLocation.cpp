#include "SettingsLocation.h"

#include "DriveQueries.h"

#include <pwd.h>
#include <unistd.h>

bool IsPortable(const std::string &exePath, const TDriveQueries &queries)
{
    TDiskInfo disk;
    queries.GetDiskInfo(exePath, disk);
    if (disk.MediaType == TMediaType::dtRemovable) {
        return true;
    }
    if (disk.MediaType == TMediaType::dtCDROM) {
        return false;
    }
    const auto volume = queries.OpenVolume(exePath);
    if (!volume) {
        return false;
    }
    TDeviceInfo device;
    return queries.QueryStorageDevice(*volume, device) && device.BusType == BusTypeUsb;
}

std::string SettingsFileName(const std::string &exePath)
{
    const std::size_t slash = exePath.find_last_of('/');
    std::string name = slash == std::string::npos ? exePath : exePath.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    return name + ".ini";
}

std::string SettingsPath(const std::string &exePath, bool portable, const std::string &configFolder,
                         const std::string &company, const std::string &product)
{
    if (portable) {
        const std::size_t slash = exePath.find_last_of('/');
        const std::string folder = slash == std::string::npos ? std::string() : exePath.substr(0, slash + 1);
        return folder + SettingsFileName(exePath);
    }
    return configFolder + "/" + company + "/" + product + "/" + SettingsFileName(exePath);
}

std::string GetSpecialFolder(const std::function<const char *(const char *)> &getenv)
{
    const char *xdg = getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        return xdg;
    }
    const char *home = getenv("HOME");
    if (home != nullptr && home[0] != '\0') {
        return std::string(home) + "/.config";
    }
    const passwd *entry = ::getpwuid(::getuid());
    if (entry != nullptr && entry->pw_dir != nullptr && entry->pw_dir[0] != '\0') {
        return std::string(entry->pw_dir) + "/.config";
    }
    return {};
}

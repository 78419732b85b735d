#include "Startup.h"

#include "RunningExecutable.h"
#include "SettingsLocation.h"
#include "TLinuxDriveQueries.h"
#include "TVersionInfo.h"

std::string TravellingExecutablePath(const std::function<const char *(const char *)> &getenv)
{
    const char *image = getenv("APPIMAGE");
    if (image != nullptr && image[0] == '/')
        return image;
    return RunningExecutablePath();
}

std::string SettingsPathForThisRun(const std::function<const char *(const char *)> &getenv)
{
    const TVersionInfo &version = ProcessVersionInfo();
    const std::string exePath = TravellingExecutablePath(getenv);
    const bool portable = IsPortable(exePath, TLinuxDriveQueries());
    return SettingsPath(exePath, portable, GetSpecialFolder(getenv), version.CompanyName, version.ProductName);
}

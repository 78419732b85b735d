#include "RunningExecutable.h"

#include <climits>

#include <unistd.h>

std::string RunningExecutablePath()
{
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path);
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof path) {
        return "/proc/self/exe";
    }
    return std::string(path, static_cast<std::size_t>(n));
}

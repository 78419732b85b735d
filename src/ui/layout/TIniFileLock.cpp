#include "TIniFileLock.h"

#include "AtomicFile.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>

TIniFileLock::TIniFileLock(const std::filesystem::path &iniFile)
{
    std::filesystem::path name = ReplacedFile(iniFile);
    name += ".lock";
    FFile.Reset(::open(name.c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW, 0666));
    if (!FFile.Valid())
        throw std::system_error(errno, std::generic_category(), "open");
    struct stat info {};
    if (::fstat(FFile.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        throw std::system_error(EINVAL, std::generic_category(), "fstat");
    constexpr auto step = std::chrono::milliseconds(5);
    for (auto waited = std::chrono::milliseconds(0);; waited += step) {
        if (::flock(FFile.Get(), LOCK_EX | LOCK_NB) == 0)
            return;
        if (errno != EWOULDBLOCK && errno != EINTR)
            throw std::system_error(errno, std::generic_category(), "flock");
        if (waited >= std::chrono::milliseconds(WaitMilliseconds))
            throw std::system_error(EWOULDBLOCK, std::generic_category(), "flock");
        std::this_thread::sleep_for(step);
    }
}

#include "TFileBytes.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool TMemoryBytes::Read(std::uint64_t offset, void *dest, std::size_t n) const
{
    if (offset > FData.size() || n > FData.size() - offset) {
        return false;
    }
    if (n > 0) {
        std::memcpy(dest, FData.data() + offset, n);
    }
    return true;
}

TOpenFileBytes::TOpenFileBytes(const std::string &fileName)
{
    FFd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (FFd >= 0 && (::fstat(FFd, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(FFd);
        FFd = -1;
    }
    FSize = FFd >= 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
}

TOpenFileBytes::~TOpenFileBytes()
{
    if (FFd >= 0) {
        ::close(FFd);
    }
}

bool TOpenFileBytes::Read(std::uint64_t offset, void *dest, std::size_t n) const
{
    if (FFd < 0 || offset > FSize || n > FSize - offset) {
        return false;
    }
    auto *out = static_cast<unsigned char *>(dest);
    while (n > 0) {
        const ssize_t got = ::pread(FFd, out, n, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        out += got;
        offset += static_cast<std::uint64_t>(got);
        n -= static_cast<std::size_t>(got);
    }
    return true;
}

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
    // Non-blocking, so that a FIFO in the file's place cannot stall the open; it is refused below.
    FFile.Reset(::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (FFile.Valid() && (::fstat(FFile.Get(), &st) != 0 || !S_ISREG(st.st_mode)))
        FFile.Reset();
    FSize = FFile.Valid() ? static_cast<std::uint64_t>(st.st_size) : 0;
}

bool TOpenFileBytes::Read(std::uint64_t offset, void *dest, std::size_t n) const
{
    if (!FFile.Valid() || offset > FSize || n > FSize - offset) {
        return false;
    }
    auto *out = static_cast<unsigned char *>(dest);
    while (n > 0) {
        const ssize_t got = ::pread(FFile.Get(), out, n, static_cast<off_t>(offset));
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

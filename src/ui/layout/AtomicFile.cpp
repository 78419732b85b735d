#include "AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

[[noreturn]] void RaiseErrno(int error, const std::string &what)
{
    throw std::system_error(error, std::generic_category(), what);
}

class TFileDescriptor {
public:
    explicit TFileDescriptor(int fd) : FFd(fd) {}
    TFileDescriptor(const TFileDescriptor &) = delete;
    TFileDescriptor &operator=(const TFileDescriptor &) = delete;
    ~TFileDescriptor()
    {
        if (FFd >= 0)
            ::close(FFd);
    }
    int Get() const { return FFd; }
    // Closing reports late write errors of some file systems, so the writer checks it.
    int Close()
    {
        const int result = ::close(FFd);
        FFd = -1;
        return result;
    }

private:
    int FFd;
};

// Removes the temporary file unless it has been renamed into place.
class TTemporaryFile {
public:
    explicit TTemporaryFile(std::string path) : FPath(std::move(path)) {}
    TTemporaryFile(const TTemporaryFile &) = delete;
    TTemporaryFile &operator=(const TTemporaryFile &) = delete;
    ~TTemporaryFile()
    {
        if (!FPath.empty())
            ::unlink(FPath.c_str());
    }
    const std::string &Path() const { return FPath; }
    void Release() { FPath.clear(); }

private:
    std::string FPath;
};

void WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            RaiseErrno(errno, "write");
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::filesystem::path Target(const std::filesystem::path &path)
{
    std::error_code error;
    if (std::filesystem::is_symlink(path, error)) {
        const auto resolved = std::filesystem::weakly_canonical(path, error);
        if (!error)
            return resolved;
    }
    return path;
}

} // namespace

std::optional<std::string> ReadFileBytes(const std::filesystem::path &path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return std::nullopt;
        RaiseErrno(errno, "open");
    }
    TFileDescriptor file(fd);
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(file.Get(), buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            RaiseErrno(errno, "read");
        }
        if (count == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
    return bytes;
}

void ReplaceFileAtomically(const std::filesystem::path &path, std::string_view bytes)
{
    const std::filesystem::path target = Target(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        RaiseErrno(EISDIR, "stat");
    if (exists && ::access(target.c_str(), W_OK) != 0)
        RaiseErrno(errno, "access");

    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        RaiseErrno(errno, "mkostemp");
    TFileDescriptor file(fd);
    TTemporaryFile temporary(pattern);

    WriteAll(file.Get(), bytes);
    if (::fchmod(file.Get(), exists ? old.st_mode & 07777 : NewFileMode()) != 0)
        RaiseErrno(errno, "fchmod");
    if (exists && ::geteuid() == 0 && ::fchown(file.Get(), old.st_uid, old.st_gid) != 0)
        RaiseErrno(errno, "fchown");
    if (::fsync(file.Get()) != 0)
        RaiseErrno(errno, "fsync");
    if (file.Close() != 0)
        RaiseErrno(errno, "close");
    if (::rename(temporary.Path().c_str(), target.c_str()) != 0)
        RaiseErrno(errno, "rename");
    temporary.Release();

    // The rename itself becomes durable only with the folder; the new file is in place either way.
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
}

#include "AtomicFile.h"

#include "TUniqueFd.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

[[noreturn]] void RaiseErrno(int error, const std::string &what)
{
    throw std::system_error(error, std::generic_category(), what);
}

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

// A new file beside `target` under an unused hidden name. Created with mode 0666 so that the kernel applies
// the umask, as it would to the file an ordinary write creates.
TUniqueFd CreateTemporaryFile(const std::filesystem::path &target, std::string &name)
{
    static std::mt19937_64 random{std::random_device{}()};
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Appended piece by piece: GCC 12 at -O3 takes "." + std::string for an overlapping copy (-Wrestrict).
        std::string hidden(".");
        hidden.append(target.filename().string()).append(".").append(std::to_string(random() % 1000000000));
        name = (folder / hidden).string();
        TUniqueFd file(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
        if (file.Valid())
            return file;
        if (errno != EEXIST)
            RaiseErrno(errno, "open");
    }
    RaiseErrno(EEXIST, "open");
}

} // namespace

std::optional<std::string> ReadFileBytes(const std::filesystem::path &path)
{
    // Non-blocking, so a FIFO in the file's place cannot stall the caller; it is refused below.
    TUniqueFd file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!file.Valid()) {
        if (errno == ENOENT || errno == ENOTDIR)
            return std::nullopt;
        RaiseErrno(errno, "open");
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0)
        RaiseErrno(errno, "fstat");
    if (!S_ISREG(info.st_mode))
        RaiseErrno(S_ISDIR(info.st_mode) ? EISDIR : EINVAL, "fstat");
    if (static_cast<std::uintmax_t>(info.st_size) > MaxReadFileBytes)
        RaiseErrno(EFBIG, "fstat");
    std::string bytes;
    try {
        bytes.reserve(static_cast<std::size_t>(info.st_size));
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
            // The file may grow while it is read.
            if (bytes.size() + static_cast<std::size_t>(count) > MaxReadFileBytes)
                RaiseErrno(EFBIG, "read");
            bytes.append(buffer, static_cast<std::size_t>(count));
        }
    } catch (const std::bad_alloc &) {
        RaiseErrno(ENOMEM, "read");
    }
    return bytes;
}

std::filesystem::path ReplacedFile(const std::filesystem::path &path)
{
    std::error_code error;
    if (std::filesystem::is_symlink(path, error)) {
        const auto resolved = std::filesystem::weakly_canonical(path, error);
        if (!error)
            return resolved;
    }
    return path;
}

void ReplaceFileAtomically(const std::filesystem::path &path, std::string_view bytes)
{
    const std::filesystem::path target = ReplacedFile(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        RaiseErrno(EISDIR, "stat");
    if (exists && !S_ISREG(old.st_mode))
        RaiseErrno(EINVAL, "stat");
    if (exists && ::access(target.c_str(), W_OK) != 0)
        RaiseErrno(errno, "access");

    std::string name;
    TUniqueFd file = CreateTemporaryFile(target, name);
    TTemporaryFile temporary(name);

    WriteAll(file.Get(), bytes);
    if (exists && ::fchmod(file.Get(), old.st_mode & 07777) != 0)
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
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    const TUniqueFd folderFile(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFile.Valid())
        ::fsync(folderFile.Get());
}

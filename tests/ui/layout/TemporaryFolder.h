#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>

// A fresh folder under the system's temporary folder, removed with everything in it at the end of the test.
class TemporaryFolder {
public:
    TemporaryFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vorlix-layout-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary folder");
        FPath = pattern;
    }
    TemporaryFolder(const TemporaryFolder &) = delete;
    TemporaryFolder &operator=(const TemporaryFolder &) = delete;
    ~TemporaryFolder()
    {
        std::error_code error;
        std::filesystem::permissions(FPath, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(FPath, error);
    }

    const std::filesystem::path &Path() const { return FPath; }
    std::filesystem::path operator/(const std::string &name) const { return FPath / name; }

private:
    std::filesystem::path FPath;
};

inline void WriteBytes(const std::filesystem::path &path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::filesystem::path &path)
{
    // Through a string stream: GCC 12 at -O2 flags istreambuf_iterator's inlined reads as null dereferences.
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return std::move(bytes).str();
}

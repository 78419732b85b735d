#include "AtomicFile.h"
#include "ChildProcess.h"
#include "EIniFileException.h"
#include "TIniFile.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// What a write leaves in the folder, apart from the writers' lock file, which stays by design.
std::vector<std::string> FolderEntries(const fs::path &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        if (entry.path().extension() != ".lock")
            names.push_back(entry.path().filename().string());
    return names;
}

// Exit codes of the refusal checks run as another user.
enum TRefusalCheck { Refused = 0, NotRefused = 10, WrongMessage = 11, FileChanged = 12 };

int ExpectRefusedWrite(const fs::path &file, const std::string &before)
{
    TIniFile ini(file);
    try {
        ini.WriteString("S", "k", "new");
    } catch (const EIniFileException &error) {
        if (std::string(error.what()) != "Unable to write to " + file.string())
            return WrongMessage;
        return ReadBytes(file) == before ? Refused : FileChanged;
    }
    return NotRefused;
}

TEST(IniFileWrites, FirstWriteCreatesMissingFoldersAndFile)
{
    TemporaryFolder folder;
    const fs::path file = folder / "a/b/c/settings.ini";
    TIniFile ini(file);
    EXPECT_FALSE(ini.ValueExists("S", "k"));
    EXPECT_FALSE(fs::exists(folder / "a")) << "reading must not create anything";
    ini.WriteString("S", "k", "v");
    EXPECT_EQ(ReadBytes(file), "[S]\nk=v\n");
}

TEST(IniFileWrites, ReplacementKeepsModeAndLeavesNoTemporaryFile)
{
    TemporaryFolder folder;
    const fs::path file = folder / "settings.ini";
    WriteBytes(file, "[S]\r\nk=1\r\n");
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    TIniFile ini(file);
    ini.WriteString("S", "k", "2");
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadBytes(file), "[S]\r\nk=2\r\n");
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"settings.ini"});
}

TEST(IniFileWrites, SymbolicLinkStaysALink)
{
    TemporaryFolder folder;
    WriteBytes(folder / "real.ini", "[S]\nk=1\n");
    fs::create_symlink("real.ini", folder / "link.ini");
    TIniFile(folder / "link.ini").WriteString("S", "k", "2");
    EXPECT_TRUE(fs::is_symlink(folder / "link.ini"));
    EXPECT_EQ(ReadBytes(folder / "real.ini"), "[S]\nk=2\n");
}

TEST(IniFileWrites, UnchangedEditCreatesNoFile)
{
    TemporaryFolder folder;
    TIniFile ini(folder / "settings.ini");
    ini.EraseSection("S");
    ini.DeleteKey("S", "k");
    EXPECT_FALSE(fs::exists(folder / "settings.ini"));
}

TEST(IniFileRefusals, PathThatIsAFolder)
{
    TemporaryFolder folder;
    fs::create_directory(folder / "settings.ini");
    TIniFile ini(folder / "settings.ini");
    EXPECT_FALSE(ini.ValueExists("S", "k"));
    try {
        ini.WriteString("S", "k", "v");
        ADD_FAILURE() << "a folder was written as a file";
    } catch (const EIniFileException &error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + (folder / "settings.ini").string());
    }
    EXPECT_TRUE(fs::is_directory(folder / "settings.ini"));
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"settings.ini"});
}

TEST(IniFileRefusals, MissingFolderUnderAFile)
{
    TemporaryFolder folder;
    WriteBytes(folder / "plain", "x");
    EXPECT_THROW(TIniFile(folder / "plain/sub/settings.ini").WriteString("S", "k", "v"), EIniFileException);
    EXPECT_EQ(ReadBytes(folder / "plain"), "x");
}

TEST(IniFileRefusals, ReadOnlyFileOfAnotherUser)
{
    TemporaryFolder folder;
    const fs::path file = folder / "settings.ini";
    const std::string before = "[S]\nk=old\n";
    WriteBytes(file, before);
    // The folder is writable, so only the file's own mode can refuse the replacement.
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0777), 0);
    ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    const int result = RunInChild([&] { return BecomeNobody() ? ExpectRefusedWrite(file, before) : ChildCannotRun; });
    if (result == ChildCannotRun)
        GTEST_SKIP() << "cannot switch to the user nobody (65534) to test a read-only file";
    EXPECT_EQ(result, Refused);
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"settings.ini"});
}

TEST(IniFileRefusals, ReadOnlyFolder)
{
    TemporaryFolder folder;
    const fs::path file = folder / "settings.ini";
    const std::string before = "[S]\nk=old\n";
    WriteBytes(file, before);
    ASSERT_EQ(::chmod(file.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0755), 0);
    const int result = RunInChild([&] { return BecomeNobody() ? ExpectRefusedWrite(file, before) : ChildCannotRun; });
    if (result == ChildCannotRun)
        GTEST_SKIP() << "cannot switch to the user nobody (65534) to test a read-only folder";
    EXPECT_EQ(result, Refused);
}

TEST(IniFileRefusals, ReadOnlyMount)
{
    TemporaryFolder folder;
    const fs::path file = folder / "settings.ini";
    const std::string before = "[S]\nk=old\n";
    const int result = RunInChild([&] {
        if (!MountPrivateTmpfs(folder.Path().string(), 256))
            return ChildCannotRun;
        WriteBytes(file, before);
        if (::mount(nullptr, folder.Path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            return ChildCannotRun;
        return ExpectRefusedWrite(file, before);
    });
    if (result == ChildCannotRun)
        GTEST_SKIP() << "no private mount namespace with a read-only tmpfs (needs CAP_SYS_ADMIN)";
    EXPECT_EQ(result, Refused);
}

TEST(IniFileRefusals, FullDisk)
{
    TemporaryFolder folder;
    const fs::path file = folder / "settings.ini";
    const int result = RunInChild([&] {
        if (!MountPrivateTmpfs(folder.Path().string(), 64))
            return ChildCannotRun;
        const std::string before = "[S]\nk=" + std::string(20000, 'o') + "\n";
        WriteBytes(file, before);
        // Fill what is left, so the replacement has no room beside the old file.
        const int filler = ::open((folder / "filler").c_str(), O_WRONLY | O_CREAT, 0600);
        const std::string block(4096, 'f');
        while (::write(filler, block.data(), block.size()) > 0) {
        }
        while (::write(filler, block.data(), 1) > 0) {
        }
        ::close(filler);
        const int check = ExpectRefusedWrite(file, before);
        return check == Refused && FolderEntries(folder.Path()).size() != 2 ? FileChanged : check;
    });
    if (result == ChildCannotRun)
        GTEST_SKIP() << "no private mount namespace for a small tmpfs (needs CAP_SYS_ADMIN)";
    EXPECT_EQ(result, Refused);
}

// Something in the file's place that is not a regular file: reads give nothing and never block, writes are
// refused and leave it as it was.
struct TSpecialNode {
    const char *Name;
    mode_t Mode;
};

class IniFileOnSpecialNodes : public testing::TestWithParam<TSpecialNode> {};

TEST_P(IniFileOnSpecialNodes, ReadEmptyAndRefuseWritesWithoutBlocking)
{
    TemporaryFolder folder;
    const fs::path file = folder / "settings.ini";
    if (::mknod(file.c_str(), GetParam().Mode | 0666, S_ISCHR(GetParam().Mode) ? makedev(1, 3) : 0) != 0)
        GTEST_SKIP() << "cannot make a " << GetParam().Name << " node here (needs CAP_MKNOD)";
    const int result = RunInChild([&] {
        ::alarm(10); // a blocked open ends the child instead of the test run
        TIniFile ini(file);
        if (ini.ValueExists("S", "k") || ini.ReadString("S", "k"))
            return 10;
        try {
            ini.WriteString("S", "k", "v");
        } catch (const EIniFileException &error) {
            return std::string(error.what()) == "Unable to write to " + file.string() ? int{Refused} : int{WrongMessage};
        }
        return int{NotRefused};
    });
    EXPECT_EQ(result, Refused) << "-1: the child blocked or crashed";
    struct stat info {};
    ASSERT_EQ(::lstat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & S_IFMT, GetParam().Mode);
}

INSTANTIATE_TEST_SUITE_P(Nodes, IniFileOnSpecialNodes,
                         testing::Values(TSpecialNode{"Fifo", S_IFIFO}, TSpecialNode{"NullDevice", S_IFCHR}),
                         [](const testing::TestParamInfo<TSpecialNode> &row) { return row.param.Name; });

// A file beyond what a settings file can be is never read into memory (no std::bad_alloc), and never
// replaced by a write that could not read it.
TEST(IniFileRefusals, FileTooLargeToRead)
{
    TemporaryFolder folder;
    const fs::path file = folder / "settings.ini";
    WriteBytes(file, "[S]\nk=1\n");
    fs::resize_file(file, MaxReadFileBytes + 1); // sparse: costs no disk
    TIniFile ini(file);
    EXPECT_FALSE(ini.ValueExists("S", "k"));
    EXPECT_THROW(ini.WriteString("S", "k", "2"), EIniFileException);
    EXPECT_EQ(fs::file_size(file), MaxReadFileBytes + 1);
}

// Two processes write different values of one file at the same time; each write is a read-modify-write,
// so without a lock one process's replacement drops the other's new values.
// Built by appending: GCC 12 at -O3 takes "w" + std::string for an overlapping copy (-Wrestrict).
std::string WriterKey(int writer, int index)
{
    return std::string("w").append(std::to_string(writer)).append("k").append(std::to_string(index));
}

TEST(IniFileConcurrency, WritersInTwoProcessesLoseNoValue)
{
    TemporaryFolder folder;
    const fs::path file = folder / "settings.ini";
    constexpr int PerWriter = 100;
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    pid_t writers[2];
    for (int w = 0; w < 2; ++w) {
        writers[w] = ::fork();
        if (writers[w] == 0) {
            char go = 0;
            ::read(start[0], &go, 1);
            TIniFile ini(file);
            int code = 0;
            for (int i = 0; i < PerWriter; ++i) {
                try {
                    ini.WriteString("S", WriterKey(w, i), std::to_string(i));
                } catch (const EIniFileException &) {
                    code = 1;
                }
            }
            ::_exit(code);
        }
    }
    ::write(start[1], "gg", 2);
    ::close(start[0]);
    ::close(start[1]);
    for (pid_t writer : writers) {
        int status = 0;
        ::waitpid(writer, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a write was refused";
    }
    TIniFile ini(file);
    int kept = 0;
    for (int w = 0; w < 2; ++w)
        for (int i = 0; i < PerWriter; ++i)
            kept += ini.ReadString("S", WriterKey(w, i)) == std::to_string(i);
    EXPECT_EQ(kept, 2 * PerWriter);
}

TEST(IniFileConcurrency, ReaderSeesOldOrNewWholeFile)
{
    TemporaryFolder folder;
    const fs::path file = folder / "settings.ini";
    // Every version is the same size and made of one letter, so a torn read shows as a mix or a short file.
    const auto version = [](char letter) { return "[S]\nk=" + std::string(200000, letter) + "\n"; };
    TIniFile ini(file);
    ini.WriteString("S", "k", std::string(200000, 'a'));

    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t reader = ::fork();
    if (reader == 0) {
        ::close(ready[0]);
        ::write(ready[1], "r", 1);
        for (;;) {
            const std::string seen = ReadBytes(file);
            bool whole = false;
            for (char letter = 'a'; letter <= 'z'; ++letter)
                whole = whole || seen == version(letter);
            if (!whole)
                ::_exit(1);
        }
    }
    ::close(ready[1]);
    char signal = 0;
    ASSERT_EQ(::read(ready[0], &signal, 1), 1);
    ::close(ready[0]);
    for (int round = 0; round < 60; ++round)
        ini.WriteString("S", "k", std::string(200000, static_cast<char>('a' + round % 26)));
    int status = 0;
    const bool stillReading = ::waitpid(reader, &status, WNOHANG) == 0;
    ::kill(reader, SIGKILL);
    ::waitpid(reader, &status, 0);
    EXPECT_TRUE(stillReading) << "the reader saw a partial or mixed file";
}

} // namespace

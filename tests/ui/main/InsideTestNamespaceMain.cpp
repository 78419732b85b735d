#include "InsideTestNamespace.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr const char *InsideVariable = "VORLIX_TEST_NETNS";

std::string &Reason()
{
    static std::string reason;
    return reason;
}

bool ListsTestsOnly(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0)
            return true;
    }
    return false;
}

// Runs this program again through `ip netns exec`, which also gives it a sysfs of the new namespace, and
// returns its exit status; -1 when the namespace could not be made.
int RunInsideNewNamespace(int argc, char **argv)
{
    const std::string name = "vxmain" + std::to_string(::getpid());
    if (::geteuid() != 0 || !Shell("ip netns add " + name))
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv(InsideVariable, name.c_str(), 1);
        std::vector<char *> args{const_cast<char *>("ip"), const_cast<char *>("netns"),
                                 const_cast<char *>("exec"), const_cast<char *>(name.c_str()),
                                 const_cast<char *>("/proc/self/exe")};
        for (int i = 1; i < argc; ++i)
            args.push_back(argv[i]);
        args.push_back(nullptr);
        // /proc/self/exe of the exec'd `ip` is ip itself: pass this program's real path instead.
        static char self[4096];
        const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
        if (n > 0) {
            self[n] = '\0';
            args[4] = self;
        }
        ::execvp("ip", args.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    Shell("ip netns delete " + name);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

} // namespace

const std::string &NamespaceUnavailableReason()
{
    return Reason();
}

bool Shell(const std::string &command)
{
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// The whole program, GUI thread included, runs inside a network namespace of its own, because the main
// window reads the interfaces of the namespace its threads live in.
int main(int argc, char **argv)
{
    if (std::getenv(InsideVariable) == nullptr && !ListsTestsOnly(argc, argv)) {
        const int status = RunInsideNewNamespace(argc, argv);
        if (status >= 0)
            return status;
        Reason() = "needs root and `ip netns add` for a network namespace of its own";
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

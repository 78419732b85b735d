#include "ChildProcess.h"

#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <exception>
#include <string>

int RunInChild(const std::function<int()> &body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        int code = 1;
        try {
            code = body();
        } catch (const std::exception &) {
            code = 2;
        }
        ::_exit(code);
    }
    if (child < 0)
        return -1;
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool BecomeNobody()
{
    return ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0 && ::geteuid() == 65534;
}

bool MountPrivateTmpfs(const std::string &folder, int kilobytes)
{
    if (::unshare(CLONE_NEWNS) != 0)
        return false;
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return false;
    const std::string options = "size=" + std::to_string(kilobytes) + "k";
    return ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
}

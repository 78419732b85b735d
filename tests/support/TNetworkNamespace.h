#pragma once

#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <exception>
#include <functional>
#include <string>
#include <thread>

// A network namespace of the test's own, made with `ip netns add` under a unique name and deleted
// again on destruction. Code runs inside it on a thread of its own, so the test's thread never leaves
// its namespace.
class TNetworkNamespace {
public:
    TNetworkNamespace()
    {
        static std::atomic<int> counter{0};
        FName = "vxtest" + std::to_string(::getpid()) + "n" + std::to_string(counter++);
        FCreated = Shell("ip netns add " + FName);
    }

    ~TNetworkNamespace()
    {
        if (FCreated)
            Shell("ip netns delete " + FName);
    }

    TNetworkNamespace(const TNetworkNamespace &) = delete;
    TNetworkNamespace &operator=(const TNetworkNamespace &) = delete;

    // False when the namespace could not be made (no privileges, no `ip`): the test should skip.
    bool IsCreated() const { return FCreated; }
    const std::string &Name() const { return FName; }

    // Runs an `ip` command inside the namespace ("link add ..."); true on success.
    bool Ip(const std::string &arguments) const { return Shell("ip -n " + FName + " " + arguments); }

    // Runs a shell command inside the namespace with sysfs mounted for it, and returns its output.
    std::string Output(const std::string &command) const
    {
        std::string output;
        const std::string line = "ip netns exec " + FName + " " + command;
        if (FILE *pipe = ::popen(line.c_str(), "r")) {
            char buffer[256];
            while (std::fgets(buffer, sizeof(buffer), pipe))
                output += buffer;
            ::pclose(pipe);
        }
        return output;
    }

    // Runs `body` on a new thread that has entered the namespace; rethrows what it throws. False when the
    // thread could not enter it (body then does not run).
    bool Run(const std::function<void()> &body) const
    {
        bool entered = false;
        std::exception_ptr failure;
        std::thread worker([&] {
            const int fd = ::open(("/run/netns/" + FName).c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0)
                return;
            entered = ::setns(fd, CLONE_NEWNET) == 0;
            ::close(fd);
            if (!entered)
                return;
            try {
                body();
            } catch (...) {
                failure = std::current_exception();
            }
        });
        worker.join();
        if (failure)
            std::rethrow_exception(failure);
        return entered;
    }

private:
    static bool Shell(const std::string &command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

    std::string FName;
    bool FCreated = false;
};

#pragma once

#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

// A network namespace made for one test, which the calling thread enters; threads it starts afterwards
// live there too. Leaving restores the thread's namespace and deletes the one made. `Ok()` is false
// (say why with `Missing()`) where namespaces cannot be made, e.g. without CAP_SYS_ADMIN.
class TNetworkNamespace {
public:
    TNetworkNamespace()
        : FName("vxtest" + std::to_string(::getpid()) + "n" + std::to_string(Counter()++))
    {
        FOriginal = ::open(("/proc/self/task/" + std::to_string(::gettid()) + "/ns/net").c_str(), O_RDONLY | O_CLOEXEC);
        if (FOriginal < 0) {
            FMissing = "no access to this thread's network namespace";
            return;
        }
        if (!Shell("ip netns add " + FName)) {
            FMissing = "'ip netns add' failed (needs iproute2 and CAP_SYS_ADMIN)";
            return;
        }
        FCreated = true;
        const int made = ::open(("/run/netns/" + FName).c_str(), O_RDONLY | O_CLOEXEC);
        if (made < 0 || ::setns(made, CLONE_NEWNET) != 0) {
            FMissing = "cannot enter a new network namespace";
            if (made >= 0)
                ::close(made);
            return;
        }
        ::close(made);
        FEntered = true;
    }

    ~TNetworkNamespace()
    {
        if (FEntered)
            ::setns(FOriginal, CLONE_NEWNET);
        if (FOriginal >= 0)
            ::close(FOriginal);
        if (FCreated)
            Shell("ip netns del " + FName);
    }

    TNetworkNamespace(const TNetworkNamespace &) = delete;
    TNetworkNamespace &operator=(const TNetworkNamespace &) = delete;

    bool Ok() const { return FEntered; }
    const std::string &Missing() const { return FMissing; }
    const std::string &Name() const { return FName; }

    // Runs `ip -n <namespace> <arguments>`; true on success.
    bool Ip(const std::string &arguments) const { return Shell("ip -n " + FName + " " + arguments); }

    static bool Shell(const std::string &command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

private:
    static int &Counter()
    {
        static int counter = 0;
        return counter;
    }

    std::string FName;
    std::string FMissing;
    int FOriginal = -1;
    bool FCreated = false;
    bool FEntered = false;
};

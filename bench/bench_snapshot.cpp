// RefreshData over 64 interfaces (32 veth pairs) in a network namespace of this process's own, with a sysfs
// of that namespace, at the pace the program refreshes: never twice within the interface facts' lifetime.
#include "Quarl_NCC.h"

#include <benchmark/benchmark.h>

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

// Longer than the 50 ms for which the snapshot reuses what sysfs said about each interface, so every refresh
// reads sysfs afresh, as the program's refreshes (start-up, F5, address changes) do.
constexpr auto RefreshSpacing = std::chrono::milliseconds(60);

// Moves the process into a fresh network namespace with its own sysfs (sysfs shows the namespace of the
// process that mounts it, so without a new mount every read of the new interfaces would fail), and adds the
// pairs there; false when that is not allowed.
bool MakeInterfaces(std::string &why)
{
    if (::unshare(CLONE_NEWNET | CLONE_NEWNS) != 0) {
        why = "cannot make a network and mount namespace (needs root)";
        return false;
    }
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("sysfs", "/sys", "sysfs", 0, nullptr) != 0) {
        why = "cannot mount a sysfs of the new namespace";
        return false;
    }
    char path[] = "/tmp/vorlix-bench-XXXXXX";
    const int fd = ::mkstemp(path);
    if (fd < 0) {
        why = "cannot write the ip batch file";
        return false;
    }
    std::string batch;
    for (int i = 0; i < 32; ++i) {
        const std::string a = "vxa" + std::to_string(i), b = "vxb" + std::to_string(i);
        batch += "link add " + a + " type veth peer name " + b + "\nlink set " + a + " up\nlink set " + b + " up\n";
        batch += "addr add 10.88." + std::to_string(i) + ".1/24 dev " + a + "\n";
    }
    const bool written = ::write(fd, batch.data(), batch.size()) == static_cast<ssize_t>(batch.size());
    ::close(fd);
    const bool made = written && std::system(("ip -batch " + std::string(path) + " >/dev/null 2>&1").c_str()) == 0;
    ::unlink(path);
    if (!made)
        why = "ip could not add the veth pairs";
    return made;
}

void RefreshData64(benchmark::State &state)
{
    static std::string why;
    static const bool ready = MakeInterfaces(why);
    if (!ready) {
        state.SkipWithError(why.c_str());
        return;
    }
    TNetworkConfiguration config;
    config.RefreshData();
    // The veth links' speeds come from sysfs: without them the figure leaves out the reads it stands for.
    int withSpeed = 0;
    for (std::uint16_t i = 0; i < config.AdapterCount(); ++i)
        withSpeed += config.Adapter(i).MaxSpeed > 0;
    if (withSpeed < 64) {
        state.SkipWithError("the snapshot does not see the 64 interfaces with their sysfs facts");
        return;
    }
    for (auto _ : state) {
        std::this_thread::sleep_for(RefreshSpacing);
        const auto start = std::chrono::steady_clock::now();
        config.RefreshData();
        benchmark::DoNotOptimize(config.AdapterCount());
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["adapters"] = config.AdapterCount();
}

} // namespace

BENCHMARK(RefreshData64)->UseManualTime()->Unit(benchmark::kMillisecond);

// RefreshData over 64 interfaces (32 veth pairs) in a network namespace of this process's own.
#include "Quarl_NCC.h"

#include <benchmark/benchmark.h>

#include <sched.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Moves the process into a fresh namespace and adds the pairs there; false when that is not allowed.
bool MakeInterfaces(std::string &why)
{
    if (::unshare(CLONE_NEWNET) != 0) {
        why = "cannot make a network namespace (needs root)";
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
    for (auto _ : state) {
        config.RefreshData();
        benchmark::DoNotOptimize(config.AdapterCount());
    }
    state.counters["adapters"] = config.AdapterCount();
}

} // namespace

BENCHMARK(RefreshData64)->Unit(benchmark::kMillisecond);

// Prints a snapshot of this machine's network configuration as JSON. Takes no options.
#include "NetDump.h"
#include "Quarl_NCC.h"

#include <cstdio>

int main()
{
    TNetworkConfiguration config;
    config.RefreshData();
    const std::string text = DumpSnapshot(config);
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0 ? 0 : 1;
}

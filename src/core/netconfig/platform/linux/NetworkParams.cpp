#include "LinuxIpHlp.h"

#include "RecordOutput.h"
#include "RecordTextFields.h"
#include "TLinuxNetRoots.h"
#include "TResolvConf.h"
#include "TextFiles.h"

#include <unistd.h>

#include <climits>
#include <string>

namespace LinuxIpHlp {

DWORD GetNetworkParams(PFIXED_INFO FixedInfo, PULONG OutBufLen)
{
    const TLinuxNetRoots &roots = TLinuxNetRoots::Process();
    const TResolvConf resolver = ReadResolvConf(roots.ResolvConf, roots.UpstreamResolvConf);
    char host[HOST_NAME_MAX + 1] = {};
    if (gethostname(host, sizeof(host)) != 0)
        host[0] = '\0';
    host[HOST_NAME_MAX] = '\0';
    const auto forwarding = ReadFirstLine(roots.ProcSysNet + "/ipv4/ip_forward");

    return WriteRecords(FixedInfo, OutBufLen, ERROR_BUFFER_OVERFLOW, [&](TRecordArena &arena) {
        FIXED_INFO *info = arena.New<FIXED_INFO>();
        CopyNarrow(host, info->HostName, sizeof(info->HostName));
        CopyNarrow(resolver.Domain, info->DomainName, sizeof(info->DomainName));
        // No current server is singled out: the resolver tries the list in order.
        info->CurrentDnsServer = nullptr;
        FillChain(arena, info->DnsServerList, resolver.NameServers, [](const std::string &server, IP_ADDR_STRING &node) {
            CopyNarrow(server, node.IpAddress.String, sizeof(node.IpAddress.String));
        });
        // Linux resolves NetBIOS names only through extra services; the node type stays unknown.
        info->NodeType = 0;
        info->EnableRouting = forwarding && *forwarding == "1" ? 1 : 0;
        info->EnableProxy = 0;
        info->EnableDns = resolver.NameServers.empty() ? 0 : 1;
    });
}

} // namespace LinuxIpHlp

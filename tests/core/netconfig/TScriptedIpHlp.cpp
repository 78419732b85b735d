#include "TScriptedIpHlp.h"

#include "Quarl_IpHlpAPI.h"
#include "TModuleLoader.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

TScriptedIpHlp *TScriptedIpHlp::Current = nullptr;

DWORD NetworkOrder(const char *dotted)
{
    return static_cast<DWORD>(inet_addr(dotted));
}

namespace {

// Offsets of the records of one answer, planned before anything is written so that the required size is
// known first, as the platform reports it.
class TLayout {
public:
    template <class T>
    std::size_t Reserve(std::size_t count = 1)
    {
        FSize = (FSize + alignof(T) - 1) / alignof(T) * alignof(T);
        const std::size_t at = FSize;
        FSize += sizeof(T) * count;
        return at;
    }
    ULONG Size() const { return static_cast<ULONG>(FSize); }

private:
    std::size_t FSize = 0;
};

template <class T>
T *At(void *base, std::size_t offset)
{
    return reinterpret_cast<T *>(static_cast<std::byte *>(base) + offset);
}

void FillAddress(IP_ADDR_STRING &node, const TFakeAddress &address)
{
    CopyAnsi(node.IpAddress.String, address.Address);
    CopyAnsi(node.IpMask.String, address.Mask);
}

// Plans the extra nodes of a chain whose first node is embedded.
std::vector<std::size_t> PlanChain(TLayout &layout, const std::vector<TFakeAddress> &list)
{
    std::vector<std::size_t> offsets;
    for (std::size_t i = 1; i < list.size(); ++i)
        offsets.push_back(layout.Reserve<IP_ADDR_STRING>());
    return offsets;
}

void FillChain(void *base, IP_ADDR_STRING &first, const std::vector<TFakeAddress> &list,
               const std::vector<std::size_t> &offsets)
{
    if (list.empty())
        return;
    FillAddress(first, list[0]);
    IP_ADDR_STRING *previous = &first;
    for (std::size_t i = 1; i < list.size(); ++i) {
        auto *node = At<IP_ADDR_STRING>(base, offsets[i - 1]);
        FillAddress(*node, list[i]);
        previous->Next = node;
        previous = node;
    }
}

#define VX_TRAMPOLINE(name, ret, params, args)                                                                     \
    ret VX_WINAPI Fake##name params { return TScriptedIpHlp::Current->name args; }

VX_TRAMPOLINE(GetAdaptersInfo, DWORD, (PIP_ADAPTER_INFO a, PULONG s), (a, s))
VX_TRAMPOLINE(GetInterfaceInfo, DWORD, (PIP_INTERFACE_INFO a, PULONG s), (a, s))
VX_TRAMPOLINE(GetIfEntry, DWORD, (PMIB_IFROW r), (r))
VX_TRAMPOLINE(GetIfEntry2, DWORD, (PMIB_IF_ROW2 r), (r))
VX_TRAMPOLINE(ConvertInterfaceIndexToLuid, DWORD, (NET_IFINDEX i, PNET_LUID l), (i, l))
VX_TRAMPOLINE(ConvertInterfaceLuidToAlias, DWORD, (const NET_LUID *l, PWSTR a, SIZE_T n), (l, a, n))
VX_TRAMPOLINE(GetNetworkParams, DWORD, (PFIXED_INFO f, PULONG s), (f, s))
VX_TRAMPOLINE(GetIpAddrTable, DWORD, (PMIB_IPADDRTABLE t, PULONG s, BOOL o), (t, s, o))
VX_TRAMPOLINE(GetIpNetTable, DWORD, (PMIB_IPNETTABLE t, PULONG s, BOOL o), (t, s, o))
VX_TRAMPOLINE(GetBestInterface, DWORD, (IPAddr d, PDWORD i), (d, i))

#undef VX_TRAMPOLINE

ULONG VX_WINAPI FakeGetAdaptersAddresses(ULONG family, ULONG flags, PVOID, PIP_ADAPTER_ADDRESSES buffer, PULONG size)
{
    return TScriptedIpHlp::Current->GetAdaptersAddresses(family, flags, buffer, size);
}

// Exports only the entries a test left set, so the others resolve to null.
class TExportTable final : public IModule {
public:
    explicit TExportTable(std::map<std::string, TProcAddress, std::less<>> exports) : FExports(std::move(exports)) {}
    TProcAddress GetProcAddress(std::string_view name) const override
    {
        const auto found = FExports.find(name);
        return found == FExports.end() ? nullptr : found->second;
    }

private:
    std::map<std::string, TProcAddress, std::less<>> FExports;
};

template <class TFunction>
TProcAddress Address(TFunction function)
{
    return reinterpret_cast<TProcAddress>(function);
}

// The two tables: rows after a count, 122 with the size when small, 232 when empty.
template <class TTable, class TRow>
DWORD AnswerTable(const std::vector<TRow> &rows, TTable *table, PULONG size)
{
    if (rows.empty())
        return ERROR_NO_DATA;
    const auto required = static_cast<ULONG>(offsetof(TTable, table) + rows.size() * sizeof(TRow));
    if (table == nullptr || *size < required) {
        *size = required;
        return ERROR_INSUFFICIENT_BUFFER;
    }
    table->dwNumEntries = static_cast<DWORD>(rows.size());
    std::memcpy(At<TRow>(table, offsetof(TTable, table)), rows.data(), rows.size() * sizeof(TRow));
    return NO_ERROR;
}

} // namespace

TScriptedIpHlp::TScriptedIpHlp(TFakeNetwork &network) : FNetwork(network)
{
    Current = this;
    GetAdaptersInfo = [this](PIP_ADAPTER_INFO buffer, PULONG size) { return ModelAdaptersInfo(buffer, size); };
    GetInterfaceInfo = [this](PIP_INTERFACE_INFO buffer, PULONG size) -> DWORD {
        Calls.push_back({"GetInterfaceInfo", *size, buffer != nullptr});
        const auto &names = FNetwork.InterfaceNames;
        const auto required = static_cast<ULONG>(
            std::max(sizeof(IP_INTERFACE_INFO),
                     offsetof(IP_INTERFACE_INFO, Adapter) + names.size() * sizeof(IP_ADAPTER_INDEX_MAP)));
        if (buffer == nullptr || *size < required) {
            *size = required;
            return ERROR_INSUFFICIENT_BUFFER;
        }
        std::memset(buffer, 0, required);
        buffer->NumAdapters = static_cast<LONG>(names.size());
        auto *entries = At<IP_ADAPTER_INDEX_MAP>(buffer, offsetof(IP_INTERFACE_INFO, Adapter));
        for (std::size_t i = 0; i < names.size(); ++i) {
            entries[i].Index = names[i].second;
            CopyWide(entries[i].Name, names[i].first);
        }
        return NO_ERROR;
    };
    GetIfEntry = [this](PMIB_IFROW row) -> DWORD {
        Calls.push_back({"GetIfEntry", 0, true});
        const auto found = FNetwork.Rows.find(row->dwIndex);
        if (found == FNetwork.Rows.end())
            return ERROR_NOT_FOUND;
        CopyWide(row->wszName, found->second.Name);
        row->dwSpeed = found->second.Speed;
        row->dwMtu = found->second.Mtu;
        row->dwAdminStatus = found->second.AdminStatus;
        row->dwOperStatus = found->second.OperStatus;
        row->dwInOctets = found->second.InOctets;
        row->dwOutOctets = found->second.OutOctets;
        return NO_ERROR;
    };
    GetIfEntry2 = [this](PMIB_IF_ROW2 row) -> DWORD {
        Calls.push_back({"GetIfEntry2", 0, true});
        const auto found = FNetwork.Rows2.find(row->InterfaceIndex);
        if (found == FNetwork.Rows2.end())
            return ERROR_NOT_FOUND;
        CopyWide(row->Description, found->second.Description);
        CopyWide(row->Alias, found->second.Alias);
        row->TransmitLinkSpeed = found->second.TransmitLinkSpeed;
        row->Mtu = found->second.Mtu;
        row->InOctets = found->second.InOctets;
        row->OutOctets = found->second.OutOctets;
        return NO_ERROR;
    };
    GetAdaptersAddresses = [this](ULONG family, ULONG flags, PIP_ADAPTER_ADDRESSES buffer, PULONG size) -> ULONG {
        if (family != AF_INET_IPHLP || flags != GAA_FLAG_INCLUDE_PREFIX)
            return ERROR_INVALID_PARAMETER;
        return ModelAdaptersAddresses(buffer, size);
    };
    ConvertInterfaceIndexToLuid = [this](NET_IFINDEX index, PNET_LUID luid) -> DWORD {
        if (FNetwork.LuidAliases.count(index) == 0)
            return ERROR_FILE_NOT_FOUND;
        luid->Value = ULONG64{index} << 24;
        return NO_ERROR;
    };
    ConvertInterfaceLuidToAlias = [this](const NET_LUID *luid, PWSTR alias, SIZE_T length) -> DWORD {
        const auto found = FNetwork.LuidAliases.find(static_cast<ULONG>(luid->Value >> 24));
        if (found == FNetwork.LuidAliases.end())
            return ERROR_FILE_NOT_FOUND;
        if (length < found->second.size() + 1)
            return ERROR_NOT_ENOUGH_MEMORY;
        found->second.copy(alias, found->second.size());
        alias[found->second.size()] = u'\0';
        return NO_ERROR;
    };
    GetNetworkParams = [this](PFIXED_INFO buffer, PULONG size) { return ModelNetworkParams(buffer, size); };
    GetIpAddrTable = [this](PMIB_IPADDRTABLE table, PULONG size, BOOL) -> DWORD {
        Calls.push_back({"GetIpAddrTable", *size, table != nullptr});
        return AnswerTable(FNetwork.AddressRows, table, size);
    };
    GetIpNetTable = [this](PMIB_IPNETTABLE table, PULONG size, BOOL) -> DWORD {
        Calls.push_back({"GetIpNetTable", *size, table != nullptr});
        return AnswerTable(FNetwork.ArpRows, table, size);
    };
    GetBestInterface = [this](IPAddr destination, PDWORD index) -> DWORD {
        Calls.push_back({"GetBestInterface", 0, false});
        if (!FNetwork.BestInterface || destination != NetworkOrder("8.8.8.8"))
            return ERROR_NETWORK_UNREACHABLE;
        *index = *FNetwork.BestInterface;
        return NO_ERROR;
    };
}

TScriptedIpHlp::~TScriptedIpHlp()
{
    if (Current == this)
        Current = nullptr;
}

std::vector<TFakeCall> TScriptedIpHlp::CallsOf(const std::string &entry) const
{
    std::vector<TFakeCall> calls;
    for (const TFakeCall &call : Calls)
        if (call.Entry == entry)
            calls.push_back(call);
    return calls;
}

void TScriptedIpHlp::Install()
{
    Current = this;
    std::map<std::string, TProcAddress, std::less<>> exports;
    const auto offer = [&](bool present, std::string_view name, TProcAddress address) {
        if (present)
            exports.emplace(name, address);
    };
    offer(bool(GetAdaptersInfo), "GetAdaptersInfo", Address(&FakeGetAdaptersInfo));
    offer(bool(GetInterfaceInfo), "GetInterfaceInfo", Address(&FakeGetInterfaceInfo));
    offer(bool(GetIfEntry), "GetIfEntry", Address(&FakeGetIfEntry));
    offer(bool(GetIfEntry2), "GetIfEntry2", Address(&FakeGetIfEntry2));
    offer(bool(GetAdaptersAddresses), "GetAdaptersAddresses", Address(&FakeGetAdaptersAddresses));
    offer(bool(ConvertInterfaceIndexToLuid), "ConvertInterfaceIndexToLuid", Address(&FakeConvertInterfaceIndexToLuid));
    offer(bool(ConvertInterfaceLuidToAlias), "ConvertInterfaceLuidToAlias", Address(&FakeConvertInterfaceLuidToAlias));
    offer(bool(GetNetworkParams), "GetNetworkParams", Address(&FakeGetNetworkParams));
    offer(bool(GetIpAddrTable), "GetIpAddrTable", Address(&FakeGetIpAddrTable));
    offer(bool(GetIpNetTable), "GetIpNetTable", Address(&FakeGetIpNetTable));
    offer(bool(GetBestInterface), "GetBestInterface", Address(&FakeGetBestInterface));

    TModuleLoader::Process().Install("iphlpapi.dll", std::make_shared<TExportTable>(std::move(exports)));
    InitIpHlpAPI();
}

void TScriptedIpHlp::InstallNone()
{
    TModuleLoader::Process().Install("iphlpapi.dll", nullptr);
    InitIpHlpAPI();
}

void TScriptedIpHlp::Restore()
{
    TModuleLoader::Process().RestoreSystemModules();
    InitIpHlpAPI();
}

DWORD TScriptedIpHlp::ModelAdaptersInfo(PIP_ADAPTER_INFO buffer, PULONG size) const
{
    Calls.push_back({"GetAdaptersInfo", *size, buffer != nullptr});
    const auto &adapters = FNetwork.Adapters;
    if (adapters.empty())
        return ERROR_NO_DATA;
    TLayout layout;
    struct TPlan {
        std::size_t Record;
        std::vector<std::size_t> Lists[5];
    };
    std::vector<TPlan> plans;
    for (const TFakeAdapter &adapter : adapters) {
        TPlan plan{layout.Reserve<IP_ADAPTER_INFO>(), {}};
        plan.Lists[0] = PlanChain(layout, adapter.IpAddresses);
        plan.Lists[1] = PlanChain(layout, adapter.Gateways);
        plan.Lists[2] = PlanChain(layout, adapter.DhcpServers);
        plan.Lists[3] = PlanChain(layout, adapter.PrimaryWins);
        plan.Lists[4] = PlanChain(layout, adapter.SecondaryWins);
        plans.push_back(std::move(plan));
    }
    if (buffer == nullptr || *size < layout.Size()) {
        *size = layout.Size();
        return ERROR_BUFFER_OVERFLOW;
    }
    std::memset(buffer, 0, layout.Size());
    IP_ADAPTER_INFO *previous = nullptr;
    for (std::size_t i = 0; i < adapters.size(); ++i) {
        const TFakeAdapter &adapter = adapters[i];
        auto *record = At<IP_ADAPTER_INFO>(buffer, plans[i].Record);
        if (previous != nullptr)
            previous->Next = record;
        previous = record;
        CopyAnsi(record->AdapterName, adapter.AdapterName);
        CopyAnsi(record->Description, adapter.Description);
        record->AddressLength = static_cast<UINT>(adapter.Mac.size());
        std::copy_n(adapter.Mac.begin(), std::min(adapter.Mac.size(), sizeof record->Address), record->Address);
        record->Index = adapter.Index;
        record->Type = adapter.Type;
        record->DhcpEnabled = adapter.Dhcp ? 1 : 0;
        record->HaveWins = adapter.Wins ? 1 : 0;
        FillChain(buffer, record->IpAddressList, adapter.IpAddresses, plans[i].Lists[0]);
        FillChain(buffer, record->GatewayList, adapter.Gateways, plans[i].Lists[1]);
        FillChain(buffer, record->DhcpServer, adapter.DhcpServers, plans[i].Lists[2]);
        FillChain(buffer, record->PrimaryWinsServer, adapter.PrimaryWins, plans[i].Lists[3]);
        FillChain(buffer, record->SecondaryWinsServer, adapter.SecondaryWins, plans[i].Lists[4]);
    }
    return NO_ERROR;
}

DWORD TScriptedIpHlp::ModelNetworkParams(PFIXED_INFO buffer, PULONG size) const
{
    Calls.push_back({"GetNetworkParams", *size, buffer != nullptr});
    TLayout layout;
    layout.Reserve<FIXED_INFO>();
    std::vector<TFakeAddress> servers;
    for (const std::string &server : FNetwork.DnsServers)
        servers.push_back({server, ""});
    const std::vector<std::size_t> offsets = PlanChain(layout, servers);
    if (buffer == nullptr || *size < layout.Size()) {
        *size = layout.Size();
        return ERROR_BUFFER_OVERFLOW;
    }
    std::memset(buffer, 0, layout.Size());
    CopyAnsi(buffer->HostName, FNetwork.HostName);
    CopyAnsi(buffer->DomainName, FNetwork.DomainName);
    CopyAnsi(buffer->ScopeId, FNetwork.ScopeId);
    buffer->NodeType = FNetwork.NodeType;
    buffer->EnableRouting = FNetwork.Routing;
    buffer->EnableProxy = FNetwork.Proxy;
    buffer->EnableDns = FNetwork.Dns;
    FillChain(buffer, buffer->DnsServerList, servers, offsets);
    if (FNetwork.CurrentDnsServer)
        buffer->CurrentDnsServer = *FNetwork.CurrentDnsServer == 0
                                       ? &buffer->DnsServerList
                                       : At<IP_ADDR_STRING>(buffer, offsets[*FNetwork.CurrentDnsServer - 1]);
    return NO_ERROR;
}

ULONG TScriptedIpHlp::ModelAdaptersAddresses(PIP_ADAPTER_ADDRESSES buffer, PULONG size) const
{
    Calls.push_back({"GetAdaptersAddresses", *size, buffer != nullptr});
    const auto &records = FNetwork.Addresses;
    if (records.empty())
        return ERROR_NO_DATA;
    TLayout layout;
    struct TPlan {
        std::size_t Record, Suffix;
        std::vector<std::pair<std::size_t, std::size_t>> Servers; // node, socket address
    };
    std::vector<TPlan> plans;
    for (const TFakeAdapterAddresses &record : records) {
        TPlan plan{layout.Reserve<IP_ADAPTER_ADDRESSES>(), 0, {}};
        plan.Suffix = layout.Reserve<WCHAR>(record.DnsSuffix.size() + 1);
        for (std::size_t i = 0; i < record.DnsServers.size(); ++i) {
            const std::size_t node = layout.Reserve<IP_ADAPTER_DNS_SERVER_ADDRESS>();
            plan.Servers.emplace_back(node, layout.Reserve<sockaddr_in>());
        }
        plans.push_back(std::move(plan));
    }
    if (buffer == nullptr || *size < layout.Size()) {
        *size = layout.Size();
        return ERROR_BUFFER_OVERFLOW;
    }
    std::memset(buffer, 0, layout.Size());
    IP_ADAPTER_ADDRESSES *previous = nullptr;
    for (std::size_t i = 0; i < records.size(); ++i) {
        auto *record = At<IP_ADAPTER_ADDRESSES>(buffer, plans[i].Record);
        if (previous != nullptr)
            previous->Next = record;
        previous = record;
        record->Length = sizeof(IP_ADAPTER_ADDRESSES);
        record->IfIndex = records[i].IfIndex;
        record->Flags = records[i].Flags;
        record->DnsSuffix = At<WCHAR>(buffer, plans[i].Suffix);
        records[i].DnsSuffix.copy(record->DnsSuffix, records[i].DnsSuffix.size());
        IP_ADAPTER_DNS_SERVER_ADDRESS *last = nullptr;
        for (std::size_t s = 0; s < plans[i].Servers.size(); ++s) {
            auto *node = At<IP_ADAPTER_DNS_SERVER_ADDRESS>(buffer, plans[i].Servers[s].first);
            auto *address = At<sockaddr_in>(buffer, plans[i].Servers[s].second);
            address->sin_family = AF_INET;
            address->sin_addr.s_addr = NetworkOrder(records[i].DnsServers[s].c_str());
            node->Length = sizeof *node;
            node->Address.lpSockaddr = reinterpret_cast<sockaddr *>(address);
            node->Address.iSockaddrLength = sizeof *address;
            (last == nullptr ? record->FirstDnsServerAddress : last->Next) = node;
            last = node;
        }
    }
    return NO_ERROR;
}

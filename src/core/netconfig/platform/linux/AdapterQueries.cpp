#include "LinuxIpHlp.h"

#include "RecordOutput.h"
#include "RecordTextFields.h"
#include "TAddressReader.h"
#include "TLinuxNetRoots.h"
#include "TLinuxNetState.h"
#include "TResolvConf.h"
#include "TRouteReader.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// What the adapter queries combine: links, their IPv4 addresses and the default routes.
struct TAdapterView {
    std::vector<TIPv4AddressRecord> Addresses;
    std::vector<TDefaultRoute> Routes;
};

TAdapterView ReadAdapterView(TLinuxNetState &state)
{
    TAdapterView view;
    view.Addresses = ReadIPv4Addresses(state.Socket()).value_or(std::vector<TIPv4AddressRecord>{});
    view.Routes = ReadDefaultRoutes(state.Socket()).value_or(std::vector<TDefaultRoute>{});
    return view;
}

bool HasDynamicAddress(const TAdapterView &view, std::uint32_t index)
{
    return std::any_of(view.Addresses.begin(), view.Addresses.end(),
                       [&](const TIPv4AddressRecord &a) { return a.Index == index && a.Dynamic; });
}

void LayOutAdapterInfo(TRecordArena &arena, const std::vector<TInterfaceInfo> &interfaces, const TAdapterView &view)
{
    IP_ADAPTER_INFO *previous = nullptr;
    for (const TInterfaceInfo &info : interfaces) {
        const TLinkRecord &link = info.Link;
        IP_ADAPTER_INFO *record = arena.New<IP_ADAPTER_INFO>();
        if (previous)
            previous->Next = record;
        previous = record;

        record->ComboIndex = link.Index;
        record->Index = link.Index;
        CopyNarrow(link.Name, record->AdapterName, sizeof(record->AdapterName));
        CopyNarrow(info.Description, record->Description, sizeof(record->Description));
        record->AddressLength = static_cast<UINT>(std::min(link.Address.size(), MAX_ADAPTER_ADDRESS_LENGTH));
        std::copy_n(link.Address.begin(), record->AddressLength, record->Address);
        record->Type = info.Type;
        record->DhcpEnabled = HasDynamicAddress(view, link.Index) ? 1 : 0;

        std::vector<TIPv4AddressRecord> own;
        std::copy_if(view.Addresses.begin(), view.Addresses.end(), std::back_inserter(own),
                     [&](const TIPv4AddressRecord &a) { return a.Index == link.Index; });
        // An adapter without an address still shows one node, as 0.0.0.0.
        WriteIPv4Text(0, record->IpAddressList.IpAddress.String);
        WriteIPv4Text(0, record->IpAddressList.IpMask.String);
        FillChain(arena, record->IpAddressList, own, [](const TIPv4AddressRecord &a, IP_ADDR_STRING &node) {
            WriteIPv4Text(a.Address, node.IpAddress.String);
            WriteIPv4Text(PrefixToMask(a.PrefixLength), node.IpMask.String);
        });

        std::vector<TDefaultRoute> gateways;
        std::copy_if(view.Routes.begin(), view.Routes.end(), std::back_inserter(gateways),
                     [&](const TDefaultRoute &r) { return r.Index == link.Index && r.Gateway != 0; });
        FillChain(arena, record->GatewayList, gateways, [](const TDefaultRoute &r, IP_ADDR_STRING &node) {
            WriteIPv4Text(r.Gateway, node.IpAddress.String);
            WriteIPv4Text(0, node.IpMask.String);
        });
        // DHCP servers live only in the DHCP clients' lease files, and Linux has no WINS: those lists
        // keep their one empty node.
    }
}

// A NUL-terminated UTF-16 copy of `text` in the arena.
PWCHAR NewWide(TRecordArena &arena, const std::string &text)
{
    const std::size_t units = Utf16Length(text) + 1;
    PWCHAR wide = arena.New<WCHAR>(units);
    CopyUtf16(text, wide, units);
    return wide;
}

sockaddr *NewSockaddr(TRecordArena &arena, std::uint32_t address, INT &length)
{
    auto *socketAddress = arena.New<sockaddr_in>();
    socketAddress->sin_family = AF_INET;
    socketAddress->sin_addr.s_addr = address;
    length = sizeof(sockaddr_in);
    return reinterpret_cast<sockaddr *>(socketAddress);
}

struct TAddressesRequest {
    ULONG Family;
    ULONG Flags;
    const TAdapterView &View;
    const TResolvConf &Resolver;
    // Linux keeps one resolver list; it belongs to the interface of the preferred default route.
    std::uint32_t ResolverIndex;
};

// A chain of address nodes, one per item; `fill(node, item)` sets what else the node carries.
template <class TNode, class TItem, class TAddress, class TFill>
TNode *LayOutAddressChain(TRecordArena &arena, const std::vector<TItem> &items, TAddress address, TFill fill)
{
    TNode *first = nullptr;
    TNode *previous = nullptr;
    for (const TItem &item : items) {
        TNode *node = arena.New<TNode>();
        node->Length = sizeof(TNode);
        node->Address.lpSockaddr = NewSockaddr(arena, address(item), node->Address.iSockaddrLength);
        fill(*node, item);
        if (previous)
            previous->Next = node;
        else
            first = node;
        previous = node;
    }
    return first;
}

template <class TNode, class TItem, class TAddress>
TNode *LayOutAddressChain(TRecordArena &arena, const std::vector<TItem> &items, TAddress address)
{
    return LayOutAddressChain<TNode>(arena, items, address, [](TNode &, const TItem &) {});
}

void LayOutOneAdapterAddresses(TRecordArena &arena, IP_ADAPTER_ADDRESSES &record, const TInterfaceInfo &info,
                               const TAddressesRequest &request)
{
    const TLinkRecord &link = info.Link;
    const bool withIPv4 = request.Family != AF_INET6_IPHLP;
    record.Length = sizeof(IP_ADAPTER_ADDRESSES);
    record.IfIndex = link.Index;
    char *name = arena.New<char>(link.Name.size() + 1);
    CopyNarrow(link.Name, name, link.Name.size() + 1);
    record.AdapterName = name;

    std::vector<TIPv4AddressRecord> own;
    if (withIPv4)
        std::copy_if(request.View.Addresses.begin(), request.View.Addresses.end(), std::back_inserter(own),
                     [&](const TIPv4AddressRecord &a) { return a.Index == link.Index; });
    if (!(request.Flags & GAA_FLAG_SKIP_UNICAST)) {
        record.FirstUnicastAddress = LayOutAddressChain<IP_ADAPTER_UNICAST_ADDRESS>(
            arena, own, [](const TIPv4AddressRecord &a) { return a.Address; },
            [](IP_ADAPTER_UNICAST_ADDRESS &node, const TIPv4AddressRecord &a) {
                node.OnLinkPrefixLength = a.PrefixLength;
                node.ValidLifetime = node.PreferredLifetime = node.LeaseLifetime = 0xFFFFFFFFu;
            });
    }
    if (request.Flags & GAA_FLAG_INCLUDE_PREFIX) {
        record.FirstPrefix = LayOutAddressChain<IP_ADAPTER_PREFIX>(
            arena, own, [](const TIPv4AddressRecord &a) { return a.Address & PrefixToMask(a.PrefixLength); },
            [](IP_ADAPTER_PREFIX &node, const TIPv4AddressRecord &a) { node.PrefixLength = a.PrefixLength; });
    }
    const bool resolverHere = withIPv4 && link.Index == request.ResolverIndex;
    if (resolverHere && !(request.Flags & GAA_FLAG_SKIP_DNS_SERVER)) {
        std::vector<std::uint32_t> servers;
        for (const std::string &text : request.Resolver.NameServers) {
            in_addr address{};
            if (inet_pton(AF_INET, text.c_str(), &address) == 1)
                servers.push_back(address.s_addr);
        }
        record.FirstDnsServerAddress =
            LayOutAddressChain<IP_ADAPTER_DNS_SERVER_ADDRESS>(arena, servers, [](std::uint32_t a) { return a; });
    }
    if (withIPv4 && (request.Flags & GAA_FLAG_INCLUDE_GATEWAYS)) {
        std::vector<TDefaultRoute> gateways;
        std::copy_if(request.View.Routes.begin(), request.View.Routes.end(), std::back_inserter(gateways),
                     [&](const TDefaultRoute &r) { return r.Index == link.Index && r.Gateway != 0; });
        record.FirstGatewayAddress = LayOutAddressChain<IP_ADAPTER_GATEWAY_ADDRESS>(
            arena, gateways, [](const TDefaultRoute &r) { return r.Gateway; });
    }

    record.DnsSuffix = NewWide(arena, resolverHere ? request.Resolver.Domain : std::string());
    record.Description = NewWide(arena, info.Description);
    // The user-visible name: the alias where one is set.
    record.FriendlyName = NewWide(arena, (request.Flags & GAA_FLAG_SKIP_FRIENDLY_NAME) ? std::string()
                                         : !link.Alias.empty()                         ? link.Alias
                                                                                       : link.Name);
    record.PhysicalAddressLength = static_cast<ULONG>(std::min(link.Address.size(), MAX_ADAPTER_ADDRESS_LENGTH));
    std::copy_n(link.Address.begin(), record.PhysicalAddressLength, record.PhysicalAddress);
    record.Flags = (link.IPv4 ? IP_ADAPTER_IPV4_ENABLED : 0) | (link.IPv6 ? IP_ADAPTER_IPV6_ENABLED : 0) |
                   (HasDynamicAddress(request.View, link.Index) ? IP_ADAPTER_DHCP_ENABLED : 0);
    record.Mtu = link.MTU;
    record.IfType = info.Type;
    record.OperStatus = info.Status.ExtendedOper;
    record.Ipv6IfIndex = link.IPv6 ? link.Index : 0;
    record.TransmitLinkSpeed = info.Speed;
    record.ReceiveLinkSpeed = info.Speed;
    record.Luid.Info.NetLuidIndex = link.Index;
    record.Luid.Info.IfType = info.Type;
}

} // namespace

namespace LinuxIpHlp {

DWORD GetAdaptersInfo(PIP_ADAPTER_INFO AdapterInfo, PULONG SizePointer)
{
    if (!SizePointer)
        return ERROR_INVALID_PARAMETER;
    TLinuxNetState &state = TLinuxNetState::Current();
    if (!state.RefreshInterfaces())
        return ERROR_GEN_FAILURE;
    if (state.Interfaces().empty())
        return ERROR_NO_DATA;
    const TAdapterView view = ReadAdapterView(state);
    return WriteRecords(AdapterInfo, SizePointer, ERROR_BUFFER_OVERFLOW,
                        [&](TRecordArena &arena) { LayOutAdapterInfo(arena, state.Interfaces(), view); });
}

DWORD GetInterfaceInfo(PIP_INTERFACE_INFO IfTable, PULONG OutBufLen)
{
    if (!OutBufLen)
        return ERROR_INVALID_PARAMETER;
    TLinuxNetState &state = TLinuxNetState::Current();
    if (!state.RefreshInterfaces())
        return ERROR_GEN_FAILURE;
    const std::vector<TInterfaceInfo> &interfaces = state.Interfaces();
    if (interfaces.empty())
        return ERROR_NO_DATA;
    return WriteRecords(IfTable, OutBufLen, ERROR_INSUFFICIENT_BUFFER, [&](TRecordArena &arena) {
        auto *table = arena.New<LONG>();
        *table = static_cast<LONG>(interfaces.size());
        auto *entries = arena.New<IP_ADAPTER_INDEX_MAP>(interfaces.size());
        for (std::size_t i = 0; i < interfaces.size(); ++i) {
            entries[i].Index = interfaces[i].Link.Index;
            CopyUtf16(interfaces[i].Link.Name, entries[i].Name, MAX_ADAPTER_NAME);
        }
    });
}

ULONG GetAdaptersAddresses(ULONG Family, ULONG Flags, PVOID, PIP_ADAPTER_ADDRESSES AdapterAddresses,
                           PULONG SizePointer)
{
    if (!SizePointer || (Family != AF_UNSPEC_IPHLP && Family != AF_INET_IPHLP && Family != AF_INET6_IPHLP))
        return ERROR_INVALID_PARAMETER;
    TLinuxNetState &state = TLinuxNetState::Current();
    if (!state.RefreshInterfaces())
        return ERROR_GEN_FAILURE;
    if (state.Interfaces().empty())
        return ERROR_NO_DATA;
    const TAdapterView view = ReadAdapterView(state);
    const TLinuxNetRoots &roots = TLinuxNetRoots::Process();
    const TResolvConf resolver = ReadResolvConf(roots.ResolvConf, roots.UpstreamResolvConf);
    const TAddressesRequest request{Family, Flags, view, resolver, view.Routes.empty() ? 0 : view.Routes.front().Index};
    return WriteRecords(AdapterAddresses, SizePointer, ERROR_BUFFER_OVERFLOW, [&](TRecordArena &arena) {
        IP_ADAPTER_ADDRESSES *previous = nullptr;
        for (const TInterfaceInfo &info : state.Interfaces()) {
            auto *record = arena.New<IP_ADAPTER_ADDRESSES>();
            if (previous)
                previous->Next = record;
            previous = record;
            LayOutOneAdapterAddresses(arena, *record, info, request);
        }
    });
}

} // namespace LinuxIpHlp

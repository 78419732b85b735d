#include "Quarl_IpHlpAPI.h"

#include "TModuleLoader.h"

TIpHlpAPI IpHlpAPI;

namespace {

template <class TEntry>
void Resolve(TModuleHandle module, const char *name, TEntry &entry)
{
    const auto resolved = reinterpret_cast<TEntry>(TModuleLoader::GetProcAddress(module, name));
    if (entry != resolved)
        entry = resolved;
}

} // namespace

bool InitIpHlpAPI()
{
    constexpr const char *moduleName = "iphlpapi.dll";
    TModuleLoader &loader = TModuleLoader::Process();
    TModuleHandle module = loader.GetModuleHandle(moduleName);
    if (!module)
        module = loader.LoadLibrary(moduleName);

    TIpHlpAPI &api = IpHlpAPI;
    Resolve(module, "GetAdaptersInfo", api.GetAdaptersInfo);
    Resolve(module, "GetInterfaceInfo", api.GetInterfaceInfo);
    Resolve(module, "GetIfEntry", api.GetIfEntry);
    Resolve(module, "GetIfEntry2", api.GetIfEntry2);
    Resolve(module, "GetAdaptersAddresses", api.GetAdaptersAddresses);
    Resolve(module, "ConvertInterfaceIndexToLuid", api.ConvertInterfaceIndexToLuid);
    Resolve(module, "ConvertInterfaceLuidToAlias", api.ConvertInterfaceLuidToAlias);
    Resolve(module, "GetNetworkParams", api.GetNetworkParams);
    Resolve(module, "GetIpAddrTable", api.GetIpAddrTable);
    Resolve(module, "GetIpNetTable", api.GetIpNetTable);
    Resolve(module, "GetBestInterface", api.GetBestInterface);
    Resolve(module, "NotifyAddrChange", api.NotifyAddrChange);
    Resolve(module, "GetIfTable", api.GetIfTable);
    Resolve(module, "GetIfTable2", api.GetIfTable2);
    Resolve(module, "GetNumberOfInterfaces", api.GetNumberOfInterfaces);
    Resolve(module, "GetAdapterIndex", api.GetAdapterIndex);
    Resolve(module, "SendARP", api.SendARP);
    Resolve(module, "GetIpInterfaceEntry", api.GetIpInterfaceEntry);
    Resolve(module, "AllocateAndGetTcpExTableFromStack", api.AllocateAndGetTcpExTableFromStack);
    Resolve(module, "AllocateAndGetUdpExTableFromStack", api.AllocateAndGetUdpExTableFromStack);
    Resolve(module, "GetExtendedTcpTable", api.GetExtendedTcpTable);
    Resolve(module, "GetExtendedUdpTable", api.GetExtendedUdpTable);
    return module && api.GetAdaptersInfo;
}

#include "LinuxIpHlp.h"
#include "TBuiltinModule.h"

namespace {

template <class TFunction>
TBuiltinModule::TExport Export(std::string_view name, TFunction *function)
{
    return {name, reinterpret_cast<TProcAddress>(function)};
}

std::shared_ptr<const IModule> IpHlpModule()
{
    using namespace LinuxIpHlp;
    return std::make_shared<TBuiltinModule>(std::initializer_list<TBuiltinModule::TExport>{
        Export("GetAdaptersInfo", &GetAdaptersInfo),
        Export("GetInterfaceInfo", &GetInterfaceInfo),
        Export("GetIfEntry", &GetIfEntry),
        Export("GetIfEntry2", &GetIfEntry2),
        Export("GetAdaptersAddresses", &GetAdaptersAddresses),
        Export("ConvertInterfaceIndexToLuid", &ConvertInterfaceIndexToLuid),
        Export("ConvertInterfaceLuidToAlias", &ConvertInterfaceLuidToAlias),
        Export("GetNetworkParams", &GetNetworkParams),
        Export("GetIpAddrTable", &GetIpAddrTable),
        Export("GetIpNetTable", &GetIpNetTable),
        Export("GetBestInterface", &GetBestInterface),
        // The change notifier's NotifyAddrChange is exported here.
    });
}

} // namespace

std::shared_ptr<const IModule> LoadSystemModule(const std::string &name)
{
    if (name == "iphlpapi.dll")
        return IpHlpModule();
    return nullptr;
}

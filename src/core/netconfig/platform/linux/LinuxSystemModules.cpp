#include "RtnlNotifyAddrChange.h"
#include "TBuiltinModule.h"

std::shared_ptr<const IModule> LoadSystemModule(const std::string &name)
{
    if (name == "iphlpapi.dll")
        return std::make_shared<TBuiltinModule>(std::initializer_list<TBuiltinModule::TExport>{
            {"NotifyAddrChange", reinterpret_cast<TProcAddress>(&RtnlNotifyAddrChange)},
        });
    return nullptr;
}

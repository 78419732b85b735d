#include "TLinuxNetState.h"

#include "TLinuxNetRoots.h"
#include "TSysfsNetReader.h"

TLinuxNetRoots &TLinuxNetRoots::Process()
{
    static TLinuxNetRoots roots;
    return roots;
}

TLinuxNetState &TLinuxNetState::Current()
{
    thread_local TLinuxNetState state;
    return state;
}

bool TLinuxNetState::RefreshInterfaces()
{
    FInterfaces.clear();
    auto links = ReadLinks(FSocket);
    if (!links)
        return false;
    const TSysfsNetReader sysfs(TLinuxNetRoots::Process().SysClassNet);
    FInterfaces.reserve(links->size());
    for (TLinkRecord &link : *links) {
        TInterfaceInfo info;
        info.Type = InterfaceType(link.HardwareType, sysfs.MediaHint(link.Name));
        info.Status = LinkStatus(link.Flags, link.OperState);
        info.Speed = sysfs.Speed(link.Name);
        const std::string driver = sysfs.DriverName(link.Name);
        info.Hardware = !driver.empty();
        info.Description = !driver.empty() ? driver : !link.Kind.empty() ? link.Kind : link.Name;
        info.Link = std::move(link);
        FInterfaces.push_back(std::move(info));
    }
    return true;
}

const TInterfaceInfo *TLinuxNetState::Lookup(std::uint32_t index) const
{
    for (const TInterfaceInfo &info : FInterfaces)
        if (info.Link.Index == index)
            return &info;
    return nullptr;
}

const TInterfaceInfo *TLinuxNetState::FindInterface(std::uint32_t index)
{
    if (const TInterfaceInfo *found = Lookup(index))
        return found;
    RefreshInterfaces();
    return Lookup(index);
}

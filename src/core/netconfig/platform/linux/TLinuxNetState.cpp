#include "TLinuxNetState.h"

#include "TLinuxNetRoots.h"
#include "TSysfsNetReader.h"

#include <linux/if_arp.h>

#include <algorithm>
#include <string_view>

namespace {

// Long enough to span the queries of one snapshot, short enough that the next snapshot reads afresh.
constexpr auto FactsLifetime = std::chrono::milliseconds(50);

bool MayBeWireless(const TLinkRecord &link)
{
    constexpr std::string_view Wired[] = {"veth", "bridge", "bond", "vlan", "macvlan", "ipvlan", "vxlan", "dummy"};
    return link.HardwareType != ARPHRD_LOOPBACK && std::find(std::begin(Wired), std::end(Wired), link.Kind) == std::end(Wired);
}

} // namespace

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
    const auto now = std::chrono::steady_clock::now();
    const bool recent = !FFacts.empty() && now - FFactsRead < FactsLifetime;
    std::vector<TKnownFacts> known;
    known.reserve(links->size());
    FInterfaces.reserve(links->size());
    for (TLinkRecord &link : *links) {
        TSysfsNetReader::TFacts facts = ReadFacts(sysfs, link, recent);
        TInterfaceInfo info;
        info.Type = InterfaceType(link.HardwareType, facts.Hint);
        info.Status = LinkStatus(link.Flags, link.OperState);
        info.Speed = facts.Speed;
        info.Hardware = !facts.Driver.empty();
        info.Description = info.Hardware ? facts.Driver : !link.Kind.empty() ? link.Kind : link.Name;
        known.push_back({link.Index, link.Name, link.Flags, link.OperState, std::move(facts)});
        info.Link = std::move(link);
        FInterfaces.push_back(std::move(info));
    }
    FFacts = std::move(known);
    if (!recent)
        FFactsRead = now;
    return true;
}

TSysfsNetReader::TFacts TLinuxNetState::ReadFacts(const TSysfsNetReader &sysfs, const TLinkRecord &link, bool recent) const
{
    if (recent) {
        const auto same = std::find_if(FFacts.begin(), FFacts.end(), [&](const TKnownFacts &k) {
            return k.Index == link.Index && k.Name == link.Name && k.Flags == link.Flags && k.OperState == link.OperState;
        });
        if (same != FFacts.end())
            return same->Facts;
    }
    return sysfs.Facts(link.Name, MayBeWireless(link));
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

#include "LinkMapping.h"

#include <linux/if.h>
#include <linux/if_arp.h>
#include <linux/neighbour.h>

IFTYPE InterfaceType(std::uint16_t hardwareType, TSysfsNetReader::TMediaHint hint)
{
    // The sysfs hint wins: wireless and mobile-broadband devices often present as plain Ethernet.
    if (hint == TSysfsNetReader::TMediaHint::Wireless)
        return IF_TYPE_IEEE80211;
    if (hint == TSysfsNetReader::TMediaHint::Wwan)
        return IF_TYPE_WWANPP;
    switch (hardwareType) {
    case ARPHRD_ETHER:
        return IF_TYPE_ETHERNET_CSMACD;
    case ARPHRD_LOOPBACK:
        return IF_TYPE_SOFTWARE_LOOPBACK;
    case ARPHRD_IEEE80211:
    case ARPHRD_IEEE80211_PRISM:
    case ARPHRD_IEEE80211_RADIOTAP:
        return IF_TYPE_IEEE80211;
    case ARPHRD_PPP:
        return IF_TYPE_PPP;
    case ARPHRD_TUNNEL:
    case ARPHRD_TUNNEL6:
    case ARPHRD_SIT:
    case ARPHRD_IPGRE:
    case ARPHRD_IP6GRE:
    case ARPHRD_NONE:  // tun, WireGuard
    case ARPHRD_RAWIP:
        return IF_TYPE_TUNNEL;
    case ARPHRD_IEEE1394:
        return IF_TYPE_IEEE1394;
    case ARPHRD_ATM:
        return IF_TYPE_ATM;
    case ARPHRD_FDDI:
        return IF_TYPE_FDDI;
    case ARPHRD_IEEE802_TR:
        return IF_TYPE_ISO88025_TOKENRING;
    default:
        return IF_TYPE_OTHER;
    }
}

TLinkStatus LinkStatus(std::uint32_t flags, std::uint8_t operState)
{
    TLinkStatus status;
    status.MediaConnect = (flags & IFF_LOWER_UP) ? MediaConnectStateConnected : MediaConnectStateDisconnected;
    if (!(flags & IFF_UP)) {
        status.Admin = MIB_IF_ADMIN_STATUS_DOWN;
        status.Oper = MIB_IF_OPER_STATUS_NON_OPERATIONAL;
        status.ExtendedOper = IfOperStatusDown;
        return status;
    }
    status.Admin = MIB_IF_ADMIN_STATUS_UP;
    const bool running = (flags & IFF_RUNNING) != 0;
    switch (operState) {
    case IF_OPER_UP:
        status.Oper = MIB_IF_OPER_STATUS_OPERATIONAL;
        status.ExtendedOper = IfOperStatusUp;
        break;
    case IF_OPER_UNKNOWN:
        // Loopback, dummy, vxlan and a port-less bridge never report a state; running means usable.
        status.Oper = running ? MIB_IF_OPER_STATUS_OPERATIONAL : MIB_IF_OPER_STATUS_DISCONNECTED;
        status.ExtendedOper = running ? IfOperStatusUp : IfOperStatusDown;
        break;
    case IF_OPER_DORMANT:
        // Waiting for 802.1X or a WPA handshake.
        status.Oper = MIB_IF_OPER_STATUS_CONNECTING;
        status.ExtendedOper = IfOperStatusDormant;
        break;
    case IF_OPER_DOWN:
        status.Oper = MIB_IF_OPER_STATUS_DISCONNECTED;
        status.ExtendedOper = IfOperStatusDown;
        break;
    case IF_OPER_LOWERLAYERDOWN:
        status.Oper = MIB_IF_OPER_STATUS_DISCONNECTED;
        status.ExtendedOper = IfOperStatusLowerLayerDown;
        break;
    case IF_OPER_TESTING:
        status.Admin = MIB_IF_ADMIN_STATUS_TESTING;
        status.Oper = MIB_IF_OPER_STATUS_NON_OPERATIONAL;
        status.ExtendedOper = IfOperStatusTesting;
        break;
    case IF_OPER_NOTPRESENT:
    default:
        status.Oper = MIB_IF_OPER_STATUS_NON_OPERATIONAL;
        status.ExtendedOper = IfOperStatusNotPresent;
        break;
    }
    return status;
}

DWORD NeighbourType(std::uint16_t state)
{
    if (state & (NUD_PERMANENT | NUD_NOARP))
        return MIB_IPNET_TYPE_STATIC;
    if (state & (NUD_REACHABLE | NUD_STALE | NUD_DELAY | NUD_PROBE))
        return MIB_IPNET_TYPE_DYNAMIC;
    if (state & (NUD_FAILED | NUD_INCOMPLETE))
        return MIB_IPNET_TYPE_INVALID;
    return MIB_IPNET_TYPE_OTHER;
}

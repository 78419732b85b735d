#pragma once

#include "IpHlpRecords.h"
#include "TSysfsNetReader.h"

#include <cstdint>

// How a Linux link reads as an IP Helper interface: its IANA type and its statuses.

IFTYPE InterfaceType(std::uint16_t hardwareType, TSysfsNetReader::TMediaHint hint);

struct TLinkStatus {
    DWORD Admin = 0;  // MIB_IF_ADMIN_STATUS_*
    DWORD Oper = 0;   // MIB_IF_OPER_STATUS_*
    IF_OPER_STATUS ExtendedOper = IfOperStatusDown;
    NET_IF_MEDIA_CONNECT_STATE MediaConnect = MediaConnectStateUnknown;
};

// From the IFF_* flags and the IF_OPER_* state.
TLinkStatus LinkStatus(std::uint32_t flags, std::uint8_t operState);

// The ARP entry type of a neighbour state (NUD_*).
DWORD NeighbourType(std::uint16_t state);

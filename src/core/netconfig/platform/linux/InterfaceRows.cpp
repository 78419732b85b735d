#include "LinuxIpHlp.h"

#include "RecordTextFields.h"
#include "TLinuxNetState.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr ULONG NetIfAccessLoopback = 1;
constexpr ULONG NetIfAccessBroadcast = 2;
constexpr ULONG NetIfConnectionDedicated = 1;

// The LUID carries the interface index and type, so it converts back without a table.
NET_LUID LuidOf(const TInterfaceInfo &info)
{
    NET_LUID luid{};
    luid.Info.NetLuidIndex = info.Link.Index;
    luid.Info.IfType = info.Type;
    return luid;
}

std::uint32_t LowWord(std::uint64_t value)
{
    return static_cast<std::uint32_t>(value);
}

// Live counters plus the interface as last read; null when the kernel does not know the index.
const TInterfaceInfo *ReadInterface(std::uint32_t index, TLinkCounters &counters)
{
    TLinuxNetState &state = TLinuxNetState::Current();
    if (!state.Stats().Read(index, counters))
        return nullptr;
    return state.FindInterface(index);
}

} // namespace

namespace LinuxIpHlp {

DWORD GetIfEntry(PMIB_IFROW IfRow)
{
    if (!IfRow)
        return ERROR_INVALID_PARAMETER;
    TLinkCounters counters;
    const TInterfaceInfo *info = ReadInterface(IfRow->dwIndex, counters);
    if (!info)
        return ERROR_INVALID_DATA;
    const TLinkRecord &link = info->Link;
    MIB_IFROW &row = *IfRow;
    CopyUtf16(link.Name, row.wszName, MAX_INTERFACE_NAME_LEN);
    row.dwType = info->Type;
    row.dwMtu = link.MTU;
    // The 32-bit row cannot say more than 4294967295 bit/s.
    row.dwSpeed = static_cast<DWORD>(std::min<std::uint64_t>(info->Speed, std::numeric_limits<DWORD>::max()));
    row.dwPhysAddrLen = static_cast<DWORD>(std::min(link.Address.size(), MAXLEN_PHYSADDR));
    std::copy_n(link.Address.begin(), row.dwPhysAddrLen, row.bPhysAddr);
    row.dwAdminStatus = info->Status.Admin;
    row.dwOperStatus = info->Status.Oper;
    row.dwLastChange = 0;
    row.dwInOctets = LowWord(counters.InOctets);
    row.dwInUcastPkts = LowWord(counters.InPackets - std::min(counters.InPackets, counters.InMulticast));
    row.dwInNUcastPkts = LowWord(counters.InMulticast);
    row.dwInDiscards = LowWord(counters.InDiscards);
    row.dwInErrors = LowWord(counters.InErrors);
    row.dwInUnknownProtos = 0;
    row.dwOutOctets = LowWord(counters.OutOctets);
    row.dwOutUcastPkts = LowWord(counters.OutPackets);
    row.dwOutNUcastPkts = 0;
    row.dwOutDiscards = LowWord(counters.OutDiscards);
    row.dwOutErrors = LowWord(counters.OutErrors);
    row.dwOutQLen = 0;
    const std::size_t length = std::min(info->Description.size(), MAXLEN_IFDESCR - 1);
    std::copy_n(info->Description.begin(), length, row.bDescr);
    row.bDescr[length] = 0;
    row.dwDescrLen = static_cast<DWORD>(length);
    return NO_ERROR;
}

DWORD GetIfEntry2(PMIB_IF_ROW2 Row)
{
    if (!Row)
        return ERROR_INVALID_PARAMETER;
    // The LUID names the interface when it is set, else the index does.
    const std::uint32_t index = Row->InterfaceLuid.Value != 0 ? static_cast<std::uint32_t>(Row->InterfaceLuid.Info.NetLuidIndex)
                                                              : Row->InterfaceIndex;
    TLinkCounters counters;
    const TInterfaceInfo *info = ReadInterface(index, counters);
    if (!info)
        return ERROR_FILE_NOT_FOUND;
    const TLinkRecord &link = info->Link;
    MIB_IF_ROW2 &row = *Row;
    row = MIB_IF_ROW2{};
    row.InterfaceLuid = LuidOf(*info);
    row.InterfaceIndex = link.Index;
    CopyUtf16(link.Alias, row.Alias, IF_MAX_STRING_SIZE + 1);
    // The snapshot names an interface after this field; on Linux that name is the kernel's.
    CopyUtf16(link.Name, row.Description, IF_MAX_STRING_SIZE + 1);
    row.PhysicalAddressLength = static_cast<ULONG>(std::min(link.Address.size(), IF_MAX_PHYS_ADDRESS_LENGTH));
    std::copy_n(link.Address.begin(), row.PhysicalAddressLength, row.PhysicalAddress);
    std::copy_n(link.Address.begin(), row.PhysicalAddressLength, row.PermanentPhysicalAddress);
    row.Mtu = link.MTU;
    row.Type = info->Type;
    row.AccessType = info->Type == IF_TYPE_SOFTWARE_LOOPBACK ? NetIfAccessLoopback : NetIfAccessBroadcast;
    row.InterfaceAndOperStatusFlags.HardwareInterface = info->Hardware;
    row.InterfaceAndOperStatusFlags.ConnectorPresent = info->Hardware;
    row.InterfaceAndOperStatusFlags.NotMediaConnected = info->Status.MediaConnect != MediaConnectStateConnected;
    row.OperStatus = info->Status.ExtendedOper;
    row.AdminStatus = static_cast<NET_IF_ADMIN_STATUS>(info->Status.Admin);
    row.MediaConnectState = info->Status.MediaConnect;
    row.ConnectionType = NetIfConnectionDedicated;
    row.TransmitLinkSpeed = info->Speed;
    row.ReceiveLinkSpeed = info->Speed;
    row.InOctets = counters.InOctets;
    row.InUcastPkts = counters.InPackets - std::min(counters.InPackets, counters.InMulticast);
    row.InNUcastPkts = counters.InMulticast;
    row.InDiscards = counters.InDiscards;
    row.InErrors = counters.InErrors;
    row.InMulticastOctets = 0;
    row.OutOctets = counters.OutOctets;
    row.OutUcastPkts = counters.OutPackets;
    row.OutDiscards = counters.OutDiscards;
    row.OutErrors = counters.OutErrors;
    return NO_ERROR;
}

DWORD ConvertInterfaceIndexToLuid(NET_IFINDEX InterfaceIndex, PNET_LUID InterfaceLuid)
{
    if (!InterfaceLuid)
        return ERROR_INVALID_PARAMETER;
    const TInterfaceInfo *info = TLinuxNetState::Current().FindInterface(InterfaceIndex);
    if (!info)
        return ERROR_FILE_NOT_FOUND;
    *InterfaceLuid = LuidOf(*info);
    return NO_ERROR;
}

DWORD ConvertInterfaceLuidToAlias(const NET_LUID *InterfaceLuid, PWSTR InterfaceAlias, SIZE_T Length)
{
    if (!InterfaceLuid || !InterfaceAlias)
        return ERROR_INVALID_PARAMETER;
    const auto index = static_cast<std::uint32_t>(InterfaceLuid->Info.NetLuidIndex);
    const TInterfaceInfo *info = TLinuxNetState::Current().FindInterface(index);
    if (!info || LuidOf(*info).Value != InterfaceLuid->Value)
        return ERROR_FILE_NOT_FOUND;
    if (Length < Utf16Length(info->Link.Alias) + 1)
        return ERROR_NOT_ENOUGH_MEMORY;
    CopyUtf16(info->Link.Alias, InterfaceAlias, Length);
    return NO_ERROR;
}

} // namespace LinuxIpHlp

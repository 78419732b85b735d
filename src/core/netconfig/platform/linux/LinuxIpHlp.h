#pragma once

#include "IpHlpRecords.h"

// The IP Helper operations over rtnetlink, sysfs and procfs, as the module "iphlpapi.dll" exports them.
namespace LinuxIpHlp {

DWORD GetAdaptersInfo(PIP_ADAPTER_INFO AdapterInfo, PULONG SizePointer);
DWORD GetInterfaceInfo(PIP_INTERFACE_INFO IfTable, PULONG OutBufLen);
ULONG GetAdaptersAddresses(ULONG Family, ULONG Flags, PVOID Reserved, PIP_ADAPTER_ADDRESSES AdapterAddresses,
                           PULONG SizePointer);

DWORD GetIfEntry(PMIB_IFROW IfRow);
DWORD GetIfEntry2(PMIB_IF_ROW2 Row);
DWORD ConvertInterfaceIndexToLuid(NET_IFINDEX InterfaceIndex, PNET_LUID InterfaceLuid);
DWORD ConvertInterfaceLuidToAlias(const NET_LUID *InterfaceLuid, PWSTR InterfaceAlias, SIZE_T Length);

DWORD GetNetworkParams(PFIXED_INFO FixedInfo, PULONG OutBufLen);

DWORD GetIpAddrTable(PMIB_IPADDRTABLE IpAddrTable, PULONG Size, BOOL Order);
DWORD GetIpNetTable(PMIB_IPNETTABLE IpNetTable, PULONG Size, BOOL Order);
DWORD GetBestInterface(IPAddr DestAddr, PDWORD BestIfIndex);

} // namespace LinuxIpHlp

#pragma once

#include "IpHlpRecords.h"

// The IP Helper operations, bound at run time by name from the module "iphlpapi.dll". Each entry may
// be null; callers test the optional ones.

using TGetAdaptersInfo = DWORD(VX_WINAPI *)(PIP_ADAPTER_INFO AdapterInfo, PULONG SizePointer);
using TGetInterfaceInfo = DWORD(VX_WINAPI *)(PIP_INTERFACE_INFO IfTable, PULONG OutBufLen);
using TGetIfEntry = DWORD(VX_WINAPI *)(PMIB_IFROW IfRow);
using TGetIfEntry2 = DWORD(VX_WINAPI *)(PMIB_IF_ROW2 Row);
using TGetAdaptersAddresses = ULONG(VX_WINAPI *)(ULONG Family, ULONG Flags, PVOID Reserved,
                                                 PIP_ADAPTER_ADDRESSES AdapterAddresses, PULONG SizePointer);
using TConvertInterfaceIndexToLuid = DWORD(VX_WINAPI *)(NET_IFINDEX InterfaceIndex, PNET_LUID InterfaceLuid);
using TConvertInterfaceLuidToAlias = DWORD(VX_WINAPI *)(const NET_LUID *InterfaceLuid, PWSTR InterfaceAlias,
                                                        SIZE_T Length);
using TGetNetworkParams = DWORD(VX_WINAPI *)(PFIXED_INFO FixedInfo, PULONG OutBufLen);
using TGetIpAddrTable = DWORD(VX_WINAPI *)(PMIB_IPADDRTABLE IpAddrTable, PULONG Size, BOOL Order);
using TGetIpNetTable = DWORD(VX_WINAPI *)(PMIB_IPNETTABLE IpNetTable, PULONG Size, BOOL Order);
using TGetBestInterface = DWORD(VX_WINAPI *)(IPAddr DestAddr, PDWORD BestIfIndex);
using TNotifyAddrChange = DWORD(VX_WINAPI *)(PHANDLE Handle, LPOVERLAPPED Overlapped);
using TGetIfTable = DWORD(VX_WINAPI *)(PMIB_IFTABLE IfTable, PULONG Size, BOOL Order);
using TGetIfTable2 = DWORD(VX_WINAPI *)(PMIB_IF_TABLE2 *Table);
using TGetNumberOfInterfaces = DWORD(VX_WINAPI *)(PDWORD NumIf);
using TGetAdapterIndex = DWORD(VX_WINAPI *)(LPWSTR AdapterName, PULONG IfIndex);
using TSendARP = DWORD(VX_WINAPI *)(IPAddr DestIP, IPAddr SrcIP, PVOID MacAddr, PULONG PhyAddrLen);
using TGetIpInterfaceEntry = DWORD(VX_WINAPI *)(PMIB_IPINTERFACE_ROW Row);
using TAllocateAndGetTcpExTableFromStack = DWORD(VX_WINAPI *)(PVOID *TcpTable, BOOL Order, HANDLE Heap,
                                                              DWORD Flags, DWORD Family);
using TAllocateAndGetUdpExTableFromStack = DWORD(VX_WINAPI *)(PVOID *UdpTable, BOOL Order, HANDLE Heap,
                                                              DWORD Flags, DWORD Family);
using TGetExtendedTcpTable = DWORD(VX_WINAPI *)(PVOID TcpTable, PDWORD Size, BOOL Order, ULONG Af,
                                                TCP_TABLE_CLASS TableClass, ULONG Reserved);
using TGetExtendedUdpTable = DWORD(VX_WINAPI *)(PVOID UdpTable, PDWORD Size, BOOL Order, ULONG Af,
                                                UDP_TABLE_CLASS TableClass, ULONG Reserved);

struct TIpHlpAPI {
    TGetAdaptersInfo GetAdaptersInfo = nullptr;
    TGetInterfaceInfo GetInterfaceInfo = nullptr;
    TGetIfEntry GetIfEntry = nullptr;
    TGetIfEntry2 GetIfEntry2 = nullptr;
    TGetAdaptersAddresses GetAdaptersAddresses = nullptr;
    TConvertInterfaceIndexToLuid ConvertInterfaceIndexToLuid = nullptr;
    TConvertInterfaceLuidToAlias ConvertInterfaceLuidToAlias = nullptr;
    TGetNetworkParams GetNetworkParams = nullptr;
    TGetIpAddrTable GetIpAddrTable = nullptr;
    TGetIpNetTable GetIpNetTable = nullptr;
    TGetBestInterface GetBestInterface = nullptr;
    TNotifyAddrChange NotifyAddrChange = nullptr;
    TGetIfTable GetIfTable = nullptr;
    TGetIfTable2 GetIfTable2 = nullptr;
    TGetNumberOfInterfaces GetNumberOfInterfaces = nullptr;
    TGetAdapterIndex GetAdapterIndex = nullptr;
    TSendARP SendARP = nullptr;
    TGetIpInterfaceEntry GetIpInterfaceEntry = nullptr;
    TAllocateAndGetTcpExTableFromStack AllocateAndGetTcpExTableFromStack = nullptr;
    TAllocateAndGetUdpExTableFromStack AllocateAndGetUdpExTableFromStack = nullptr;
    TGetExtendedTcpTable GetExtendedTcpTable = nullptr;
    TGetExtendedUdpTable GetExtendedUdpTable = nullptr;
};

// The process-wide table. Filled on the GUI thread; the notifier's worker only reads it.
extern TIpHlpAPI IpHlpAPI;

// Takes "iphlpapi.dll" from the process, else loads it, and resolves the 22 entries (a missing name
// leaves its entry null; a missing module leaves every entry null). True when the module is present and
// GetAdaptersInfo resolved. Safe to run again: an entry is written only when its value changes, so a
// concurrent reader never races with a store of the same value.
bool InitIpHlpAPI();

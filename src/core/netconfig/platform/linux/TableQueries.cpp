#include "LinuxIpHlp.h"

#include "LinkMapping.h"
#include "RecordOutput.h"
#include "TAddressReader.h"
#include "TLinuxNetState.h"
#include "TNeighbourReader.h"
#include "TRouteReader.h"

#include <netinet/in.h>

#include <algorithm>
#include <cstddef>
#include <type_traits>
#include <vector>

namespace {

// Writes a table of `rows` (a count followed by the rows) the way both table queries answer: no rows
// is 232, a missing or small buffer 122 with the size it needs.
template <class TTable, class TRow, class TFill>
DWORD WriteTable(TTable *table, PULONG size, const std::vector<TRow> &rows, TFill fill)
{
    if (!size)
        return ERROR_INVALID_PARAMETER;
    if (rows.empty())
        return ERROR_NO_DATA;
    return WriteRecords(table, size, ERROR_INSUFFICIENT_BUFFER, [&](TRecordArena &arena) {
        *arena.New<DWORD>() = static_cast<DWORD>(rows.size());
        using TEntry = std::remove_reference_t<decltype(table->table[0])>;
        TEntry *entries = arena.New<TEntry>(rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i)
            fill(rows[i], entries[i]);
    });
}

template <class TRow>
void SortByAddress(std::vector<TRow> &rows)
{
    std::stable_sort(rows.begin(), rows.end(),
                     [](const TRow &a, const TRow &b) { return ntohl(a.Address) < ntohl(b.Address); });
}

} // namespace

namespace LinuxIpHlp {

DWORD GetIpAddrTable(PMIB_IPADDRTABLE IpAddrTable, PULONG Size, BOOL Order)
{
    if (!Size)
        return ERROR_INVALID_PARAMETER;
    TLinuxNetState &state = TLinuxNetState::Current();
    auto addresses = ReadIPv4Addresses(state.Socket());
    if (!addresses)
        return ERROR_GEN_FAILURE;
    if (Order)
        SortByAddress(*addresses);
    return WriteTable(IpAddrTable, Size, *addresses, [&](const TIPv4AddressRecord &address, MIB_IPADDRROW &row) {
        row.dwAddr = address.Address;
        row.dwIndex = address.Index;
        row.dwMask = PrefixToMask(address.PrefixLength);
        row.dwBCastAddr = address.Broadcast;
        row.dwReasmSize = 65535;
        const TInterfaceInfo *info = state.FindInterface(address.Index);
        const bool connected = info && info->Status.Oper == MIB_IF_OPER_STATUS_OPERATIONAL;
        row.wType = static_cast<USHORT>((address.Secondary ? 0 : MIB_IPADDR_PRIMARY) |
                                        (address.Dynamic ? MIB_IPADDR_DYNAMIC : 0) |
                                        (connected ? 0 : MIB_IPADDR_DISCONNECTED));
    });
}

DWORD GetIpNetTable(PMIB_IPNETTABLE IpNetTable, PULONG Size, BOOL Order)
{
    if (!Size)
        return ERROR_INVALID_PARAMETER;
    auto neighbours = ReadNeighbours(TLinuxNetState::Current().Socket());
    if (!neighbours)
        return ERROR_GEN_FAILURE;
    if (Order)
        SortByAddress(*neighbours);
    return WriteTable(IpNetTable, Size, *neighbours, [](const TNeighbourRecord &neighbour, MIB_IPNETROW &row) {
        row.dwIndex = neighbour.Index;
        row.dwPhysAddrLen = static_cast<DWORD>(std::min(neighbour.Physical.size(), MAXLEN_PHYSADDR));
        std::copy_n(neighbour.Physical.begin(), row.dwPhysAddrLen, row.bPhysAddr);
        row.dwAddr = neighbour.Address;
        row.dwType = NeighbourType(neighbour.State);
    });
}

DWORD GetBestInterface(IPAddr DestAddr, PDWORD BestIfIndex)
{
    if (!BestIfIndex)
        return ERROR_INVALID_PARAMETER;
    const auto index = LookUpRouteInterface(TLinuxNetState::Current().Socket(), DestAddr);
    if (!index)
        return ERROR_NETWORK_UNREACHABLE;
    *BestIfIndex = *index;
    return NO_ERROR;
}

} // namespace LinuxIpHlp

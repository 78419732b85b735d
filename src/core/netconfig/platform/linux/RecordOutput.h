#pragma once

#include "IpHlpRecords.h"
#include "TRecordArena.h"

#include <cstdint>
#include <limits>
#include <vector>

// Runs `layout(arena)` once to measure and, when the caller's buffer is large enough, once more into
// it. A missing or small buffer gets `tooSmall` with the required size in *size; a buffer not aligned
// for the records gets ERROR_INVALID_PARAMETER.
template <class TLayout>
DWORD WriteRecords(void *buffer, PULONG size, DWORD tooSmall, TLayout layout)
{
    if (!size)
        return ERROR_INVALID_PARAMETER;
    TRecordArena measure;
    layout(measure);
    if (measure.Used() > std::numeric_limits<ULONG>::max())
        return ERROR_NOT_ENOUGH_MEMORY;
    const auto required = static_cast<ULONG>(measure.Used());
    if (!buffer || *size < required) {
        *size = required;
        return tooSmall;
    }
    if (reinterpret_cast<std::uintptr_t>(buffer) % alignof(ULONG64) != 0)
        return ERROR_INVALID_PARAMETER;
    TRecordArena arena(buffer);
    layout(arena);
    return NO_ERROR;
}

// Fills a chain whose first node is embedded in its record; further nodes come from the arena.
template <class TItem, class TFill>
void FillChain(TRecordArena &arena, IP_ADDR_STRING &first, const std::vector<TItem> &items, TFill fill)
{
    IP_ADDR_STRING *node = &first;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            IP_ADDR_STRING *next = arena.New<IP_ADDR_STRING>();
            node->Next = next;
            node = next;
        }
        fill(items[i], *node);
    }
}

// Dotted text of a network-order IPv4 address into a 16-character field.
void WriteIPv4Text(std::uint32_t address, char (&text)[16]);

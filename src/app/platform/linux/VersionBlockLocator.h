#pragma once

#include <cstdint>
#include <optional>

class TFileBytes;

// Where a file keeps its version block.
struct TVersionBlockPlace {
    std::uint64_t Offset = 0;
    std::uint32_t Size = 0;
};

// The version resource of a PE file (PE32 or PE32+), or the section ".vs_version_info" of an
// ELF file. Nothing for any other file, for a file without a block, or for headers that point
// outside the file.
std::optional<TVersionBlockPlace> LocateVersionBlock(const TFileBytes &file);

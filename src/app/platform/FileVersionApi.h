#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The version-resource operations that the version reader needs, in the shape of the Windows
// API (GetFileVersionInfoSizeW, GetFileVersionInfoW, VerQueryValueW). The query takes the
// block's size as well, so that no length inside the block is ever trusted.

// Bytes of the file's version block; 0 when the file has none or cannot be read.
std::uint32_t GetFileVersionInfoSize(const std::string &fileName);

// Copies the version block into data (at most data.size() bytes); false on any failure.
bool GetFileVersionInfo(const std::string &fileName, std::span<std::uint8_t> data);

// A value of the block by path; text values are UTF-16 code units (little-endian) with their
// length in characters, binary values their bytes.
struct TVersionValue {
    std::span<const std::uint8_t> Bytes;
    std::uint32_t Length = 0;
    bool IsText = false;
};
std::optional<TVersionValue> VerQueryValue(std::span<const std::uint8_t> block, std::string_view subBlock);

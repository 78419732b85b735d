#pragma once

#include <cstdint>
#include <span>
#include <vector>

// A minimal little-endian ELF file (64- or 32-bit) whose sections are a null section, one
// section holding payload under the given name, and the section-name table. For feeding the
// version reader ELF files small enough to cut at every offset.
std::vector<std::uint8_t> MakeElfImage(bool is64, const char *sectionName, std::span<const std::uint8_t> payload);

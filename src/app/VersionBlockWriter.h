#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// What a version block states: the fixed information, one string table and its translation.
struct TVersionBlockContent {
    std::array<std::uint16_t, 4> FileVersion{};
    std::array<std::uint16_t, 4> ProductVersion{};
    std::uint32_t FlagsMask = 0x3F;
    std::uint32_t Flags = 0;
    std::uint32_t FileOS = 0x40004;
    std::uint32_t FileType = 1;
    std::uint16_t Language = 0x0804;
    std::uint16_t CodePage = 936;
    // Entry name and UTF-8 text, in the order they are written.
    std::vector<std::pair<std::string, std::string>> Strings;
};

// The block in the binary form that resource compilers emit.
std::vector<std::uint8_t> WriteVersionBlock(const TVersionBlockContent &content);

// "2.3.0.0" to its four parts; false unless it is four numbers of 0 to 65535.
bool ParseVersionNumbers(const std::string &text, std::array<std::uint16_t, 4> &parts);

#include "ElfImage.h"

#include <cstring>
#include <string>

namespace {

void Put(std::vector<std::uint8_t> &out, std::size_t at, std::uint64_t value, std::size_t bytes)
{
    for (std::size_t i = 0; i < bytes; ++i) {
        out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

} // namespace

std::vector<std::uint8_t> MakeElfImage(bool is64, const char *sectionName, std::span<const std::uint8_t> payload)
{
    const std::size_t headerSize = is64 ? 64 : 52;
    const std::size_t entrySize = is64 ? 64 : 40;
    const std::string names = std::string(1, '\0') + sectionName + '\0' + ".shstrtab" + '\0';
    const std::size_t payloadAt = headerSize;
    const std::size_t namesAt = payloadAt + payload.size();
    const std::size_t tableAt = (namesAt + names.size() + 7) & ~std::size_t{7};
    // Magic, class, little-endian data, version 1; the rest starts as zeros.
    const std::uint8_t ident[] = {0x7F, 'E', 'L', 'F', static_cast<std::uint8_t>(is64 ? 2 : 1), 1, 1};
    std::vector<std::uint8_t> out(tableAt + 3 * entrySize, 0);
    // Never true; it tells GCC 12's optimiser that the buffer is there (else -Wnull-dereference at -O3).
    if (out.size() < sizeof ident)
        return out;
    std::memcpy(out.data(), ident, sizeof ident);
    Put(out, 16, 1, 2); // relocatable: no program headers needed
    Put(out, 18, is64 ? 62 : 3, 2);
    Put(out, 20, 1, 4);
    if (is64) {
        Put(out, 0x28, tableAt, 8);
        Put(out, 0x34, headerSize, 2);
        Put(out, 0x3A, entrySize, 2);
        Put(out, 0x3C, 3, 2);
        Put(out, 0x3E, 2, 2);
    } else {
        Put(out, 0x20, tableAt, 4);
        Put(out, 0x28, headerSize, 2);
        Put(out, 0x2E, entrySize, 2);
        Put(out, 0x30, 3, 2);
        Put(out, 0x32, 2, 2);
    }
    std::memcpy(out.data() + payloadAt, payload.data(), payload.size());
    std::memcpy(out.data() + namesAt, names.data(), names.size());

    const auto section = [&](std::size_t index, std::uint32_t name, std::uint32_t type, std::size_t offset,
                             std::size_t size) {
        const std::size_t at = tableAt + index * entrySize;
        Put(out, at, name, 4);
        Put(out, at + 4, type, 4);
        if (is64) {
            Put(out, at + 24, offset, 8);
            Put(out, at + 32, size, 8);
        } else {
            Put(out, at + 16, offset, 4);
            Put(out, at + 20, size, 4);
        }
    };
    section(1, 1, 1, payloadAt, payload.size());                                  // PROGBITS
    section(2, static_cast<std::uint32_t>(std::strlen(sectionName) + 2), 3, namesAt, names.size()); // STRTAB
    return out;
}

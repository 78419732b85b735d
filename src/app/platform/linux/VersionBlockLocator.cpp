#include "VersionBlockLocator.h"

#include "TFileBytes.h"

#include <array>
#include <cstring>
#include <string_view>

namespace {

// A block's outer length is a 16-bit field; a place much larger than that is a corrupt header.
constexpr std::uint32_t MaxBlockSize = 1u << 20;

bool FitsInFile(const TFileBytes &file, std::uint64_t offset, std::uint64_t size)
{
    return offset <= file.Size() && size <= file.Size() - offset;
}

std::optional<TVersionBlockPlace> PlaceIfValid(const TFileBytes &file, std::uint64_t offset, std::uint64_t size)
{
    if (size == 0 || size > MaxBlockSize || !FitsInFile(file, offset, size)) {
        return std::nullopt;
    }
    return TVersionBlockPlace{offset, static_cast<std::uint32_t>(size)};
}

// ---- PE ----

constexpr std::uint32_t ResourceTypeVersion = 16;
constexpr std::uint32_t VersionResourceId = 1;
constexpr std::uint32_t HighBit = 0x80000000u;

struct TPeSections {
    std::uint64_t Table = 0;
    std::uint16_t Count = 0;
};

// File offset of an RVA through the section that holds it in its raw data.
std::optional<std::uint64_t> RvaToOffset(const TFileBytes &file, const TPeSections &sections, std::uint32_t rva)
{
    for (std::uint16_t i = 0; i < sections.Count; ++i) {
        const std::uint64_t header = sections.Table + std::uint64_t{i} * 40;
        std::uint32_t virtualSize = 0, virtualAddress = 0, rawSize = 0, rawPointer = 0;
        if (!file.ReadLE(header + 8, virtualSize) || !file.ReadLE(header + 12, virtualAddress) ||
            !file.ReadLE(header + 16, rawSize) || !file.ReadLE(header + 20, rawPointer)) {
            return std::nullopt;
        }
        const std::uint32_t extent = virtualSize != 0 ? virtualSize : rawSize;
        if (rva >= virtualAddress && rva - virtualAddress < extent && rva - virtualAddress < rawSize) {
            return std::uint64_t{rawPointer} + (rva - virtualAddress);
        }
    }
    return std::nullopt;
}

// The offset field of the directory entry with the given ID, relative to the resource root;
// without an ID, the first entry, named or not.
std::optional<std::uint32_t> FindResourceEntry(const TFileBytes &file, std::uint64_t root, std::uint32_t directory,
                                               std::optional<std::uint32_t> id)
{
    const std::uint64_t header = root + directory;
    std::uint16_t named = 0, ids = 0;
    if (!file.ReadLE(header + 12, named) || !file.ReadLE(header + 14, ids)) {
        return std::nullopt;
    }
    const std::uint32_t total = std::uint32_t{named} + ids;
    for (std::uint32_t i = 0; i < total; ++i) {
        const std::uint64_t entry = header + 16 + std::uint64_t{i} * 8;
        std::uint32_t name = 0, offset = 0;
        if (!file.ReadLE(entry, name) || !file.ReadLE(entry + 4, offset)) {
            return std::nullopt;
        }
        if (!id || ((name & HighBit) == 0 && name == *id)) {
            return offset;
        }
    }
    return std::nullopt;
}

std::optional<TVersionBlockPlace> LocateInPe(const TFileBytes &file)
{
    std::uint32_t peOffset = 0, signature = 0;
    std::uint16_t sectionCount = 0, optionalSize = 0, magic = 0;
    if (!file.ReadLE(0x3C, peOffset) || !file.ReadLE(peOffset, signature) || signature != 0x00004550u ||
        !file.ReadLE(std::uint64_t{peOffset} + 6, sectionCount) ||
        !file.ReadLE(std::uint64_t{peOffset} + 20, optionalSize)) {
        return std::nullopt;
    }
    const std::uint64_t optional = std::uint64_t{peOffset} + 24;
    if (!file.ReadLE(optional, magic)) {
        return std::nullopt;
    }
    std::uint32_t directoriesAt = 0;
    if (magic == 0x10B) {
        directoriesAt = 96;
    } else if (magic == 0x20B) {
        directoriesAt = 112;
    } else {
        return std::nullopt;
    }
    std::uint32_t directoryCount = 0, resourceRva = 0;
    const std::uint32_t resourceEntry = directoriesAt + 2 * 8;
    if (resourceEntry + 8 > optionalSize || !file.ReadLE(optional + directoriesAt - 4, directoryCount) ||
        directoryCount < 3 || !file.ReadLE(optional + resourceEntry, resourceRva) || resourceRva == 0) {
        return std::nullopt;
    }
    const TPeSections sections{optional + optionalSize, sectionCount};
    const auto root = RvaToOffset(file, sections, resourceRva);
    if (!root) {
        return std::nullopt;
    }
    // Type, then name, then language: the first two levels must be subdirectories, the last a data entry.
    const auto type = FindResourceEntry(file, *root, 0, ResourceTypeVersion);
    if (!type || (*type & HighBit) == 0) {
        return std::nullopt;
    }
    const auto name = FindResourceEntry(file, *root, *type & ~HighBit, VersionResourceId);
    if (!name || (*name & HighBit) == 0) {
        return std::nullopt;
    }
    const auto language = FindResourceEntry(file, *root, *name & ~HighBit, std::nullopt);
    if (!language || (*language & HighBit) != 0) {
        return std::nullopt;
    }
    std::uint32_t dataRva = 0, dataSize = 0;
    if (!file.ReadLE(*root + *language, dataRva) || !file.ReadLE(*root + *language + 4, dataSize)) {
        return std::nullopt;
    }
    const auto data = RvaToOffset(file, sections, dataRva);
    if (!data) {
        return std::nullopt;
    }
    return PlaceIfValid(file, *data, dataSize);
}

// ---- ELF ----

constexpr std::string_view VersionSectionName = ".vs_version_info";
constexpr std::uint32_t SectionNoBits = 8;

struct TElfLayout {
    bool Is64 = false;
    std::uint64_t SectionTable = 0;
    std::uint16_t EntrySize = 0;
    std::uint64_t SectionCount = 0;
    std::uint32_t NamesIndex = 0;
};

struct TElfSection {
    std::uint32_t Name = 0;
    std::uint32_t Type = 0;
    std::uint64_t Offset = 0;
    std::uint64_t Size = 0;
    std::uint32_t Link = 0;
};

std::optional<TElfSection> ReadSection(const TFileBytes &file, const TElfLayout &elf, std::uint64_t index)
{
    const std::uint64_t at = elf.SectionTable + index * elf.EntrySize;
    TElfSection section;
    bool ok = file.ReadLE(at, section.Name) && file.ReadLE(at + 4, section.Type);
    if (elf.Is64) {
        ok = ok && file.ReadLE(at + 24, section.Offset) && file.ReadLE(at + 32, section.Size) &&
             file.ReadLE(at + 40, section.Link);
    } else {
        std::uint32_t offset = 0, size = 0;
        ok = ok && file.ReadLE(at + 16, offset) && file.ReadLE(at + 20, size) && file.ReadLE(at + 24, section.Link);
        section.Offset = offset;
        section.Size = size;
    }
    return ok ? std::optional<TElfSection>(section) : std::nullopt;
}

bool NameIs(const TFileBytes &file, const TElfSection &names, std::uint32_t name, std::string_view wanted)
{
    // The name and its NUL must lie inside the names section.
    if (name >= names.Size || names.Size - name < wanted.size() + 1) {
        return false;
    }
    std::array<char, VersionSectionName.size() + 1> text{};
    if (wanted.size() + 1 > text.size() || !file.Read(names.Offset + name, text.data(), wanted.size() + 1)) {
        return false;
    }
    return std::string_view(text.data(), wanted.size()) == wanted && text[wanted.size()] == '\0';
}

std::optional<TVersionBlockPlace> LocateInElf(const TFileBytes &file)
{
    unsigned char ident[6] = {};
    if (!file.Read(0, ident, sizeof ident) || ident[5] != 1) { // little-endian files only
        return std::nullopt;
    }
    TElfLayout elf;
    elf.Is64 = ident[4] == 2;
    if (ident[4] != 1 && ident[4] != 2) {
        return std::nullopt;
    }
    std::uint16_t count = 0, namesIndex = 0;
    bool ok = false;
    if (elf.Is64) {
        ok = file.ReadLE(0x28, elf.SectionTable) && file.ReadLE(0x3A, elf.EntrySize) && file.ReadLE(0x3C, count) &&
             file.ReadLE(0x3E, namesIndex) && elf.EntrySize >= 64;
    } else {
        std::uint32_t table = 0;
        ok = file.ReadLE(0x20, table) && file.ReadLE(0x2E, elf.EntrySize) && file.ReadLE(0x30, count) &&
             file.ReadLE(0x32, namesIndex) && elf.EntrySize >= 40;
        elf.SectionTable = table;
    }
    if (!ok || elf.SectionTable == 0) {
        return std::nullopt;
    }
    elf.SectionCount = count;
    elf.NamesIndex = namesIndex;
    // Extended numbering: the real counts live in section 0.
    if (count == 0 || namesIndex == 0xFFFF) {
        const auto first = ReadSection(file, elf, 0);
        if (!first) {
            return std::nullopt;
        }
        if (count == 0) {
            elf.SectionCount = first->Size;
        }
        if (namesIndex == 0xFFFF) {
            elf.NamesIndex = first->Link;
        }
    }
    if (elf.NamesIndex >= elf.SectionCount || elf.SectionCount > file.Size() / elf.EntrySize ||
        !FitsInFile(file, elf.SectionTable, elf.SectionCount * elf.EntrySize)) {
        return std::nullopt;
    }
    const auto names = ReadSection(file, elf, elf.NamesIndex);
    if (!names || names->Type == SectionNoBits || !FitsInFile(file, names->Offset, names->Size)) {
        return std::nullopt;
    }
    for (std::uint64_t i = 1; i < elf.SectionCount; ++i) {
        const auto section = ReadSection(file, elf, i);
        if (!section) {
            return std::nullopt;
        }
        if (section->Type != SectionNoBits && NameIs(file, *names, section->Name, VersionSectionName)) {
            return PlaceIfValid(file, section->Offset, section->Size);
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<TVersionBlockPlace> LocateVersionBlock(const TFileBytes &file)
{
    unsigned char magic[4] = {};
    if (!file.Read(0, magic, sizeof magic)) {
        return std::nullopt;
    }
    if (magic[0] == 'M' && magic[1] == 'Z') {
        return LocateInPe(file);
    }
    if (std::memcmp(magic, "\x7F" "ELF", 4) == 0) {
        return LocateInElf(file);
    }
    return std::nullopt;
}

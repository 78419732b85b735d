#include "FileVersionApi.h"

#include "TFileBytes.h"
#include "VersionBlockLocator.h"
#include "VersionBlockQuery.h"

#include <algorithm>

std::uint32_t GetFileVersionInfoSize(const std::string &fileName)
{
    const TOpenFileBytes file(fileName);
    const auto place = LocateVersionBlock(file);
    return place ? place->Size : 0;
}

bool GetFileVersionInfo(const std::string &fileName, std::span<std::uint8_t> data)
{
    const TOpenFileBytes file(fileName);
    const auto place = LocateVersionBlock(file);
    if (!place) {
        return false;
    }
    const std::size_t n = std::min<std::size_t>(data.size(), place->Size);
    return file.Read(place->Offset, data.data(), n);
}

std::optional<TVersionValue> VerQueryValue(std::span<const std::uint8_t> block, std::string_view subBlock)
{
    return QueryVersionBlock(block, subBlock);
}

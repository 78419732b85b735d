#include "Quarl_IPTypes.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

// Any text either parses or raises EIPv4Error; a parsed address prints and parses back to itself.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    try {
        const std::uint32_t address = StrToIPv4(text);
        if (StrToIPv4(IPv4ToStr(address)) != address)
            std::abort();
    } catch (const EIPv4Error &) {
    }
    return 0;
}

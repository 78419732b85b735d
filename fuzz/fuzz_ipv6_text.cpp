#include "Quarl_IPTypes.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

// Any text either parses or raises EIPv6Error; a parsed address comes back from each of its three text forms.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    try {
        const TIPv6 address = StrToIPv6(text);
        if (StrToIPv6(IPv6ToStr(address)) != address || StrToIPv6(IPv6ToStrCompressed(address)) != address ||
            StrToIPv6(IPv6ToStrOutwritten(address)) != address)
            std::abort();
    } catch (const EIPv6Error &) {
    }
    return 0;
}

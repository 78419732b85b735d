#pragma once

#include "TQueryBuffer.h"

#include <cstdint>

// The three ways the snapshot sizes the caller buffer of a platform query. Each takes the query as a callable
// (buffer, in/out size) -> result code and returns the code of the last call. A platform that keeps answering
// "too small" is given a bounded number of tries, then the last code stands as the failure it is.
namespace QueryProtocols {

constexpr std::uint32_t NoError = 0;
constexpr std::uint32_t BufferOverflow = 111;
constexpr std::uint32_t InsufficientBuffer = 122;
constexpr std::uint32_t NoData = 232;
constexpr int MaxTries = 16;

// Starts with base bytes; while the call answers tooSmall, grows to the reported size plus base.
template <class TCall>
std::uint32_t GrowByBase(TQueryBuffer &buffer, std::uint32_t base, std::uint32_t tooSmall, TCall call)
{
    std::uint64_t bytes = base;
    std::uint32_t result = tooSmall;
    for (int tries = 0; tries < MaxTries && result == tooSmall; ++tries) {
        buffer.Resize(static_cast<std::size_t>(bytes));
        auto size = static_cast<std::uint32_t>(bytes);
        result = call(buffer.Data(), &size);
        bytes = std::uint64_t{size} + base;
        if (bytes > UINT32_MAX)
            break;
    }
    return result;
}

// Starts with first bytes; while the call answers 111, takes exactly the size it reported.
template <class TCall>
std::uint32_t ReportedSize(TQueryBuffer &buffer, std::uint32_t first, TCall call)
{
    std::uint32_t bytes = first;
    std::uint32_t result = BufferOverflow;
    for (int tries = 0; tries < MaxTries && result == BufferOverflow; ++tries) {
        buffer.Resize(bytes);
        std::uint32_t size = bytes;
        result = call(buffer.Data(), &size);
        bytes = size;
    }
    return result;
}

// Asks for the size with no buffer, then reads into a buffer of that size. 232 from the size question means
// the table is empty and is returned as it is, without a second call.
template <class TCall>
std::uint32_t SizeQuery(TQueryBuffer &buffer, TCall call)
{
    std::uint32_t size = 0;
    const std::uint32_t asked = call(nullptr, &size);
    if (asked == NoData)
        return NoData;
    buffer.Resize(size);
    std::uint32_t room = size;
    return call(buffer.Data(), &room);
}

} // namespace QueryProtocols

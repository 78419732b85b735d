#pragma once

#include <cstdint>

// a * b / c in 64-bit, rounded to the nearest integer with halves away from zero.
// A zero divisor gives -1, as the platform routine this stands in for does.
inline constexpr int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    std::int64_t product = static_cast<std::int64_t>(a) * b;
    std::int64_t divisor = c;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    const std::int64_t half = divisor / 2;
    const std::int64_t result = product < 0 ? (product - half) / divisor : (product + half) / divisor;
    return static_cast<int>(result);
}

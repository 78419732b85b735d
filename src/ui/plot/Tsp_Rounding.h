#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// Integer conversions of the scale arithmetic. Out-of-range doubles and NaN never reach a
// plain cast (undefined behaviour); they saturate instead.
namespace Tsp_Rounding {

// Nearest integer, exact halves to the even neighbour, independent of the FPU rounding mode.
inline double RoundHalfEven(double v)
{
    const double lower = std::floor(v);
    const double diff = v - lower;
    if (diff < 0.5) {
        return lower;
    }
    if (diff > 0.5) {
        return lower + 1.0;
    }
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

inline std::int32_t SaturateToInt32(double v)
{
    if (std::isnan(v)) {
        return 0;
    }
    if (v >= 2147483647.0) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (v <= -2147483648.0) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(v);
}

inline std::int32_t RoundToInt32(double v)
{
    return SaturateToInt32(RoundHalfEven(v));
}

// Fractional part with the sign of v.
inline double Frac(double v)
{
    return v - std::trunc(v);
}

} // namespace Tsp_Rounding

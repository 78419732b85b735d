#pragma once

#include <cstdint>

// A panel's sampling interval for a stored "Period" (0 fast, 1 normal, 2 slow); 0 for a value out of range,
// which leaves a panel's interval as it is.
constexpr int PeriodMilliseconds(std::int64_t period)
{
    switch (period) {
    case 0:
        return 500;
    case 1:
        return 1000;
    case 2:
        return 2000;
    default:
        return 0;
    }
}

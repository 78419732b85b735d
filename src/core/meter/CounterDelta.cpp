#include "CounterDelta.h"

std::uint64_t CounterIncrease(std::uint64_t previous, std::uint64_t current, TCounterWidth width)
{
    if (width == TCounterWidth::Bits32) {
        return static_cast<std::uint32_t>(static_cast<std::uint32_t>(current) - static_cast<std::uint32_t>(previous));
    }
    return current >= previous ? current - previous : 0;
}

double ElapsedSeconds(std::uint32_t previousTick, std::uint32_t tick)
{
    const std::uint32_t milliseconds = tick - previousTick;
    return milliseconds == 0 ? 1.0 : static_cast<double>(milliseconds) / 1000.0;
}

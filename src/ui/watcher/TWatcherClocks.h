#pragma once

#include <cstdint>
#include <functional>

// What a watcher panel reads the time from. Tests replace them to wrap the tick count and step the
// date-time without waiting.
struct TWatcherClocks {
    // Milliseconds of the monotonic clock as a 32-bit value, so it wraps every 49.7 days.
    std::function<std::uint32_t()> TickCount;
    // The current local date-time as a serial number of days.
    std::function<double()> Now;

    static TWatcherClocks System();
};

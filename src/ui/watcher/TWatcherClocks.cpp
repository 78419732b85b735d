#include "TWatcherClocks.h"

#include "DateTimeSerial.h"

#include <chrono>

TWatcherClocks TWatcherClocks::System()
{
    return {
        [] {
            const auto elapsed = std::chrono::steady_clock::now().time_since_epoch();
            return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
        },
        [] { return ToDateTimeSerial(QDateTime::currentDateTime()); },
    };
}

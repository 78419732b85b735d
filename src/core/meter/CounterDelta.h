#pragma once

#include <cstdint>

// How many bits an interface's octet counters carry: the 64-bit row where the binding has it, the
// 32-bit row otherwise.
enum class TCounterWidth : std::uint8_t { Bits32, Bits64 };

// The bytes an octet counter grew by between two reads. A 32-bit counter passes 2^32 every few
// seconds at 10 Gbit/s, so its increase is taken modulo 2^32. A 64-bit counter does not wrap in a
// machine's lifetime: one that went backwards was reset (a driver reset, an interface re-created
// under the same index), and the increase is 0 instead of a modulo difference of exabytes.
std::uint64_t CounterIncrease(std::uint64_t previous, std::uint64_t current, TCounterWidth width);

// Seconds between two reads of the 32-bit millisecond tick count. The difference is taken modulo
// 2^32, so a wrap of the tick count between the reads still gives the true interval; no time at all
// (two reads within the same millisecond) counts as one second.
double ElapsedSeconds(std::uint32_t previousTick, std::uint32_t tick);

#pragma once

#include "MeterFormatSettings.h"

#include <cstdint>
#include <string>

// Units index: 0 transfer (bytes, steps of 1024), 1 speed (bits, steps of 1000).
inline constexpr int MeterUnitsTransfer = 0;
inline constexpr int MeterUnitsSpeed = 1;

// A byte count or byte rate in steps of 1024: "1.50 KB".
std::string FormatTransfer(double bytes, const TMeterFormatSettings &settings = TMeterFormatSettings::System());

// A byte rate shown as bits in steps of 1000: "12.29 Kbps".
std::string FormatSpeed(double bytes, const TMeterFormatSettings &settings = TMeterFormatSettings::System());

// Writes the value's text for the units index into text; any other units index leaves text
// as it was. Reuses text's storage, so a steady caller allocates nothing.
void FormatMeterValue(int units, double value, std::string &text,
                      const TMeterFormatSettings &settings = TMeterFormatSettings::System());

// A value already in plot units as the graph's hint shows it: "%1.2f KB" for units 0, "%1.2f kbps"
// for units 1 (no scaling, lower-case k), empty for any other units index.
std::string FormatPlotValue(int units, double value,
                            const TMeterFormatSettings &settings = TMeterFormatSettings::System());

// An adapter's maximum speed in whole Mbit/s, truncated: "1000 Mbps".
std::string FormatMaxSpeed(std::uint64_t bitsPerSecond);

// An MTU with thousands separators: "1,500 B".
std::string FormatMtu(std::uint64_t bytes, const TMeterFormatSettings &settings = TMeterFormatSettings::System());

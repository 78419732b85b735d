#pragma once

#include "Tsp_FormatSettings.h"

#include <string>
#include <string_view>

// Formats a number by a picture such as "###0.##": '0' is a digit always written, '#' one
// written only when significant; after the point, '#' digits drop trailing zeros. There is no
// grouping. Text before the first and after the last placeholder is copied as it stands.
// The value is rounded half away from zero on its shortest decimal form, so 0.125 gives 0.13.
std::string FormatNumberPicture(std::string_view picture, double value, const Tsp_FormatSettings &settings);

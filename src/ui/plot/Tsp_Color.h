#pragma once

#include <cstdint>

class QColor;

// A toolkit colour: 0x00BBGGRR for plain colours; a high byte of 0xFF marks a system colour
// whose low byte is the system colour index.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clGray = 0x808080;

constexpr TColor RGBColor(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return TColor{r} | (TColor{g} << 8) | (TColor{b} << 16);
}

// Plain colours map to their RGB value; system colours to the application palette.
QColor ColorToQColor(TColor color);

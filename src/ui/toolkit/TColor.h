#pragma once

#include <QColor>

#include <cstdint>

// A colour as the panels store it: 0x00BBGGRR for plain colours. Values with the
// top byte 0xFF name a system colour (low byte: the system colour index) and are
// resolved against the application palette before use.
using TColor = std::uint32_t;

// Marker meaning "leave this colour unchanged" where a setter accepts it.
inline constexpr TColor clDefaultMarker = 0x1FFFFFFF;
inline constexpr TColor clSystemColorFlag = 0xFF000000;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clWindowText = clSystemColorFlag | 8;
inline constexpr TColor clWindow = clSystemColorFlag | 5;
inline constexpr TColor clBtnFace = clSystemColorFlag | 15;
inline constexpr TColor clBtnShadow = clSystemColorFlag | 16;
inline constexpr TColor clBtnText = clSystemColorFlag | 18;
inline constexpr TColor clGrayText = clSystemColorFlag | 17;
inline constexpr TColor clHighlight = clSystemColorFlag | 13;
inline constexpr TColor clHighlightText = clSystemColorFlag | 14;
inline constexpr TColor clBtnHighlight = clSystemColorFlag | 20;

inline constexpr TColor RGBColor(int r, int g, int b)
{
    return static_cast<TColor>(r & 0xFF) | static_cast<TColor>(g & 0xFF) << 8 |
           static_cast<TColor>(b & 0xFF) << 16;
}
inline constexpr int GetRValue(TColor c) { return static_cast<int>(c & 0xFF); }
inline constexpr int GetGValue(TColor c) { return static_cast<int>((c >> 8) & 0xFF); }
inline constexpr int GetBValue(TColor c) { return static_cast<int>((c >> 16) & 0xFF); }

// Plain colours pass through with their top byte cleared; system colours take
// the application palette's matching role; unknown system indexes give black.
TColor ColorToRGB(TColor color);

QColor ToQColor(TColor color);
TColor FromQColor(const QColor &color);

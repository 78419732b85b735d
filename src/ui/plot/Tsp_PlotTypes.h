#pragma once

#include <cstdint>

// A rectangle in the platform's convention: Right and Bottom are the first column and row past it.
struct Tsp_Rect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    std::int32_t Width() const { return Right - Left; }
    std::int32_t Height() const { return Bottom - Top; }
    bool Contains(std::int32_t x, std::int32_t y) const
    {
        return Left <= x && x < Right && Top <= y && y < Bottom;
    }
};

enum class Tsp_BorderStyle : std::uint8_t {
    bs_None, bs_Raised, bs_Lowered, bs_Gutter, bs_BlackRect, bs_BoldRect, bs_FocusRect
};

enum class Tsp_zpDirections : std::uint8_t { zpdNone, zpdHorizontal, zpdVertical, zpdBoth };

enum class Tsp_WhatXAxis : std::uint8_t { dsxBottom, dsxTop };
enum class Tsp_WhatYAxis : std::uint8_t { dsyLeft, dsyRight };
enum class Tsp_WhenDrawMarker : std::uint8_t { dmBeforeSeries, dmAfterSeries };

// A set of keyboard keys that, with the left button, starts a zoom or a pan.
namespace Tsp_ShiftKeys {
constexpr std::uint8_t ssShift = 0x1;
constexpr std::uint8_t ssAlt = 0x2;
constexpr std::uint8_t ssCtrl = 0x4;
} // namespace Tsp_ShiftKeys

inline bool HorizontalOf(Tsp_zpDirections d)
{
    return d == Tsp_zpDirections::zpdHorizontal || d == Tsp_zpDirections::zpdBoth;
}

inline bool VerticalOf(Tsp_zpDirections d)
{
    return d == Tsp_zpDirections::zpdVertical || d == Tsp_zpDirections::zpdBoth;
}

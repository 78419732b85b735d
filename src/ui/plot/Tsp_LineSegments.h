#pragma once

#include <cstdint>

class QPainter;
class Tsp_Axis;
class Tsp_XYDataSeries;

// The points of a series that can reach the plot field: the segments from point i − 1 to point i
// for First <= i <= Last, and the markers of points First − 1 … Last. First is at least 1.
struct Tsp_PointWindow {
    std::int32_t First = 1;
    std::int32_t Last = 0;
};

// With X sorted, a binary search on the horizontal axis's range (widened by the pen and a
// rounding pixel) leaves out only segments whose both ends lie beyond the same side of the field,
// which the clip would erase anyway; so a redraw costs what the field shows. Unsorted: all points.
Tsp_PointWindow VisiblePoints(const Tsp_XYDataSeries &series, const Tsp_Axis &xa, int penWidth);

// A point's pixel is far beyond ±16000: a segment with both ends far is not drawn, even when it
// would cross the field.
bool IsFarPixel(std::int32_t x, std::int32_t y);

// Segments i − 1 → i for from <= i <= to with the painter's pen, each without its end pixel.
void DrawSegments(QPainter &canvas, const Tsp_XYDataSeries &series, const Tsp_Axis &xa, const Tsp_Axis &ya,
                  std::int32_t from, std::int32_t to);

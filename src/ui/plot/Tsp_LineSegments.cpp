#include "Tsp_LineSegments.h"

#include "Tsp_Axis.h"
#include "Tsp_PixelLine.h"
#include "Tsp_XYDataSeries.h"

#include <algorithm>
#include <cmath>

namespace {

// First index in [lo, hi) whose X is not below v (`strict`: above v).
std::int32_t Search(const Tsp_XYDataSeries &s, std::int32_t lo, std::int32_t hi, double v, bool strict)
{
    while (lo < hi) {
        const std::int32_t mid = lo + (hi - lo) / 2;
        const double x = s.GetX(mid);
        if (strict ? x <= v : x < v) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
}

} // namespace

Tsp_PointWindow VisiblePoints(const Tsp_XYDataSeries &series, const Tsp_Axis &xa, int penWidth)
{
    const std::int32_t n = series.Count();
    Tsp_PointWindow all{1, n - 1};
    const double perPixel = 1.0 / std::fabs(xa.SM());
    if (!series.SortedX() || n < 2 || !std::isfinite(perPixel)) {
        return all;
    }
    const double pad = (std::max(penWidth, 1) + 2) * perPixel;
    const std::int32_t lo = Search(series, 0, n, xa.Min() - pad, false);
    const std::int32_t hi = Search(series, lo, n, xa.Max() + pad, true);
    return Tsp_PointWindow{std::max(lo, 1), std::min(hi, n - 1)};
}

bool IsFarPixel(std::int32_t x, std::int32_t y)
{
    return x < -16000 || x > 16000 || y < -16000 || y > 16000;
}

void DrawSegments(QPainter &canvas, const Tsp_XYDataSeries &series, const Tsp_Axis &xa, const Tsp_Axis &ya,
                  std::int32_t from, std::int32_t to)
{
    if (from > to) {
        return;
    }
    std::int32_t x0 = xa.V2P(series.GetX(from - 1));
    std::int32_t y0 = ya.V2P(series.GetY(from - 1));
    bool far0 = IsFarPixel(x0, y0);
    for (std::int32_t i = from; i <= to; ++i) {
        const std::int32_t x1 = xa.V2P(series.GetX(i));
        const std::int32_t y1 = ya.V2P(series.GetY(i));
        const bool far1 = IsFarPixel(x1, y1);
        if (!far0 || !far1) {
            DrawLineExcludingEnd(canvas, x0, y0, x1, y1);
        }
        x0 = x1;
        y0 = y1;
        far0 = far1;
    }
}

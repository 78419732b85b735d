#include "GradientFillRect.h"

#include "MulDiv.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

bool IsVertical(TGradientDirection direction)
{
    return direction == TGradientDirection::gdTopToBottom || direction == TGradientDirection::gdBottomToTop;
}

bool StartsAtTo(TGradientDirection direction)
{
    return direction == TGradientDirection::gdBottomToTop || direction == TGradientDirection::gdRightToLeft;
}

// Round half to even, as the banding has always used.
int RoundEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

} // namespace

std::vector<TGradientBand> GradientBands(const QRect &rect, TColor colorFrom, TColor colorTo,
                                         TGradientDirection direction, int bandCount)
{
    std::vector<TGradientBand> bands;
    if (rect.width() <= 0 || rect.height() <= 0)
        return bands;
    if (bandCount < 2) {
        bands.push_back({rect, colorFrom});
        return bands;
    }
    const TColor from = ColorToRGB(colorFrom);
    const TColor to = ColorToRGB(colorTo);
    if (from == to)
        bandCount = 1;

    const TColor base = StartsAtTo(direction) ? to : from;
    const TColor other = StartsAtTo(direction) ? from : to;
    const int dr = GetRValue(other) - GetRValue(base);
    const int dg = GetGValue(other) - GetGValue(base);
    const int db = GetBValue(other) - GetBValue(base);

    const bool vertical = IsVertical(direction);
    const int edge = vertical ? rect.top() : rect.left();
    const int extent = vertical ? rect.height() : rect.width();
    const int farEdge = edge + extent;
    const int steps = std::max(2, std::min(bandCount, extent));
    const double bandSize = static_cast<double>(extent) / steps;
    if (!(bandSize > 0))
        return bands;

    bands.reserve(static_cast<std::size_t>(steps));
    for (int i = 0; i < steps; ++i) {
        const int start = RoundEven(edge + i * bandSize);
        const int end = std::min(RoundEven(start + bandSize) + 1, farEdge);
        const TColor color = RGBColor(GetRValue(base) + MulDiv(i, dr, steps), GetGValue(base) + MulDiv(i, dg, steps),
                                      GetBValue(base) + MulDiv(i, db, steps));
        const QRect band = vertical ? QRect(rect.left(), start, rect.width(), end - start)
                                    : QRect(start, rect.top(), end - start, rect.height());
        bands.push_back({band, color});
    }
    return bands;
}

void GradientFillRect(QPainter &painter, const QRect &rect, TColor colorFrom, TColor colorTo,
                      TGradientDirection direction, int bandCount)
{
    for (const TGradientBand &band : GradientBands(rect, colorFrom, colorTo, direction, bandCount))
        painter.fillRect(band.Rect, ToQColor(band.Color));
}

#pragma once

#include "TColor.h"

#include <QRect>

#include <cstdint>
#include <vector>

class QPainter;

enum class TGradientDirection : std::uint8_t { gdTopToBottom, gdBottomToTop, gdLeftToRight, gdRightToLeft };

struct TGradientBand {
    QRect Rect;
    TColor Color;
};

// The bands that fill rect from one colour to the other, in painting order.
// Each band reaches one pixel into the next (the next paints over it), and the
// last band stops one step short of the target colour. Empty rect: no bands;
// bandCount below 2: one band of the from-colour over the whole rect.
std::vector<TGradientBand> GradientBands(const QRect &rect, TColor colorFrom, TColor colorTo,
                                         TGradientDirection direction, int bandCount);

// Fills each band of GradientBands with a solid brush.
void GradientFillRect(QPainter &painter, const QRect &rect, TColor colorFrom, TColor colorTo,
                      TGradientDirection direction, int bandCount);

#include "Tsp_PixelLine.h"

#include <QPainter>

#include <algorithm>

void DrawLineExcludingEnd(QPainter &painter, int x0, int y0, int x1, int y1)
{
    if (x0 == x1 && y0 == y1) {
        return;
    }
    // A Qt flat-capped axis-parallel line covers the half-open pixel range [low, high) whichever
    // way it runs, so the covered pixels are worked out here and handed over in ascending order.
    const int stepX = (x1 > x0) - (x1 < x0);
    const int stepY = (y1 > y0) - (y1 < y0);
    if (stepY == 0) {
        const int lastX = x1 - stepX;
        painter.drawLine(std::min(x0, lastX), y0, std::max(x0, lastX) + 1, y0);
    } else if (stepX == 0) {
        const int lastY = y1 - stepY;
        painter.drawLine(x0, std::min(y0, lastY), x0, std::max(y0, lastY) + 1);
    } else {
        painter.drawLine(x0, y0, x1, y1);
    }
}

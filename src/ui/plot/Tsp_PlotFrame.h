#pragma once

#include "Tsp_PlotTypes.h"

class QColor;
class QPainter;

// The frame around a plot of W × H pixels; it covers the two outermost pixel rings. `Color` is
// the control's colour, which the plain styles use for the ring they do not make visible.
void DrawPlotFrame(QPainter &canvas, Tsp_BorderStyle style, int W, int H, const QColor &Color);

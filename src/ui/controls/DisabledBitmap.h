#pragma once

#include "TColor.h"

#include <QImage>

class QPainter;
class TDisabledBitmapFactors;

// The grey form of source: each pixel becomes (g, g, g) with alpha 0, g the
// weighted sum of its channels capped at 255; with the factors switched off
// g is 128 and pure white pixels are kept as they are.
QImage MakeDisabledBitmap(const QImage &source, const TDisabledBitmapFactors &factors);

// Draws bitmap at (x, y) leaving the target unchanged where the bitmap's RGB equals
// transparent; alpha is ignored, as for an opaque off-screen bitmap.
void DrawTransparentBitmap(QPainter &painter, int x, int y, TColor transparent, const QImage &bitmap);

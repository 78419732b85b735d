#include "DisabledBitmap.h"

#include "TDisabledBitmapFactors.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

QImage MakeDisabledBitmap(const QImage &source, const TDisabledBitmapFactors &factors)
{
    const QImage src = source.convertToFormat(QImage::Format_ARGB32);
    QImage target(src.size(), QImage::Format_ARGB32);
    const bool weighted = factors.Enabled();
    for (int y = 0; y < src.height(); ++y) {
        const QRgb *in = reinterpret_cast<const QRgb *>(src.constScanLine(y));
        QRgb *out = reinterpret_cast<QRgb *>(target.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const int r = qRed(in[x]);
            const int g = qGreen(in[x]);
            const int b = qBlue(in[x]);
            if (!weighted && r == 255 && g == 255 && b == 255) {
                out[x] = in[x];
                continue;
            }
            int grey = 128;
            if (weighted) {
                const double sum = r * factors.RedFactor() + g * factors.GreenFactor() + b * factors.BlueFactor();
                grey = static_cast<int>(std::min(255.0, std::max(0.0, std::round(sum))));
            }
            out[x] = qRgba(grey, grey, grey, 0);
        }
    }
    return target;
}

void DrawTransparentBitmap(QPainter &painter, int x, int y, TColor transparent, const QImage &bitmap)
{
    // Opaque where the colour differs, fully clear where it matches: the result of
    // the mask-and-combine sequence, done in one pass.
    const QRgb key = ToQColor(transparent).rgb() & 0x00FFFFFF;
    QImage masked = bitmap.convertToFormat(QImage::Format_ARGB32);
    for (int row = 0; row < masked.height(); ++row) {
        QRgb *line = reinterpret_cast<QRgb *>(masked.scanLine(row));
        for (int col = 0; col < masked.width(); ++col) {
            const QRgb rgb = line[col] & 0x00FFFFFF;
            line[col] = rgb == key ? 0u : (rgb | 0xFF000000u);
        }
    }
    painter.drawImage(x, y, masked);
}

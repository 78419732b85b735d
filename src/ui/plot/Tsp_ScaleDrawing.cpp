// Drawing of a scale: the axis line, its tick marks and labels, on any QPainter target.
#include "Tsp_Scale.h"

#include "Tsp_PixelLine.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QString>

namespace {

// Draws text with its box's top-left corner at (left, top).
void DrawTextAt(QPainter &painter, const QFontMetrics &metrics, int left, int top, const QString &text)
{
    painter.drawText(left, top + metrics.ascent(), text);
}

} // namespace

void Tsp_Scale::DrawLine(QPainter &fCanvas, std::int32_t odec, std::int32_t einc) const
{
    if (!fLineAttr.Visible()) {
        return;
    }
    QPen pen;
    fLineAttr.SetPenAttr(pen);
    pen.setWidth(1);
    pen.setCapStyle(Qt::FlatCap);
    fCanvas.save();
    fCanvas.setRenderHint(QPainter::Antialiasing, false);
    fCanvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
    fCanvas.setPen(pen);
    const int dir = IsFarSide() ? -1 : 1;
    for (int k = 0; k < fLineAttr.Width(); ++k) {
        if (IsVertical()) {
            const int x = fO.x - k * dir;
            DrawLineExcludingEnd(fCanvas, x, fO.y - fLen - einc, x, fO.y + 1 + odec);
        } else {
            const int y = fO.y + k * dir;
            DrawLineExcludingEnd(fCanvas, fO.x - odec, y, fO.x + fLen + 1 + einc, y);
        }
    }
    fCanvas.restore();
}

void Tsp_Scale::DrawTicks(QPainter &fCanvas)
{
    if (NoTicks() && NoTicksLabel()) {
        return;
    }
    // The caller's pen, but flat-capped: Qt's default square cap would add the end point.
    fCanvas.save();
    QPen pen = fCanvas.pen();
    pen.setCapStyle(Qt::FlatCap);
    fCanvas.setPen(pen);
    fCanvas.setRenderHint(QPainter::Antialiasing, false);
    const QFontMetrics metrics = fCanvas.fontMetrics();
    // The text height of "8" is the font's cell height, the same for every text.
    const int digitHeight = metrics.height();
    const int W = fLineAttr.Width();
    const bool far = IsFarSide();
    std::string label;
    for (int i = 0; i < rTksCount; ++i) {
        const int p = fTksPos[static_cast<std::size_t>(i)];
        if (!NoTicks()) {
            if (IsVertical()) {
                if (far) {
                    DrawLineExcludingEnd(fCanvas, fO.x + W, p, fO.x + W + 4, p);
                } else {
                    DrawLineExcludingEnd(fCanvas, fO.x - W, p, fO.x - W - 4, p);
                }
            } else if (far) {
                DrawLineExcludingEnd(fCanvas, p, fO.y - W, p, fO.y - W - 4);
            } else {
                DrawLineExcludingEnd(fCanvas, p, fO.y + W, p, fO.y + W + 4);
            }
        }
        if (NoTicksLabel()) {
            continue;
        }
        GetTickLabel(i, label);
        const QString text = QString::fromStdString(label);
        const int textWidth = metrics.horizontalAdvance(text);
        if (IsVertical()) {
            const int top = p - digitHeight / 2;
            const int left = far ? fO.x + W + 5 : fO.x - W - 5 - textWidth;
            DrawTextAt(fCanvas, metrics, left, top, text);
        } else {
            const int left = p - textWidth / 2;
            const int top = far ? fO.y - W - 5 - digitHeight : fO.y + W + 5;
            DrawTextAt(fCanvas, metrics, left, top, text);
        }
    }
    fCanvas.restore();
}

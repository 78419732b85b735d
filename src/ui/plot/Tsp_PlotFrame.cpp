#include "Tsp_PlotFrame.h"

#include "TColor.h"
#include "Tsp_XYPlot.h"

#include <QPainter>
#include <QPen>
#include <QPolygon>

namespace {

// Columns l and r − 1, rows t and b − 1.
void Outline(QPainter &canvas, const QColor &color, int l, int t, int r, int b)
{
    canvas.setPen(QPen(color, 1, Qt::SolidLine, Qt::FlatCap));
    canvas.drawRect(l, t, r - l - 1, b - t - 1);
}

// One-pixel 3-D frame: the left column and top row in `topLeft`, the right column and the bottom
// row in `bottomRight`, which also takes the top-right and bottom-left corner pixels.
void Frame3D(QPainter &canvas, int w, int h, const QColor &topLeft, const QColor &bottomRight)
{
    canvas.fillRect(0, 0, 1, h - 1, topLeft);
    canvas.fillRect(0, 0, w - 1, 1, topLeft);
    canvas.fillRect(w - 1, 0, 1, h, bottomRight);
    canvas.fillRect(0, h - 1, w, 1, bottomRight);
}

} // namespace

void DrawPlotFrame(QPainter &canvas, Tsp_BorderStyle style, int W, int H, const QColor &Color)
{
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
    canvas.setBrush(Qt::NoBrush);
    const QColor highlight = ToQColor(clBtnHighlight);
    const QColor shadow = ToQColor(clBtnShadow);
    const QColor black = Qt::black;
    switch (style) {
    case Tsp_BorderStyle::bs_None:
        Outline(canvas, Color, 0, 0, W, H);
        Outline(canvas, Color, 1, 1, W - 1, H - 1);
        break;
    case Tsp_BorderStyle::bs_Raised:
        Frame3D(canvas, W, H, highlight, shadow);
        Outline(canvas, Color, 1, 1, W - 1, H - 1);
        break;
    case Tsp_BorderStyle::bs_Lowered:
        Frame3D(canvas, W, H, shadow, highlight);
        Outline(canvas, Color, 1, 1, W - 1, H - 1);
        break;
    case Tsp_BorderStyle::bs_Gutter:
        Outline(canvas, highlight, 1, 1, W, H);
        Outline(canvas, shadow, 0, 0, W - 1, H - 1);
        break;
    case Tsp_BorderStyle::bs_BlackRect:
        Outline(canvas, black, 0, 0, W, H);
        Outline(canvas, Color, 1, 1, W - 1, H - 1);
        break;
    case Tsp_BorderStyle::bs_BoldRect:
        Outline(canvas, black, 0, 0, W, H);
        Outline(canvas, black, 1, 1, W - 1, H - 1);
        break;
    case Tsp_BorderStyle::bs_FocusRect: {
        // The dots' gaps take the white background, as the platform's dotted pen does.
        canvas.setBackground(Qt::white);
        canvas.setBackgroundMode(Qt::OpaqueMode);
        canvas.setBrush(Qt::white);
        canvas.setPen(QPen(black, 1, Qt::DotLine, Qt::FlatCap));
        const int r = W;
        const int b = H;
        canvas.drawPolyline(QPolygon({QPoint(0, 0), QPoint(r - 2, 0), QPoint(r - 2, b - 1), QPoint(1, b - 1), QPoint(1, 0)}));
        canvas.drawPolyline(QPolygon({QPoint(1, 1), QPoint(r - 1, 1), QPoint(r - 1, b - 2), QPoint(0, b - 2), QPoint(0, 0)}));
        break;
    }
    }
    canvas.restore();
}

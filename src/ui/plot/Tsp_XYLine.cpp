#include "Tsp_XYLine.h"

#include "Tsp_Axis.h"
#include "Tsp_LineSegments.h"
#include "Tsp_PixelLine.h"
#include "Tsp_XYPlot.h"

#include <QBrush>
#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <algorithm>

Tsp_XYLine::Tsp_XYLine()
{
    fPA.SetOnChange([this](Tsp_PointAttr &Sender) { AttrChanged(&Sender); });
}

Tsp_XYLine::~Tsp_XYLine()
{
    fPA.SetOnChange(nullptr);
}

void Tsp_XYLine::AttrChanged(const void *Sender)
{
    if (Sender == &fPA) {
        switch (fPA.Kind()) {
        case TPointKind::ptEllipse: DrawPointProc = &Tsp_XYLine::DrawEllipse; break;
        case TPointKind::ptDiamond: DrawPointProc = &Tsp_XYLine::DrawDiamond; break;
        case TPointKind::ptCross: DrawPointProc = &Tsp_XYLine::DrawCross; break;
        case TPointKind::ptTriangle: DrawPointProc = &Tsp_XYLine::DrawTriangle; break;
        case TPointKind::ptDownTriangle: DrawPointProc = &Tsp_XYLine::DrawDownTriangle; break;
        case TPointKind::ptRectangle:
        case TPointKind::ptCustom: DrawPointProc = &Tsp_XYLine::DrawRectangle; break;
        }
    }
    Tsp_XYDataSeries::AttrChanged(Sender);
}

void Tsp_XYLine::SetLinePen()
{
    QPen pen;
    LineAttr().SetPenAttr(pen);
    pen.setCapStyle(Qt::FlatCap);
    Canvas()->setPen(pen);
    Canvas()->setBrush(Qt::NoBrush);
}

void Tsp_XYLine::SetMarkerPenAndBrush()
{
    QPen pen;
    fPA.SetPenAttr(pen);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    Canvas()->setPen(pen);
    Canvas()->setBrush(fPA.Brush());
}

void Tsp_XYLine::DrawMarker(double xv, double yv, int x, int y)
{
    if (fPA.Kind() == TPointKind::ptCustom) {
        if (OnDrawCustomPoint) {
            OnDrawCustomPoint(*this, xv, yv, x, y);
        }
        return;
    }
    (this->*DrawPointProc)(x, y);
}

void Tsp_XYLine::Draw()
{
    Tsp_XYPlot *plot = Plot();
    if (Count() < 1 || plot == nullptr || plot->DCanvas() == nullptr) {
        return;
    }
    if (!fPA.Visible() && (!LineAttr().Visible() || Count() <= 1)) {
        return;
    }
    SetCanvas(plot->DCanvas());
    const Tsp_Axis &xa = XAxisObj();
    const Tsp_Axis &ya = YAxisObj();
    double xMin = 0;
    double xMax = 0;
    double yMin = 0;
    double yMax = 0;
    GetXMin(xMin);
    GetXMax(xMax);
    GetYMin(yMin);
    GetYMax(yMax);
    if (xMin > xa.Max() || xMax < xa.Min() || yMin > ya.Max() || yMax < ya.Min()) {
        return;
    }
    QPainter &canvas = *Canvas();
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    const Tsp_PointWindow window = VisiblePoints(*this, xa, LineAttr().Width());
    if (Count() > 1 && LineAttr().Visible() && LineAttr().Style() != Tsp_PenStyle::psClear) {
        SetLinePen();
        DrawSegments(canvas, *this, xa, ya, window.First, window.Last);
    }
    if (fPA.Visible()) {
        SetMarkerPenAndBrush();
        const Tsp_Rect &field = plot->FieldRect();
        for (std::int32_t i = window.First - 1; i <= window.Last; ++i) {
            const int x = xa.V2P(GetX(i));
            const int y = ya.V2P(GetY(i));
            if (field.Contains(x, y)) {
                DrawMarker(GetX(i), GetY(i), x, y);
            }
        }
    }
    canvas.restore();
}

void Tsp_XYLine::QuickAddXY(double aX, double aY)
{
    AppendPoint(aX, aY);
    if (LockInvalidate() || !Attached() || !Active()) {
        return;
    }
    Tsp_XYPlot &plot = *Plot();
    const bool drawn = plot.PaintIntoField([this, &plot](QPainter &canvas) {
        SetCanvas(&canvas);
        const Tsp_Axis &xa = XAxisObj();
        const Tsp_Axis &ya = YAxisObj();
        const Tsp_Rect &field = plot.FieldRect();
        const std::int32_t last = Count() - 1;
        const int x2 = xa.V2P(GetX(last));
        const int y2 = ya.V2P(GetY(last));
        if (LineAttr().Visible() && Count() > 1) {
            const int x1 = xa.V2P(GetX(last - 1));
            const int y1 = ya.V2P(GetY(last - 1));
            if (field.Contains(x1, y1) || field.Contains(x2, y2)) {
                SetLinePen();
                DrawLineExcludingEnd(canvas, x1, y1, x2, y2);
            }
        }
        if (fPA.Visible() && field.Contains(x2, y2)) {
            SetMarkerPenAndBrush();
            DrawMarker(GetX(last), GetY(last), x2, y2);
        }
    });
    // Without an up-to-date buffer Qt cannot draw outside a paint event: the field is redrawn.
    if (!drawn) {
        plot.InvalidateParts(false, false, true);
    }
}

void Tsp_XYLine::DrawLegendMarker(QPainter &LCanvas, const Tsp_Rect &MR)
{
    if (!LineAttr().Visible() && !fPA.Visible()) {
        return;
    }
    fDLM = true;
    SetCanvas(&LCanvas);
    LCanvas.save();
    LCanvas.setRenderHint(QPainter::Antialiasing, false);
    const int yc = (MR.Top + MR.Bottom) / 2;
    if (LineAttr().Visible()) {
        SetLinePen();
        DrawLineExcludingEnd(LCanvas, MR.Left + 1, yc, MR.Right, yc);
    }
    if (fPA.Visible()) {
        SetMarkerPenAndBrush();
        DrawMarker(0, 0, (MR.Left + MR.Right) / 2, yc);
    }
    LCanvas.restore();
    fDLM = false;
}

void Tsp_XYLine::DrawRectangle(int x, int y)
{
    // The outline covers the box's first and last column and row; the far edges are exclusive.
    Canvas()->drawRect(x - fPA.eHSize(), y - fPA.eVSize(), fPA.eHSize() + fPA.oHSize() - 1,
                       fPA.eVSize() + fPA.oVSize() - 1);
}

void Tsp_XYLine::DrawEllipse(int x, int y)
{
    Canvas()->drawEllipse(x - fPA.eHSize(), y - fPA.eVSize(), fPA.eHSize() + fPA.oHSize() - 1,
                          fPA.eVSize() + fPA.oVSize() - 1);
}

void Tsp_XYLine::DrawDiamond(int x, int y)
{
    const int eH = fPA.eHSize();
    const int eV = fPA.eVSize();
    Canvas()->drawPolygon(QPolygon({QPoint(x, y - eV), QPoint(x + eH, y), QPoint(x, y + eV), QPoint(x - eH, y)}));
}

void Tsp_XYLine::DrawCross(int x, int y)
{
    DrawLineExcludingEnd(*Canvas(), x - fPA.eHSize(), y, x + fPA.oHSize(), y);
    DrawLineExcludingEnd(*Canvas(), x, y - fPA.eVSize(), x, y + fPA.oVSize());
}

void Tsp_XYLine::DrawTriangle(int x, int y)
{
    const int eH = fPA.eHSize();
    const int eV = fPA.eVSize();
    Canvas()->drawPolygon(QPolygon({QPoint(x, y - eV), QPoint(x + eH, y + eV), QPoint(x - eH, y + eV)}));
}

void Tsp_XYLine::DrawDownTriangle(int x, int y)
{
    const int eH = fPA.eHSize();
    const int eV = fPA.eVSize();
    Canvas()->drawPolygon(QPolygon({QPoint(x - eH, y - eV), QPoint(x + eH, y - eV), QPoint(x, y + eV)}));
}

// Mouse zoom and pan, their undo, and the overlays painted over the plot: the zoom rectangle and
// the vertical cursor line.
//
// Gesture states: 0 none; 1 zoom button down, not yet moved more than 3 pixels (R.Left/Top =
// press point); 2 zoom rectangle shown (R.Right/Bottom = current point); 3 pan button down, not
// yet moved; 4 panning (R.Left/Top = current point, R.Right/Bottom = previous point).
#include "Tsp_XYPlot.h"

#include "Tsp_PixelLine.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <cstdlib>
#include <utility>

namespace {

constexpr Qt::KeyboardModifiers shiftKeysMask = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

} // namespace

Qt::KeyboardModifiers Tsp_XYPlot::ToModifiers(std::uint8_t keys)
{
    Qt::KeyboardModifiers m;
    if ((keys & Tsp_ShiftKeys::ssShift) != 0) {
        m |= Qt::ShiftModifier;
    }
    if ((keys & Tsp_ShiftKeys::ssAlt) != 0) {
        m |= Qt::AltModifier;
    }
    if ((keys & Tsp_ShiftKeys::ssCtrl) != 0) {
        m |= Qt::ControlModifier;
    }
    return m;
}

std::uint8_t Tsp_XYPlot::ToShiftKeys(Qt::KeyboardModifiers modifiers)
{
    std::uint8_t keys = 0;
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        keys |= Tsp_ShiftKeys::ssShift;
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        keys |= Tsp_ShiftKeys::ssAlt;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        keys |= Tsp_ShiftKeys::ssCtrl;
    }
    return keys;
}

void Tsp_XYPlot::SetApplicationCursor(Qt::CursorShape shape)
{
    if (fAppCursorSet) {
        QGuiApplication::changeOverrideCursor(QCursor(shape));
    } else {
        QGuiApplication::setOverrideCursor(QCursor(shape));
        fAppCursorSet = true;
    }
}

void Tsp_XYPlot::ReleaseApplicationCursor()
{
    // Without the override the pointer shows the plot's own cursor again.
    if (fAppCursorSet) {
        QGuiApplication::restoreOverrideCursor();
        fAppCursorSet = false;
    }
}

void Tsp_XYPlot::mousePressEvent(QMouseEvent *event)
{
    const int x = event->position().toPoint().x();
    const int y = event->position().toPoint().y();
    // The state must match exactly: the left button alone, with exactly the chosen keys.
    const bool leftAlone = event->button() == Qt::LeftButton && event->buttons() == Qt::LeftButton;
    const Qt::KeyboardModifiers keys = event->modifiers() & shiftKeysMask;
    if (leftAlone && fZoomData.State == 0) {
        if (keys == fZoomShift && fZoomEnabled != Tsp_zpDirections::zpdNone) {
            fZoomData.R.Left = x;
            fZoomData.R.Top = y;
            if (fZoomEnabled == Tsp_zpDirections::zpdHorizontal) {
                fZoomData.R.Top = FR.Top;
            } else if (fZoomEnabled == Tsp_zpDirections::zpdVertical) {
                fZoomData.R.Left = FR.Left;
            }
            fZoomData.State = 1;
        } else if (keys == fPanShift && fPanEnabled != Tsp_zpDirections::zpdNone) {
            fZoomData.R.Left = x;
            fZoomData.R.Top = y;
            fZoomData.State = 3;
            SetApplicationCursor(fPanCursor);
        }
    }
    QWidget::mousePressEvent(event);
}

void Tsp_XYPlot::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A double click is a state of its own: it starts no gesture.
    if (OnDblClick) {
        OnDblClick(*this);
    }
    event->accept();
}

void Tsp_XYPlot::mouseMoveEvent(QMouseEvent *event)
{
    const int x = event->position().toPoint().x();
    const int y = event->position().toPoint().y();
    Tsp_Rect &R = fZoomData.R;
    const auto setCorner = [&] {
        R.Right = x;
        R.Bottom = y;
        if (fZoomEnabled == Tsp_zpDirections::zpdHorizontal) {
            R.Bottom = FR.Bottom;
        } else if (fZoomEnabled == Tsp_zpDirections::zpdVertical) {
            R.Right = FR.Right;
        }
    };
    switch (fZoomData.State) {
    case 1:
        if (std::abs(R.Left - x) > 3 || std::abs(R.Top - y) > 3) {
            fZoomData.State = 2;
            SetApplicationCursor(Qt::CrossCursor);
            setCorner();
            update();
        }
        break;
    case 2:
        setCorner();
        update();
        break;
    case 3:
    case 4:
        if (x != R.Left || y != R.Top) {
            R.Right = R.Left;
            R.Bottom = R.Top;
            R.Left = x;
            R.Top = y;
            fZoomData.State = 4;
            PanBy();
        }
        break;
    default:
        break;
    }
    QWidget::mouseMoveEvent(event);
    if (OnMouseMove) {
        OnMouseMove(*this, event->modifiers(), x, y);
    }
}

void Tsp_XYPlot::mouseReleaseEvent(QMouseEvent *event)
{
    if (fZoomData.State == 1) {
        RestoreAxesMinMax();
    } else if (fZoomData.State == 2) {
        Tsp_Rect r = fZoomData.R;
        if (r.Right < r.Left) {
            r = Tsp_Rect{r.Right + 1, r.Top, r.Left + 1, r.Bottom};
        }
        if (r.Bottom < r.Top) {
            r = Tsp_Rect{r.Left, r.Bottom + 1, r.Right, r.Top + 1};
        }
        // The rectangle disappears with the repaint that the zoom, or this request, brings.
        update();
        ZoomTo(r);
    }
    if (fZoomData.State != 0) {
        fZoomData.State = 0;
        ReleaseApplicationCursor();
    }
    QWidget::mouseReleaseEvent(event);
}

void Tsp_XYPlot::PanBy()
{
    StoreAxesMinMax();
    const Tsp_Rect &R = fZoomData.R;
    const std::int32_t dx = R.Right - R.Left;
    if (dx != 0 && HorizontalOf(fPanEnabled)) {
        BA.ScrollBy(dx);
        TA.ScrollBy(dx);
        InvalidateParts(false, true, true);
    }
    const std::int32_t dy = R.Bottom - R.Top;
    if (dy != 0 && VerticalOf(fPanEnabled)) {
        LA.ScrollBy(dy);
        RA.ScrollBy(dy);
        InvalidateParts(false, true, true);
    }
}

void Tsp_XYPlot::ZoomTo(const Tsp_Rect &r)
{
    if (fZoomEnabled == Tsp_zpDirections::zpdNone || r.Width() <= 2 || r.Height() <= 2) {
        return;
    }
    StoreAxesMinMax();
    if (HorizontalOf(fZoomEnabled)) {
        ZoomAxis(BA, r.Left, r.Right);
        ZoomAxis(TA, r.Left, r.Right);
    }
    if (VerticalOf(fZoomEnabled)) {
        ZoomAxis(LA, r.Bottom, r.Top);
        ZoomAxis(RA, r.Bottom, r.Top);
    }
    Invalidate();
}

void Tsp_XYPlot::ZoomAxis(Tsp_Axis &axis, std::int32_t p1, std::int32_t p2)
{
    double lo = axis.P2V(p1);
    double hi = axis.P2V(p2);
    if (lo > hi) {
        std::swap(lo, hi);
    }
    bool CanZoom = true;
    if (OnAxisZoom) {
        OnAxisZoom(axis, lo, hi, CanZoom);
    }
    if (CanZoom) {
        axis.ChangeMinMax(lo, hi);
    }
}

void Tsp_XYPlot::StoreAxesMinMax()
{
    if (LA.MinMaxStored() && BA.MinMaxStored() && RA.MinMaxStored() && TA.MinMaxStored()) {
        return;
    }
    LA.StoreMinMax();
    BA.StoreMinMax();
    RA.StoreMinMax();
    TA.StoreMinMax();
}

void Tsp_XYPlot::RestoreAxesMinMax()
{
    if (!(LA.MinMaxStored() && BA.MinMaxStored() && RA.MinMaxStored() && TA.MinMaxStored())) {
        return;
    }
    LA.RestoreMinMax();
    BA.RestoreMinMax();
    RA.RestoreMinMax();
    TA.RestoreMinMax();
    Invalidate();
}

void Tsp_XYPlot::SetXCursorOn(bool b)
{
    if (b == fXCursOn) {
        return;
    }
    fXCursOn = b;
    if (fXCursOn) {
        fXCursPos = BA.V2P(fXCursVal);
    }
    // Drawn, or erased, by the repaint from the buffer.
    update();
}

void Tsp_XYPlot::SetXCursorVal(double v)
{
    const std::int32_t p = BA.V2P(v);
    fXCursVal = v;
    if (p != fXCursPos && fXCursOn) {
        fXCursPos = p;
        update();
    }
}

void Tsp_XYPlot::DrawOverlays(QPainter &painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    if (fZoomData.State == 2) {
        // Not-xor with a black pen inverts what lies under the dots.
        const Tsp_Rect &R = fZoomData.R;
        painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine, Qt::FlatCap));
        painter.drawPolyline(QPolygon({QPoint(R.Left, R.Top), QPoint(R.Right, R.Top), QPoint(R.Right, R.Bottom),
                                       QPoint(R.Left, R.Bottom), QPoint(R.Left, R.Top)}));
    }
    if (fXCursOn) {
        fXCursPos = BA.V2P(fXCursVal);
        if (FR.Left < fXCursPos && fXCursPos < FR.Right) {
            painter.setCompositionMode(QPainter::RasterOp_NotDestination);
            painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap));
            DrawLineExcludingEnd(painter, fXCursPos, FR.Top + 1, fXCursPos, FR.Bottom - 1);
        }
    }
    painter.restore();
}

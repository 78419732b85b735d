// Drawing of the plot on its current target: arrangement, surroundings, field and frame.
#include "Tsp_XYPlot.h"

#include "Tsp_DataSeries.h"
#include "Tsp_PixelLine.h"
#include "Tsp_PlotFrame.h"
#include "Tsp_PlotMarker.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QString>

#include <algorithm>
#include <cstdlib>

void Tsp_XYPlot::ArrangeForCanvas()
{
    fDCanvas->setFont(font());
    const QFontMetrics metrics(font(), fDCanvas->device());
    // The label cell height: tick labels take that much room.
    Arrange(metrics.horizontalAdvance(QStringLiteral("0")), std::abs(metrics.height()));
}

void Tsp_XYPlot::Arrange(std::int32_t FntWidth, std::int32_t FntHeight)
{
    FR = Tsp_Rect{0, 0, fDWidth, fDHeight};
    const std::int32_t left = std::max({TA.OrgIndent(FntWidth, FntHeight), BA.OrgIndent(FntWidth, FntHeight),
                                        LA.BandWidth(FntWidth, FntHeight)}) + LA.Margin();
    const std::int32_t bottom = std::max({RA.OrgIndent(FntWidth, FntHeight), LA.OrgIndent(FntWidth, FntHeight),
                                          BA.BandWidth(FntWidth, FntHeight)}) + BA.Margin();
    const std::int32_t right = std::max({TA.EndIndent(FntWidth, FntHeight), BA.EndIndent(FntWidth, FntHeight),
                                         RA.BandWidth(FntWidth, FntHeight)}) + RA.Margin();
    const std::int32_t top = std::max({RA.EndIndent(FntWidth, FntHeight), LA.EndIndent(FntWidth, FntHeight),
                                       TA.BandWidth(FntWidth, FntHeight)}) + TA.Margin();
    FR.Left += left;
    FR.Right -= right;
    FR.Bottom -= bottom;
    FR.Top += top;
    // However little room the axes leave, the field keeps 3 × 3 pixels.
    FR.Right = std::max(FR.Right, FR.Left + 3);
    FR.Bottom = std::max(FR.Bottom, FR.Top + 3);
    LA.SetLine(FR.Left - 1, FR.Bottom - 1, FR.Bottom - FR.Top - 1);
    RA.SetLine(FR.Right, FR.Bottom - 1, FR.Bottom - FR.Top - 1);
    BA.SetLine(FR.Left, FR.Bottom, FR.Right - FR.Left - 1);
    TA.SetLine(FR.Left, FR.Top - 1, FR.Right - FR.Left - 1);
    ValidArrange = true;
}

void Tsp_XYPlot::DrawSequence()
{
    if (!ValidArrange) {
        ArrangeForCanvas();
    }
    DrawAround();
    DrawField();
    DoDrawEnd();
    DrawFrame();
}

void Tsp_XYPlot::DrawAround()
{
    QPainter &canvas = *fDCanvas;
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
    // Each rectangle leaves out its right column and bottom row.
    const QColor color = ToQColor(fColor);
    canvas.fillRect(QRect(0, 0, fDWidth, FR.Top), color);
    canvas.fillRect(QRect(0, FR.Bottom + 1, fDWidth, fDHeight - FR.Bottom - 1), color);
    canvas.fillRect(QRect(0, FR.Top, FR.Left, FR.Bottom + 1 - FR.Top), color);
    canvas.fillRect(QRect(FR.Right, FR.Top, fDWidth - FR.Right, FR.Bottom + 1 - FR.Top), color);
    canvas.setBrush(Qt::NoBrush);
    const auto lineWidth = [](const Tsp_Axis &axis) {
        return axis.LineAttr().Visible() ? static_cast<std::int32_t>(axis.LineAttr().Width()) : 0;
    };
    TA.DrawLine(canvas, 0, lineWidth(RA));
    RA.DrawLine(canvas, lineWidth(BA), 0);
    BA.DrawLine(canvas, lineWidth(LA), 0);
    LA.DrawLine(canvas, 0, lineWidth(TA));
    canvas.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::SolidLine, Qt::FlatCap));
    canvas.setFont(font());
    TA.DrawTicks(canvas);
    RA.DrawTicks(canvas);
    LA.DrawTicks(canvas);
    BA.DrawTicks(canvas);
    DrawCaptions();
    canvas.restore();
    DrawFrame();
}

void Tsp_XYPlot::DrawCaptions()
{
    QPainter &canvas = *fDCanvas;
    const auto drawAt = [&canvas](int left, int top, const QString &text) {
        canvas.drawText(left, top + canvas.fontMetrics().ascent(), text);
    };
    if (BA.DrawCaption() || TA.DrawCaption()) {
        QFont bold = font();
        bold.setBold(true);
        canvas.setFont(bold);
        const QFontMetrics metrics = canvas.fontMetrics();
        if (BA.DrawCaption()) {
            const QString text = QString::fromStdString(BA.Caption());
            drawAt((FR.Right + FR.Left - metrics.horizontalAdvance(text)) / 2, fDHeight - BA.Margin(), text);
        }
        if (TA.DrawCaption()) {
            const QString text = QString::fromStdString(TA.Caption());
            drawAt((FR.Right + FR.Left - metrics.horizontalAdvance(text)) / 2,
                   TA.Margin() - 1 - metrics.height(), text);
        }
    }
    if (!LA.DrawCaption() && !RA.DrawCaption()) {
        return;
    }
    canvas.setFont(VFont);
    const QFontMetrics metrics = canvas.fontMetrics();
    // The text box's top-left corner sits at (x, y) and the text reads upward from there.
    const auto drawUpward = [&](Tsp_Axis &axis, int x) {
        const QString text = QString::fromStdString(axis.Caption());
        const int y = (metrics.horizontalAdvance(text) + FR.Bottom + FR.Top) / 2;
        canvas.save();
        canvas.translate(x, y);
        canvas.rotate(-90);
        canvas.drawText(0, metrics.ascent(), text);
        canvas.restore();
    };
    if (LA.DrawCaption()) {
        drawUpward(LA, LA.Margin() - 1 - metrics.height());
    }
    if (RA.DrawCaption()) {
        drawUpward(RA, fDWidth - RA.Margin());
    }
}

void Tsp_XYPlot::DrawFrame()
{
    DrawPlotFrame(*fDCanvas, fFrameStyle, fDWidth, fDHeight, ToQColor(fColor));
}

void Tsp_XYPlot::DrawField()
{
    QPainter &canvas = *fDCanvas;
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
    canvas.setClipRect(QRect(FR.Left, FR.Top, FR.Width(), FR.Height()), Qt::IntersectClip);
    if (FBColor != clNone) {
        canvas.fillRect(QRect(FR.Left, FR.Top, FR.Width(), FR.Height()), ToQColor(FBColor));
    }
    DoFieldDraw();
    canvas.setBrush(Qt::NoBrush);
    DrawGrid(LA);
    DrawGrid(BA);
    DrawGrid(RA);
    DrawGrid(TA);
    for (Tsp_PlotMarker *m : fBSML) {
        if (m->Visible()) {
            m->Draw();
        }
    }
    for (Tsp_DataSeries *s : fSeries) {
        if (s->Active()) {
            s->Draw();
        }
    }
    for (Tsp_PlotMarker *m : fASML) {
        if (m->Visible()) {
            m->Draw();
        }
    }
    canvas.restore();
}

void Tsp_XYPlot::DrawGrid(Tsp_Axis &axis)
{
    if (!axis.GridAttr().Visible() || axis.TicksLaidOut() == 0) {
        return;
    }
    QPainter &canvas = *fDCanvas;
    QPen pen;
    axis.GridAttr().SetPenAttr(pen);
    pen.setCapStyle(Qt::FlatCap);
    canvas.setPen(pen);
    // A tick on the field's first row or column, or on the one before its far edge, would only
    // thicken the axis line: it gets no grid line.
    for (int i = 0; i < axis.TicksLaidOut(); ++i) {
        const int p = axis.TickPos(i);
        if (axis.IsVertical()) {
            if (FR.Top < p && p < FR.Bottom - 1) {
                DrawLineExcludingEnd(canvas, FR.Left, p, FR.Right, p);
            }
        } else if (FR.Left < p && p < FR.Right - 1) {
            DrawLineExcludingEnd(canvas, p, FR.Top, p, FR.Bottom);
        }
    }
}

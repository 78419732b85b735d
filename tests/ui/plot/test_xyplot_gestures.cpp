#include "PlotTesting.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

namespace {

// A plot laid out for its own size, with 100 pixels per unit on the bottom and left axes.
struct GesturePlot {
    GesturePlot()
    {
        plot.resize(500, 300);
        for (int round = 0; round < 4; ++round) {
            plot.grab();
            const Tsp_Rect fr = plot.FieldRect();
            plot.BottomAxis().SetMinMax(0, (fr.Width() - 1) / 100.0);
            plot.LeftAxis().SetMinMax(0, (fr.Height() - 1) / 100.0);
        }
        plot.grab();
    }
    QPoint Centre() const
    {
        const Tsp_Rect fr = plot.FieldRect();
        return QPoint((fr.Left + fr.Right) / 2, (fr.Top + fr.Bottom) / 2);
    }

    CountingPlot plot;
};

TEST(XYPlotPan, CtrlDragMovesTheRangesByThePixelDistance)
{
    GesturePlot g;
    ASSERT_DOUBLE_EQ(g.plot.BottomAxis().SM(), 100) << "layout did not settle";
    const double min = g.plot.BottomAxis().Min();
    const double max = g.plot.BottomAxis().Max();
    const double lmin = g.plot.LeftAxis().Min();
    const QPoint from = g.Centre();
    SendMouse(g.plot, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(g.plot.ZoomData().State, 3);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), g.plot.PanCursor());
    SendMouse(g.plot, QEvent::MouseMove, from + QPoint(10, 0), Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(g.plot.ZoomData().State, 4);
    EXPECT_NEAR(g.plot.BottomAxis().Min(), min - 0.1, 1e-12);
    EXPECT_NEAR(g.plot.BottomAxis().Max(), max - 0.1, 1e-12);
    EXPECT_EQ(g.plot.LeftAxis().Min(), lmin);
    // Dragging down moves the vertical content down too: values rise.
    SendMouse(g.plot, QEvent::MouseMove, from + QPoint(10, 20), Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_NEAR(g.plot.LeftAxis().Min(), lmin + 0.2, 1e-12);
    SendMouse(g.plot, QEvent::MouseButtonRelease, from + QPoint(10, 20), Qt::LeftButton, Qt::NoButton,
              Qt::ControlModifier);
    EXPECT_EQ(g.plot.ZoomData().State, 0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(g.plot.BottomAxis().MinMaxStored());
    // A click with the zoom keys undoes the pan.
    SendMouse(g.plot, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    SendMouse(g.plot, QEvent::MouseButtonRelease, from, Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(g.plot.BottomAxis().Min(), min);
    EXPECT_DOUBLE_EQ(g.plot.LeftAxis().Min(), lmin);
    EXPECT_FALSE(g.plot.BottomAxis().MinMaxStored());
}

TEST(XYPlotPan, PressReleasedWithoutMovingChangesNothing)
{
    GesturePlot g;
    const double min = g.plot.BottomAxis().Min();
    SendMouse(g.plot, QEvent::MouseButtonPress, g.Centre(), Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier);
    SendMouse(g.plot, QEvent::MouseButtonRelease, g.Centre(), Qt::LeftButton, Qt::NoButton, Qt::ControlModifier);
    EXPECT_EQ(g.plot.BottomAxis().Min(), min);
    EXPECT_FALSE(g.plot.BottomAxis().MinMaxStored());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(XYPlotGesture, ExtraKeysOrOtherButtonsStartNothing)
{
    GesturePlot g;
    const double min = g.plot.BottomAxis().Min();
    DragLeft(g.plot, g.Centre(), g.Centre() + QPoint(30, 30), Qt::ControlModifier | Qt::AltModifier);
    SendMouse(g.plot, QEvent::MouseButtonPress, g.Centre(), Qt::RightButton, Qt::RightButton, Qt::ControlModifier);
    EXPECT_EQ(g.plot.ZoomData().State, 0);
    SendMouse(g.plot, QEvent::MouseButtonRelease, g.Centre(), Qt::RightButton, Qt::NoButton, Qt::ControlModifier);
    EXPECT_EQ(g.plot.BottomAxis().Min(), min);
}

TEST(XYPlotZoom, ShiftDragWithZoomOffDoesNothing)
{
    GesturePlot g;
    g.plot.SetZoom(Tsp_zpDirections::zpdNone);
    const double min = g.plot.BottomAxis().Min();
    const double lmax = g.plot.LeftAxis().Max();
    SendMouse(g.plot, QEvent::MouseButtonPress, g.Centre(), Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(g.plot.ZoomData().State, 0);
    SendMouse(g.plot, QEvent::MouseMove, g.Centre() + QPoint(40, 40), Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    SendMouse(g.plot, QEvent::MouseButtonRelease, g.Centre() + QPoint(40, 40), Qt::LeftButton, Qt::NoButton,
              Qt::ShiftModifier);
    EXPECT_EQ(g.plot.BottomAxis().Min(), min);
    EXPECT_EQ(g.plot.LeftAxis().Max(), lmax);
}

TEST(XYPlotZoom, DragZoomsToTheRectangleAndTwoPixelsChangeNothing)
{
    GesturePlot g;
    const double min = g.plot.BottomAxis().Min();
    const double lmin = g.plot.LeftAxis().Min();
    const QPoint c = g.Centre();
    DragLeft(g.plot, c, c + QPoint(40, 2), Qt::ShiftModifier);
    EXPECT_EQ(g.plot.BottomAxis().Min(), min);
    EXPECT_EQ(g.plot.LeftAxis().Min(), lmin);
    EXPECT_FALSE(g.plot.BottomAxis().MinMaxStored());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // Dragged up-left: the rectangle is normalised.
    DragLeft(g.plot, c, c - QPoint(50, 30), Qt::ShiftModifier);
    const double x0 = (c.x() - 50 + 1 - g.plot.BottomAxis().OX()) / 100.0;
    EXPECT_NEAR(g.plot.BottomAxis().Min(), min + x0, 1e-9);
    EXPECT_NEAR(g.plot.BottomAxis().Max() - g.plot.BottomAxis().Min(), 0.5, 1e-9);
    EXPECT_NEAR(g.plot.LeftAxis().Max() - g.plot.LeftAxis().Min(), 0.3, 1e-9);
    EXPECT_TRUE(g.plot.LeftAxis().MinMaxStored());
}

TEST(XYPlotZoom, AxisZoomEventVetoesOneAxis)
{
    GesturePlot g;
    const double lmin = g.plot.LeftAxis().Min();
    const double lmax = g.plot.LeftAxis().Max();
    int asked = 0;
    g.plot.OnAxisZoom = [&](Tsp_Axis &axis, double &lo, double &hi, bool &CanZoom) {
        ++asked;
        EXPECT_LT(lo, hi);
        if (&axis == &g.plot.LeftAxis()) {
            CanZoom = false;
        }
    };
    const int full = g.plot.full;
    DragLeft(g.plot, g.Centre(), g.Centre() + QPoint(60, 40), Qt::ShiftModifier);
    EXPECT_EQ(asked, 4);
    EXPECT_EQ(g.plot.LeftAxis().Min(), lmin);
    EXPECT_EQ(g.plot.LeftAxis().Max(), lmax);
    EXPECT_NEAR(g.plot.BottomAxis().Max() - g.plot.BottomAxis().Min(), 0.6, 1e-9);
    EXPECT_GT(g.plot.full, full) << "the plot is still invalidated";
}

TEST(XYPlotOverlay, ZoomRectangleAndCursorLineInvertAndRepaintErases)
{
    GesturePlot g;
    g.plot.LeftAxis().GridAttr().SetVisible(false);
    g.plot.BottomAxis().GridAttr().SetVisible(false);
    const QImage plain = g.plot.grab().toImage();
    const QPoint c = g.Centre();
    SendMouse(g.plot, QEvent::MouseButtonPress, c, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    SendMouse(g.plot, QEvent::MouseMove, c + QPoint(40, 30), Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    ASSERT_EQ(g.plot.ZoomData().State, 2);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
    const QImage shown = g.plot.grab().toImage();
    // White field under the dots turns black; nothing off the outline changes.
    const Tsp_Rect &R = g.plot.ZoomData().R;
    int inverted = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            if (shown.pixel(x, y) == plain.pixel(x, y)) {
                continue;
            }
            const bool onOutline = ((x == R.Left || x == R.Right) && y >= R.Top && y <= R.Bottom)
                                   || ((y == R.Top || y == R.Bottom) && x >= R.Left && x <= R.Right);
            ASSERT_TRUE(onOutline) << x << "," << y;
            EXPECT_EQ(shown.pixel(x, y), 0xFF000000u);
            ++inverted;
        }
    }
    EXPECT_GT(inverted, 30);
    // Back to the press point: the rectangle is too small to zoom, and the repaint erases it.
    SendMouse(g.plot, QEvent::MouseMove, c + QPoint(1, 1), Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    SendMouse(g.plot, QEvent::MouseButtonRelease, c, Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier);
    EXPECT_EQ(g.plot.grab().toImage(), plain);

    g.plot.SetXCursorVal(g.plot.BottomAxis().P2V(c.x()));
    g.plot.SetXCursorOn(true);
    const QImage line = g.plot.grab().toImage();
    const Tsp_Rect fr = g.plot.FieldRect();
    EXPECT_EQ(g.plot.XCursorPos(), c.x());
    EXPECT_EQ(line.pixel(c.x(), fr.Top + 1), 0xFF000000u);
    EXPECT_EQ(line.pixel(c.x(), fr.Bottom - 2), 0xFF000000u);
    EXPECT_EQ(line.pixel(c.x(), fr.Top), plain.pixel(c.x(), fr.Top));
    EXPECT_EQ(line.pixel(c.x() + 1, c.y()), 0xFFFFFFFFu);
    // Outside the field: the old line is gone and none is drawn.
    g.plot.SetXCursorVal(g.plot.BottomAxis().Max() + 10);
    EXPECT_EQ(g.plot.grab().toImage(), plain);
    g.plot.SetXCursorVal(g.plot.BottomAxis().P2V(c.x()));
    g.plot.SetXCursorOn(false);
    EXPECT_EQ(g.plot.grab().toImage(), plain);
}

} // namespace

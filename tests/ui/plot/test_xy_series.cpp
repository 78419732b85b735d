#include "PlotTesting.h"
#include "Tsp_XYLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

namespace {

std::vector<double> Xs(const Tsp_XYDataSeries &s)
{
    std::vector<double> xs;
    for (int i = 0; i < s.Count(); ++i) {
        xs.push_back(s.GetX(i));
    }
    return xs;
}

void Fill(Tsp_XYDataSeries &s, int n)
{
    for (int i = 0; i < n; ++i) {
        s.AddXY(i, 100 + i);
    }
}

TEST(XYSeriesCapacity, GrowsInStepsOf32)
{
    Tsp_XYLine s;
    EXPECT_EQ(s.Capacity(), 32);
    Fill(s, 32);
    EXPECT_EQ(s.Capacity(), 32);
    s.AddXY(32, 0);
    EXPECT_EQ(s.Capacity(), 64);
    EXPECT_EQ(s.Count(), 33);
    EXPECT_EQ(s.GetX(0), 0);
    EXPECT_EQ(s.GetX(31), 31);
}

TEST(XYSeriesCapacity, SetCapacityCutsOrRoundsUp)
{
    CountingPlot plot;
    Tsp_XYLine s;
    s.SetPlot(&plot);
    Fill(s, 40);
    s.SetCapacity(100);
    EXPECT_EQ(s.Capacity(), 128);
    const int requests = plot.Requests();
    s.SetCapacity(10);
    EXPECT_EQ(s.Count(), 10);
    EXPECT_EQ(s.Capacity(), 32);
    EXPECT_GT(plot.Requests(), requests);
    double v = 0;
    ASSERT_TRUE(s.GetYMax(v));
    EXPECT_EQ(v, 109);
    s.SetCapacity(-5);
    EXPECT_EQ(s.Count(), 0);
}

TEST(XYSeriesArrays, AppendsAndKeepsOrInvalidatesExtremes)
{
    Tsp_XYLine s;
    const std::vector<double> x(70, 1.0);
    std::vector<double> y(70);
    for (int i = 0; i < 70; ++i) {
        y[static_cast<std::size_t>(i)] = i - 10;
    }
    s.AddXYArrays(x.data(), y.data(), 0);
    EXPECT_EQ(s.Count(), 0);
    s.AddXYArrays(x.data(), y.data(), 70);
    EXPECT_EQ(s.Count(), 70);
    EXPECT_EQ(s.Capacity(), 32 + 32 * 3);
    double v = 0;
    ASSERT_TRUE(s.GetYMin(v));
    EXPECT_EQ(v, -10);
    const double more[] = {-50, 500};
    s.AddXYArrays(more, more, 2);
    ASSERT_TRUE(s.GetXMin(v));
    EXPECT_EQ(v, -50);
    ASSERT_TRUE(s.GetYMax(v));
    EXPECT_EQ(v, 500);
}

TEST(XYSeriesExtremes, FirstPointSetsAllAndDeletingTheMinimumRecomputes)
{
    Tsp_XYLine s;
    double v = 0;
    EXPECT_FALSE(s.GetXMin(v));
    s.AddXY(5, -3);
    ASSERT_TRUE(s.GetXMin(v));
    EXPECT_EQ(v, 5);
    ASSERT_TRUE(s.GetYMax(v));
    EXPECT_EQ(v, -3);
    s.AddXY(2, 7);
    s.AddXY(9, 1);
    ASSERT_TRUE(s.GetXMin(v));
    EXPECT_EQ(v, 2);
    s.Delete(1);
    ASSERT_TRUE(s.GetXMin(v));
    EXPECT_EQ(v, 5);
    ASSERT_TRUE(s.GetYMax(v));
    EXPECT_EQ(v, 1);
    s.ReplaceXY(0, 20, 0);
    ASSERT_TRUE(s.GetXMax(v));
    EXPECT_EQ(v, 20);
    s.Clear();
    EXPECT_FALSE(s.GetYMin(v));
    s.AddXY(-1, -1);
    ASSERT_TRUE(s.GetXMax(v));
    EXPECT_EQ(v, -1);
}

// A history capped by dropping its oldest point per sample, as a watcher's graph is: the points must
// survive the arrays being compacted, and the extremes must follow the window, also after edits in
// the middle that make them be recomputed.
TEST(XYSeriesHistory, CappedHistoryKeepsItsPointsAndExtremes)
{
    constexpr std::size_t Cap = 1000;
    Tsp_XYLine s;
    std::deque<std::pair<double, double>> model;
    std::uint32_t noise = 12345;
    const auto check = [&](int step) {
        ASSERT_EQ(static_cast<std::size_t>(s.Count()), model.size()) << "step " << step;
        double v = 0;
        const auto [yLow, yHigh] = std::minmax_element(model.begin(), model.end(),
                                                      [](const auto &a, const auto &b) { return a.second < b.second; });
        ASSERT_TRUE(s.GetYMin(v));
        ASSERT_EQ(v, yLow->second) << "step " << step;
        ASSERT_TRUE(s.GetYMax(v));
        ASSERT_EQ(v, yHigh->second) << "step " << step;
        ASSERT_TRUE(s.GetXMin(v));
        ASSERT_EQ(v, model.front().first) << "step " << step;
        ASSERT_TRUE(s.GetXMax(v));
        ASSERT_EQ(v, model.back().first) << "step " << step;
    };
    for (int step = 0; step < 12000; ++step) {
        noise = noise * 1664525u + 1013904223u;
        // Noise, then a long climb, then a long fall: each extreme in turn is the oldest point.
        const double y = step < 4000 ? static_cast<double>(noise >> 24) : step < 8000 ? step : 20000.0 - step;
        s.AddXY(step, y);
        model.emplace_back(step, y);
        if (model.size() > Cap) {
            s.Delete(0);
            model.pop_front();
        }
        if (step % 1500 == 700) {
            s.ReplaceXY(300, model[300].first, -1.0 - step);
            model[300].second = -1.0 - step;
        }
        if (step % 2500 == 1200) {
            s.Delete(10);
            model.erase(model.begin() + 10);
        }
        if (step % 37 == 0) {
            check(step);
        }
    }
    check(12000);
    for (std::size_t i = 0; i < model.size(); ++i) {
        ASSERT_EQ(s.GetX(static_cast<int>(i)), model[i].first);
        ASSERT_EQ(s.GetY(static_cast<int>(i)), model[i].second);
    }
}

TEST(XYSeriesEdit, OutOfRangeIndicesChangeNothing)
{
    CountingPlot plot;
    Tsp_XYLine s;
    s.SetPlot(&plot);
    Fill(s, 5);
    const int requests = plot.Requests();
    s.Delete(5);
    s.Delete(-1);
    s.ReplaceXY(5, 0, 0);
    s.InsertXY(6, 0, 0);
    s.InsertXY(-1, 0, 0);
    s.DeleteRange(5, 9);
    s.DeleteRange(-2, 1);
    EXPECT_EQ(s.Count(), 5);
    EXPECT_EQ(plot.Requests(), requests);
}

TEST(XYSeriesEdit, InsertShiftsAndAtCountAppends)
{
    Tsp_XYLine s;
    Fill(s, 3);
    s.InsertXY(1, 0.5, 0);
    EXPECT_EQ(Xs(s), (std::vector<double>{0, 0.5, 1, 2}));
    s.InsertXY(4, 9, 0);
    EXPECT_EQ(Xs(s), (std::vector<double>{0, 0.5, 1, 2, 9}));
    EXPECT_TRUE(s.SortedX());
    s.InsertXY(0, 50, 0);
    EXPECT_FALSE(s.SortedX());
    double v = 0;
    ASSERT_TRUE(s.GetXMax(v));
    EXPECT_EQ(v, 50);
}

TEST(XYSeriesEdit, DeleteRangeSwapsAndStopsAtTheEnd)
{
    CountingPlot plot;
    Tsp_XYLine a;
    Tsp_XYLine b;
    Fill(a, 10);
    Fill(b, 10);
    a.DeleteRange(5, 2);
    b.DeleteRange(2, 5);
    EXPECT_EQ(Xs(a), (std::vector<double>{0, 1, 6, 7, 8, 9}));
    EXPECT_EQ(Xs(a), Xs(b));
    a.SetPlot(&plot);
    const int requests = plot.Requests();
    a.DeleteRange(2, a.Count() + 10);
    EXPECT_EQ(Xs(a), (std::vector<double>{0, 1}));
    EXPECT_GT(plot.Requests(), requests);
    EXPECT_EQ(a.Capacity(), 32);
}

TEST(XYSeriesNotify, LockSuppressesAndUnlockNotifiesOnce)
{
    CountingPlot plot;
    Tsp_XYLine s;
    s.SetPlot(&plot);
    plot.LeftAxis().SetAutoMin(true);
    plot.LeftAxis().SetAutoMax(true);
    s.AddXY(0, 0);
    s.AddXY(1, 10);
    const double max = plot.LeftAxis().Max();
    s.SetLockInvalidate(true);
    const int requests = plot.Requests();
    s.AddXY(2, 1000);
    s.Delete(0);
    s.LineAttr().SetColor(RGBColor(1, 2, 3));
    EXPECT_EQ(plot.Requests(), requests);
    EXPECT_EQ(plot.LeftAxis().Max(), max);
    s.SetLockInvalidate(false);
    EXPECT_EQ(plot.Requests(), requests + 1);
    EXPECT_DOUBLE_EQ(plot.LeftAxis().Max(), 1000 + (1000 - 10) * 0.025);
}

TEST(XYSeriesNotify, SameLineColourStillRedrawsAndInactiveSeriesStaysQuiet)
{
    CountingPlot plot;
    Tsp_XYLine s;
    s.SetPlot(&plot);
    const int parts = plot.parts;
    s.LineAttr().SetColor(s.LineAttr().Color());
    EXPECT_EQ(plot.parts, parts + 1);
    s.SetActive(false);
    const int requests = plot.Requests();
    s.AddXY(1, 1);
    s.LineAttr().SetColor(RGBColor(9, 9, 9));
    EXPECT_EQ(plot.Requests(), requests);
}

TEST(XYPointAttr, SizeAndBorderSetterRules)
{
    Tsp_PointAttr pa;
    int changes = 0;
    pa.SetOnChange([&changes](Tsp_PointAttr &) { ++changes; });
    EXPECT_EQ(pa.HSize(), 5);
    pa.SetHSize(4); // 4 div 2 is the current half width
    EXPECT_EQ(pa.HSize(), 5);
    EXPECT_EQ(changes, 0);
    pa.SetHSize(6);
    EXPECT_EQ(pa.HSize(), 7);
    EXPECT_EQ(pa.eHSize(), 3);
    EXPECT_EQ(pa.oHSize(), 4);
    EXPECT_EQ(changes, 1);
    pa.SetVSize(-8);
    EXPECT_EQ(pa.VSize(), 1);
    pa.SetVSize(5);
    pa.SetBorderWidth(10);
    EXPECT_EQ(pa.BorderWidth(), 2);
    pa.SetBorderWidth(-3);
    EXPECT_EQ(pa.BorderWidth(), 1);
    Tsp_PointAttr copy;
    copy.SetBorderWidth(2);
    copy.Assign(pa);
    EXPECT_EQ(copy.HSize(), 7);
    EXPECT_EQ(copy.BorderWidth(), 2) << "the border is not copied";
}

// A line plot over 0..10 × 0..10 without grid lines, drawn into an image.
struct LinePlot {
    LinePlot()
    {
        plot.LeftAxis().SetMinMax(0, 10);
        plot.BottomAxis().SetMinMax(0, 10);
        plot.LeftAxis().GridAttr().SetVisible(false);
        plot.BottomAxis().GridAttr().SetVisible(false);
        line.LineAttr().SetColor(RGBColor(255, 0, 0));
        line.SetPlot(&plot);
    }
    QImage Draw() { return Render(plot, 300, 200); }
    int Count(const QImage &image, QRgb color) const { return CountIn(image, color, 0, 0, image.width(), image.height()); }
    // Pixels of `color` in columns x0 … x1 − 1 and rows y0 … y1 − 1.
    static int CountIn(const QImage &image, QRgb color, int x0, int y0, int x1, int y1)
    {
        int n = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                n += image.pixel(x, y) == color ? 1 : 0;
            }
        }
        return n;
    }

    Tsp_XYPlot plot;
    Tsp_XYLine line;
};

TEST(XYLineDraw, SegmentWithBothEndsFarIsSkipped)
{
    LinePlot p;
    p.line.AddXY(-1e6, 5);
    p.line.AddXY(1e6, 5);
    EXPECT_EQ(p.Count(p.Draw(), 0xFFFF0000), 0);
    p.line.ReplaceXY(0, 5, 5);
    EXPECT_GT(p.Count(p.Draw(), 0xFFFF0000), 50);
}

TEST(XYLineDraw, RectangleMarkerBoxAndCustomKind)
{
    LinePlot p;
    p.line.LineAttr().SetVisible(false);
    p.line.PointAttr().SetVisible(true);
    p.line.PointAttr().SetColor(RGBColor(0, 255, 0));
    p.line.AddXY(5, 5);
    QImage image = p.Draw();
    const int x = p.plot.BottomAxis().V2P(5);
    const int y = p.plot.LeftAxis().V2P(5);
    // Columns x − 2 … x + 2: outline black, inside the brush.
    EXPECT_EQ(image.pixel(x, y), 0xFF00FF00u);
    EXPECT_EQ(image.pixel(x - 2, y), 0xFF000000u);
    EXPECT_EQ(image.pixel(x + 2, y), 0xFF000000u);
    EXPECT_EQ(image.pixel(x, y - 2), 0xFF000000u);
    EXPECT_EQ(image.pixel(x, y + 2), 0xFF000000u);
    EXPECT_EQ(image.pixel(x + 3, y), 0xFFFFFFFFu);
    EXPECT_EQ(image.pixel(x - 3, y), 0xFFFFFFFFu);
    EXPECT_EQ(LinePlot::CountIn(image, 0xFF000000, x - 6, y - 6, x + 7, y + 7), 16);

    p.line.PointAttr().SetKind(TPointKind::ptCustom);
    image = p.Draw();
    EXPECT_EQ(p.Count(image, 0xFF00FF00), 0) << "no handler, no marker";
    std::vector<double> seen;
    p.line.OnDrawCustomPoint = [&seen](Tsp_XYLine &, double xv, double yv, int px, int py) {
        seen = {xv, yv, static_cast<double>(px), static_cast<double>(py)};
    };
    p.Draw();
    EXPECT_EQ(seen, (std::vector<double>{5, 5, static_cast<double>(x), static_cast<double>(y)}));
}

TEST(XYLineDraw, EachMarkerKindDrawsAroundThePoint)
{
    for (TPointKind kind : {TPointKind::ptEllipse, TPointKind::ptDiamond, TPointKind::ptCross, TPointKind::ptTriangle,
                            TPointKind::ptDownTriangle}) {
        LinePlot p;
        p.line.LineAttr().SetVisible(false);
        p.line.PointAttr().SetVisible(true);
        p.line.PointAttr().SetHSize(9);
        p.line.PointAttr().SetVSize(9);
        p.line.PointAttr().SetKind(kind);
        p.line.AddXY(5, 5);
        const QImage image = p.Draw();
        const int x = p.plot.BottomAxis().V2P(5);
        const int y = p.plot.LeftAxis().V2P(5);
        int inked = 0;
        for (int dy = -6; dy <= 6; ++dy) {
            for (int dx = -6; dx <= 6; ++dx) {
                const bool ink = image.pixel(x + dx, y + dy) == 0xFF000000;
                inked += ink ? 1 : 0;
                if (ink) {
                    EXPECT_TRUE(dx >= -4 && dx <= 5 && dy >= -4 && dy <= 5) << static_cast<int>(kind);
                }
            }
        }
        EXPECT_GT(inked, 6) << static_cast<int>(kind);
    }
}

TEST(XYLineDraw, LegendMarkerLineAndPoint)
{
    Tsp_XYLine line;
    line.LineAttr().SetColor(RGBColor(255, 0, 0));
    line.PointAttr().SetVisible(true);
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        line.DrawLegendMarker(painter, Tsp_Rect{0, 0, 40, 20});
    }
    EXPECT_FALSE(line.DrawingLegendMarker());
    EXPECT_EQ(image.pixel(1, 10), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(0, 10), 0xFFFFFFFFu);
    EXPECT_EQ(image.pixel(20, 10), 0xFFFFFFFFu) << "the marker's inside is drawn over the line";
    EXPECT_EQ(image.pixel(18, 10), 0xFF000000u);
}

// Every segment drawn the plain way, with the series' pen, clipped to the field.
QImage DrawAllSegments(Tsp_XYPlot &plot, const Tsp_XYLine &line, QImage background)
{
    QPainter painter(&background);
    const Tsp_Rect fr = plot.FieldRect();
    painter.setClipRect(QRect(fr.Left, fr.Top, fr.Width(), fr.Height()));
    QPen pen;
    line.LineAttr().SetPenAttr(pen);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    const Tsp_Axis &xa = plot.BottomAxis();
    const Tsp_Axis &ya = plot.LeftAxis();
    for (int i = 1; i < line.Count(); ++i) {
        const int x0 = xa.V2P(line.GetX(i - 1));
        const int y0 = ya.V2P(line.GetY(i - 1));
        const int x1 = xa.V2P(line.GetX(i));
        const int y1 = ya.V2P(line.GetY(i));
        const bool far0 = x0 < -16000 || x0 > 16000 || y0 < -16000 || y0 > 16000;
        const bool far1 = x1 < -16000 || x1 > 16000 || y1 < -16000 || y1 > 16000;
        if (far0 && far1) {
            continue;
        }
        if (y0 == y1 && x0 != x1) {
            painter.drawLine(std::min(x0, x1 - (x1 > x0 ? 1 : -1)), y0, std::max(x0, x1 - (x1 > x0 ? 1 : -1)) + 1, y0);
        } else if (x0 == x1 && y0 != y1) {
            painter.drawLine(x0, std::min(y0, y1 - (y1 > y0 ? 1 : -1)), x0, std::max(y0, y1 - (y1 > y0 ? 1 : -1)) + 1);
        } else if (x0 != x1) {
            painter.drawLine(x0, y0, x1, y1);
        }
    }
    return background;
}

TEST(XYLineDraw, LongSortedHistoryDrawsTheSamePixelsAsDrawingItAll)
{
    for (bool sorted : {true, false}) {
        LinePlot p;
        p.line.LineAttr().SetWidth(2);
        const int n = 20000;
        std::vector<double> x(n);
        std::vector<double> y(n);
        for (int i = 0; i < n; ++i) {
            x[static_cast<std::size_t>(i)] = i;
            y[static_cast<std::size_t>(i)] = (i * 37) % 11;
        }
        if (!sorted) {
            std::swap(x[10], x[11]);
        }
        p.line.AddXYArrays(x.data(), y.data(), n);
        ASSERT_EQ(p.line.SortedX(), sorted);
        p.plot.BottomAxis().SetMinMax(n - 300.5, n - 1);
        // Labels on the time axis would make the layout depend on the previous arrangement.
        p.plot.BottomAxis().SetNoTicksLabel(true);
        const QImage drawn = p.Draw();
        ASSERT_GT(p.Count(drawn, 0xFFFF0000), 300);
        // The same plot without the series, then every segment on top of it.
        p.line.SetActive(false);
        const QImage reference = DrawAllSegments(p.plot, p.line, p.Draw());
        EXPECT_EQ(drawn, reference) << (sorted ? "sorted: " : "unsorted: ") << FirstDifference(drawn, reference)
                                     << " field " << p.plot.FieldRect().Left << "," << p.plot.FieldRect().Top;
    }
}

TEST(XYLineQuickAdd, DrawsTheNewestSegmentIntoTheBuffer)
{
    LinePlot p;
    p.plot.resize(300, 200);
    p.plot.SetBufferedDisplay(true);
    ASSERT_TRUE(p.plot.BufferedDisplay()) << "no off-screen buffer could be allocated";
    p.line.AddXY(1, 5);
    p.plot.grab();
    ASSERT_TRUE(p.plot.ValidFieldBuffer());
    p.plot.LeftAxis().SetAutoMax(true); // a quick append re-ranges nothing
    const double max = p.plot.LeftAxis().Max();
    const QImage before = p.plot.grab().toImage();
    p.line.QuickAddXY(9, 5.1);
    EXPECT_EQ(p.plot.LeftAxis().Max(), max);
    EXPECT_TRUE(p.plot.ValidFieldBuffer());
    const QImage quick = p.plot.grab().toImage();
    EXPECT_GT(LinePlot::CountIn(quick, 0xFFFF0000, 0, 0, quick.width(), quick.height()), 100);
    EXPECT_NE(quick, before);
    p.plot.Invalidate();
    EXPECT_EQ(p.plot.grab().toImage(), quick) << "the quick segment equals a full redraw";
}

} // namespace

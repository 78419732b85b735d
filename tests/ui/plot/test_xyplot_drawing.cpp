#include "PlotTesting.h"
#include "Tsp_MemBitmap.h"
#include "Tsp_XYLine.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPalette>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

const TColor plotColor = RGBColor(200, 180, 40);

bool Untouched(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != sentinel) {
                return false;
            }
        }
    }
    return true;
}

TEST(XYPlotDrawPlot, TargetsBelowTenPixelsAreIgnored)
{
    Tsp_XYPlot plot;
    EXPECT_TRUE(Untouched(Render(plot, 9, 50)));
    EXPECT_TRUE(Untouched(Render(plot, 50, 9)));
    EXPECT_FALSE(Untouched(Render(plot, 10, 10)));
    plot.DrawPlot(nullptr, 100, 100);
    EXPECT_FALSE(plot.ValidArrangement());
}

TEST(XYPlotDrawPlot, LeavesTheArrangementForTheNextPaint)
{
    Tsp_XYPlot plot;
    plot.resize(300, 200);
    Render(plot, 500, 400);
    EXPECT_FALSE(plot.ValidArrangement());
    EXPECT_EQ(plot.DWidth(), 300);
    EXPECT_EQ(plot.DHeight(), 200);
    EXPECT_EQ(plot.DCanvas(), nullptr);
    // The field was laid out for the other target.
    EXPECT_GT(plot.FieldRect().Right, 300);
}

TEST(XYPlotArrange, TooSmallTargetKeepsAThreeByThreeField)
{
    Tsp_XYPlot plot;
    Render(plot, 12, 12);
    const Tsp_Rect fr = plot.FieldRect();
    EXPECT_EQ(fr.Width(), 3);
    EXPECT_EQ(fr.Height(), 3);
    // The axis lines follow the field.
    EXPECT_EQ(plot.LeftAxis().OX(), fr.Left - 1);
    EXPECT_EQ(plot.LeftAxis().OY(), fr.Bottom - 1);
    EXPECT_EQ(plot.LeftAxis().Len(), 2);
    EXPECT_EQ(plot.BottomAxis().OX(), fr.Left);
    EXPECT_EQ(plot.BottomAxis().OY(), fr.Bottom);
    EXPECT_EQ(plot.RightAxis().OX(), fr.Right);
    EXPECT_EQ(plot.TopAxis().OY(), fr.Top - 1);
}

TEST(XYPlotArrange, MarginsAndBandsShrinkTheField)
{
    Tsp_XYPlot plot;
    Render(plot, 300, 200);
    const Tsp_Rect before = plot.FieldRect();
    plot.RightAxis().SetMargin(24);
    Render(plot, 300, 200);
    EXPECT_EQ(plot.FieldRect().Right, before.Right - 20);
    EXPECT_EQ(plot.FieldRect().Left, before.Left);
    // The left axis has labels: its band is wider than its margin.
    EXPECT_GT(before.Left, plot.LeftAxis().Margin() + 5);
}

// Expected colour of a ring pixel: ring 0 or 1, side 'l', 't', 'r', 'b'.
using RingColor = std::function<QRgb(int ring, char side)>;

struct FrameRow {
    std::string name;
    Tsp_BorderStyle style;
    RingColor expected;
};

QRgb Highlight() { return ToQColor(clBtnHighlight).rgb(); }
QRgb Shadow() { return ToQColor(clBtnShadow).rgb(); }
QRgb Own() { return ToQColor(plotColor).rgb(); }
constexpr QRgb black = 0xFF000000;

bool LeftOrTop(char side) { return side == 'l' || side == 't'; }

class XYPlotFrame : public testing::TestWithParam<FrameRow> {};

TEST_P(XYPlotFrame, CoversTheTwoOuterRings)
{
    ASSERT_NE(Highlight(), Shadow()) << "the palette gives no distinct 3-D colours";
    Tsp_XYPlot plot;
    plot.SetColor(plotColor);
    plot.SetBorderStyle(GetParam().style);
    const int w = 120;
    const int h = 90;
    const QImage image = Render(plot, w, h);
    for (int ring = 0; ring < 2; ++ring) {
        // Middle pixels of each side, away from the corners.
        const struct {
            char side;
            int x;
            int y;
        } probes[] = {{'l', ring, h / 2}, {'t', w / 2, ring}, {'r', w - 1 - ring, h / 2}, {'b', w / 2, h - 1 - ring}};
        for (const auto &p : probes) {
            EXPECT_EQ(image.pixel(p.x, p.y), GetParam().expected(ring, p.side)) << "ring " << ring << " side " << p.side;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Styles, XYPlotFrame,
    testing::Values(
        FrameRow{"None", Tsp_BorderStyle::bs_None, [](int, char) { return Own(); }},
        FrameRow{"Raised", Tsp_BorderStyle::bs_Raised,
                 [](int ring, char side) { return ring == 1 ? Own() : LeftOrTop(side) ? Highlight() : Shadow(); }},
        FrameRow{"Lowered", Tsp_BorderStyle::bs_Lowered,
                 [](int ring, char side) { return ring == 1 ? Own() : LeftOrTop(side) ? Shadow() : Highlight(); }},
        FrameRow{"Gutter", Tsp_BorderStyle::bs_Gutter,
                 [](int ring, char side) {
                     const bool lt = LeftOrTop(side);
                     return ring == 0 ? (lt ? Shadow() : Highlight()) : (lt ? Highlight() : Shadow());
                 }},
        FrameRow{"BlackRect", Tsp_BorderStyle::bs_BlackRect,
                 [](int ring, char) { return ring == 0 ? black : Own(); }},
        FrameRow{"BoldRect", Tsp_BorderStyle::bs_BoldRect, [](int, char) { return black; }}),
    [](const testing::TestParamInfo<FrameRow> &row) { return row.param.name; });

TEST(XYPlotFrameFocus, DotsBlackOnWhiteAroundBothRings)
{
    Tsp_XYPlot plot;
    plot.SetColor(plotColor);
    plot.SetBorderStyle(Tsp_BorderStyle::bs_FocusRect);
    const int w = 60;
    const int h = 40;
    const QImage image = Render(plot, w, h);
    int blacks = 0;
    int whites = 0;
    for (int ring = 0; ring < 2; ++ring) {
        for (int x = ring; x < w - ring; ++x) {
            for (int y = ring; y < h - ring; ++y) {
                const bool onRing = x == ring || y == ring || x == w - 1 - ring || y == h - 1 - ring;
                // The two polylines leave three outer corner pixels out.
                const bool openCorner = (x == w - 1 && y == 0) || (x == 0 && y == h - 1) || (x == w - 1 && y == h - 1);
                if (!onRing || openCorner) {
                    continue;
                }
                const QRgb c = image.pixel(x, y);
                ASSERT_TRUE(c == black || c == 0xFFFFFFFF) << x << "," << y;
                (c == black ? blacks : whites)++;
            }
        }
    }
    EXPECT_GT(blacks, 50);
    EXPECT_GT(whites, 50);
}

// The rows (vertical axis) or columns (horizontal axis) where a grid line in `color` lies.
std::vector<int> GridLines(const QImage &image, const Tsp_Rect &fr, bool rows, QRgb color)
{
    std::vector<int> found;
    if (rows) {
        for (int y = fr.Top; y < fr.Bottom; ++y) {
            if (image.pixel((fr.Left + fr.Right) / 2, y) == color) {
                found.push_back(y);
            }
        }
    } else {
        for (int x = fr.Left; x < fr.Right; ++x) {
            if (image.pixel(x, (fr.Top + fr.Bottom) / 2) == color) {
                found.push_back(x);
            }
        }
    }
    return found;
}

TEST(XYPlotGrid, NoLinesOnTheFieldsEdgeRowsAndColumns)
{
    Tsp_XYPlot plot;
    plot.LeftAxis().SetMinMax(0, 10);
    plot.BottomAxis().SetMinMax(0, 10);
    plot.LeftAxis().GridAttr().SetColor(RGBColor(255, 0, 0));
    plot.BottomAxis().GridAttr().SetColor(RGBColor(0, 0, 255));
    const QImage image = Render(plot, 300, 200);
    const Tsp_Rect fr = plot.FieldRect();

    std::vector<int> expectedRows;
    bool onTop = false;
    bool onBottom = false;
    for (int i = 0; i < plot.LeftAxis().TicksLaidOut(); ++i) {
        const int p = plot.LeftAxis().TickPos(i);
        onTop = onTop || p == fr.Top;
        onBottom = onBottom || p == fr.Bottom - 1;
        if (fr.Top < p && p < fr.Bottom - 1) {
            expectedRows.push_back(p);
        }
    }
    ASSERT_TRUE(onTop && onBottom) << "the range 0..10 should put ticks on both edge rows";
    ASSERT_FALSE(expectedRows.empty());
    std::sort(expectedRows.begin(), expectedRows.end());
    EXPECT_EQ(GridLines(image, fr, true, 0xFFFF0000), expectedRows);

    std::vector<int> expectedColumns;
    bool onLeft = false;
    bool onRight = false;
    for (int i = 0; i < plot.BottomAxis().TicksLaidOut(); ++i) {
        const int p = plot.BottomAxis().TickPos(i);
        onLeft = onLeft || p == fr.Left;
        onRight = onRight || p == fr.Right - 1;
        if (fr.Left < p && p < fr.Right - 1) {
            expectedColumns.push_back(p);
        }
    }
    ASSERT_TRUE(onLeft && onRight);
    std::sort(expectedColumns.begin(), expectedColumns.end());
    EXPECT_EQ(GridLines(image, fr, false, 0xFF0000FF), expectedColumns);
}

TEST(XYPlotField, SeriesAreClippedToTheField)
{
    Tsp_XYPlot plot;
    plot.LeftAxis().SetMinMax(0, 10);
    plot.BottomAxis().SetMinMax(0, 10);
    plot.LeftAxis().GridAttr().SetVisible(false);
    plot.BottomAxis().GridAttr().SetVisible(false);
    Tsp_XYLine line;
    line.LineAttr().SetColor(RGBColor(255, 0, 0));
    line.SetPlot(&plot);
    // Across the whole width beyond both sides, then far above the top.
    line.AddXY(-5, 5);
    line.AddXY(15, 5);
    line.AddXY(5, 40);
    const QImage image = Render(plot, 300, 200);
    const Tsp_Rect fr = plot.FieldRect();
    const int row = plot.LeftAxis().V2P(5);
    int inside = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != 0xFFFF0000) {
                continue;
            }
            ASSERT_TRUE(fr.Contains(x, y)) << x << "," << y;
            inside += y == row ? 1 : 0;
        }
    }
    EXPECT_EQ(inside, fr.Width());
}

TEST(XYPlotField, NoneFieldColourLeavesTheFieldUnpainted)
{
    Tsp_XYPlot plot;
    plot.LeftAxis().GridAttr().SetVisible(false);
    plot.BottomAxis().GridAttr().SetVisible(false);
    plot.SetFieldColor(clNone);
    const QImage image = Render(plot, 200, 150);
    const Tsp_Rect fr = plot.FieldRect();
    EXPECT_EQ(image.pixel((fr.Left + fr.Right) / 2, (fr.Top + fr.Bottom) / 2), sentinel);
    plot.SetFieldColor(clWhite);
    const QImage white = Render(plot, 200, 150);
    EXPECT_EQ(white.pixel((fr.Left + fr.Right) / 2, (fr.Top + fr.Bottom) / 2), 0xFFFFFFFFu);
}

TEST(XYPlotField, FieldDrawEventRunsAfterTheBackgroundAndBeforeTheEnd)
{
    Tsp_XYPlot plot;
    std::vector<std::string> order;
    plot.OnFieldDraw = [&order](Tsp_XYPlot &sender) {
        ASSERT_NE(sender.DCanvas(), nullptr);
        order.push_back("field");
    };
    plot.OnDrawEnd = [&order](Tsp_XYPlot &) { order.push_back("end"); };
    Render(plot, 100, 100);
    EXPECT_EQ(order, (std::vector<std::string>{"field", "end"}));
}

TEST(XYPlotBuffer, PaintsOnlyTheInvalidPartsAndKeepsThePicture)
{
    CountingPlot plot;
    plot.resize(240, 160);
    plot.SetBufferedDisplay(true);
    ASSERT_TRUE(plot.BufferedDisplay()) << "no off-screen buffer could be allocated";
    int fieldDraws = 0;
    plot.OnFieldDraw = [&fieldDraws](Tsp_XYPlot &) { ++fieldDraws; };
    const QImage first = plot.grab().toImage();
    EXPECT_EQ(fieldDraws, 1);
    EXPECT_TRUE(plot.ValidArrangement() && plot.ValidAroundBuffer() && plot.ValidFieldBuffer());
    const QImage second = plot.grab().toImage();
    EXPECT_EQ(fieldDraws, 1) << "a valid buffer is copied, not redrawn";
    EXPECT_EQ(first, second);
    plot.SetFieldColor(RGBColor(0, 128, 0));
    EXPECT_FALSE(plot.ValidFieldBuffer());
    EXPECT_TRUE(plot.ValidAroundBuffer());
    const QImage third = plot.grab().toImage();
    EXPECT_EQ(fieldDraws, 2);
    const Tsp_Rect fr = plot.FieldRect();
    EXPECT_EQ(third.pixel(fr.Left + 1, fr.Top + 1), 0xFF008000u);
}

TEST(XYPlotBuffer, UnbufferedAndBufferedPaintsAgree)
{
    Tsp_XYPlot plot;
    plot.resize(240, 160);
    plot.SetBorderStyle(Tsp_BorderStyle::bs_Lowered);
    Tsp_XYLine line;
    line.SetPlot(&plot);
    line.AddXY(1, 1);
    line.AddXY(3, 8);
    const QImage direct = plot.grab().toImage();
    plot.SetBufferedDisplay(true);
    ASSERT_TRUE(plot.BufferedDisplay());
    EXPECT_EQ(plot.grab().toImage(), direct);
    EXPECT_EQ(Render(plot, 240, 160), direct.convertToFormat(QImage::Format_RGB32));
}

TEST(XYPlotClipboard, BitmapAndVectorPicture)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        GTEST_SKIP() << "the platform offers no clipboard";
    }
    Tsp_XYPlot plot;
    plot.resize(200, 120);
    plot.CopyToClipboardBitmap();
    const QImage image = clipboard->image();
    if (image.isNull()) {
        GTEST_SKIP() << "the platform's clipboard keeps no images";
    }
    EXPECT_EQ(image.size(), QSize(200, 120));
    EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32), Render(plot, 200, 120));
    plot.CopyToClipboardMetafile();
    const QMimeData *mime = clipboard->mimeData();
    ASSERT_NE(mime, nullptr);
    const QByteArray svg = mime->data(QStringLiteral("image/svg+xml"));
    EXPECT_TRUE(svg.contains("<svg")) << svg.left(200).toStdString();
}

} // namespace

namespace {

TEST(XYPlotBuffer, FailedAllocationDrawsDirectly)
{
    Tsp_XYPlot plot;
    plot.resize(0, 0);
    plot.SetBufferedDisplay(true);
    EXPECT_FALSE(plot.BufferedDisplay());
    plot.resize(200, 100);
    plot.SetBufferedDisplay(true);
    ASSERT_TRUE(plot.BufferedDisplay());
    EXPECT_FALSE(plot.Buffer()->Lost());
    const QImage direct = Render(plot, 200, 100);
    EXPECT_EQ(plot.grab().toImage().convertToFormat(QImage::Format_RGB32), direct);
    // A paint at a new size recreates the buffer.
    plot.resize(220, 120);
    plot.grab();
    EXPECT_EQ(plot.Buffer()->Width(), 220);
    EXPECT_TRUE(plot.Buffer()->Lost());
    plot.SetBufferedDisplay(false);
    EXPECT_EQ(plot.Buffer(), nullptr);
}

} // namespace

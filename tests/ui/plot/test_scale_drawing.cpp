#include "Tsp_Axis.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRect>

#include <vector>

namespace {

using namespace Tsp_ScaleFlags;

constexpr QRgb white = 0xFFFFFFFF;

QImage Blank()
{
    QImage image(240, 160, QImage::Format_RGB32);
    image.fill(white);
    return image;
}

bool Ink(const QImage &image, int x, int y)
{
    return image.pixel(x, y) != white;
}

// Columns [x0, x1) of row y all inked, and the pixels just outside not.
void ExpectRow(const QImage &image, int y, int x0, int x1)
{
    for (int x = x0; x < x1; ++x) {
        ASSERT_TRUE(Ink(image, x, y)) << "x " << x << " y " << y;
    }
    EXPECT_FALSE(Ink(image, x0 - 1, y)) << "before the start, y " << y;
    EXPECT_FALSE(Ink(image, x1, y)) << "the end point, y " << y;
}

void ExpectColumn(const QImage &image, int x, int y0, int y1)
{
    for (int y = y0; y < y1; ++y) {
        ASSERT_TRUE(Ink(image, x, y)) << "x " << x << " y " << y;
    }
    EXPECT_FALSE(Ink(image, x, y0 - 1)) << "before the start, x " << x;
    EXPECT_FALSE(Ink(image, x, y1)) << "the end point, x " << x;
}

TEST(ScaleDrawing, HorizontalThickLineGrowsAwayFromTheField)
{
    QImage image = Blank();
    Tsp_Axis a(0);
    a.SetLine(20, 50, 100);
    a.LineAttr().SetWidth(2);
    {
        QPainter p(&image);
        a.DrawLine(p, 3, 2);
    }
    ExpectRow(image, 50, 17, 123);
    ExpectRow(image, 51, 17, 123);
    EXPECT_FALSE(Ink(image, 20, 49));
    EXPECT_FALSE(Ink(image, 20, 52));

    QImage far = Blank();
    Tsp_Axis top(FarSide);
    top.SetLine(20, 50, 100);
    top.LineAttr().SetWidth(2);
    top.LineAttr().SetColor(RGBColor(255, 0, 0));
    {
        QPainter p(&far);
        top.DrawLine(p, 0, 0);
    }
    ExpectRow(far, 50, 20, 121);
    ExpectRow(far, 49, 20, 121);
    EXPECT_FALSE(Ink(far, 20, 51));
    EXPECT_EQ(far.pixel(30, 49), qRgb(255, 0, 0));
}

TEST(ScaleDrawing, VerticalLineCoversOriginAndExtensions)
{
    QImage image = Blank();
    Tsp_Axis a(Vertical);
    a.SetLine(50, 90, 60);
    a.LineAttr().SetWidth(2);
    {
        QPainter p(&image);
        a.DrawLine(p, 3, 2);
    }
    ExpectColumn(image, 50, 28, 94);
    ExpectColumn(image, 49, 28, 94);
    EXPECT_FALSE(Ink(image, 51, 60));
    EXPECT_FALSE(Ink(image, 48, 60));

    QImage right = Blank();
    Tsp_Axis r(Vertical | FarSide);
    r.SetLine(50, 90, 60);
    r.LineAttr().SetWidth(2);
    {
        QPainter p(&right);
        r.DrawLine(p, 0, 0);
    }
    ExpectColumn(right, 50, 30, 91);
    ExpectColumn(right, 51, 30, 91);
    EXPECT_FALSE(Ink(right, 49, 60));
}

TEST(ScaleDrawing, InvisibleLineDrawsNothing)
{
    QImage image = Blank();
    Tsp_Axis a(0);
    a.SetLine(20, 50, 100);
    a.LineAttr().SetVisible(false);
    {
        QPainter p(&image);
        a.DrawLine(p, 0, 0);
    }
    EXPECT_EQ(image, Blank());
}

class ScaleTicks : public testing::Test {
protected:
    void SetUp() override
    {
        if (QFontDatabase::families().isEmpty()) {
            GTEST_SKIP() << "no font is installed for the offscreen platform (install fonts-dejavu-core)";
        }
        font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        font.setPixelSize(12);
        font.setStyleStrategy(QFont::NoAntialias);
    }

    // Every inked pixel outside the marks lies in one of the boxes, and every box has ink.
    void ExpectInkOnlyInBoxes(const QImage &image, const std::vector<QRect> &boxes, const QRect &marks)
    {
        for (const QRect &box : boxes) {
            bool inked = false;
            for (int y = box.top(); y <= box.bottom() && !inked; ++y) {
                for (int x = box.left(); x <= box.right() && !inked; ++x) {
                    inked = image.valid(x, y) && Ink(image, x, y);
                }
            }
            EXPECT_TRUE(inked) << "empty label box at " << box.x() << "," << box.y();
        }
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (!Ink(image, x, y) || marks.contains(x, y)) {
                    continue;
                }
                bool inBox = false;
                for (const QRect &box : boxes) {
                    inBox = inBox || box.contains(x, y);
                }
                ASSERT_TRUE(inBox) << "ink outside every label box at " << x << "," << y;
            }
        }
    }

    QFont font;
};

TEST_F(ScaleTicks, HorizontalMarksAndCentredLabelsBelowTheLine)
{
    QImage image = Blank();
    Tsp_Axis a(0);
    a.SetTicksCount(6);
    a.SetMinMax(0, 10);
    a.SetLine(20, 40, 100);
    a.LineAttr().SetWidth(2);
    {
        QPainter p(&image);
        p.setFont(font);
        a.DrawTicks(p);
    }
    const QFontMetrics metrics(font);
    std::vector<QRect> boxes;
    for (int i = 0; i < a.TicksCount(); ++i) {
        const int pos = 20 + 20 * i;
        ExpectColumn(image, pos, 42, 46); // from y + W to y + W + 4, end excluded
        const QString text = QString::number(2 * i);
        const int w = metrics.horizontalAdvance(text);
        boxes.emplace_back(pos - w / 2, 40 + 2 + 5, w, metrics.height());
    }
    ExpectInkOnlyInBoxes(image, boxes, QRect(20, 42, 101, 4));
}

TEST_F(ScaleTicks, FarSideHorizontalPutsLabelsAbove)
{
    QImage image = Blank();
    Tsp_Axis a(FarSide);
    a.SetTicksCount(3);
    a.SetMinMax(0, 10);
    a.SetLine(20, 80, 100);
    {
        QPainter p(&image);
        p.setFont(font);
        a.DrawTicks(p);
    }
    const QFontMetrics metrics(font);
    std::vector<QRect> boxes;
    const char *const labels[] = {"0", "5", "10"};
    for (int i = 0; i < a.TicksCount(); ++i) {
        const int pos = a.TickPos(i);
        ExpectColumn(image, pos, 76, 80); // from y − W up to y − W − 4, end excluded
        std::string label;
        a.GetTickLabel(i, label);
        ASSERT_EQ(label, labels[i]);
        const int w = metrics.horizontalAdvance(QString::fromStdString(label));
        boxes.emplace_back(pos - w / 2, 80 - 1 - 5 - metrics.height(), w, metrics.height());
    }
    ExpectInkOnlyInBoxes(image, boxes, QRect(20, 76, 101, 4));
}

TEST_F(ScaleTicks, VerticalLabelsEndBeforeTheMarksOrStartAfterThem)
{
    for (const bool far : {false, true}) {
        QImage image = Blank();
        Tsp_Axis a(Vertical | (far ? FarSide : 0u));
        a.SetTicksCount(6);
        a.SetMinMax(0, 1234.5);
        a.SetLine(120, 140, 120);
        a.LineAttr().SetWidth(3);
        {
            QPainter p(&image);
            p.setFont(font);
            a.DrawTicks(p);
        }
        const QFontMetrics metrics(font);
        std::vector<QRect> boxes;
        ASSERT_EQ(a.TicksCount(), 7);
        for (int i = 0; i < a.TicksCount(); ++i) {
            const int pos = a.TickPos(i);
            if (far) {
                ExpectRow(image, pos, 123, 127);
            } else {
                ExpectRow(image, pos, 114, 118); // from x − W leftward 4 pixels, end excluded
            }
            const QString text = QString::number(200 * i);
            const int w = metrics.horizontalAdvance(text);
            const int left = far ? 120 + 3 + 5 : 120 - 3 - 5 - w;
            boxes.emplace_back(left, pos - metrics.height() / 2, w, metrics.height());
        }
        const QRect marks = far ? QRect(123, 0, 4, 160) : QRect(114, 0, 4, 160);
        ExpectInkOnlyInBoxes(image, boxes, marks);
    }
}

TEST_F(ScaleTicks, NothingWithoutMarksAndLabels)
{
    QImage image = Blank();
    Tsp_Axis a(NoTicks | NoTicksLabel);
    a.SetLine(20, 40, 100);
    {
        QPainter p(&image);
        p.setFont(font);
        a.DrawTicks(p);
    }
    EXPECT_EQ(image, Blank());
}

} // namespace

#include "BarPixels.h"
#include "GradientFillRect.h"
#include "RowName.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

// The banding worked out again from its rules, with arithmetic of its own, so
// that the control's version is checked against something it does not share.
int RoundHalfToEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    const int whole = static_cast<int>(below);
    if (fraction > 0.5)
        return whole + 1;
    if (fraction < 0.5)
        return whole;
    return whole % 2 == 0 ? whole : whole + 1;
}

// Multiply, then divide rounding to nearest with halves away from zero.
int MulDivRounded(int a, int b, int c)
{
    const double q = static_cast<double>(a) * b / c;
    return static_cast<int>(q < 0 ? -std::floor(-q + 0.5) : std::floor(q + 0.5));
}

struct ExpectedBand {
    int Start;
    int End;  // exclusive
    int R, G, B;
};

bool Vertical(TGradientDirection d)
{
    return d == TGradientDirection::gdTopToBottom || d == TGradientDirection::gdBottomToTop;
}

std::vector<ExpectedBand> ExpectedBands(const QRect &rect, TColor from, TColor to, TGradientDirection d, int count)
{
    const bool reversed = d == TGradientDirection::gdBottomToTop || d == TGradientDirection::gdRightToLeft;
    const TColor base = reversed ? to : from;
    const TColor target = reversed ? from : to;
    const int edge = Vertical(d) ? rect.y() : rect.x();
    const int extent = Vertical(d) ? rect.height() : rect.width();
    const int steps = std::max(2, std::min(count, extent));
    const double size = static_cast<double>(extent) / steps;
    std::vector<ExpectedBand> bands;
    for (int i = 0; i < steps; ++i) {
        const int start = RoundHalfToEven(edge + i * size);
        const int end = std::min(RoundHalfToEven(start + size) + 1, edge + extent);
        bands.push_back({start, end,
                         GetRValue(base) + MulDivRounded(i, GetRValue(target) - GetRValue(base), steps),
                         GetGValue(base) + MulDivRounded(i, GetGValue(target) - GetGValue(base), steps),
                         GetBValue(base) + MulDivRounded(i, GetBValue(target) - GetBValue(base), steps)});
    }
    return bands;
}

struct BandRow {
    std::string name;
    QRect rect;
    TColor from;
    TColor to;
    TGradientDirection direction;
    int count;
};

class GradientBandRules : public testing::TestWithParam<BandRow> {};

constexpr TColor Untouched = 0xFF00FF;

TEST_P(GradientBandRules, BandsMatchTheRoundingAndOverlapRules)
{
    const BandRow &row = GetParam();
    const auto expected = ExpectedBands(row.rect, row.from, row.to, row.direction, row.count);
    const auto bands = GradientBands(row.rect, row.from, row.to, row.direction, row.count);
    ASSERT_EQ(bands.size(), expected.size());
    const bool vertical = Vertical(row.direction);
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const QRect &r = bands[i].Rect;
        EXPECT_EQ(vertical ? r.top() : r.left(), expected[i].Start) << "band " << i;
        EXPECT_EQ(vertical ? r.top() + r.height() : r.left() + r.width(), expected[i].End) << "band " << i;
        EXPECT_EQ(vertical ? r.left() : r.top(), vertical ? row.rect.left() : row.rect.top()) << "band " << i;
        EXPECT_EQ(vertical ? r.width() : r.height(), vertical ? row.rect.width() : row.rect.height()) << "band " << i;
        EXPECT_EQ(bands[i].Color, RGBColor(expected[i].R, expected[i].G, expected[i].B)) << "band " << i;
    }
}

TEST_P(GradientBandRules, PaintedPixelsShowTheLastBandOverEachLineAndNothingOutside)
{
    const BandRow &row = GetParam();
    const auto expected = ExpectedBands(row.rect, row.from, row.to, row.direction, row.count);
    QImage image(row.rect.right() + 3, row.rect.bottom() + 3, QImage::Format_ARGB32);
    image.fill(ToQColor(Untouched));
    {
        QPainter painter(&image);
        GradientFillRect(painter, row.rect, row.from, row.to, row.direction, row.count);
    }
    const bool vertical = Vertical(row.direction);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            TColor want = Untouched;
            if (row.rect.contains(x, y)) {
                const int line = vertical ? y : x;
                for (const ExpectedBand &band : expected)
                    if (line >= band.Start && line < band.End)
                        want = RGBColor(band.R, band.G, band.B);
            }
            ASSERT_EQ(PixelAt(image, x, y), want) << "pixel " << x << "," << y;
        }
    }
}

TEST_P(GradientBandRules, FarEdgeStopsOneStepShortOfTheTarget)
{
    const BandRow &row = GetParam();
    const auto bands = GradientBands(row.rect, row.from, row.to, row.direction, row.count);
    ASSERT_FALSE(bands.empty());
    const bool reversed =
        row.direction == TGradientDirection::gdBottomToTop || row.direction == TGradientDirection::gdRightToLeft;
    const TColor target = reversed ? row.from : row.to;
    const TColor base = reversed ? row.to : row.from;
    EXPECT_EQ(bands.front().Color, base);
    EXPECT_NE(bands.back().Color, target);
    const QRect &last = bands.back().Rect;
    if (Vertical(row.direction))
        EXPECT_EQ(last.top() + last.height(), row.rect.top() + row.rect.height());
    else
        EXPECT_EQ(last.left() + last.width(), row.rect.left() + row.rect.width());
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, GradientBandRules,
    testing::Values(
        BandRow{"seven_high_three_bands", QRect(0, 0, 4, 7), 0x10E040, 0xF02080, TGradientDirection::gdTopToBottom, 3},
        BandRow{"ten_high_four_bands_halves_to_even", QRect(2, 3, 5, 10), 0x000000, 0xFFFFFF,
                TGradientDirection::gdTopToBottom, 4},
        BandRow{"thirteen_wide_five_bands", QRect(1, 1, 13, 3), 0xFF8000, 0x0080FF, TGradientDirection::gdLeftToRight,
                5},
        BandRow{"right_to_left_six_bands", QRect(0, 0, 17, 2), 0x0A0B0C, 0xC8C9CA, TGradientDirection::gdRightToLeft,
                6},
        BandRow{"bottom_to_top_offset", QRect(0, 5, 3, 11), 0x336699, 0x996633, TGradientDirection::gdBottomToTop,
                255},
        BandRow{"wide_bar_of_255_bands", QRect(0, 0, 300, 1), 0x000000, 0x00FF00, TGradientDirection::gdLeftToRight,
                255},
        BandRow{"one_line_still_two_bands", QRect(0, 0, 5, 1), 0x000000, 0x0000FF, TGradientDirection::gdTopToBottom,
                255}),
    RowName{});

} // namespace

#include "RecordingPlot.h"
#include "TickLists.h"
#include "Tsp_Axis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using namespace Tsp_ScaleFlags;

void ExpectTicks(const Tsp_Scale &s, const std::vector<double> &expected)
{
    const std::vector<double> got = TickValues(s);
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_NEAR(got[i], expected[i], 1e-12) << "tick " << i;
    }
}

// [0, 10] over 100 pixels from x 0, six ticks requested: a grid step of 2.
void LayOutTenOverHundred(Tsp_Axis &a)
{
    a.SetTicksCount(6);
    a.SetMinMax(0, 10);
    a.SetLine(0, 50, 100);
}

TEST(ScaleShift, SmallShiftKeepsTheGridAndSlides)
{
    Tsp_Axis a(0);
    LayOutTenOverHundred(a);
    a.MoveMinMax(1);
    EXPECT_EQ(a.Min(), 1);
    EXPECT_EQ(a.Max(), 11);
    EXPECT_EQ(a.IntFactor(), 10);
    EXPECT_EQ(a.IStep(), 20);
    EXPECT_DOUBLE_EQ(a.SM(), 10);
    // A fresh layout of [1, 11] would give 1, 3, … 11; the shifted grid stays on even values.
    ExpectTicks(a, {2, 4, 6, 8, 10});
    EXPECT_EQ(TickPositions(a), (std::vector<int>{10, 30, 50, 70, 90}));
    a.MoveMinMax(1);
    ExpectTicks(a, {2, 4, 6, 8, 10, 12});
    EXPECT_EQ(TickPositions(a), (std::vector<int>{0, 20, 40, 60, 80, 100}));
}

TEST(ScaleShift, ShiftLargerThanTheIntervalRecomputes)
{
    Tsp_Axis a(0);
    LayOutTenOverHundred(a);
    a.MoveMinMax(15);
    Tsp_Axis fresh(0);
    LayOutTenOverHundred(fresh);
    fresh.SetMinMax(15, 25);
    ExpectTicks(a, TickValues(fresh));
    EXPECT_NEAR(a.TickValue(0), 15, 1e-12);
    EXPECT_EQ(TickPositions(a), TickPositions(fresh));
}

TEST(ScaleShift, InversedShiftKeepsTheGridDownward)
{
    Tsp_Axis a(Inversed);
    LayOutTenOverHundred(a);
    ExpectTicks(a, {10, 8, 6, 4, 2, 0});
    a.MoveMinMax(1);
    EXPECT_EQ(a.OVal(), 11);
    ExpectTicks(a, {10, 8, 6, 4, 2});
    EXPECT_EQ(TickPositions(a), (std::vector<int>{10, 30, 50, 70, 90}));
    a.MoveMinMax(-2.5); // [-1.5, 8.5]: first grid value at or below the new origin
    ExpectTicks(a, {8, 6, 4, 2, 0});
}

TEST(ScaleShift, FractionTicksSlideByThePixelDistance)
{
    Tsp_Axis h(NoTicksLabel);
    h.SetMinMax(0, 10);
    h.SetLine(0, 50, 100);
    EXPECT_EQ(TickPositions(h), (std::vector<int>{0, 25, 50, 75, 100}));
    h.MoveMinMax(1); // 10 pixels
    EXPECT_EQ(TickPositions(h), (std::vector<int>{15, 40, 65, 90}));
    h.ScrollBy(15);
    EXPECT_EQ(TickPositions(h), (std::vector<int>{0, 25, 50, 75, 100}));

    Tsp_Axis v(Vertical | NoTicksLabel);
    v.SetMinMax(0, 10);
    v.SetLine(0, 200, 100);
    v.MoveMinMax(1);
    EXPECT_EQ(TickPositions(v), (std::vector<int>{185, 160, 135, 110}));
}

TEST(ScaleShift, ScrollByPixelsEqualsMoveByValue)
{
    Tsp_Axis byPixels(0);
    LayOutTenOverHundred(byPixels);
    byPixels.ScrollBy(-35);
    EXPECT_DOUBLE_EQ(byPixels.Min(), -3.5);
    ExpectTicks(byPixels, {-2, 0, 2, 4, 6});
}

TEST(ScaleShift, ZeroMoveChangesNothingButFlagsAndRedraw)
{
    RecordingPlot plot;
    Tsp_Axis a(AutoMin | AutoMax);
    a.SetPlot(&plot);
    a.StoreMinMax();
    const std::vector<double> before = TickValues(a);
    a.MoveMinMax(0);
    EXPECT_EQ(a.Min(), 0);
    EXPECT_EQ(a.Max(), 10);
    EXPECT_EQ(TickValues(a), before);
    EXPECT_FALSE(a.AutoMin());
    EXPECT_FALSE(a.AutoMax());
    EXPECT_FALSE(a.MinMaxStored());
    EXPECT_EQ(plot.partial, 1);
    EXPECT_FALSE(plot.lastArrange);
    EXPECT_TRUE(plot.lastAround);
    EXPECT_TRUE(plot.lastField);
    EXPECT_EQ(plot.invalidates, 0);
}

TEST(ScaleShift, WatcherTimeAxisSlidesOneSecondAtATime)
{
    Tsp_Axis a(AutoMin | AutoMax | LabelAsDataTime);
    a.SetTicksCount(3);
    const double now = 46365.0 + 37123.0 / 86400;
    a.SetMinMax(now, now + 300.0 / 86400);
    a.SetLine(40, 150, 450);
    const double gridStep = a.IStep() / a.IntFactor();
    const std::int32_t step = a.IStep();
    // The grid of the last full layout: IMin plus multiples of the step.
    const double gridOrigin = a.TickValue(0) * a.IntFactor();
    double previousFirst = a.TickValue(0);
    int previousPos = a.TickPos(0);
    for (int second = 1; second <= 120; ++second) {
        a.MoveMinMax(1.0 / 86400);
        ASSERT_EQ(a.IStep(), step);
        ASSERT_EQ(a.IntFactor(), 10000);
        ASSERT_GE(a.TicksCount(), 2);
        ASSERT_LE(a.TicksCount(), 3);
        for (int i = 0; i < a.TicksCount(); ++i) {
            const double steps = (a.TickValue(i) * a.IntFactor() - gridOrigin) / step;
            ASSERT_NEAR(steps, std::round(steps), 1e-4) << "off the grid at second " << second;
            ASSERT_GE(a.TickValue(i), a.Min() - 1e-9);
            ASSERT_LE(a.TickValue(i), a.Max() + 1e-9);
        }
        if (std::fabs(a.TickValue(0) - previousFirst) < gridStep / 2) {
            ASSERT_LE(a.TickPos(0), previousPos) << "the tick must slide left";
        }
        previousFirst = a.TickValue(0);
        previousPos = a.TickPos(0);
    }
    EXPECT_NEAR(a.Min(), now + 120.0 / 86400, 1e-9);
}

} // namespace

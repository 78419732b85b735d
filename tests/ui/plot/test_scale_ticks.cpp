#include "RowName.h"
#include "TickLists.h"
#include "Tsp_Axis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using namespace Tsp_ScaleFlags;

struct NormaliseRow {
    const char *name;
    double aMin, aMax;
    double min, max;
};

class RangeNormalisation : public testing::TestWithParam<NormaliseRow> {};

TEST_P(RangeNormalisation, SwapsAndWidensBounds)
{
    const NormaliseRow &row = GetParam();
    Tsp_Scale s(0);
    s.ChangeMinMax(row.aMin, row.aMax);
    EXPECT_EQ(s.Min(), row.min);
    EXPECT_EQ(s.Max(), row.max);
    EXPECT_EQ(s.Interval(), row.max - row.min);
}

INSTANTIATE_TEST_SUITE_P(Scale, RangeNormalisation,
    testing::Values(NormaliseRow{"zero", 0, 0, 0, 1},
                    NormaliseRow{"five", 5, 5, 5, 6},
                    NormaliseRow{"hundred", 100, 100, 99, 110},
                    NormaliseRow{"minusHundred", -100, -100, -99, -90},
                    NormaliseRow{"minusFive", -5, -5, -5, -4},
                    NormaliseRow{"reversed", 10, 0, 0, 10},
                    NormaliseRow{"ordered", -3, 7, -3, 7}),
    RowName());

TEST(Scale, NonFiniteBoundsKeepTheCurrentRange)
{
    Tsp_Scale s(0);
    s.ChangeMinMax(2, 4);
    s.ChangeMinMax(NAN, 5);
    s.ChangeMinMax(0, INFINITY);
    s.ChangeMinMax(-1.7e308, 1.7e308); // the interval overflows
    EXPECT_EQ(s.Min(), 2);
    EXPECT_EQ(s.Max(), 4);
    EXPECT_EQ(s.TicksLaidOut(), 5);
}

struct FactorRow {
    const char *name;
    double aMin, aMax;
    double intFactor;
    double iMin, iMax;
};

class TickFactor : public testing::TestWithParam<FactorRow> {};

TEST_P(TickFactor, PowerOfTenPutsTheIntervalBetweenTenAndHundredUnits)
{
    const FactorRow &row = GetParam();
    Tsp_Scale s(0);
    s.ChangeMinMax(row.aMin, row.aMax);
    EXPECT_EQ(s.IntFactor(), row.intFactor);
    EXPECT_EQ(s.IMin(), row.iMin);
    EXPECT_EQ(s.IMax(), row.iMax);
}

// An exact power of ten lands one decade lower than its exact logarithm (span 100, not 10).
INSTANTIATE_TEST_SUITE_P(Scale, TickFactor,
    testing::Values(FactorRow{"intervalTen", 0, 10, 10, 0, 100},
                    FactorRow{"intervalHundred", 0, 100, 1, 0, 100},
                    FactorRow{"intervalOne", 0, 1, 10, 0, 10},
                    FactorRow{"intervalThousand", 0, 1000, 0.1, 0, 100},
                    FactorRow{"interval1234", 0, 1234.5, 0.01, 0, 12},
                    FactorRow{"intervalTwenty", 3.25, 23.25, 1, 4, 23},
                    FactorRow{"fiveMinutesInDays", 0, 300.0 / 86400, 10000, 0, 34},
                    FactorRow{"negative", -0.37, -0.05, 100, -37, -5}),
    RowName());

TEST(Scale, DecimalConstantMakesTenADecadeLower)
{
    // The divisor is a little larger than ln 10, so log of 10 stays just below one.
    EXPECT_LT(std::log(10.0) / 2.30258509299405, 1.0);
    Tsp_Scale s(0);
    s.ChangeMinMax(0, 10);
    EXPECT_EQ(s.IntFactor(), 10);
    s.ChangeMinMax(0, 10.5);
    EXPECT_EQ(s.IntFactor(), 1);
}

struct TicksRow {
    const char *name;
    double aMin, aMax;
    int requested;
    std::uint32_t flags;
    std::int32_t iStep;
    std::vector<double> ticks;
};

class AdjustedTicks : public testing::TestWithParam<TicksRow> {};

TEST_P(AdjustedTicks, StandOnMultiplesOfTheStep)
{
    const TicksRow &row = GetParam();
    Tsp_Axis a(row.flags);
    a.SetTicksCount(row.requested);
    a.SetMinMax(row.aMin, row.aMax);
    EXPECT_EQ(a.IStep(), row.iStep);
    const std::vector<double> got = TickValues(a);
    ASSERT_EQ(got.size(), row.ticks.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_DOUBLE_EQ(got[i], row.ticks[i]) << "tick " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Scale, AdjustedTicks,
    testing::Values(
        TicksRow{"zeroRangeSix", 0, 0, 6, 0, 2, {0, 0.2, 0.4, 0.6, 0.8, 1}},
        TicksRow{"tenSix", 0, 10, 6, 0, 20, {0, 2, 4, 6, 8, 10}},
        TicksRow{"tenFour", 0, 10, 4, 0, 33, {0, 3.3, 6.6, 9.9}},
        TicksRow{"hundredSix", 0, 100, 6, 0, 20, {0, 20, 40, 60, 80, 100}},
        TicksRow{"moreThanRequested", 0, 1234.5, 6, 0, 2, {0, 200, 400, 600, 800, 1000, 1200}},
        TicksRow{"inversedStartsAtMax", 0, 10, 6, Inversed, 20, {10, 8, 6, 4, 2, 0}},
        TicksRow{"oneTickIsTheWholeSpan", 0, 10, 1, 0, 100, {0}},
        TicksRow{"boundsOffTheGrid", 0.051, 0.949, 3, 0, 44, {0.06, 0.5, 0.94}},
        TicksRow{"stepAtLeastOne", 0, 10, 31, 0, 3, {0, 0.3, 0.6, 0.9, 1.2, 1.5, 1.8, 2.1, 2.4, 2.7, 3.0, 3.3,
                                                  3.6, 3.9, 4.2, 4.5, 4.8, 5.1, 5.4, 5.7, 6.0, 6.3, 6.6, 6.9,
                                                  7.2, 7.5, 7.8, 8.1, 8.4, 8.7, 9.0}}),
    RowName());

TEST(Scale, LaidOutTicksNeverExceedThirtyOne)
{
    Tsp_Axis a(0);
    a.SetTicksCount(40);
    EXPECT_EQ(a.TicksRequested(), 31);
    a.SetMinMax(0, 10); // span 100, step 3: 34 would fit
    EXPECT_EQ(a.TicksCount(), 31);
    EXPECT_DOUBLE_EQ(a.TickValue(30), 9.0);
}

TEST(Scale, FractionModeSpreadsTicksOverTheLength)
{
    // Without labels an axis always uses fractions; 2.5 and 7.5 pixels round to even.
    Tsp_Axis h(NoTicksLabel);
    h.SetLine(20, 50, 10);
    EXPECT_TRUE(h.IsFractionMode());
    EXPECT_EQ(TickPositions(h), (std::vector<int>{20, 22, 25, 28, 30}));
    EXPECT_DOUBLE_EQ(h.TickDbl(1), 0.25);

    Tsp_Axis v(Vertical | NoTicksLabel | Inversed);
    v.SetLine(5, 100, 10);
    EXPECT_EQ(TickPositions(v), (std::vector<int>{100, 98, 95, 92, 90})); // inversion does not move them
}

TEST(Scale, TickValueOfFractionTicksFollowsBitNine)
{
    Tsp_Axis a(TicksFraction);
    a.SetMinMax(10, 20);
    EXPECT_TRUE(a.IsFractionMode());
    EXPECT_DOUBLE_EQ(a.TickValue(1), 12.5);
    a.SetInversed(true);
    EXPECT_DOUBLE_EQ(a.TickValue(1), 17.5);
    EXPECT_DOUBLE_EQ(a.TickValue(4), 10);

    Tsp_Axis noLabels(NoTicksLabel); // fraction mode, but bit 9 clear: the value is the fraction itself
    EXPECT_DOUBLE_EQ(noLabels.TickValue(1), 0.25);
}

TEST(Scale, ZeroTicksLeaveNothingLaidOut)
{
    Tsp_Axis a(0);
    a.SetTicksCount(0);
    EXPECT_EQ(a.TicksCount(), 0);
    a.SetMinMax(3, 9);
    EXPECT_EQ(a.TicksCount(), 0);
    a.SetLine(0, 0, 50);
    EXPECT_EQ(a.TicksCount(), 0);
    EXPECT_EQ(a.BandWidth(7, 12), 1);
    EXPECT_EQ(a.OrgIndent(7, 12), 0);
}

TEST(Scale, ConstructionDefaults)
{
    Tsp_Scale s(Vertical);
    EXPECT_EQ(s.OX(), 10);
    EXPECT_EQ(s.OY(), 30);
    EXPECT_EQ(s.Len(), 25);
    EXPECT_EQ(s.Min(), 0);
    EXPECT_EQ(s.Max(), 10);
    EXPECT_EQ(s.TicksRequested(), 5);
    EXPECT_EQ(s.LabelFormat(), "###0.##");
    EXPECT_EQ(s.OPos(), 30);
    EXPECT_DOUBLE_EQ(s.SM(), -2.5);
}

struct PixelRow {
    const char *name;
    double value;
    std::int32_t pixel;
};

class ValueToPixel : public testing::TestWithParam<PixelRow> {};

// Origin x 7, 1 pixel per unit from 0: ties round to the even neighbour, far values clamp.
TEST_P(ValueToPixel, RoundsHalvesToEvenAndClamps)
{
    Tsp_Scale s(0);
    s.ChangeMinMax(0, 10);
    s.SetLine(7, 0, 10);
    EXPECT_EQ(s.V2P(GetParam().value), GetParam().pixel);
}

INSTANTIATE_TEST_SUITE_P(Scale, ValueToPixel,
    testing::Values(PixelRow{"halfDownToEven", 0.5, 8}, PixelRow{"halfUpToEven", 1.5, 8},
                    PixelRow{"twoAndHalf", 2.5, 10}, PixelRow{"negativeHalf", -7.5, 0},
                    PixelRow{"negativeOneAndHalf", -8.5, -2}, PixelRow{"belowHalf", 3.49, 10},
                    PixelRow{"aboveHalf", 3.51, 11}, PixelRow{"edgeKept", 16376, 16383},
                    PixelRow{"justAboveClamp", 16376.4, 16383}, PixelRow{"farAbove", 1e12, 16383},
                    PixelRow{"farBelow", -1e12, -16383}, PixelRow{"notANumber", NAN, -16383}),
    RowName());

TEST(Scale, PixelToValueIsUnclampedInverse)
{
    Tsp_Scale s(Vertical);
    s.ChangeMinMax(0, 100);
    s.SetLine(10, 200, 50); // 0.5 pixels per unit upward
    EXPECT_EQ(s.V2P(0), 200);
    EXPECT_EQ(s.V2P(100), 150);
    EXPECT_DOUBLE_EQ(s.P2V(150), 100);
    EXPECT_DOUBLE_EQ(s.P2V(-20000), 40400);
}

TEST(Scale, SetLineNormalisesLengthAndKeepsTickValues)
{
    Tsp_Axis a(0);
    a.SetTicksCount(6);
    a.SetMinMax(0, 10);
    a.SetLine(0, 0, -200);
    EXPECT_EQ(a.Len(), 200);
    EXPECT_EQ(TickPositions(a), (std::vector<int>{0, 40, 80, 120, 160, 200}));
    a.SetLine(0, 0, 0);
    EXPECT_EQ(a.Len(), 1);
    EXPECT_DOUBLE_EQ(a.SM(), 0.1);
    EXPECT_DOUBLE_EQ(a.TickValue(5), 10);
}

TEST(Scale, InversedVerticalScaleCarriesMaxAtOrigin)
{
    Tsp_Axis a(Vertical | Inversed);
    a.SetMinMax(0, 10);
    a.SetLine(0, 100, 100);
    EXPECT_EQ(a.OVal(), 10);
    EXPECT_EQ(a.V2P(10), 100);
    EXPECT_EQ(a.V2P(0), 0); // the minimum lies at the top end
}

TEST(Scale, WatcherTimeAxisHasThreeTicksOnTenThousandths)
{
    Tsp_Axis a(AutoMin | AutoMax | LabelAsDataTime);
    a.SetTicksCount(3);
    const double now = 46365.0 + 37123.0 / 86400;
    a.SetMinMax(now, now + 300.0 / 86400);
    EXPECT_EQ(a.IntFactor(), 10000);
    EXPECT_TRUE(a.IStep() == 16 || a.IStep() == 17) << a.IStep();
    EXPECT_EQ(a.TicksCount(), 3);
    EXPECT_FALSE(a.AutoMin());
    EXPECT_FALSE(a.AutoMax());
}

} // namespace

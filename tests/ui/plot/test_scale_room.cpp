#include "Tsp_Axis.h"

#include <gtest/gtest.h>

namespace {

using namespace Tsp_ScaleFlags;

TEST(ScaleRoom, VerticalBandCountsLabelCharacters)
{
    // [0, 1234.5] with six requested: labels 0 … 1200, the longest four characters.
    Tsp_Axis a(Vertical);
    a.SetTicksCount(6);
    a.SetMinMax(0, 1234.5);
    a.LineAttr().SetWidth(2);
    EXPECT_EQ(a.BandWidth(7, 13), 2 + 4 * 7 + 5);
    a.LineAttr().SetVisible(false); // the width counts whether or not the line shows
    EXPECT_EQ(a.BandWidth(7, 13), 2 + 4 * 7 + 5);
}

TEST(ScaleRoom, BandWithoutLabelsIsMarksOrLineOnly)
{
    Tsp_Axis h(0);
    EXPECT_EQ(h.BandWidth(7, 13), 1 + 13 + 5);
    h.SetNoTicksLabel(true);
    EXPECT_EQ(h.BandWidth(7, 13), 1 + 4);
    h.SetNoTicks(true);
    EXPECT_EQ(h.BandWidth(7, 13), 1);
}

TEST(ScaleRoom, IndentsAreHalfALabelLessTheDistanceToTheEnd)
{
    // [0, 1234.5] over 100 pixels: tick 0 at the origin, 1200 at 97.2 pixels, 2.8 before the end.
    Tsp_Axis h(0);
    h.SetTicksCount(6);
    h.SetMinMax(0, 1234.5);
    h.SetLine(0, 0, 100);
    EXPECT_EQ(h.OrgIndent(7, 13), 7 * 1 / 2);
    EXPECT_EQ(h.EndIndent(7, 13), 7 * 4 / 2 - 3);
    EXPECT_EQ(h.EndIndent(1, 13), 0); // negative room becomes 0

    Tsp_Axis v(Vertical);
    v.SetTicksCount(6);
    v.SetMinMax(-0.5, 1234.5); // the first tick sits 0.04 px past the origin: rounds to 0
    v.SetLine(0, 100, 100);
    EXPECT_EQ(v.OrgIndent(7, 13), 13 / 2);
    EXPECT_EQ(v.EndIndent(7, 13), 13 / 2 - 3);

    h.SetNoTicksLabel(true);
    EXPECT_EQ(h.OrgIndent(7, 13), 0);
    EXPECT_EQ(h.EndIndent(7, 13), 0);
}

TEST(ScaleRoom, InversedEndIndentMeasuresToMin)
{
    Tsp_Axis h(Inversed);
    h.SetTicksCount(6);
    h.SetMinMax(0, 1234.5);
    h.SetLine(0, 0, 100);
    // Origin carries 1234.5, tick 0 is 1200 (2.8 px in), the last tick 0 sits at the end.
    EXPECT_EQ(h.OrgIndent(7, 13), 7 * 4 / 2 - 3);
    EXPECT_EQ(h.EndIndent(7, 13), 7 * 1 / 2);
}

TEST(ScaleRoom, VisibleOnlyWithoutMarksLabelsAndLine)
{
    Tsp_Axis a(NoTicks | NoTicksLabel);
    EXPECT_TRUE(a.Visible());
    a.LineAttr().SetVisible(false);
    EXPECT_FALSE(a.Visible());
    a.SetNoTicks(false);
    EXPECT_TRUE(a.Visible());
}

} // namespace

#include "RecordingPlot.h"
#include "Tsp_Axis.h"

#include <gtest/gtest.h>

namespace {

using namespace Tsp_ScaleFlags;

class AxisWithPlot : public testing::Test {
protected:
    AxisWithPlot() { axis.SetPlot(&plot); }
    RecordingPlot plot;
    Tsp_Axis axis{0};
};

TEST_F(AxisWithPlot, SetMinMaxWithCurrentBoundsStillClearsAutoAndRedraws)
{
    axis.SetAutoMin(true);
    axis.SetAutoMax(true);
    axis.StoreMinMax();
    plot.invalidates = 0;
    axis.SetMinMax(0, 10);
    EXPECT_FALSE(axis.AutoMin());
    EXPECT_FALSE(axis.AutoMax());
    EXPECT_FALSE(axis.MinMaxStored());
    EXPECT_EQ(plot.invalidates, 1);
    EXPECT_EQ(plot.autoScales, 2); // only the two flag setters asked, not SetMinMax
}

TEST_F(AxisWithPlot, SettingMaxRecomputesAndReportsLaidOutCount)
{
    axis.SetTicksCount(6);
    plot.invalidates = 0;
    axis.SetMax(1234.5);
    EXPECT_EQ(axis.TicksCount(), 7);
    EXPECT_EQ(axis.TicksRequested(), 6);
    EXPECT_TRUE(axis.IsTicksCountStored());
    EXPECT_EQ(plot.invalidates, 1);
    axis.SetMax(1234.5);
    EXPECT_EQ(plot.invalidates, 1);
}

TEST_F(AxisWithPlot, SettingMinClearsOnlyAutoMin)
{
    axis.SetAutoMin(true);
    axis.SetAutoMax(true);
    axis.SetMin(20); // above Max: the bounds swap
    EXPECT_FALSE(axis.AutoMin());
    EXPECT_TRUE(axis.AutoMax());
    EXPECT_EQ(axis.Min(), 10);
    EXPECT_EQ(axis.Max(), 20);
}

TEST_F(AxisWithPlot, TicksCountClampsAndRedrawsOnlyOnChange)
{
    axis.SetTicksCount(40);
    EXPECT_EQ(axis.TicksRequested(), 31);
    EXPECT_EQ(plot.invalidates, 1);
    axis.SetTicksCount(31);
    EXPECT_EQ(plot.invalidates, 1);
    axis.SetTicksCount(5);
    EXPECT_FALSE(axis.IsTicksCountStored());
}

TEST_F(AxisWithPlot, CaptionDrawsOnlyWithAVisibleCharacter)
{
    axis.SetCaption("  \t");
    EXPECT_FALSE(axis.DrawCaption());
    axis.SetCaption(" 速率");
    EXPECT_TRUE(axis.DrawCaption());
    EXPECT_EQ(plot.invalidates, 2);
    axis.SetCaption(" 速率");
    EXPECT_EQ(plot.invalidates, 2);
    axis.SetMargin(4);
    axis.SetLabelFormat("###0.##");
    EXPECT_EQ(plot.invalidates, 2);
    axis.SetMargin(10);
    axis.SetLabelFormat("0.0");
    EXPECT_EQ(plot.invalidates, 4);
}

TEST_F(AxisWithPlot, FlagChangesRecomputeTheRightSteps)
{
    axis.SetTicksCount(6);
    plot.invalidates = 0;
    axis.SetInversed(true);
    EXPECT_EQ(axis.OVal(), 10);
    EXPECT_DOUBLE_EQ(axis.TickValue(0), 10);
    axis.SetTicksAdjusted(false);
    EXPECT_TRUE(axis.IsFractionMode());
    EXPECT_DOUBLE_EQ(axis.TickDbl(1), 0.2);
    axis.SetTicksLines(false);
    EXPECT_TRUE(axis.NoTicks());
    axis.SetLabelAsDataTime(true);
    EXPECT_EQ(plot.invalidates, 4);
    axis.SetInversed(true); // unchanged: no report
    EXPECT_EQ(plot.invalidates, 4);
}

TEST_F(AxisWithPlot, AutoFlagsRedrawOnlyWhenTheSeriesGaveABound)
{
    axis.SetAutoMax(true);
    EXPECT_EQ(plot.autoScales, 1);
    EXPECT_EQ(plot.invalidates, 0);
    plot.autoScaleResult = true;
    axis.SetAutoMin(true);
    EXPECT_EQ(plot.invalidates, 1);
}

TEST_F(AxisWithPlot, LineAttributeRedrawsAllAndGridOnlyTheField)
{
    axis.LineAttr().SetColor(axis.LineAttr().Color()); // equal value still notifies
    EXPECT_EQ(plot.invalidates, 1);
    axis.GridAttr().SetVisible(true);
    EXPECT_EQ(plot.partial, 1);
    EXPECT_FALSE(plot.lastArrange);
    EXPECT_FALSE(plot.lastAround);
    EXPECT_TRUE(plot.lastField);
    EXPECT_EQ(plot.invalidates, 1);
}

TEST_F(AxisWithPlot, SettingAnEqualAttributeCopiesNothing)
{
    Tsp_LineAttr red;
    red.SetColor(RGBColor(255, 0, 0));
    red.SetMode(Tsp_PenMode::pmXor);
    axis.SetLineAttr(red);
    EXPECT_EQ(axis.LineAttr().Color(), RGBColor(255, 0, 0));
    EXPECT_EQ(axis.LineAttr().Mode(), Tsp_PenMode::pmBlack); // Assign leaves the mode
    EXPECT_EQ(plot.invalidates, 0); // no notification from Assign
    axis.SetGridAttr(red);
    EXPECT_TRUE(axis.GridAttr().Visible());
}

TEST_F(AxisWithPlot, TickLabelHookReplacesTheText)
{
    axis.SetTicksCount(6);
    int calls = 0;
    plot.onTickLabel = [&](Tsp_Axis &sender, int num, double val, std::string &ls) {
        ++calls;
        EXPECT_EQ(&sender, &axis);
        EXPECT_EQ(num, 2);
        EXPECT_DOUBLE_EQ(val, 4);
        EXPECT_EQ(ls, "4");
        ls = "four";
    };
    std::string text;
    axis.GetTickLabel(2, text);
    EXPECT_EQ(text, "four");
    EXPECT_EQ(calls, 1);
}

TEST_F(AxisWithPlot, StoreAndRestoreTheSavedRange)
{
    axis.StoreMinMax();
    axis.ChangeMinMax(3, 4);
    axis.StoreMinMax(); // already saved: keeps [0, 10]
    axis.ChangeMinMax(5, 6);
    axis.RestoreMinMax();
    EXPECT_EQ(axis.Min(), 0);
    EXPECT_EQ(axis.Max(), 10);
    EXPECT_FALSE(axis.MinMaxStored());
    axis.ChangeMinMax(5, 6);
    axis.RestoreMinMax(); // nothing saved
    EXPECT_EQ(axis.Min(), 5);
}

TEST(Axis, WithoutPlotAsksNothing)
{
    Tsp_Axis a(AutoMin);
    a.SetMinMax(1, 2);
    a.MoveMinMax(0.5);
    a.SetAutoMax(true);
    a.LineAttr().SetWidth(3);
    a.GridAttr().SetVisible(true);
    std::string text;
    a.GetTickLabel(0, text);
    EXPECT_EQ(text, "1.6"); // [1.5, 2.5] on the grid of 0.2
    EXPECT_EQ(a.Plot(), nullptr);
}

TEST(Axis, CreationDefaults)
{
    Tsp_Axis a(LabelAsDataTime);
    EXPECT_EQ(a.Margin(), 4);
    EXPECT_EQ(a.Caption(), "");
    EXPECT_FALSE(a.DrawCaption());
    EXPECT_EQ(a.GridAttr().Color(), 0x808080u);
    EXPECT_FALSE(a.GridAttr().Visible());
    EXPECT_TRUE(a.LineAttr().Visible());
    EXPECT_EQ(a.LineAttr().Width(), 1);
    EXPECT_TRUE(a.LabelAsDataTime());
    EXPECT_TRUE(a.Visible());
}

TEST(Axis, AssignCopiesLayoutButNotPlotOrSavedRange)
{
    RecordingPlot sourcePlot;
    RecordingPlot targetPlot;
    Tsp_Axis src(Vertical | FarSide);
    src.SetPlot(&sourcePlot);
    src.SetTicksCount(6);
    src.SetMinMax(0, 1234.5);
    src.SetLine(100, 200, 50);
    src.SetCaption("x");
    src.SetMargin(9);
    src.SetLabelFormat("0.0");
    src.GridAttr().SetVisible(true);
    src.LineAttr().SetWidth(2);

    Tsp_Axis dst(0);
    dst.SetPlot(&targetPlot);
    dst.StoreMinMax();
    dst.Assign(src);
    EXPECT_EQ(dst.Flags(), src.Flags());
    EXPECT_EQ(dst.OX(), 100);
    EXPECT_EQ(dst.OY(), 200);
    EXPECT_EQ(dst.Len(), 50);
    EXPECT_EQ(dst.Max(), 1234.5);
    EXPECT_EQ(dst.TicksCount(), 7);
    EXPECT_EQ(dst.OPos(), 200);
    EXPECT_EQ(dst.Margin(), 9);
    EXPECT_EQ(dst.Caption(), "x");
    EXPECT_TRUE(dst.DrawCaption());
    EXPECT_EQ(dst.LabelFormat(), "0.0");
    EXPECT_TRUE(dst.GridAttr().Visible());
    EXPECT_EQ(dst.LineAttr().Width(), 2);
    EXPECT_FALSE(dst.MinMaxStored());
    EXPECT_EQ(dst.Plot(), &targetPlot);

    // The listeners still reach the target's own plot, not the source's.
    const int before = sourcePlot.invalidates;
    targetPlot.invalidates = 0;
    dst.LineAttr().SetWidth(1);
    EXPECT_EQ(targetPlot.invalidates, 1);
    EXPECT_EQ(sourcePlot.invalidates, before);
}

TEST(Axis, AssignFromAnotherKindFails)
{
    Tsp_Axis a(0);
    Tsp_Scale scale(0);
    Tsp_LineAttr la;
    EXPECT_THROW(a.Assign(la), EAssignError);
    EXPECT_THROW(a.Assign(scale), EAssignError);
    EXPECT_THROW(la.Assign(a), EAssignError);
    EXPECT_THROW(scale.Assign(a), EAssignError);
    EXPECT_EQ(a.Max(), 10);
}

TEST(LineAttr, SettersNotifyEvenWhenEqual)
{
    Tsp_LineAttr la;
    int notified = 0;
    Tsp_CustomLineAttr *sender = nullptr;
    la.SetOnChange([&](Tsp_CustomLineAttr &s) {
        ++notified;
        sender = &s;
    });
    la.SetColor(clBlack);
    la.SetStyle(Tsp_PenStyle::psSolid);
    la.SetWidth(1);
    la.SetMode(Tsp_PenMode::pmBlack);
    la.SetVisible(true);
    EXPECT_EQ(notified, 5);
    EXPECT_EQ(sender, &la);
}

TEST(LineAttr, AssignAndIsSameIgnoreTheMode)
{
    Tsp_LineAttr a;
    Tsp_LineAttr b;
    int notified = 0;
    b.SetOnChange([&](Tsp_CustomLineAttr &) { ++notified; });
    a.SetColor(RGBColor(1, 2, 3));
    a.SetStyle(Tsp_PenStyle::psDot);
    a.SetWidth(4);
    a.SetVisible(false);
    a.SetMode(Tsp_PenMode::pmNotXor);
    EXPECT_FALSE(b.IsSame(a));
    b.Assign(a);
    EXPECT_TRUE(b.IsSame(a));
    EXPECT_EQ(b.Mode(), Tsp_PenMode::pmBlack);
    EXPECT_EQ(notified, 0);
    EXPECT_EQ(RGBColor(1, 2, 3), 0x030201u);
}

} // namespace

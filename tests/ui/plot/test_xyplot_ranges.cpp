#include "PlotTesting.h"
#include "Tsp_PlotMarker.h"
#include "Tsp_XYLine.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

void AutoBoth(Tsp_Axis &axis)
{
    axis.SetAutoMin(true);
    axis.SetAutoMax(true);
}

TEST(XYPlotAutoScale, FalseWithoutAutoFlagsOrWithoutPoints)
{
    Tsp_XYPlot plot;
    Tsp_XYLine line;
    line.SetPlot(&plot);
    plot.LeftAxis().SetMinMax(2, 7);
    EXPECT_FALSE(plot.AutoScale(plot.LeftAxis()));
    AutoBoth(plot.LeftAxis());
    EXPECT_FALSE(plot.AutoScale(plot.LeftAxis()));
    EXPECT_EQ(plot.LeftAxis().Min(), 2);
    EXPECT_EQ(plot.LeftAxis().Max(), 7);
}

TEST(XYPlotAutoScale, PadsTheSeriesRangeAndIsTrueWhenUnchanged)
{
    CountingPlot plot;
    Tsp_XYLine line;
    line.SetPlot(&plot);
    line.AddXY(0, 10);
    line.AddXY(1, 50);
    AutoBoth(plot.LeftAxis());
    EXPECT_DOUBLE_EQ(plot.LeftAxis().Min(), 9);
    EXPECT_DOUBLE_EQ(plot.LeftAxis().Max(), 51);
    EXPECT_TRUE(plot.AutoScale(plot.LeftAxis()));
    EXPECT_DOUBLE_EQ(plot.LeftAxis().Min(), 9);
    // A change within the range still found its bounds: the plot redraws everything.
    const int full = plot.full;
    plot.SeriesChanged(&line);
    EXPECT_EQ(plot.full, full + 1);
}

TEST(XYPlotAutoScale, OnlyMinFollowsTheSeries)
{
    Tsp_XYPlot plot;
    Tsp_XYLine line;
    line.SetPlot(&plot);
    plot.LeftAxis().SetMinMax(0, 100);
    line.AddXY(0, 20);
    line.AddXY(1, 60);
    plot.LeftAxis().SetAutoMin(true);
    // The missing bound is the axis's Max; the pad spans lo .. Max.
    EXPECT_DOUBLE_EQ(plot.LeftAxis().Min(), 20 - 80 * 0.025);
    EXPECT_DOUBLE_EQ(plot.LeftAxis().Max(), 100);
}

TEST(XYPlotAutoScale, SinglePointIsWidenedByTheScale)
{
    Tsp_XYPlot plot;
    Tsp_XYLine line;
    line.SetPlot(&plot);
    AutoBoth(plot.LeftAxis());
    line.AddXY(1, 3);
    EXPECT_DOUBLE_EQ(plot.LeftAxis().Min(), 3);
    EXPECT_DOUBLE_EQ(plot.LeftAxis().Max(), 4);
}

TEST(XYPlotAutoScale, InactiveAndOtherAxisSeriesAreLeftOut)
{
    Tsp_XYPlot plot;
    Tsp_XYLine a;
    Tsp_XYLine b;
    a.SetPlot(&plot);
    b.SetPlot(&plot);
    a.AddXY(0, 0);
    a.AddXY(1, 10);
    b.AddXY(0, 1000);
    b.SetYAxis(Tsp_WhatYAxis::dsyRight);
    AutoBoth(plot.LeftAxis());
    EXPECT_DOUBLE_EQ(plot.LeftAxis().Max(), 10.25);
    b.SetYAxis(Tsp_WhatYAxis::dsyLeft);
    EXPECT_GT(plot.LeftAxis().Max(), 1000);
    b.SetActive(false);
    EXPECT_DOUBLE_EQ(plot.LeftAxis().Max(), 10.25);
}

TEST(XYPlotSeriesList, RemovingAnActiveSeriesReRanges)
{
    Tsp_XYPlot plot;
    Tsp_XYLine small;
    auto large = std::make_unique<Tsp_XYLine>();
    small.SetPlot(&plot);
    large->SetPlot(&plot);
    small.AddXY(0, 0);
    small.AddXY(1, 10);
    large->AddXY(0, 0);
    large->AddXY(1, 100);
    AutoBoth(plot.LeftAxis());
    EXPECT_DOUBLE_EQ(plot.LeftAxis().Max(), 102.5);
    plot.RemoveSeries(large.get());
    EXPECT_EQ(plot.SeriesCount(), 1);
    EXPECT_DOUBLE_EQ(plot.LeftAxis().Max(), 10.25);
    large->SetPlot(nullptr);
    large->SetPlot(&plot);
    EXPECT_DOUBLE_EQ(plot.LeftAxis().Max(), 102.5);
    // Destroying an attached series removes it the same way.
    large.reset();
    EXPECT_EQ(plot.SeriesCount(), 1);
    EXPECT_DOUBLE_EQ(plot.LeftAxis().Max(), 10.25);
}

TEST(XYPlotSeriesList, OrderMovesAndPlotDestructionIsReported)
{
    auto plot = std::make_unique<Tsp_XYPlot>();
    Tsp_XYLine a;
    Tsp_XYLine b;
    Tsp_XYLine c;
    a.SetPlot(plot.get());
    b.SetPlot(plot.get());
    c.SetPlot(plot.get());
    a.SetPlot(plot.get());
    ASSERT_EQ(plot->SeriesCount(), 3);
    a.BringToFront();
    EXPECT_EQ(plot->Series(2), &a);
    EXPECT_EQ(plot->Series(0), &b);
    c.SendToBack();
    EXPECT_EQ(plot->Series(0), &c);
    EXPECT_EQ(plot->Series(1), &b);
    plot.reset();
    EXPECT_EQ(a.Plot(), nullptr);
    EXPECT_EQ(b.Plot(), nullptr);
    a.AddXY(1, 1); // must not reach the destroyed plot
    EXPECT_EQ(a.Count(), 1);
}

class BoxMarker final : public Tsp_PlotMarker {
public:
    void Draw() override { ++draws; }
    int draws = 0;
};

TEST(XYPlotMarkers, ListsOrderAndDestructionBothWays)
{
    auto plot = std::make_unique<CountingPlot>();
    BoxMarker first;
    auto second = std::make_unique<BoxMarker>();
    first.SetPlot(plot.get());
    second->SetPlot(plot.get());
    EXPECT_EQ(first.YAxisObj(), &plot->LeftAxis());
    second->SetYAxis(Tsp_WhatYAxis::dsyRight);
    EXPECT_EQ(second->YAxisObj(), &plot->RightAxis());
    ASSERT_EQ(plot->Markers(Tsp_WhenDrawMarker::dmBeforeSeries).size(), 2u);
    const int requests = plot->Requests();
    second->BringToFront(); // already last
    first.SendToBack();     // already first
    EXPECT_EQ(plot->Markers(Tsp_WhenDrawMarker::dmBeforeSeries).front(), &first);
    EXPECT_EQ(plot->Requests(), requests);
    first.BringToFront();
    EXPECT_EQ(plot->Markers(Tsp_WhenDrawMarker::dmBeforeSeries).back(), &first);
    second->SetWhenDraw(Tsp_WhenDrawMarker::dmAfterSeries);
    EXPECT_EQ(plot->Markers(Tsp_WhenDrawMarker::dmBeforeSeries).size(), 1u);
    EXPECT_EQ(plot->Markers(Tsp_WhenDrawMarker::dmAfterSeries).size(), 1u);
    second->SetVisible(false);
    Render(*plot, 100, 100);
    EXPECT_EQ(first.draws, 1);
    EXPECT_EQ(second->draws, 0);
    second.reset();
    EXPECT_TRUE(plot->Markers(Tsp_WhenDrawMarker::dmAfterSeries).empty());
    plot.reset();
    EXPECT_EQ(first.Plot(), nullptr);
    EXPECT_EQ(first.XAxisObj(), nullptr);
}

} // namespace

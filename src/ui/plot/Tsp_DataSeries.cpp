#include "Tsp_DataSeries.h"

#include "Tsp_XYPlot.h"

Tsp_DataSeries::~Tsp_DataSeries()
{
    // Only the base part is left here; the plot reads no more than its axis choice and activity.
    if (fPlot != nullptr) {
        fPlot->RemoveSeries(this);
    }
}

void Tsp_DataSeries::SetPlot(Tsp_XYPlot *p)
{
    if (p == fPlot) {
        return;
    }
    if (fPlot != nullptr) {
        fPlot->RemoveSeries(this);
    }
    fPlot = p;
    if (fPlot != nullptr) {
        fPlot->AddSeries(this);
    }
}

void Tsp_DataSeries::SetActive(bool b)
{
    if (b == fActive) {
        return;
    }
    fActive = b;
    if (fPlot != nullptr) {
        fPlot->SeriesChanged(this);
    }
}

void Tsp_DataSeries::SetXAxis(Tsp_WhatXAxis a)
{
    if (a == fWXA) {
        return;
    }
    fWXA = a;
    if (fPlot != nullptr) {
        const bool bottom = fPlot->AutoScale(fPlot->BottomAxis());
        const bool top = fPlot->AutoScale(fPlot->TopAxis());
        if (bottom || top) {
            fPlot->Invalidate();
        }
    }
}

void Tsp_DataSeries::SetYAxis(Tsp_WhatYAxis a)
{
    if (a == fWYA) {
        return;
    }
    fWYA = a;
    if (fPlot != nullptr) {
        const bool left = fPlot->AutoScale(fPlot->LeftAxis());
        const bool right = fPlot->AutoScale(fPlot->RightAxis());
        if (left || right) {
            fPlot->Invalidate();
        }
    }
}

void Tsp_DataSeries::SetLegend(const std::string &s)
{
    if (s == fLegend) {
        return;
    }
    fLegend = s;
    LegendChanged();
}

void Tsp_DataSeries::LegendChanged() {}

void Tsp_DataSeries::DrawLegendMarker(QPainter &, const Tsp_Rect &) {}

void Tsp_DataSeries::BringToFront()
{
    if (fPlot != nullptr) {
        fPlot->BringSeriesToFront(this);
    }
}

void Tsp_DataSeries::SendToBack()
{
    if (fPlot != nullptr) {
        fPlot->SendSeriesToBack(this);
    }
}

void Tsp_DataSeries::DataChanged(int What)
{
    if (!fActive || fPlot == nullptr) {
        return;
    }
    if (What == 0) {
        fPlot->SeriesChanged(this);
    } else if (What == 1) {
        fPlot->InvalidateParts(false, false, true);
    }
}

Tsp_Axis &Tsp_DataSeries::XAxisObj() const
{
    return fWXA == Tsp_WhatXAxis::dsxBottom ? fPlot->BottomAxis() : fPlot->TopAxis();
}

Tsp_Axis &Tsp_DataSeries::YAxisObj() const
{
    return fWYA == Tsp_WhatYAxis::dsyLeft ? fPlot->LeftAxis() : fPlot->RightAxis();
}

#include "Tsp_PlotMarker.h"

#include "Tsp_XYPlot.h"

Tsp_PlotMarker::~Tsp_PlotMarker()
{
    if (fPlot != nullptr) {
        fPlot->RemoveMarker(this, fWhenDraw);
    }
}

void Tsp_PlotMarker::ForgetPlot()
{
    fPlot = nullptr;
    fXAx = nullptr;
    fYAx = nullptr;
}

void Tsp_PlotMarker::ResolveAxes()
{
    fXAx = fWXA == Tsp_WhatXAxis::dsxBottom ? &fPlot->BottomAxis() : &fPlot->TopAxis();
    fYAx = fWYA == Tsp_WhatYAxis::dsyLeft ? &fPlot->LeftAxis() : &fPlot->RightAxis();
}

void Tsp_PlotMarker::SetPlot(Tsp_XYPlot *p)
{
    if (p == fPlot) {
        return;
    }
    if (fPlot != nullptr) {
        fPlot->RemoveMarker(this, fWhenDraw);
    }
    fPlot = p;
    if (fPlot != nullptr) {
        ResolveAxes();
        fPlot->AddMarker(this, fWhenDraw);
    } else {
        fXAx = nullptr;
        fYAx = nullptr;
    }
}

void Tsp_PlotMarker::SetWhenDraw(Tsp_WhenDrawMarker w)
{
    if (w == fWhenDraw) {
        return;
    }
    if (fPlot != nullptr) {
        fPlot->RemoveMarker(this, fWhenDraw);
    }
    fWhenDraw = w;
    if (fPlot != nullptr) {
        fPlot->AddMarker(this, fWhenDraw);
    }
}

void Tsp_PlotMarker::SetXAxis(Tsp_WhatXAxis a)
{
    if (a == fWXA) {
        return;
    }
    fWXA = a;
    if (fPlot != nullptr) {
        ResolveAxes();
        fPlot->InvalidateParts(false, false, true);
    }
}

void Tsp_PlotMarker::SetYAxis(Tsp_WhatYAxis a)
{
    if (a == fWYA) {
        return;
    }
    fWYA = a;
    if (fPlot != nullptr) {
        ResolveAxes();
        fPlot->InvalidateParts(false, false, true);
    }
}

void Tsp_PlotMarker::SetVisible(bool b)
{
    if (b == fVisible) {
        return;
    }
    fVisible = b;
    if (fPlot != nullptr) {
        fPlot->InvalidateParts(false, false, true);
    }
}

void Tsp_PlotMarker::BringToFront()
{
    if (fPlot != nullptr) {
        fPlot->BringMarkerToFront(this);
    }
}

void Tsp_PlotMarker::SendToBack()
{
    if (fPlot != nullptr) {
        fPlot->SendMarkerToBack(this);
    }
}

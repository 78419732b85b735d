#pragma once

#include "Tsp_PlotTypes.h"

#include <string>

class QPainter;
class Tsp_Axis;
class Tsp_XYPlot;

// A set of points an XY plot draws into its field: the plot link, the axes used, activity,
// legend text and drawing order. Owned by its form, not by the plot; the plot and the series each
// tell the other when they are destroyed, so neither keeps a dangling pointer.
class Tsp_DataSeries {
public:
    Tsp_DataSeries() = default;
    virtual ~Tsp_DataSeries();
    Tsp_DataSeries(const Tsp_DataSeries &) = delete;
    Tsp_DataSeries &operator=(const Tsp_DataSeries &) = delete;

    Tsp_XYPlot *Plot() const { return fPlot; }
    void SetPlot(Tsp_XYPlot *p);
    Tsp_WhatXAxis XAxis() const { return fWXA; }
    void SetXAxis(Tsp_WhatXAxis a);
    Tsp_WhatYAxis YAxis() const { return fWYA; }
    void SetYAxis(Tsp_WhatYAxis a);
    bool Active() const { return fActive; }
    void SetActive(bool b);
    const std::string &Legend() const { return fLegend; }
    void SetLegend(const std::string &s);

    void BringToFront();
    void SendToBack();
    // 0: data changed (the plot re-ranges); 1: only the look changed (field redraw).
    void DataChanged(int What);

    // The plot's axes this series uses; requires a plot.
    Tsp_Axis &XAxisObj() const;
    Tsp_Axis &YAxisObj() const;

    virtual void Draw() = 0;
    // False when the series has no points.
    virtual bool GetXMin(double &V) = 0;
    virtual bool GetXMax(double &V) = 0;
    virtual bool GetYMin(double &V) = 0;
    virtual bool GetYMax(double &V) = 0;
    virtual void DrawLegendMarker(QPainter &LCanvas, const Tsp_Rect &MR);

protected:
    virtual void LegendChanged();

private:
    friend class Tsp_XYPlot;
    // Called by a plot being destroyed.
    void ForgetPlot() { fPlot = nullptr; }

    Tsp_XYPlot *fPlot = nullptr;
    Tsp_WhatXAxis fWXA = Tsp_WhatXAxis::dsxBottom;
    Tsp_WhatYAxis fWYA = Tsp_WhatYAxis::dsyLeft;
    bool fActive = true;
    std::string fLegend;
};

#pragma once

#include "Tsp_PlotTypes.h"

class Tsp_Axis;
class Tsp_XYPlot;

// Something drawn in the plot field before or after the series. Owned by its form; the plot
// and the marker each tell the other when they are destroyed.
class Tsp_PlotMarker {
public:
    Tsp_PlotMarker() = default;
    virtual ~Tsp_PlotMarker();
    Tsp_PlotMarker(const Tsp_PlotMarker &) = delete;
    Tsp_PlotMarker &operator=(const Tsp_PlotMarker &) = delete;

    Tsp_XYPlot *Plot() const { return fPlot; }
    void SetPlot(Tsp_XYPlot *p);
    Tsp_WhatXAxis XAxis() const { return fWXA; }
    void SetXAxis(Tsp_WhatXAxis a);
    Tsp_WhatYAxis YAxis() const { return fWYA; }
    void SetYAxis(Tsp_WhatYAxis a);
    Tsp_WhenDrawMarker WhenDraw() const { return fWhenDraw; }
    void SetWhenDraw(Tsp_WhenDrawMarker w);
    bool Visible() const { return fVisible; }
    void SetVisible(bool b);
    // Null while detached.
    Tsp_Axis *XAxisObj() const { return fXAx; }
    Tsp_Axis *YAxisObj() const { return fYAx; }

    void BringToFront();
    void SendToBack();

    // Draws on the plot's DCanvas with XAxisObj and YAxisObj.
    virtual void Draw() = 0;

private:
    friend class Tsp_XYPlot;
    void ForgetPlot();
    void ResolveAxes();

    Tsp_WhenDrawMarker fWhenDraw = Tsp_WhenDrawMarker::dmBeforeSeries;
    bool fVisible = true;
    Tsp_XYPlot *fPlot = nullptr;
    Tsp_WhatXAxis fWXA = Tsp_WhatXAxis::dsxBottom;
    Tsp_WhatYAxis fWYA = Tsp_WhatYAxis::dsyLeft;
    Tsp_Axis *fXAx = nullptr;
    Tsp_Axis *fYAx = nullptr;
};

#pragma once

#include "Tsp_PointAttr.h"
#include "Tsp_XYDataSeries.h"

#include <functional>

// A series drawn as a polyline and/or as point markers of a chosen shape.
class Tsp_XYLine : public Tsp_XYDataSeries {
public:
    using TDrawCustomPointEvent = std::function<void(Tsp_XYLine &XYLine, double xv, double yv, int x, int y)>;

    Tsp_XYLine();
    ~Tsp_XYLine() override;

    Tsp_PointAttr &PointAttr() { return fPA; }
    const Tsp_PointAttr &PointAttr() const { return fPA; }
    void SetPointAttr(const Tsp_PointAttr &a) { fPA.Assign(a); }
    bool DrawingLegendMarker() const { return fDLM; }

    void Draw() override;
    void DrawLegendMarker(QPainter &LCanvas, const Tsp_Rect &MR) override;
    void AttrChanged(const void *Sender) override;
    // Stores the point and draws the newest segment without a full redraw and without
    // automatic ranges.
    virtual void QuickAddXY(double aX, double aY);

    TDrawCustomPointEvent OnDrawCustomPoint;

private:
    using TDrawPointProc = void (Tsp_XYLine::*)(int x, int y);

    void SetLinePen();
    void SetMarkerPenAndBrush();
    // The marker at (x, y): the custom handler for ptCustom, else the drawer for the kind.
    void DrawMarker(double xv, double yv, int x, int y);
    void DrawRectangle(int x, int y);
    void DrawEllipse(int x, int y);
    void DrawDiamond(int x, int y);
    void DrawCross(int x, int y);
    void DrawTriangle(int x, int y);
    void DrawDownTriangle(int x, int y);

    Tsp_PointAttr fPA;
    bool fDLM = false;
    TDrawPointProc DrawPointProc = &Tsp_XYLine::DrawRectangle;
};

#pragma once

#include "Tsp_Scale.h"

class Tsp_AxisPlot;

// A scale owned by an XY plot: margin, caption, grid attribute, automatic range flags and the
// range operations the watcher calls on every sample. Redraw requests and the tick-label event
// go to the plot through Tsp_AxisPlot; an axis without a plot asks nothing.
class Tsp_Axis final : public Tsp_Scale {
public:
    explicit Tsp_Axis(std::uint32_t Flags);
    ~Tsp_Axis() override;

    std::string ClassName() const override { return "Tsp_Axis"; }
    void Assign(const Tsp_Persistent &Source) override;
    void GetTickLabel(int Index, std::string &Text) override;

    // The plot sets itself when it creates the axis; not owned.
    void SetPlot(Tsp_AxisPlot *plot) { fPlot = plot; }
    Tsp_AxisPlot *Plot() const { return fPlot; }

    void SetMinMax(double aMin, double aMax);
    void MoveMinMax(double aDelta);
    void SetMin(double v);
    void SetMax(double v);
    // Reads the count laid out, which may differ from the one requested.
    int TicksCount() const { return TicksLaidOut(); }
    void SetTicksCount(int n);
    bool IsTicksCountStored() const { return TicksCount() != 5; }
    void SetLabelFormat(const std::string &format);
    std::int32_t Margin() const { return fMargin; }
    void SetMargin(std::int32_t margin);
    const std::string &Caption() const { return fCaption; }
    void SetCaption(const std::string &caption);
    bool DrawCaption() const { return fDrawCaption; }
    Tsp_LineAttr &GridAttr() { return fGrid; }
    const Tsp_LineAttr &GridAttr() const { return fGrid; }
    void SetLineAttr(const Tsp_LineAttr &a);
    void SetGridAttr(const Tsp_LineAttr &a);

    bool AutoMin() const { return Has(Tsp_ScaleFlags::AutoMin); }
    bool AutoMax() const { return Has(Tsp_ScaleFlags::AutoMax); }
    bool LabelAsDataTime() const { return Has(Tsp_ScaleFlags::LabelAsDataTime); }
    void SetAutoMin(bool value) { SetFlag(6, value); }
    void SetAutoMax(bool value) { SetFlag(7, value); }
    void SetLabelAsDataTime(bool value) { SetFlag(8, value); }

    // The range before a zoom or pan, for undo.
    void StoreMinMax();
    void RestoreMinMax();
    bool MinMaxStored() const { return fMinMaxStored; }
    double SavedMin() const { return sMin; }
    double SavedMax() const { return sMax; }

protected:
    void AssignTo(Tsp_Persistent &Dest) const override;
    void FlagsChanged(int Index, bool Value) override;

private:
    void AttachListeners();
    void DetachListeners();
    void ClearAutoRange();
    void Invalidate();

    double sMin = 0;
    double sMax = 0;
    std::int32_t fMargin = 4;
    std::string fCaption;
    bool fDrawCaption = false;
    Tsp_AxisPlot *fPlot = nullptr;
    Tsp_LineAttr fGrid;
    bool fMinMaxStored = false;
};

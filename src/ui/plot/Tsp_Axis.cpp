#include "Tsp_Axis.h"

#include "Tsp_AxisPlot.h"

#include <algorithm>

Tsp_Axis::Tsp_Axis(std::uint32_t Flags)
    : Tsp_Scale(Flags)
{
    fGrid.SetColor(clGray);
    fGrid.SetVisible(false);
    AttachListeners();
}

Tsp_Axis::~Tsp_Axis()
{
    DetachListeners();
}

void Tsp_Axis::AttachListeners()
{
    LineAttr().SetOnChange([this](Tsp_CustomLineAttr &) { Invalidate(); });
    fGrid.SetOnChange([this](Tsp_CustomLineAttr &) {
        if (fPlot != nullptr) {
            fPlot->InvalidateParts(false, false, true);
        }
    });
}

void Tsp_Axis::DetachListeners()
{
    LineAttr().SetOnChange(nullptr);
    fGrid.SetOnChange(nullptr);
}

void Tsp_Axis::Invalidate()
{
    if (fPlot != nullptr) {
        fPlot->Invalidate();
    }
}

void Tsp_Axis::ClearAutoRange()
{
    // Directly, not through the flag properties: those would re-run the automatic range.
    SetFlagsSilently(Flags() & ~(Tsp_ScaleFlags::AutoMin | Tsp_ScaleFlags::AutoMax));
    fMinMaxStored = false;
}

void Tsp_Axis::SetMinMax(double aMin, double aMax)
{
    if (aMin != Min() || aMax != Max()) {
        ChangeMinMax(aMin, aMax);
    }
    ClearAutoRange();
    Invalidate();
}

void Tsp_Axis::MoveMinMax(double aDelta)
{
    Shift(aDelta, aDelta * SM());
    ClearAutoRange();
    if (fPlot != nullptr) {
        fPlot->InvalidateParts(false, true, true);
    }
}

void Tsp_Axis::SetMin(double v)
{
    SetFlagsSilently(Flags() & ~Tsp_ScaleFlags::AutoMin);
    fMinMaxStored = false;
    if (v != Min()) {
        ChangeMinMax(v, Max());
        Invalidate();
    }
}

void Tsp_Axis::SetMax(double v)
{
    SetFlagsSilently(Flags() & ~Tsp_ScaleFlags::AutoMax);
    fMinMaxStored = false;
    if (v != Max()) {
        ChangeMinMax(Min(), v);
        Invalidate();
    }
}

void Tsp_Axis::SetTicksCount(int n)
{
    n = std::clamp(n, 0, MaxTicks);
    if (n == TicksRequested()) {
        return;
    }
    StoreRequestedTicks(n);
    CalcTickValues();
    CalcTickPositions();
    Invalidate();
}

void Tsp_Axis::SetLabelFormat(const std::string &format)
{
    if (format == LabelFormat()) {
        return;
    }
    StoreLabelFormat(format);
    Invalidate();
}

void Tsp_Axis::SetMargin(std::int32_t margin)
{
    if (margin == fMargin) {
        return;
    }
    fMargin = margin;
    Invalidate();
}

void Tsp_Axis::SetCaption(const std::string &caption)
{
    if (caption == fCaption) {
        return;
    }
    fCaption = caption;
    fDrawCaption = std::any_of(fCaption.begin(), fCaption.end(),
                               [](char c) { return static_cast<unsigned char>(c) > 32; });
    Invalidate();
}

void Tsp_Axis::SetLineAttr(const Tsp_LineAttr &a)
{
    if (!LineAttr().IsSame(a)) {
        LineAttr().Assign(a);
    }
}

void Tsp_Axis::SetGridAttr(const Tsp_LineAttr &a)
{
    if (!fGrid.IsSame(a)) {
        fGrid.Assign(a);
    }
}

void Tsp_Axis::FlagsChanged(int Index, bool)
{
    switch (Index) {
    case 1:
        CalcScaleFactor();
        CalcTickValues();
        CalcTickPositions();
        Invalidate();
        break;
    case 3:
    case 4:
    case 9:
        CalcTickValues();
        CalcTickPositions();
        Invalidate();
        break;
    case 6:
    case 7:
        if (fPlot != nullptr && fPlot->AutoScale(*this)) {
            Invalidate();
        }
        break;
    default:
        Invalidate();
        break;
    }
}

void Tsp_Axis::GetTickLabel(int Index, std::string &Text)
{
    Tsp_Scale::GetTickLabel(Index, Text);
    if (fPlot != nullptr) {
        fPlot->GetTickLabel(*this, Index, TickValue(Index), Text);
    }
}

void Tsp_Axis::Assign(const Tsp_Persistent &Source)
{
    const auto *src = dynamic_cast<const Tsp_Axis *>(&Source);
    if (src == nullptr) {
        Tsp_Scale::Assign(Source);
        return;
    }
    if (src == this) {
        return;
    }
    DetachListeners();
    SetFlagsSilently(src->Flags());
    StoreOrigin(src->OX(), src->OY(), src->Len());
    StoreRequestedTicks(src->TicksRequested());
    StoreLabelFormat(src->LabelFormat());
    fMargin = src->fMargin;
    fCaption = src->fCaption;
    fDrawCaption = src->fDrawCaption;
    fMinMaxStored = false;
    ChangeMinMax(src->Min(), src->Max());
    LineAttr().Assign(src->LineAttr());
    fGrid.Assign(src->fGrid);
    AttachListeners();
    // The copy changes flags, range and layout at once; the plot must arrange again.
    Invalidate();
}

void Tsp_Axis::AssignTo(Tsp_Persistent &Dest) const
{
    if (auto *axis = dynamic_cast<Tsp_Axis *>(&Dest)) {
        axis->Assign(*this);
        return;
    }
    Tsp_Scale::AssignTo(Dest);
}

void Tsp_Axis::StoreMinMax()
{
    if (!fMinMaxStored) {
        sMin = Min();
        sMax = Max();
        fMinMaxStored = true;
    }
}

void Tsp_Axis::RestoreMinMax()
{
    if (fMinMaxStored) {
        ChangeMinMax(sMin, sMax);
        fMinMaxStored = false;
    }
}

#include "Tsp_LineAttr.h"

#include <QPen>

namespace {

Qt::PenStyle ToQtPenStyle(Tsp_PenStyle style)
{
    switch (style) {
    case Tsp_PenStyle::psSolid: return Qt::SolidLine;
    case Tsp_PenStyle::psDash: return Qt::DashLine;
    case Tsp_PenStyle::psDot: return Qt::DotLine;
    case Tsp_PenStyle::psDashDot: return Qt::DashDotLine;
    case Tsp_PenStyle::psDashDotDot: return Qt::DashDotDotLine;
    case Tsp_PenStyle::psClear: return Qt::NoPen;
    case Tsp_PenStyle::psInsideFrame: return Qt::SolidLine;
    }
    return Qt::SolidLine;
}

} // namespace

void Tsp_CustomLineAttr::Assign(const Tsp_Persistent &Source)
{
    if (const auto *la = dynamic_cast<const Tsp_CustomLineAttr *>(&Source)) {
        // The mode stays: drawing never applies it, and copies must not carry it.
        fColor = la->fColor;
        fStyle = la->fStyle;
        fWidth = la->fWidth;
        fVisible = la->fVisible;
        return;
    }
    Tsp_Persistent::Assign(Source);
}

void Tsp_CustomLineAttr::AssignTo(Tsp_Persistent &Dest) const
{
    if (auto *la = dynamic_cast<Tsp_CustomLineAttr *>(&Dest)) {
        la->Assign(*this);
        return;
    }
    Tsp_Persistent::AssignTo(Dest);
}

void Tsp_CustomLineAttr::Changed()
{
    if (fOnChange) {
        fOnChange(*this);
    }
}

void Tsp_CustomLineAttr::SetColor(TColor value)
{
    fColor = value;
    Changed();
}

void Tsp_CustomLineAttr::SetStyle(Tsp_PenStyle value)
{
    fStyle = value;
    Changed();
}

void Tsp_CustomLineAttr::SetWidth(std::uint16_t value)
{
    fWidth = value;
    Changed();
}

void Tsp_CustomLineAttr::SetMode(Tsp_PenMode value)
{
    fMode = value;
    Changed();
}

void Tsp_CustomLineAttr::SetVisible(bool value)
{
    fVisible = value;
    Changed();
}

void Tsp_CustomLineAttr::SetPenAttr(QPen &APen) const
{
    APen.setColor(ToQColor(fColor));
    APen.setStyle(ToQtPenStyle(fStyle));
    APen.setWidth(fWidth);
}

bool Tsp_CustomLineAttr::IsSame(const Tsp_CustomLineAttr &LA) const
{
    return fColor == LA.fColor && fStyle == LA.fStyle && fWidth == LA.fWidth && fVisible == LA.fVisible;
}

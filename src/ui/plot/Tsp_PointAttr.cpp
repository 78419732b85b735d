#include "Tsp_PointAttr.h"

#include <QBrush>
#include <QPen>

#include <algorithm>

void Tsp_PointAttr::Changed()
{
    if (fOnChange) {
        fOnChange(*this);
    }
}

void Tsp_PointAttr::Assign(const Tsp_PointAttr &Source)
{
    if (&Source == this) {
        return;
    }
    fPointType = Source.fPointType;
    fVisible = Source.fVisible;
    SetHSize(Source.HSize());
    SetVSize(Source.VSize());
    fColor = Source.fColor;
    fStyle = Source.fStyle;
    Changed();
}

void Tsp_PointAttr::SetKind(TPointKind k)
{
    if (k != fPointType) {
        fPointType = k;
        Changed();
    }
}

void Tsp_PointAttr::SetVisible(bool b)
{
    if (b != fVisible) {
        fVisible = b;
        Changed();
    }
}

void Tsp_PointAttr::SetHSize(std::int32_t v)
{
    if (v < 0) {
        v = 1;
    }
    const std::int32_t h = v / 2;
    if (h != fHSize) {
        fHSize = h;
        fHSize1 = h + 1;
        Changed();
    }
}

void Tsp_PointAttr::SetVSize(std::int32_t v)
{
    if (v < 0) {
        v = 1;
    }
    const std::int32_t h = v / 2;
    if (h != fVSize) {
        fVSize = h;
        fVSize1 = h + 1;
        Changed();
    }
}

void Tsp_PointAttr::SetBorderWidth(std::int32_t v)
{
    if (v < 0) {
        v = 1;
    }
    v = std::min({v, fHSize, fVSize});
    if (v != fBorderWidth) {
        fBorderWidth = v;
        Changed();
    }
}

void Tsp_PointAttr::SetBorderColor(TColor c)
{
    if (c != fBorderColor) {
        fBorderColor = c;
        Changed();
    }
}

void Tsp_PointAttr::SetColor(TColor c)
{
    fColor = c;
    Changed();
}

void Tsp_PointAttr::SetStyle(Qt::BrushStyle s)
{
    fStyle = s;
    Changed();
}

QBrush Tsp_PointAttr::Brush() const
{
    return QBrush(ToQColor(fColor), fStyle);
}

void Tsp_PointAttr::SetPenAttr(QPen &APen) const
{
    APen.setColor(ToQColor(fBorderColor));
    APen.setWidth(fBorderWidth);
    APen.setStyle(Qt::SolidLine);
}

#pragma once

#include "TColor.h"

#include <Qt>

#include <cstdint>
#include <functional>

class QBrush;
class QPen;

enum class TPointKind : std::uint8_t {
    ptRectangle, ptEllipse, ptDiamond, ptCross, ptCustom, ptTriangle, ptDownTriangle
};

// How the point markers of a line series look: a brush (fill colour and style) with a shape,
// half sizes and an outline. The sizes are odd: the point sits in the middle of the marker.
class Tsp_PointAttr final {
public:
    using ChangeEvent = std::function<void(Tsp_PointAttr &Sender)>;

    Tsp_PointAttr() = default;
    Tsp_PointAttr(const Tsp_PointAttr &) = delete;
    Tsp_PointAttr &operator=(const Tsp_PointAttr &) = delete;

    // Kind, Visible, HSize, VSize and the brush; the border stays.
    void Assign(const Tsp_PointAttr &Source);

    TPointKind Kind() const { return fPointType; }
    void SetKind(TPointKind k);
    bool Visible() const { return fVisible; }
    void SetVisible(bool b);
    std::int32_t HSize() const { return fHSize + fHSize1; }
    void SetHSize(std::int32_t v);
    std::int32_t VSize() const { return fVSize + fVSize1; }
    void SetVSize(std::int32_t v);
    std::int32_t eHSize() const { return fHSize; }
    std::int32_t eVSize() const { return fVSize; }
    std::int32_t oHSize() const { return fHSize1; }
    std::int32_t oVSize() const { return fVSize1; }
    std::int32_t BorderWidth() const { return fBorderWidth; }
    void SetBorderWidth(std::int32_t v);
    TColor BorderColor() const { return fBorderColor; }
    void SetBorderColor(TColor c);

    // The brush part.
    TColor Color() const { return fColor; }
    void SetColor(TColor c);
    Qt::BrushStyle Style() const { return fStyle; }
    void SetStyle(Qt::BrushStyle s);
    QBrush Brush() const;

    void SetPenAttr(QPen &APen) const;

    void SetOnChange(ChangeEvent handler) { fOnChange = std::move(handler); }

private:
    void Changed();

    TPointKind fPointType = TPointKind::ptRectangle;
    std::int32_t fHSize = 2;
    std::int32_t fVSize = 2;
    std::int32_t fHSize1 = 3;
    std::int32_t fVSize1 = 3;
    bool fVisible = false;
    std::int32_t fBorderWidth = 1;
    TColor fBorderColor = clBlack;
    TColor fColor = clWhite;
    Qt::BrushStyle fStyle = Qt::SolidPattern;
    ChangeEvent fOnChange;
};

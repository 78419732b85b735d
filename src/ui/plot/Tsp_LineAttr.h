#pragma once

#include "TColor.h"
#include "Tsp_Persistent.h"

#include <cstdint>
#include <functional>

class QPen;

enum class Tsp_PenStyle : std::uint8_t {
    psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame
};

// Raster modes in the toolkit's order; the mode is kept but lines are always drawn in copy mode.
enum class Tsp_PenMode : std::uint8_t {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
    pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

// How an axis line, a grid or a series line is stroked.
class Tsp_CustomLineAttr : public Tsp_Persistent {
public:
    // The listener gets the attribute as sender.
    using ChangeEvent = std::function<void(Tsp_CustomLineAttr &Sender)>;

    Tsp_CustomLineAttr() = default;

    void Assign(const Tsp_Persistent &Source) override;
    std::string ClassName() const override { return "Tsp_CustomLineAttr"; }

    TColor Color() const { return fColor; }
    Tsp_PenStyle Style() const { return fStyle; }
    std::uint16_t Width() const { return fWidth; }
    Tsp_PenMode Mode() const { return fMode; }
    bool Visible() const { return fVisible; }

    // Each setter notifies even when the value was already equal.
    void SetColor(TColor value);
    void SetStyle(Tsp_PenStyle value);
    void SetWidth(std::uint16_t value);
    void SetMode(Tsp_PenMode value);
    void SetVisible(bool value);

    void SetOnChange(ChangeEvent handler) { fOnChange = std::move(handler); }
    bool HasOnChange() const { return static_cast<bool>(fOnChange); }

    // Colour, style and width into the pen. A Qt pen carries no raster mode: lines are drawn in
    // the painter's default (copy) composition whatever `Mode` holds.
    void SetPenAttr(QPen &APen) const;
    bool IsSame(const Tsp_CustomLineAttr &LA) const;

protected:
    void AssignTo(Tsp_Persistent &Dest) const override;
    virtual void Changed();

private:
    TColor fColor = clBlack;
    Tsp_PenStyle fStyle = Tsp_PenStyle::psSolid;
    std::uint16_t fWidth = 1;
    Tsp_PenMode fMode = Tsp_PenMode::pmBlack;
    bool fVisible = true;
    ChangeEvent fOnChange;
};

// The line attribute as stored with a form: it publishes Color, Style, Width and Visible.
class Tsp_LineAttr final : public Tsp_CustomLineAttr {
public:
    std::string ClassName() const override { return "Tsp_LineAttr"; }
};

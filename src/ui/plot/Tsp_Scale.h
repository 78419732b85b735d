#pragma once

#include "Tsp_FormatSettings.h"
#include "Tsp_LineAttr.h"
#include "Tsp_Persistent.h"

#include <array>
#include <cstdint>
#include <string>

class QPainter;

// Flag bits of a scale (`fFlags`, stored as "SFlags").
namespace Tsp_ScaleFlags {
constexpr std::uint32_t Vertical = 0x1;      // y grows downward, values upward; origin at the bottom
constexpr std::uint32_t Inversed = 0x2;      // origin carries Max
constexpr std::uint32_t NoTicks = 0x8;
constexpr std::uint32_t NoTicksLabel = 0x10;
constexpr std::uint32_t FarSide = 0x20;      // right of a vertical line, above a horizontal one
constexpr std::uint32_t AutoMin = 0x40;
constexpr std::uint32_t AutoMax = 0x80;
constexpr std::uint32_t LabelAsDataTime = 0x100;
constexpr std::uint32_t TicksFraction = 0x200; // published inverted as TicksAdjusted
} // namespace Tsp_ScaleFlags

struct Tsp_Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Maps Min..Max onto a pixel segment, lays out ticks on round values (adjusted mode) or on even
// fractions of the length (fraction mode), formats their labels, measures the room they need and
// draws the axis line, marks and labels. Tick values and positions are precomputed whenever the
// range, the line, the tick count or a tick flag changes, so drawing only reads them.
class Tsp_Scale : public Tsp_Persistent {
public:
    static constexpr int MaxTicks = 31;

    explicit Tsp_Scale(std::uint32_t Flags);

    std::string ClassName() const override { return "Tsp_Scale"; }

    // Range normalisation, scale factor, tick values and positions.
    void ChangeMinMax(double aMin, double aMax);
    void SetLine(std::int32_t oX, std::int32_t oY, std::int32_t lLen);
    // Shifts the range by whole pixels.
    void ScrollBy(std::int32_t delta);

    std::int32_t V2P(double V) const;
    double P2V(std::int32_t V) const;

    // The room beside the line and past its ends, in pixels; FntWidth is the width of "0" in the
    // plot font, FntHeight the absolute font height.
    std::int32_t BandWidth(std::int32_t FntWidth, std::int32_t FntHeight);
    std::int32_t OrgIndent(std::int32_t FntWidth, std::int32_t FntHeight);
    std::int32_t EndIndent(std::int32_t FntWidth, std::int32_t FntHeight);

    // Drawing with the painter's current font; lines exclude their end point.
    void DrawLine(QPainter &fCanvas, std::int32_t odec, std::int32_t einc) const;
    void DrawTicks(QPainter &fCanvas);

    virtual void GetTickLabel(int Index, std::string &Text);
    // The value tick `Index` stands for (labels, indents, the label event).
    double TickValue(int Index) const;

    double Min() const { return fMin; }
    double Max() const { return fMax; }
    double Interval() const { return fInterval; }
    double IntFactor() const { return fIntFactor; }
    double IMin() const { return fIMin; }
    double IMax() const { return fIMax; }
    std::int32_t IStep() const { return fIStep; }
    std::int32_t OPos() const { return fOPos; }
    double OVal() const { return fOVal; }
    double SM() const { return fM; }
    std::int32_t OX() const { return fO.x; }
    std::int32_t OY() const { return fO.y; }
    std::int32_t Len() const { return fLen; }
    std::uint32_t Flags() const { return fFlags; }
    // Ticks laid out, and the count requested.
    int TicksLaidOut() const { return rTksCount; }
    int TicksRequested() const { return fTicksCount; }
    std::int16_t TickPos(int Index) const { return fTksPos[static_cast<std::size_t>(Index)]; }
    double TickDbl(int Index) const { return fTksDbl[static_cast<std::size_t>(Index)]; }
    const std::string &LabelFormat() const { return fLabelFormat; }
    Tsp_LineAttr &LineAttr() { return fLineAttr; }
    const Tsp_LineAttr &LineAttr() const { return fLineAttr; }
    bool IsVertical() const { return Has(Tsp_ScaleFlags::Vertical); }
    bool IsFarSide() const { return Has(Tsp_ScaleFlags::FarSide); }
    // Fraction mode unless both labels and adjusted ticks are on.
    bool IsFractionMode() const { return Has(Tsp_ScaleFlags::NoTicksLabel | Tsp_ScaleFlags::TicksFraction); }
    bool Visible() const;

    bool Inversed() const { return Has(Tsp_ScaleFlags::Inversed); }
    bool NoTicks() const { return Has(Tsp_ScaleFlags::NoTicks); }
    bool TicksLines() const { return !NoTicks(); }
    bool NoTicksLabel() const { return Has(Tsp_ScaleFlags::NoTicksLabel); }
    bool TicksAdjusted() const { return !Has(Tsp_ScaleFlags::TicksFraction); }
    void SetInversed(bool value) { SetFlag(1, value); }
    void SetNoTicks(bool value) { SetFlag(3, value); }
    void SetTicksLines(bool value) { SetFlag(3, !value); }
    void SetNoTicksLabel(bool value) { SetFlag(4, value); }
    void SetTicksAdjusted(bool value) { SetFlag(9, !value); }

    // Separators for label texts; the system locale's unless set.
    void SetFormatSettings(const Tsp_FormatSettings &settings) { fFormat = settings; }
    const Tsp_FormatSettings &FormatSettings() const { return fFormat; }

protected:
    void DefineProperties(Tsp_Filer &Filer) override;
    // Called after a flag property changed bit `Index` to `Value`.
    virtual void FlagsChanged(int Index, bool Value);

    bool Has(std::uint32_t mask) const { return (fFlags & mask) != 0; }
    // Changes bit `Index` when it differs, then reports it through FlagsChanged.
    void SetFlag(int Index, bool Value);
    void SetFlagsSilently(std::uint32_t flags) { fFlags = flags; }
    void StoreOrigin(std::int32_t oX, std::int32_t oY, std::int32_t lLen);
    void StoreRequestedTicks(int count) { fTicksCount = static_cast<std::uint8_t>(count); }
    void StoreLabelFormat(const std::string &format) { fLabelFormat = format; }
    // Shifts the range by dV value units, dP being the same distance in pixels (step H).
    void Shift(double dV, double dP);

    void CalcScaleFactor();
    void CalcTickValues();
    void CalcTickPositions();

private:
    void CalcShiftedFractionTicks(double dP);
    void CalcShiftedAdjustedTicks();
    void UpdateIntegerBounds();
    std::int32_t LabelLength(int Index);

    double fIMin = 0;
    double fIMax = 0;
    double fIntFactor = 1;
    std::int32_t fIStep = 1;
    std::uint8_t rTksCount = 0;
    std::int32_t fOPos = 0;
    double fOVal = 0;
    double fM = 1;
    std::uint32_t fFlags = 0;
    Tsp_Point fO{10, 30};
    std::int32_t fLen = 25;
    std::uint8_t fTicksCount = 5;
    std::string fLabelFormat = "###0.##";
    Tsp_LineAttr fLineAttr;
    double fMin = 0;
    double fMax = 0;
    double fInterval = 0;
    std::array<std::int16_t, MaxTicks> fTksPos{};
    std::array<double, MaxTicks> fTksDbl{};
    Tsp_FormatSettings fFormat = Tsp_FormatSettings::System();
};

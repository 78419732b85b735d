#include "Tsp_Scale.h"

#include "Tsp_DateTimePicture.h"
#include "Tsp_Filer.h"
#include "Tsp_NumberPicture.h"
#include "Tsp_Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

using namespace Tsp_Rounding;

namespace {

// Slightly larger than ln 10: an interval that is an exact power of ten gets a decimal exponent
// one lower than the exact logarithm, so its span in integer units is 100 rather than 10.
constexpr double decimalLn = 2.30258509299405;
constexpr double maxPixel = 16383.0;

std::uint8_t TickCountFrom(double trunced)
{
    // A negative count cannot be laid out, more than 31 do not fit the arrays.
    const double count = trunced + 1.0;
    if (!(count > 0.0)) {
        return 0;
    }
    return static_cast<std::uint8_t>(std::min(count, static_cast<double>(Tsp_Scale::MaxTicks)));
}

std::int32_t CodePointCount(const std::string &text)
{
    return static_cast<std::int32_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::int16_t ToTickPos(double pixel)
{
    return static_cast<std::int16_t>(std::clamp(RoundHalfEven(pixel), -maxPixel, maxPixel));
}

} // namespace

Tsp_Scale::Tsp_Scale(std::uint32_t Flags)
    : fFlags(Flags)
{
    ChangeMinMax(0, 10);
}

void Tsp_Scale::ChangeMinMax(double aMin, double aMax)
{
    // A non-finite bound or an interval that overflows would poison every later step; the
    // scale keeps its current range instead.
    if (!std::isfinite(aMin) || !std::isfinite(aMax)) {
        return;
    }
    double lo = std::min(aMin, aMax);
    double hi = std::max(aMin, aMax);
    if (lo == hi) {
        const double v = lo;
        if (std::fabs(v) >= 10) {
            hi = v + std::fabs(v) / 10;
            lo = hi - std::fabs(hi) / 10;
        } else {
            hi = v + 1;
            lo = hi - 1;
        }
    }
    const double interval = hi - lo;
    if (!std::isfinite(interval) || !(interval > 0)) {
        return;
    }
    fMin = lo;
    fMax = hi;
    fInterval = interval;

    const double L = std::log(fInterval) / decimalLn;
    const double d = std::floor(L);
    if (d <= 0) {
        fIntFactor = std::trunc(std::exp((1 - d) * decimalLn));
    } else {
        fIntFactor = 1 / std::trunc(std::exp((d - 1) * decimalLn));
    }
    UpdateIntegerBounds();
    CalcScaleFactor();
    CalcTickValues();
    CalcTickPositions();
}

void Tsp_Scale::UpdateIntegerBounds()
{
    fIMin = std::ceil(fMin * fIntFactor);
    fIMax = std::floor(fMax * fIntFactor);
}

void Tsp_Scale::SetLine(std::int32_t oX, std::int32_t oY, std::int32_t lLen)
{
    if (oX == fO.x && oY == fO.y && lLen == fLen) {
        return;
    }
    StoreOrigin(oX, oY, lLen);
    CalcScaleFactor();
    CalcTickPositions();
}

void Tsp_Scale::StoreOrigin(std::int32_t oX, std::int32_t oY, std::int32_t lLen)
{
    fO = {oX, oY};
    if (lLen == 0) {
        fLen = 1;
    } else if (lLen < 0) {
        fLen = lLen == std::numeric_limits<std::int32_t>::min() ? std::numeric_limits<std::int32_t>::max() : -lLen;
    } else {
        fLen = lLen;
    }
}

void Tsp_Scale::CalcScaleFactor()
{
    if (Inversed()) {
        fM = -fLen / fInterval;
        fOVal = fMax;
    } else {
        fM = fLen / fInterval;
        fOVal = fMin;
    }
    if (IsVertical()) {
        fOPos = fO.y;
        fM = -fM;
    } else {
        fOPos = fO.x;
    }
}

std::int32_t Tsp_Scale::V2P(double V) const
{
    const double p = fOPos + (V - fOVal) * fM;
    if (p > maxPixel) {
        return static_cast<std::int32_t>(maxPixel);
    }
    if (p < -maxPixel) {
        return -static_cast<std::int32_t>(maxPixel);
    }
    if (std::isnan(p)) {
        return -static_cast<std::int32_t>(maxPixel); // off every field rather than undefined
    }
    return static_cast<std::int32_t>(RoundHalfEven(p));
}

double Tsp_Scale::P2V(std::int32_t V) const
{
    return (V - fOPos) / fM + fOVal;
}

void Tsp_Scale::CalcTickValues()
{
    rTksCount = fTicksCount;
    if (fTicksCount == 0) {
        return;
    }
    if (IsFractionMode()) {
        const double s = fTicksCount > 1 ? 1.0 / (fTicksCount - 1) : 1.0;
        for (int i = 0; i < fTicksCount; ++i) {
            fTksDbl[static_cast<std::size_t>(i)] = i * s;
        }
        return;
    }
    const std::int32_t span = std::max(0, RoundToInt32(fIMax - fIMin));
    if (fTicksCount == 1) {
        fIStep = span;
    } else {
        fIStep = span / (fTicksCount - 1);
        if (fIStep == 0) {
            fIStep = 1;
        }
        rTksCount = TickCountFrom(span / fIStep);
    }
    const double start = Inversed() ? fIMax : fIMin;
    const double step = Inversed() ? -fIStep : fIStep;
    for (int i = 0; i < rTksCount; ++i) {
        fTksDbl[static_cast<std::size_t>(i)] = (start + i * step) / fIntFactor;
    }
}

void Tsp_Scale::CalcTickPositions()
{
    if (fTicksCount == 0) {
        rTksCount = 0;
    }
    const bool fraction = IsFractionMode();
    for (int i = 0; i < rTksCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (!fraction) {
            fTksPos[k] = static_cast<std::int16_t>(V2P(fTksDbl[k]));
        } else {
            // Long lines clamp like V2P instead of wrapping the 16-bit position.
            const double offset = RoundHalfEven(fLen * fTksDbl[k]);
            fTksPos[k] = ToTickPos(IsVertical() ? fOPos - offset : fOPos + offset);
        }
    }
}

void Tsp_Scale::ScrollBy(std::int32_t delta)
{
    Shift(delta / fM, delta);
}

void Tsp_Scale::Shift(double dV, double dP)
{
    if (dV == 0 || !std::isfinite(dV)) {
        return;
    }
    fMin = fMin + dV;
    fMax = fMin + fInterval;
    fOVal = Inversed() ? fMax : fMin;
    UpdateIntegerBounds();
    if (std::fabs(dV) > fInterval) {
        CalcTickValues();
    } else if (fTicksCount == 0) {
        rTksCount = 0;
    } else if (IsFractionMode()) {
        CalcShiftedFractionTicks(dP);
    } else if (fIStep <= 0) {
        CalcTickValues(); // a one-tick layout over an empty span has no grid to keep
    } else {
        CalcShiftedAdjustedTicks();
    }
    CalcTickPositions();
}

void Tsp_Scale::CalcShiftedFractionTicks(double dP)
{
    const double s = fTicksCount > 1 ? 1.0 / (fTicksCount - 1) : 1.0;
    const double p = IsVertical() ? -dP : dP;
    double e = Frac((fLen * fTksDbl[0] - p) / (fLen * s));
    if (e < 0) {
        e += 1;
    }
    rTksCount = TickCountFrom(std::trunc(1 / s - e));
    for (int i = 0; i < rTksCount; ++i) {
        fTksDbl[static_cast<std::size_t>(i)] = i * s + e * s;
    }
}

void Tsp_Scale::CalcShiftedAdjustedTicks()
{
    const double step = fIStep;
    double t = Frac((fTksDbl[0] * fIntFactor - fOVal * fIntFactor) / step);
    if (!Inversed()) {
        if (t < 0) {
            t += 1;
        }
        t = step * t + fOVal * fIntFactor;
        rTksCount = TickCountFrom(std::trunc((fMax * fIntFactor - t) / step));
        for (int i = 0; i < rTksCount; ++i) {
            fTksDbl[static_cast<std::size_t>(i)] = (t + i * step) / fIntFactor;
        }
    } else {
        if (t > 0) {
            t -= 1;
        }
        t = step * t + fOVal * fIntFactor;
        rTksCount = TickCountFrom(std::trunc((t - fMin * fIntFactor) / step));
        for (int i = 0; i < rTksCount; ++i) {
            fTksDbl[static_cast<std::size_t>(i)] = (t - i * step) / fIntFactor;
        }
    }
}

double Tsp_Scale::TickValue(int Index) const
{
    const double dbl = fTksDbl[static_cast<std::size_t>(Index)];
    if (!Has(Tsp_ScaleFlags::TicksFraction)) {
        return dbl;
    }
    return Inversed() ? fOVal - fInterval * dbl : fOVal + fInterval * dbl;
}

void Tsp_Scale::GetTickLabel(int Index, std::string &Text)
{
    const double value = TickValue(Index);
    Text = Has(Tsp_ScaleFlags::LabelAsDataTime) ? FormatDateTimePicture(fLabelFormat, value, fFormat)
                                                  : FormatNumberPicture(fLabelFormat, value, fFormat);
}

std::int32_t Tsp_Scale::LabelLength(int Index)
{
    std::string text;
    GetTickLabel(Index, text);
    return CodePointCount(text);
}

std::int32_t Tsp_Scale::BandWidth(std::int32_t FntWidth, std::int32_t FntHeight)
{
    std::int32_t r = fLineAttr.Width();
    if (rTksCount == 0) {
        return r;
    }
    if (!NoTicksLabel()) {
        if (IsVertical()) {
            std::int32_t longest = 0;
            for (int i = 0; i < rTksCount; ++i) {
                longest = std::max(longest, LabelLength(i));
            }
            r += longest * FntWidth + 5;
        } else {
            r += FntHeight + 5;
        }
    } else if (!NoTicks()) {
        r += 4;
    }
    return r;
}

std::int32_t Tsp_Scale::OrgIndent(std::int32_t FntWidth, std::int32_t FntHeight)
{
    if (rTksCount == 0 || NoTicksLabel()) {
        return 0;
    }
    const std::int32_t d = std::abs(RoundToInt32((fOVal - TickValue(0)) * fM));
    const std::int32_t half = IsVertical() ? FntHeight / 2 : (FntWidth * LabelLength(0)) / 2;
    return std::max(0, half - d);
}

std::int32_t Tsp_Scale::EndIndent(std::int32_t FntWidth, std::int32_t FntHeight)
{
    if (rTksCount == 0 || NoTicksLabel()) {
        return 0;
    }
    const int last = rTksCount - 1;
    const double end = Inversed() ? fMin : fMax;
    const std::int32_t d = std::abs(RoundToInt32((end - TickValue(last)) * fM));
    const std::int32_t half = IsVertical() ? FntHeight / 2 : (FntWidth * LabelLength(last)) / 2;
    return std::max(0, half - d);
}

bool Tsp_Scale::Visible() const
{
    return !(NoTicks() && NoTicksLabel() && !fLineAttr.Visible());
}

void Tsp_Scale::SetFlag(int Index, bool Value)
{
    const std::uint32_t mask = 1u << Index;
    if (Has(mask) == Value) {
        return;
    }
    fFlags = Value ? (fFlags | mask) : (fFlags & ~mask);
    FlagsChanged(Index, Value);
}

void Tsp_Scale::FlagsChanged(int, bool)
{
}

void Tsp_Scale::DefineProperties(Tsp_Filer &Filer)
{
    Filer.DefineInteger(
        "SFlags", [this](std::int32_t v) { fFlags = static_cast<std::uint32_t>(v); },
        [this] { return static_cast<std::int32_t>(fFlags); }, true);
    Filer.DefineIntegerList(
        "SLinePos",
        [this](const std::vector<std::int32_t> &v) {
            if (v.size() == 3) {
                StoreOrigin(v[0], v[1], v[2]);
            }
        },
        [this] { return std::vector<std::int32_t>{fO.x, fO.y, fLen}; }, true);
    Filer.DefineFloat(
        "fMin", [this](double v) { if (std::isfinite(v)) { fMin = v; } }, [this] { return fMin; }, fMin != 0);
    // Reading the upper bound recomputes the whole scale with the flags and line read before it.
    Filer.DefineFloat(
        "fMax", [this](double v) { ChangeMinMax(fMin, v); }, [this] { return fMax; }, true);
}

#include "Tsp_XYDataSeries.h"

#include "Tsp_XYPlot.h"

#include <algorithm>
#include <cmath>
#include <limits>

Tsp_XYDataSeries::Tsp_XYDataSeries()
{
    Grow(fInc);
    fLineAttr.SetOnChange([this](Tsp_CustomLineAttr &Sender) { AttrChanged(&Sender); });
}

Tsp_XYDataSeries::~Tsp_XYDataSeries()
{
    fLineAttr.SetOnChange(nullptr);
}

void Tsp_XYDataSeries::Grow(std::int32_t highest)
{
    fCapacity = highest;
    Reserve(highest + 1);
}

void Tsp_XYDataSeries::Reserve(std::int32_t n)
{
    if (Slot(n) <= XV.size()) {
        return;
    }
    // Each point dropped from the front leaves a slot behind; moving the points back to the start
    // only once those slots are a sixteenth of the points costs at most 16 moves per dropped point.
    if (fFirst > 0 && fFirst >= fPN / 16) {
        std::copy(XV.begin() + fFirst, XV.begin() + fFirst + fPN, XV.begin());
        std::copy(YV.begin() + fFirst, YV.begin() + fFirst + fPN, YV.begin());
        fFirst = 0;
        if (Slot(n) <= XV.size()) {
            return;
        }
    }
    // Growth by a sixteenth keeps copying amortised without the doubling of a plain resize, which
    // would leave up to half of a long history's memory unused.
    const std::size_t wanted = std::max(Slot(n), XV.size() + XV.size() / 16);
    XV.reserve(wanted);
    YV.reserve(wanted);
    XV.resize(wanted);
    YV.resize(wanted);
}

void Tsp_XYDataSeries::Store(std::int32_t i, double aX, double aY)
{
    XV[Slot(i)] = aX;
    YV[Slot(i)] = aY;
}

void Tsp_XYDataSeries::TrackNewest(std::int32_t i)
{
    const double aX = GetX(i);
    const double aY = GetY(i);
    const auto yOf = [this](std::uint32_t serial) { return SerialY(serial); };
    if (i == 0) {
        XMin = XMax = aX;
        ValidX = true;
        fYWindow.Clear();
        fYWindow.Push(fFirstSerial, aY, yOf);
        ValidY = true;
        return;
    }
    if (ValidX) {
        if (aX < XMin) {
            XMin = aX;
        } else if (aX > XMax) {
            XMax = aX;
        }
    }
    if (ValidY) {
        fYWindow.Push(fFirstSerial + static_cast<std::uint32_t>(i), aY, yOf);
    }
}

void Tsp_XYDataSeries::DropFront(std::int32_t n)
{
    if (ValidY) {
        for (std::int32_t k = 0; k < n; ++k) {
            fYWindow.PopFront(fFirstSerial + static_cast<std::uint32_t>(k));
        }
    }
    fFirstSerial += static_cast<std::uint32_t>(n);
    fFirst += n;
    fPN -= n;
    // Only matters for points out of order: in order, the first X is the minimum.
    ValidX = false;
    if (fPN == 0) {
        fFirst = 0;
    }
}

void Tsp_XYDataSeries::ForgetExtremes()
{
    ValidX = false;
    ValidY = false;
    fYWindow.Clear();
}

void Tsp_XYDataSeries::NotifyAndUpdate()
{
    if (!fLockInvalidate && Attached()) {
        DataChanged(0);
        // Also for an inactive series: the plot paints at once.
        Plot()->Update();
    }
}

void Tsp_XYDataSeries::AddXY(double aX, double aY)
{
    AppendPoint(aX, aY);
    NotifyAndUpdate();
}

void Tsp_XYDataSeries::AppendPoint(double aX, double aY)
{
    if (fPN >= fCapacity) {
        Grow(fCapacity + fInc);
    }
    Reserve(fPN + 1);
    fSorted = fSorted && (fPN == 0 || aX >= GetX(fPN - 1)) && !std::isnan(aX);
    Store(fPN, aX, aY);
    TrackNewest(fPN);
    ++fPN;
}

void Tsp_XYDataSeries::AddXYArrays(const double *pX, const double *pY, std::int32_t n)
{
    if (n <= 0) {
        return;
    }
    if (fPN + n >= fCapacity) {
        Grow(fCapacity + fInc * (n / fInc + 1));
    }
    Reserve(fPN + n);
    for (std::int32_t k = 0; k < n; ++k) {
        const std::int32_t i = fPN + k;
        fSorted = fSorted && (i == 0 || pX[k] >= GetX(i - 1)) && !std::isnan(pX[k]);
        Store(i, pX[k], pY[k]);
        TrackNewest(i);
    }
    fPN += n;
    if (!fLockInvalidate && Attached()) {
        DataChanged(0);
    }
}

void Tsp_XYDataSeries::InsertXY(std::int32_t i, double aX, double aY)
{
    if (i < 0 || i > fPN) {
        return;
    }
    if (i == fPN) {
        AddXY(aX, aY);
        return;
    }
    if (fPN >= fCapacity) {
        Grow(fCapacity + fInc);
    }
    Reserve(fPN + 1);
    fSorted = fSorted && (i == 0 || GetX(i - 1) <= aX) && aX <= GetX(i);
    std::copy_backward(XV.begin() + Slot(i), XV.begin() + Slot(fPN), XV.begin() + Slot(fPN) + 1);
    std::copy_backward(YV.begin() + Slot(i), YV.begin() + Slot(fPN), YV.begin() + Slot(fPN) + 1);
    Store(i, aX, aY);
    ++fPN;
    const bool validX = ValidX && !(aX < XMin) && !(aX > XMax);
    ForgetExtremes();
    ValidX = validX;
    NotifyAndUpdate();
}

void Tsp_XYDataSeries::ReplaceXY(std::int32_t i, double aX, double aY)
{
    if (i < 0 || i >= fPN) {
        return;
    }
    fSorted = fSorted && (i == 0 || GetX(i - 1) <= aX) && (i == fPN - 1 || aX <= GetX(i + 1)) && !std::isnan(aX);
    Store(i, aX, aY);
    ForgetExtremes();
    NotifyAndUpdate();
}

void Tsp_XYDataSeries::Delete(std::int32_t i)
{
    if (i < 0 || i >= fPN) {
        return;
    }
    if (i == 0) {
        DropFront(1);
    } else {
        std::copy(XV.begin() + Slot(i + 1), XV.begin() + Slot(fPN), XV.begin() + Slot(i));
        std::copy(YV.begin() + Slot(i + 1), YV.begin() + Slot(fPN), YV.begin() + Slot(i));
        --fPN;
        ForgetExtremes();
    }
    NotifyAndUpdate();
}

void Tsp_XYDataSeries::DeleteRange(std::int32_t fromi, std::int32_t toi)
{
    if (fromi > toi) {
        std::swap(fromi, toi);
    }
    if (fromi < 0 || fromi >= fPN) {
        return;
    }
    if (toi >= fPN - 1) {
        fPN = fromi;
        if (fPN == 0) {
            fFirst = 0;
        }
        ForgetExtremes();
    } else if (fromi == 0) {
        DropFront(toi + 1);
    } else {
        std::copy(XV.begin() + Slot(toi + 1), XV.begin() + Slot(fPN), XV.begin() + Slot(fromi));
        std::copy(YV.begin() + Slot(toi + 1), YV.begin() + Slot(fPN), YV.begin() + Slot(fromi));
        fPN -= toi - fromi + 1;
        ForgetExtremes();
    }
    NotifyAndUpdate();
}

void Tsp_XYDataSeries::Clear()
{
    const bool held = fPN > 0;
    fPN = 0;
    fFirst = 0;
    fSorted = true;
    ForgetExtremes();
    if (Active() && held && !fLockInvalidate && Attached()) {
        DataChanged(0);
    }
}

void Tsp_XYDataSeries::SetCapacity(std::int32_t C)
{
    // A negative capacity would leave a negative count.
    C = std::max(C, 0);
    if (C < fPN) {
        fPN = C;
        if (fPN == 0) {
            fFirst = 0;
        }
        AdjustCapacity();
        ForgetExtremes();
        if (!fLockInvalidate && Attached()) {
            DataChanged(0);
        }
        return;
    }
    const std::int32_t h = fInc * (C / fInc + 1);
    if (h != fCapacity) {
        Grow(h);
    }
}

void Tsp_XYDataSeries::AdjustCapacity()
{
    const std::int32_t h = fInc * (fPN / fInc + 1);
    if (h != fCapacity) {
        Grow(h);
    }
}

void Tsp_XYDataSeries::RecomputeXExtremes()
{
    XMin = XMax = GetX(0);
    for (std::int32_t i = 1; i < fPN; ++i) {
        const double x = GetX(i);
        if (x < XMin) {
            XMin = x;
        } else if (x > XMax) {
            XMax = x;
        }
    }
    ValidX = true;
}

void Tsp_XYDataSeries::RecomputeYExtremes()
{
    fYWindow.Clear();
    const auto yOf = [this](std::uint32_t serial) { return SerialY(serial); };
    for (std::int32_t i = 0; i < fPN; ++i) {
        fYWindow.Push(fFirstSerial + static_cast<std::uint32_t>(i), GetY(i), yOf);
    }
    ValidY = true;
}

bool Tsp_XYDataSeries::XExtreme(double &V, bool largest)
{
    if (fPN == 0) {
        return false;
    }
    if (fSorted) {
        V = GetX(largest ? fPN - 1 : 0);
        return true;
    }
    if (!ValidX) {
        RecomputeXExtremes();
    }
    V = largest ? XMax : XMin;
    return true;
}

bool Tsp_XYDataSeries::YExtreme(double &V, bool largest)
{
    if (fPN == 0) {
        return false;
    }
    if (!ValidY) {
        RecomputeYExtremes();
    }
    if (!fYWindow.Any()) {
        V = std::numeric_limits<double>::quiet_NaN();
    } else {
        V = SerialY(largest ? fYWindow.MaxSerial() : fYWindow.MinSerial());
    }
    return true;
}

bool Tsp_XYDataSeries::GetXMin(double &V) { return XExtreme(V, false); }
bool Tsp_XYDataSeries::GetXMax(double &V) { return XExtreme(V, true); }
bool Tsp_XYDataSeries::GetYMin(double &V) { return YExtreme(V, false); }
bool Tsp_XYDataSeries::GetYMax(double &V) { return YExtreme(V, true); }

void Tsp_XYDataSeries::SetLockInvalidate(bool b)
{
    if (b == fLockInvalidate) {
        return;
    }
    fLockInvalidate = b;
    if (!fLockInvalidate && Attached()) {
        DataChanged(0);
    }
}

void Tsp_XYDataSeries::SetLineAttr(const Tsp_LineAttr &a)
{
    if (!fLineAttr.IsSame(a)) {
        fLineAttr.Assign(a);
    }
}

void Tsp_XYDataSeries::AttrChanged(const void *)
{
    if (!fLockInvalidate && Attached()) {
        DataChanged(1);
    }
}

#include "Tsp_XYDataSeries.h"

#include "Tsp_XYPlot.h"

#include <algorithm>
#include <cmath>

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
    XV.resize(static_cast<std::size_t>(highest) + 1);
    YV.resize(static_cast<std::size_t>(highest) + 1);
    fCapacity = highest;
}

void Tsp_XYDataSeries::Store(std::int32_t i, double aX, double aY)
{
    XV[static_cast<std::size_t>(i)] = aX;
    YV[static_cast<std::size_t>(i)] = aY;
}

void Tsp_XYDataSeries::ExtendExtremes(double aX, double aY)
{
    if (fPN == 0) {
        XMin = XMax = aX;
        YMin = YMax = aY;
        ValidMinMax = true;
        return;
    }
    if (!ValidMinMax) {
        return;
    }
    if (aX < XMin) {
        XMin = aX;
    } else if (aX > XMax) {
        XMax = aX;
    }
    if (aY < YMin) {
        YMin = aY;
    } else if (aY > YMax) {
        YMax = aY;
    }
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
    fSorted = fSorted && (fPN == 0 || aX >= XV[static_cast<std::size_t>(fPN) - 1]) && !std::isnan(aX);
    Store(fPN, aX, aY);
    ExtendExtremes(aX, aY);
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
    const std::int32_t old = fPN;
    for (std::int32_t k = 0; k < n; ++k) {
        const double x = pX[k];
        fSorted = fSorted && (old + k == 0 || x >= XV[static_cast<std::size_t>(old + k) - 1]) && !std::isnan(x);
        Store(old + k, x, pY[k]);
    }
    fPN += n;
    if (ValidMinMax && 2 * old > n) {
        for (std::int32_t k = 0; k < n; ++k) {
            const double x = pX[k];
            const double y = pY[k];
            if (x < XMin) {
                XMin = x;
            } else if (x > XMax) {
                XMax = x;
            }
            if (y < YMin) {
                YMin = y;
            } else if (y > YMax) {
                YMax = y;
            }
        }
    } else {
        ValidMinMax = false;
    }
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
    const auto at = static_cast<std::size_t>(i);
    fSorted = fSorted && (i == 0 || XV[at - 1] <= aX) && aX <= XV[at];
    std::copy_backward(XV.begin() + i, XV.begin() + fPN, XV.begin() + fPN + 1);
    std::copy_backward(YV.begin() + i, YV.begin() + fPN, YV.begin() + fPN + 1);
    Store(i, aX, aY);
    ExtendExtremes(aX, aY);
    ++fPN;
    NotifyAndUpdate();
}

void Tsp_XYDataSeries::ReplaceXY(std::int32_t i, double aX, double aY)
{
    if (i < 0 || i >= fPN) {
        return;
    }
    const auto at = static_cast<std::size_t>(i);
    fSorted = fSorted && (i == 0 || XV[at - 1] <= aX) && (i == fPN - 1 || aX <= XV[at + 1]) && !std::isnan(aX);
    Store(i, aX, aY);
    ValidMinMax = false;
    NotifyAndUpdate();
}

void Tsp_XYDataSeries::Delete(std::int32_t i)
{
    if (i < 0 || i >= fPN) {
        return;
    }
    ValidMinMax = false;
    std::copy(XV.begin() + i + 1, XV.begin() + fPN, XV.begin() + i);
    std::copy(YV.begin() + i + 1, YV.begin() + fPN, YV.begin() + i);
    --fPN;
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
    ValidMinMax = false;
    if (toi >= fPN - 1) {
        fPN = fromi;
    } else {
        std::copy(XV.begin() + toi + 1, XV.begin() + fPN, XV.begin() + fromi);
        std::copy(YV.begin() + toi + 1, YV.begin() + fPN, YV.begin() + fromi);
        fPN -= toi - fromi + 1;
    }
    NotifyAndUpdate();
}

void Tsp_XYDataSeries::Clear()
{
    const bool held = fPN > 0;
    fPN = 0;
    fSorted = true;
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
        AdjustCapacity();
        ValidMinMax = false;
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

void Tsp_XYDataSeries::RecomputeExtremes()
{
    XMin = XMax = XV[0];
    YMin = YMax = YV[0];
    for (std::size_t k = 1; k < static_cast<std::size_t>(fPN); ++k) {
        if (XV[k] < XMin) {
            XMin = XV[k];
        } else if (XV[k] > XMax) {
            XMax = XV[k];
        }
        if (YV[k] < YMin) {
            YMin = YV[k];
        } else if (YV[k] > YMax) {
            YMax = YV[k];
        }
    }
    ValidMinMax = true;
}

bool Tsp_XYDataSeries::Extreme(double &V, const double &cached)
{
    if (fPN == 0) {
        return false;
    }
    if (!ValidMinMax) {
        RecomputeExtremes();
    }
    V = cached;
    return true;
}

bool Tsp_XYDataSeries::GetXMin(double &V) { return Extreme(V, XMin); }
bool Tsp_XYDataSeries::GetXMax(double &V) { return Extreme(V, XMax); }
bool Tsp_XYDataSeries::GetYMin(double &V) { return Extreme(V, YMin); }
bool Tsp_XYDataSeries::GetYMax(double &V) { return Extreme(V, YMax); }

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

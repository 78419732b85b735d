#pragma once

#include "Tsp_DataSeries.h"
#include "Tsp_LineAttr.h"

#include <cstdint>
#include <vector>

class QPainter;

// Points in two parallel arrays that grow in steps of 32, with cached extremes so that the
// automatic range costs nothing per appended point. Every change of data notifies the plot
// unless LockInvalidate is set.
class Tsp_XYDataSeries : public Tsp_DataSeries {
public:
    Tsp_XYDataSeries();
    ~Tsp_XYDataSeries() override;

    QPainter *Canvas() const { return fCanvas; }
    std::int32_t Count() const { return fPN; }
    std::int32_t Capacity() const { return fCapacity; }
    // Require 0 <= i < Count.
    double GetX(std::int32_t i) const { return XV[static_cast<std::size_t>(i)]; }
    double GetY(std::int32_t i) const { return YV[static_cast<std::size_t>(i)]; }
    // X never decreases from one point to the next (no NaN either): drawing can then search
    // for the points near the field instead of walking them all.
    bool SortedX() const { return fSorted; }

    void AddXY(double aX, double aY);
    void AddXYArrays(const double *pX, const double *pY, std::int32_t n);
    void InsertXY(std::int32_t i, double aX, double aY);
    void ReplaceXY(std::int32_t i, double aX, double aY);
    void Delete(std::int32_t i);
    void DeleteRange(std::int32_t fromi, std::int32_t toi);
    void Clear();
    void SetCapacity(std::int32_t C);
    void AdjustCapacity();

    bool GetXMin(double &V) override;
    bool GetXMax(double &V) override;
    bool GetYMin(double &V) override;
    bool GetYMax(double &V) override;

    bool LockInvalidate() const { return fLockInvalidate; }
    void SetLockInvalidate(bool b);

    Tsp_LineAttr &LineAttr() { return fLineAttr; }
    const Tsp_LineAttr &LineAttr() const { return fLineAttr; }
    void SetLineAttr(const Tsp_LineAttr &a);

    virtual void AttrChanged(const void *Sender);

protected:
    void SetCanvas(QPainter *canvas) { fCanvas = canvas; }
    // Notification after a change of data, and the immediate repaint.
    void NotifyAndUpdate();
    // Stores a point at the end, growing the arrays and extending the extremes; tells no one.
    void AppendPoint(double aX, double aY);
    bool Attached() const { return Plot() != nullptr; }

private:
    void Grow(std::int32_t highest);
    void Store(std::int32_t i, double aX, double aY);
    void ExtendExtremes(double aX, double aY);
    void RecomputeExtremes();
    bool Extreme(double &V, const double &cached);

    QPainter *fCanvas = nullptr;
    std::int32_t fPN = 0;
    std::int32_t fCapacity = 0;
    std::int32_t fInc = 32;
    std::vector<double> XV;
    std::vector<double> YV;
    double XMin = 0;
    double XMax = 0;
    double YMin = 0;
    double YMax = 0;
    bool ValidMinMax = false;
    bool fSorted = true;
    Tsp_LineAttr fLineAttr;
    bool fLockInvalidate = false;
};

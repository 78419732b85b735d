#pragma once

#include "Tsp_DataSeries.h"
#include "Tsp_LineAttr.h"
#include "Tsp_WindowExtremes.h"

#include <cstdint>
#include <vector>

class QPainter;

// Points in two parallel arrays whose capacity grows in steps of 32. Dropping the oldest point only
// moves the start of the points along the arrays; the room left behind is reclaimed when it reaches a
// sixteenth of the points, so a history that adds one point and drops one per sample moves few values
// per sample. Extremes cost nothing per appended or dropped point: with X in order they are the first
// and last X, and the Y extremes are kept for a window that gains points at the end and loses them at
// the front; other edits recompute them once when next asked. Every change of data notifies the plot
// unless LockInvalidate is set.
class Tsp_XYDataSeries : public Tsp_DataSeries {
public:
    Tsp_XYDataSeries();
    ~Tsp_XYDataSeries() override;

    QPainter *Canvas() const { return fCanvas; }
    std::int32_t Count() const { return fPN; }
    std::int32_t Capacity() const { return fCapacity; }
    // Require 0 <= i < Count.
    double GetX(std::int32_t i) const { return XV[Slot(i)]; }
    double GetY(std::int32_t i) const { return YV[Slot(i)]; }
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
    std::size_t Slot(std::int32_t i) const { return static_cast<std::size_t>(fFirst) + static_cast<std::size_t>(i); }
    void Grow(std::int32_t highest);
    // Makes room in the arrays for n points from the first one.
    void Reserve(std::int32_t n);
    void Store(std::int32_t i, double aX, double aY);
    // The point with this index has been stored after the others.
    void TrackNewest(std::int32_t i);
    void DropFront(std::int32_t n);
    void ForgetExtremes();
    void RecomputeXExtremes();
    void RecomputeYExtremes();
    // The smallest or largest X or Y; false without points. All Y being NaN gives NaN.
    bool XExtreme(double &V, bool largest);
    bool YExtreme(double &V, bool largest);
    double SerialY(std::uint32_t serial) const { return GetY(static_cast<std::int32_t>(serial - fFirstSerial)); }

    QPainter *fCanvas = nullptr;
    std::int32_t fPN = 0;
    std::int32_t fCapacity = 0;
    std::int32_t fInc = 32;
    // Array index of point 0.
    std::int32_t fFirst = 0;
    std::vector<double> XV;
    std::vector<double> YV;
    // X extremes for points out of order, valid while ValidX.
    double XMin = 0;
    double XMax = 0;
    bool ValidX = false;
    // Point i carries the serial number fFirstSerial + i while the Y window is kept.
    std::uint32_t fFirstSerial = 0;
    Tsp_WindowExtremes fYWindow;
    bool ValidY = false;
    bool fSorted = true;
    Tsp_LineAttr fLineAttr;
    bool fLockInvalidate = false;
};

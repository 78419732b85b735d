#pragma once

#include <string>

class Tsp_Axis;

// What an axis asks of the plot that owns it. The XY plot implements this; an axis without a
// plot asks nothing. All calls come on the GUI thread, from inside axis operations.
class Tsp_AxisPlot {
public:
    // Full redraw: arrangement, surroundings and field.
    virtual void Invalidate() = 0;
    // Marks the named parts invalid and requests a repaint.
    virtual void InvalidateParts(bool Arrange, bool Around, bool Field) = 0;
    // The automatic range of `Axis` from the attached series; true when a bound came from them.
    // May call `Axis.ChangeMinMax`.
    virtual bool AutoScale(Tsp_Axis &Axis) = 0;
    // The plot's `OnGetTickLabel` event: when a handler is set, it may replace `LS`.
    virtual void GetTickLabel(Tsp_Axis &Sender, int LabelNum, double LabelVal, std::string &LS) = 0;

protected:
    Tsp_AxisPlot() = default;
    Tsp_AxisPlot(const Tsp_AxisPlot &) = default;
    Tsp_AxisPlot &operator=(const Tsp_AxisPlot &) = default;
    ~Tsp_AxisPlot() = default;
};

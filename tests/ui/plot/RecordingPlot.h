#pragma once

#include "Tsp_Axis.h"
#include "Tsp_AxisPlot.h"

#include <functional>
#include <string>

// Stands in for the XY plot, which lives elsewhere: records what an axis asks of it.
class RecordingPlot final : public Tsp_AxisPlot {
public:
    void Invalidate() override { ++invalidates; }
    void InvalidateParts(bool Arrange, bool Around, bool Field) override
    {
        ++partial;
        lastArrange = Arrange;
        lastAround = Around;
        lastField = Field;
    }
    bool AutoScale(Tsp_Axis &) override
    {
        ++autoScales;
        return autoScaleResult;
    }
    void GetTickLabel(Tsp_Axis &Sender, int LabelNum, double LabelVal, std::string &LS) override
    {
        if (onTickLabel) {
            onTickLabel(Sender, LabelNum, LabelVal, LS);
        }
    }

    int invalidates = 0;
    int partial = 0;
    bool lastArrange = false;
    bool lastAround = false;
    bool lastField = false;
    int autoScales = 0;
    bool autoScaleResult = false;
    std::function<void(Tsp_Axis &, int, double, std::string &)> onTickLabel;
};

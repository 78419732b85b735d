#pragma once

#include "Tsp_Scale.h"

#include <vector>

// The laid-out tick values and positions of a scale, for whole-list comparisons.
inline std::vector<double> TickValues(const Tsp_Scale &s)
{
    std::vector<double> v;
    for (int i = 0; i < s.TicksLaidOut(); ++i) {
        v.push_back(s.TickValue(i));
    }
    return v;
}

inline std::vector<int> TickPositions(const Tsp_Scale &s)
{
    std::vector<int> v;
    for (int i = 0; i < s.TicksLaidOut(); ++i) {
        v.push_back(s.TickPos(i));
    }
    return v;
}

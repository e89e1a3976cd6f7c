// Kilometre axes around the data area of the publication style: a black
// frame, outward ticks on all four sides at a round step (1, 2 or 5 times
// a power of ten, about five to eight ticks along the longer side), labels
// under the bottom side and left of the left side, and the axis names
// "X (km)" and "Y (km)" (or others).
#pragma once

#include <string>

#include "plot/labelplacer.h"
#include "plot/plotcontext.h"

namespace crustex {

// The round step (1, 2 or 5 x 10^n) that divides `span` into about
// `wanted` parts; 0 for a span that is not a positive finite number.
float roundstep(float span, int wanted);

// The names of the two axes, and whether the y labels show the values
// with their sign changed (depths, where y is minus the depth).
struct KmAxisNames {
    std::string x = "X (km)";
    std::string y = "Y (km)";
    bool negatey = false;
};

// The data area (x0, y0)-(x1, y1) in km. Every label is taken in the
// placer. Returns the number of labelled ticks.
int drawkmaxes(PlotContext& pc, float x0, float y0, float x1, float y1, LabelPlacer& placer,
               float fontsize, const KmAxisNames& names = {});

// Outward length of the axis ticks, frame units.
inline constexpr float kAxisTick = 4;

}  // namespace crustex

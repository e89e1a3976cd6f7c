// A colour bar for values coloured by the diverging colour map
// (plot/colormaps.h) on a scale symmetric about zero: -limit at the bottom,
// zero (the light centre) in the middle, +limit at the top, the colours
// continuous. Ticks and labels at -limit, -limit/2, 0, limit/2 and limit;
// labels are pubticktext.
#pragma once

#include <span>

#include "plot/surface.h"

namespace crustex {

// The round limit of a scale for values up to `largest` in magnitude: the
// smallest 1, 2 or 5 times a power of ten that is not below it; 1 when
// there is no finite value above 0.
float diverginglimit(float largest);

// The colour of a value on the scale of `limit`.
Rgb divergingvaluecolor(float value, float limit);

// Where the bar goes: its colours fill the box, the labels go right of it.
struct DivergingBarPlace {
    float left = 0, top = 0, width = 0, height = 0;
    float fontsize = 8;
};

void drawdivergingbar(Surface& s, float limit, const DivergingBarPlace& at);

}  // namespace crustex

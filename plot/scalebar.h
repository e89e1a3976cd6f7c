// The kilometre scale bar drawn when no background map is shown.
#pragma once

#include "plot/plotcontext.h"

namespace crustex {

// What the bar stands for at a whole-window width W (km): `km` is 1, 2 or
// 5 times a power of ten, `length` its length in frame units (640 / W per km).
struct ScaleBar {
    float km = 0;
    float length = 0;
};
// False (and nothing to draw) when W is not a positive finite number.
bool scalebarfor(float width, ScaleBar& bar);

// A vertical bar at x = 590 from y = 440 up, ticks to the right at both
// ends, "0" at its foot and "<km>km" at its top, in black.
void drawscalebar(PlotContext& pc, float width);

}  // namespace crustex

// The vertical kilometre scale bar drawn beside a conic map.
#pragma once

#include "plot/surface.h"

namespace crustex {

// What the bar stands for at a scale of `scale` km per frame unit: W = 50
// units' worth of km rounded down to one significant digit (`km`), and the
// bar's length in frame units.
struct MapScaleBar {
    float km = 0;
    float length = 0;
};
// False when the scale is not a positive finite number.
bool mapscalebarfor(float scale, MapScaleBar& bar);

// The bar in black standing on y - 9 at x, with ticks of 8 units to the right
// at both ends and of 4 at its middle; "0" beside its top, the km number
// beside its foot and "km" under it, right-aligned on one line. Text uses the
// surface's current font and ForeColor.
void drawmapscalebar(Surface& s, float scale, float y, float x);

}  // namespace crustex

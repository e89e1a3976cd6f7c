// Named marks centred on a frame point, drawn in ForeColor.
#pragma once

#include <string_view>

#include "plot/plotcontext.h"

namespace crustex {

// Draws the mark `name` of the given size at frame point (x, y):
//   "crs"  an X: the two diagonals of the square of half-side 0.707 x size
//          (contour peaks);
//   "rca"  an equilateral triangle, apex at (x, y - size), base at
//          y + size / 2 (volcanoes; three nested sizes look filled);
//   "rrc"  the same triangle upside down;
//   "sqr"  a square of half-side size;
//   "pls"  a plus of half-length size.
// Any other name draws nothing and returns false.
bool drawsymbol(PlotContext& pc, float x, float y, std::string_view name, float size);

}  // namespace crustex

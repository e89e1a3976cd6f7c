// Values of the contour lines where they leave the grid on its right.
#pragma once

#include "plot/contourtrace.h"

namespace crustex {

// For each pair of neighbouring nodes of the last column, writes the value
// of every linear level between them 5 units right of the column, at the
// height where the level crosses. A pair with a node without value is
// skipped. Returns true when a pair's level list had to be thinned.
bool drawlinearedgelabels(PlotContext& pc, const ContourGrid& grid, float subinterval,
                          float fontsize);
// The same with the one-digit semi-logarithmic levels (whichever
// semi-logarithmic scale is shown); only 0 and levels whose general text
// ends in "1" get a label.
bool drawlogedgelabels(PlotContext& pc, const ContourGrid& grid, float minvalue, float fontsize);

}  // namespace crustex

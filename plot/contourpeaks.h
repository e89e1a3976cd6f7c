// Local maxima and minima of a contour map.
#pragma once

#include "plot/contourtrace.h"

namespace crustex {

// Marks every interior node (not on the outermost rows or columns) whose
// value is greater (or smaller) than each of its six neighbours (i-1, j-1),
// (i-1, j), (i, j-1), (i, j+1), (i+1, j), (i+1, j+1): a cross of size 3, "H"
// (or "L") to its left and the value to its right, in black at the given
// font size. A node without value is never a peak; as a neighbour it always
// loses. Returns the number of peaks marked. `grid` must be cut to what
// exists (usablepart).
int drawpeaks(PlotContext& pc, const ContourGrid& grid, float fontsize);

}  // namespace crustex

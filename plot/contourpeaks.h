// Local maxima and minima of a contour map.
#pragma once

#include <vector>

#include "plot/contourtrace.h"

namespace crustex {

// A local maximum (high) or minimum of the grid at node (i, j).
struct ContourPeak {
    int i = 0, j = 0;
    bool high = true;
    float value = 0;
};

// Every interior node (not on the outermost rows or columns) whose value is
// greater (or smaller) than each of its six neighbours (i-1, j-1), (i-1, j),
// (i, j-1), (i, j+1), (i+1, j), (i+1, j+1), column by column from the west.
// A node without value is never a peak; as a neighbour it always loses.
// `grid` must be cut to what exists (usablepart).
std::vector<ContourPeak> findpeaks(const ContourGrid& grid);

// Marks every peak: a cross of size 3, "H" (or "L") to its left and the
// value to its right, in black at the given font size. Returns the number
// of peaks marked.
int drawpeaks(PlotContext& pc, const ContourGrid& grid, float fontsize);

}  // namespace crustex

// Values of the contour lines where they leave the grid on its right.
#pragma once

#include <string>
#include <vector>

#include "plot/contourtrace.h"

namespace crustex {

// One label at the right edge: the line's level (in the quantity's units),
// the frame height where it crosses the last column, and its text (with
// its "$-" marker).
struct EdgeLabel {
    float level = 0;
    float y = 0;
    std::string text;
};

// The labels of the linear levels: for each pair of neighbouring nodes of
// the last column, every level between them. A pair with a node without
// value is skipped. Returns true when a pair's level list had to be
// thinned. `grid` must be cut to what exists (usablepart).
bool linearedgelabels(const ContourGrid& grid, float subinterval, std::vector<EdgeLabel>& out);
// The same with the one-digit semi-logarithmic levels (whichever
// semi-logarithmic scale is shown); only 0 and levels whose general text
// ends in "1" get a label.
bool logedgelabels(const ContourGrid& grid, float minvalue, std::vector<EdgeLabel>& out);

// Writes the labels 5 units right of the last column, at the height where
// each level crosses.
bool drawlinearedgelabels(PlotContext& pc, const ContourGrid& grid, float subinterval,
                          float fontsize);
bool drawlogedgelabels(PlotContext& pc, const ContourGrid& grid, float minvalue, float fontsize);

}  // namespace crustex

// A grid drawn as a cyclic colour image (wrapped interferometric fringes)
// and the colour bar of one cycle.
//
// Each grid cell is cut into sub-cells whose value is interpolated
// bilinearly from the cell's four corners and then wrapped into its colour
// cycle, so that even a coarse grid gives smooth fringes: the phase wraps
// inside a cell, not only at the nodes. A cell is cut finer where more
// cycles pass through it (kFringeStepsPerCycle colours a cycle), down to
// sub-cells of kFringeFinestStep frame units; a cell with a corner without
// value is left empty. The boxes are filled in the copy pen and overlap
// their next neighbours by a fraction of a unit, so that no seam shows
// between them in a smoothed (PDF, SVG) rendering.
#pragma once

#include <span>

#include "model/grid2d.h"
#include "model/host.h"
#include "plot/plotcontext.h"

namespace crustex {

inline constexpr float kFringeStepsPerCycle = 24;
inline constexpr float kFringeFinestStep = 1.5f;  // frame units
inline constexpr int kFringeCoarsestCut = 4;      // sub-cells a cell edge at least

// The values and where their nodes are: the frame x of each node column
// and the frame y of each node row (as the node frame arrays hold them).
struct CyclicGrid {
    const Grid2D& values;
    std::span<const float> nodex;
    std::span<const float> nodey;
    double period = 1;  // one colour cycle, in the values' unit
};

// Sub-cells along each edge of a cell whose corner values span `spread`
// (largest minus smallest) and whose longer edge is `size` frame units.
int fringecuts(double spread, double period, float size);

// Draws the image; lets the window process events after each grid column
// (Ctrl-Q asks "Abort?"). False when the user aborted it.
bool drawcyclicimage(PlotContext& pc, Host& host, bool& abortflag, const CyclicGrid& grid);

// A vertical bar of one colour cycle from 0 (bottom) to `period` (top) in
// the box, outlined, with ticks and labels at 0, half and the whole period
// right of it (the program's number text, font size `fontsize`).
struct CyclicBarPlace {
    float left = 0, top = 0, width = 0, height = 0;
};
void drawcyclicbar(Surface& s, const CyclicBarPlace& at, float period, float fontsize);

}  // namespace crustex

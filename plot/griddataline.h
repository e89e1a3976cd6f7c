// The one-line read-out of a grid node's values for the information strip.
#pragma once

#include <string>
#include <string_view>

#include "model/workstate.h"

namespace crustex {

// The result grid a contour quantity key shows, the LOS displacement for
// the fringes too (nullptr for the vector keys, the empty key and unknown
// words).
const Grid2D* contourgridforkey(const ResultGrids& grids, std::string_view key);

// The read-out of node (i, j) for ws.quantitykey, values in the contour
// label format: " <value>" for contour keys (delta CFF in the work's
// stress unit), " Ux=.. Uy=.." for
// "displacement", " Uxz=.. Uyz=.." for "tilt1", " Uzx=.. Uzy=.." for "tilt2",
// " Max=.. Min=.." for "principal". Empty when the node has no value (its
// displacement x, or a value shown, is the no-value marker), lies outside
// the grids, or the key shows nothing.
std::string griddatatext(const WorkState& ws, int i, int j);

}  // namespace crustex

// Iso-depth lines of the inclined field, for drawing over the plot.
#pragma once

#include "model/workstate.h"

namespace crustex {

// Recomputes ws.incx0/incy0/incx1/incy1[1..5]: the lines where the inclined
// plane lies at depth 0, 10, 20, 30 and 40 km, each running along the strike
// across the data area (ends moved onto the area's south or north edge when
// they would fall outside). With a strike of exactly 0 the lines are
// north-south at their X clamped into the area. A horizontal plane (dip 0)
// has no such lines: all five collapse to the reference point.
void calcinclinedlines(WorkState& ws);

}  // namespace crustex

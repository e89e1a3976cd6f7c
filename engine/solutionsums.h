// The two half-space solutions up to their 64-bit sums, before the sums are
// rounded to the 32-bit results: the reference that the block evaluation
// falls back on for the points it leaves alone, and is compared with.
#pragma once

#include <cstdint>

#include "engine/rectconst.h"

namespace crustex {

// Everything calcrectsource takes besides the observation point.
struct RectArgs {
    float alpha = 0, depth = 0, dip = 0;
    float al1 = 0, al2 = 0, aw1 = 0, aw2 = 0;
    float disl1 = 0, disl2 = 0, disl3 = 0;
};

// A point source with an inflation potency only (km^2 mm), the program's
// point source; dip 0.
struct InflationArgs {
    float alpha = 0, depth = 0, potency = 0;
};

// The sums of calcrectsource (four corners per vector) and of calcpointsource
// with (0, 0, 0, potency) at (x, y, z). Return IRET as those routines do, 1
// also when a sum is not finite; `sum` is then meaningless.
int16_t rectsourcesums(const RectArgs& a, float x, float y, float z, Vec12& sum);
int16_t inflationsums(const InflationArgs& a, float x, float y, float z, Vec12& sum);

}  // namespace crustex

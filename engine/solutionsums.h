// The two half-space solutions up to their 64-bit sums, before the sums are
// rounded to the 32-bit results: the reference that the block evaluation
// falls back on for the points it leaves alone, and is compared with.
#pragma once

#include <cstdint>

#include "engine/rectconst.h"

namespace crustex {

// Everything calcrectsource takes besides the observation point: in floats
// as the program passes them, or in doubles for the patches of a slip model.
template <class Real>
struct RectArgsOf {
    Real alpha = 0, depth = 0, dip = 0;
    Real al1 = 0, al2 = 0, aw1 = 0, aw2 = 0;
    Real disl1 = 0, disl2 = 0, disl3 = 0;
};
using RectArgs = RectArgsOf<float>;
using RectArgs64 = RectArgsOf<double>;

// A point source with an inflation potency only (km^2 mm), the program's
// point source; dip 0.
template <class Real>
struct InflationArgsOf {
    Real alpha = 0, depth = 0, potency = 0;
};
using InflationArgs = InflationArgsOf<float>;
using InflationArgs64 = InflationArgsOf<double>;

// The sums of calcrectsource (four corners per vector) and of calcpointsource
// with (0, 0, 0, potency) at (x, y, z). Return IRET as those routines do, 1
// also when a sum is not finite; `sum` is then meaningless.
int16_t rectsourcesums(const RectArgs& a, float x, float y, float z, Vec12& sum);
// The same with 64-bit arguments: the first sums (x + al1, x - al2,
// depth + z, depth - z) and the edge tests are formed in 64-bit too.
int16_t rectsourcesums64(const RectArgs64& a, double x, double y, double z, Vec12& sum);
int16_t inflationsums(const InflationArgs& a, float x, float y, float z, Vec12& sum);
// The same with 64-bit arguments: the depths of the source and its image
// below the point (depth + z, depth - z) are formed in 64-bit too.
int16_t inflationsums64(const InflationArgs64& a, double x, double y, double z, Vec12& sum);

}  // namespace crustex

// The strains derived from the displacement gradient at one point or over a
// whole grid column: exy, eyz, ezx, areal, vol and maxshear.
#pragma once

#include <array>

#include "model/resultgrids.h"

namespace crustex {

// ux..duz/dz (grid order 2..13) followed by exy, eyz, ezx, areal, vol,
// maxshear (grids 14..19).
using PointValues = std::array<float, 18>;

// Fills elements 12..17 from elements 0..11. A point whose ux is kNoValue is
// left as it is (all eighteen already hold the marker).
void derivestrains(PointValues& v);

// The same for every node of column i of the grids.
void derivecolumn(ResultGrids& g, int i);

}  // namespace crustex

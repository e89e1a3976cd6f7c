// User-weighted composites of the displacement and of the strain components
// (grid 21).
#pragma once

#include "model/grid2d.h"
#include "model/workstate.h"

namespace crustex {

// result = ux*fx + uy*fy + uz*fz per node, summed in 64-bit and stored as a
// float; kNoValue where ux holds it or where an input grid lacks the node.
void composedispl(const Grid2D& ux, const Grid2D& uy, const Grid2D& uz, Grid2D& result, float fx,
                  float fy, float fz);

// result = exx*fxx + eyy*fyy + ezz*fzz + exy*fxy + eyz*fyz + ezx*fzx per node,
// kNoValue where exx holds it.
void composestrain(const Grid2D& exx, const Grid2D& eyy, const Grid2D& ezz, const Grid2D& exy,
                   const Grid2D& eyz, const Grid2D& ezx, Grid2D& result, float fxx, float fyy,
                   float fzz, float fxy, float fyz, float fzx);

// The same on the work state's grids and weights, into ws.grids.composite.
void composedispl(WorkState& ws);
void composestrain(WorkState& ws);

}  // namespace crustex

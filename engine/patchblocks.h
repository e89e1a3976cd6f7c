// The patches of one chunk (patchplanes.h) at a run of points, one point per
// vector lane: for every plane, the terms of each lattice corner weighted by
// the dislocations meeting there, the real source and its image summed over
// the corners, turned into the plane's axes and then into map axes, all in
// 64-bit. The corner terms are those of the per-point routine (the same
// formulas as the block evaluation of a source, nodeblocks.h), with vector
// logarithm and arc tangent.
//
// A point on an edge line of a plane or its extension, or close to it (where
// R + xi or R + eta cancels), or with sums that come out infinite is handed to
// the per-point routine for every patch of that plane instead; it alone
// decides which points are singular. Points on a plane elsewhere (receivers
// on a fault, a field through a horizontal patch) stay in the block.
#pragma once

#include <span>

#include "engine/modelpoints.h"
#include "engine/parallelcolumns.h"
#include "engine/patchplanes.h"

namespace crustex {

// Adds the chunk's planes at points 0..pts.n-1 to out[k]. `patches` are the
// model's patches the chunk's members refer to. Asks control (when not null)
// between blocks whether to stop and returns false when it says so.
bool addpatchchunk(const PatchChunk& chunk, std::span<const SlipPatch> patches, float alpha,
                   const ModelPoints& pts, PatchPointSums* out, ColumnControl* control);

}  // namespace crustex

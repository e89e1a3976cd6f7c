// Evaluation at any set of points: the patches of a slip model (all, a
// subset or a single one, as the Green's functions of an inversion need
// them), and everything a work adds up (its sources and its slip model), for
// receivers, sections, fitting and the observation sites. The field grid
// uses the same machinery.
//
// Frames and units: points in the model frame, X east and Y north (km) and z
// up (km, -depth below the surface; a positive z is evaluated as it is).
// Results in map axes in the order of grids 2..13: ux, uy, uz (mm), then
// dux/dx, duy/dx, duz/dx, dux/dy, duy/dy, duz/dy, dux/dz, duy/dz, duz/dz
// (10^-6, since lengths are in km and dislocations in mm). Patch slip and
// opening are in metres (model/slipmodel.h) and enter as mm.
//
// The points are split into chunks spread over worker threads; every
// point's result is the same whatever the number of threads or its place
// among the points.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

#include "engine/gridderive.h"
#include "engine/patchplanes.h"
#include "engine/rectconst.h"
#include "model/medium.h"
#include "model/workstate.h"

namespace crustex {

// The half-space constant the solutions take for the medium: the float of
// 1 / (2 (1 - nu)), which for Poisson's ratio 0.25 is kAlpha. NaN when the
// ratio is not finite or outside -1 < nu <= 0.5: nothing can be evaluated.
float halfspacealpha(const Medium& m);

// Points as three arrays of n values each.
struct ModelPoints {
    const float* x = nullptr;  // map X (km)
    const float* y = nullptr;  // map Y (km)
    const float* z = nullptr;  // vertical coordinate (km, up +)
    std::size_t n = 0;
};

// The 64-bit sums of patches at one point. A point on an edge of a patch
// (as the per-point routine decides it) is singular; its sums then mean
// nothing.
struct PatchPointSums {
    std::array<double, 12> sums{};
    bool singular = false;
};

// Called on the calling thread with the chunks of points done so far and
// their count, also while a chunk is slow; returning false stops the
// evaluation.
using PointsProgress = std::function<bool(int done, int total)>;

struct PointsRun {
    int threads = 0;          // as calcgridstrain takes them: 0 one per core
    PointsProgress progress;  // may be empty
};

// Adds every usable patch of `list` with slip or opening at every point to
// out[k] (out.size() must be pts.n; clear it first for the patches' own
// sums), setting `singular` where a patch is singular. The sums are formed
// in 64-bit throughout. Returns false when progress asked to stop (out then
// holds part of the sums), when alpha is NaN or out is too short.
// Green's functions: a list of one patch with a slip of 1 m and rake 0
// (strike slip) or 90 (dip slip), whose components are then exact.
bool addpatchsums(const PatchList& list, float alpha, const ModelPoints& pts,
                  std::span<PatchPointSums> out, const PointsRun& run = {});

// One patch at one point through the per-point routine: its dislocations
// one at a time, combined and turned into map axes in 64-bit. Returns 1 when
// the point is singular for the patch (then `sum` means nothing), 0
// otherwise; an unusable patch gives zeros.
int16_t patchatpoint(const SlipPatch& p, float alpha, float x, float y, float z, Vec12& sum);

// The values of grids 2..19 at every point from the work's sources (in table
// order) and then its slip model, each point exactly as a grid node at the
// same place; kNoValue where any of them is singular or the medium is not
// usable. Returns false when progress asked to stop or out is too short.
bool workpointvalues(const WorkState& ws, const ModelPoints& pts, std::span<PointValues> out,
                     const PointsRun& run = {});

}  // namespace crustex

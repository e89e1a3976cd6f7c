// The patches of a slip model arranged for the block evaluation: usable
// patches grouped into planes, each plane with one frame and a lattice of
// corners whose terms its patches share.
//
// A rectangle's result is the signed sum of four corner terms, and each term
// is linear in the three dislocations. Patches of one plane therefore need
// not be evaluated one by one: every corner of the plane's lattice carries
// the signed dislocations of all patches that meet there and is evaluated
// once. A gridded model of m x n patches has (m + 1)(n + 1) corners instead
// of 4mn; where neighbours slip alike their shared corners cancel, which
// also spares the result the cancellation of their separate terms.
//
// Patches are read as float coordinates, so neighbours rarely meet exactly.
// Patches count as lying on one plane, and corners as shared, when they agree
// to within 2^-20 of the size of the coordinates involved (about eight units
// in the last place of a float, 0.5 m at 500 km). A corner then moves by at
// most that much (a shared corner lies in the middle of those it stands
// for), in practice by the unit or two in the last place that the float
// positions were rounded by. Near a patch edge at distance r the result then changes by
// about (move / r) of its size, as it would for points rounded to floats.
// Only patches that follow each other in the list join one plane; a patch
// that fits no plane is evaluated on its own, in its own frame, exactly.
//
// Patch frame and units as in model/slipmodel.h; set-up values are km and
// dislocations in mm.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "model/faultrec.h"
#include "model/slipmodel.h"

namespace crustex {

// The patches to evaluate: all of `patches`, or those whose positions
// `subset` lists (positions outside `patches` are ignored).
struct PatchList {
    std::span<const SlipPatch> patches;
    std::span<const uint32_t> subset;

    std::size_t size() const { return subset.empty() ? patches.size() : subset.size(); }
    // Position in `patches` of the k-th patch of the list; patches.size()
    // for a subset entry outside the patches.
    std::size_t index(std::size_t k) const {
        if (subset.empty()) return k;
        return subset[k] < patches.size() ? subset[k] : patches.size();
    }
};

// True when every field is finite, the upper edge has a length, the width is
// positive and the dip lies in 0..90 degrees. Other patches contribute
// nothing.
bool patchusable(const SlipPatch& p);

// The dislocation of a patch in mm: slip * cos(rake), slip * sin(rake) and
// the opening, each * 1000. A rake that is a whole multiple of 90 degrees
// gives exact zeros.
struct PatchSlip {
    double strike = 0, dip = 0, tensile = 0;
};
PatchSlip patchslip(const SlipPatch& p);

// The patch as a fault record (slip and opening left 0).
faultrec patchrecord(const SlipPatch& p);

// The strike of a usable patch in 64-bit: the direction (c, s) from its first
// end to its second and the length of its upper edge (km).
struct PatchStrike {
    double c = 0, s = 0, length = 0;
};
PatchStrike patchstrike(const SlipPatch& p);

// The frame of a plane: its origin lies on the plane; xi runs along the
// strike (c, s) and w down the dip.
struct PlaneFrame {
    double ox = 0, oy = 0, od = 0;  // origin: map X, Y (km) and depth (km, down +)
    double c = 0, s = 0;            // strike direction in map axes
    double sd = 0, cd = 0;          // sine and cosine of the dip (cos 0 for vertical)
};

// One plane: its frame, its lattice and its patches.
struct PatchPlane {
    PlaneFrame frame;
    uint32_t firstedge = 0;  // edges: nxi positions along strike, then nw down dip
    uint32_t nxi = 0, nw = 0;
    uint32_t firstcell = 0;  // corner (i, j) is cell firstcell + i * nw + j
    uint32_t firstmember = 0, nmembers = 0;
};

// The set-up of a run of patches, read-only during the evaluation.
struct PatchChunk {
    std::vector<PatchPlane> planes;
    std::vector<double> edges;
    // Per cell: the signed strike-slip, dip-slip and tensile dislocations
    // (mm) / 2 pi of the patches meeting there.
    std::vector<double> weights;
    // Per plane: the positions in the model's patches of its patches.
    std::vector<uint32_t> members;

    std::size_t bytes() const;
};

// Patches per chunk: the set-up of one chunk is prepared at a time.
inline constexpr std::size_t kPatchesPerChunk = 4096;

// Sets `chunk` up for list entries first .. first + count - 1 (reusing its
// memory). Unusable patches and patches without slip or opening are left
// out.
void preparepatchchunk(const PatchList& list, std::size_t first, std::size_t count,
                       PatchChunk& chunk);

}  // namespace crustex

// Inverting the observations for the slip of every patch of the slip model,
// the patches' geometry held: each patch slips along a chosen rake by a
// non-negative amount, or along two rakes 45 degrees either side of it, each
// non-negative (so that the rake may vary within those 90 degrees). The
// displacement is linear in the slips; the slips minimise
//
//   sum over observed components of ((observed - fixed - G s) / sigma)^2
//   + sum over patches and components of (w * Laplacian s)^2
//
// with G the displacement of each patch for 1 m of slip (the Green's
// functions, in 64-bit), and the Laplacian of a patch the sum over its
// neighbours (fit/patchneighbours.h) of the neighbour's slip minus its own,
// in m; w is the user's smoothing weight (0: none). The bounded linear least
// squares go through Ceres Solver like the source fit. The observations are
// those of fit/fitdata.h; the sources and the patches' openings stay fixed.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "fit/sourcefit.h"
#include "model/workstate.h"

namespace crustex {

struct SlipInversionRequest {
    double rake = 90;       // degrees, as the patches' rake
    bool tworakes = false;  // rake - 45 and rake + 45, both non-negative
    double smoothing = 0;   // w, at least 0
    std::function<void(const FitProgress&)> progress;
    const std::atomic<bool>* cancel = nullptr;
};

struct SlipInversionResult {
    bool ok = false;
    std::string message;                 // why there is no result
    std::vector<SlipPatch> patches;      // the slip model with the inverted slips and rakes
    int inverted = 0;                    // patches inverted (the usable ones)
    int neighbours = 0;                  // pairs of patches sharing an edge
    int observations = 0;                // observed components used
    double rmsbefore = 0, rmsafter = 0;  // mm, over every observed component
    double moment = 0;                   // N m: shear modulus * sum of area * net slip
    double mw = 0;                       // 2/3 (log10 moment - 9.1); -inf for no slip
    int iterations = 0;
};

SlipInversionResult invertslip(const WorkState& ws, const SlipInversionRequest& req);

// Puts the inverted slips into the work's slip model and marks the results
// stale. Returns "" or, leaving the work unchanged, why not.
std::string applyslipinversion(WorkState& ws, const SlipInversionResult& r);

}  // namespace crustex

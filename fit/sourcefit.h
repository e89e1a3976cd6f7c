// Fitting sources to the observations at the sites: chosen parameters of
// chosen sources (and slip-model patches) are varied within bounds until
// the weighted sum of squared residuals over every observed displacement
// component (fit/fitdata.h) is smallest.
//
// The minimisation is Ceres Solver's Levenberg-Marquardt with bounds, run
// from several starts: the model's own values first, then points of a
// Halton sequence inside the bounds (the same points on every run); the
// start that ends lowest wins. The derivatives are central differences
// (one-sided at a bound) of the 64-bit forward model. The uncertainties are
// the square roots of the diagonal of the covariance (J^T J)^-1 at the
// solution; when no observation carries its own sigma, the covariance is
// scaled by the reduced chi-square, so that the spread of the residuals
// stands for the unknown sigma.
//
// Bad input is refused with a message and no result: no observations,
// no more observed components than free parameters, a parameter the source
// does not have or bounds outside what it can take, a free parameter with
// no influence on the observations at its start, a singular fit at the
// solution. The work state is only read; applyfit writes a result into it.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "fit/fitsource.h"
#include "model/workstate.h"

namespace crustex {

// One free parameter and, optionally, its bounds (else defaultbounds).
struct FreeParam {
    FitTarget target;
    FitParam param = FitParam::East;
    std::optional<double> lower, upper;
};

// Where a long fit has got to: start `start` (1-based) of `starts`, its
// iteration, and the lowest cost (half the sum of squared residuals) of
// the starts finished so far (-1 before the first).
struct FitProgress {
    int start = 0, starts = 0, iteration = 0;
    double best = -1;
};

struct FitRequest {
    std::vector<FreeParam> free;
    int starts = 1;  // at least 1
    // Called on the fitting thread after every iteration; may be empty.
    std::function<void(const FitProgress&)> progress;
    // Set by anyone to stop the fit as soon as the current iteration ends:
    // the fit then gives no result. May be null.
    const std::atomic<bool>* cancel = nullptr;
};

struct FittedParam {
    FitTarget target;
    FitParam param = FitParam::East;
    double start = 0;  // the model's value, brought into the bounds
    double value = 0;
    double sigma = 0;  // 1 sigma
    double lower = 0, upper = 0;
    bool atbound = false;  // the solution lies on a bound
};

struct FitResult {
    bool ok = false;
    std::string message;  // why there is no result
    std::vector<FittedParam> params;
    double rmsbefore = 0, rmsafter = 0;  // mm, over every observed component
    double chi2reduced = 0;              // sum of squared residuals / (N - p)
    int observations = 0;                // N: observed components used
    bool sigmasgiven = false;            // some observation carries its own sigma
    int iterations = 0;                  // of the winning start
    int starts = 0;                      // starts run
    // The model with the fitted values: the source table and the patches.
    FaultTable fault{};
    std::vector<SlipPatch> patches;
};

FitResult fitsources(const WorkState& ws, const FitRequest& req);

// Puts a result's model into the work and marks the results stale. When a
// patch has moved, the slip model's degrees (SlipModel::geo) are dropped:
// the model then stays where it is in the model frame when the map changes.
// Returns "" or, leaving the work unchanged, why not: a fitted source record
// that the source editor would refuse (an edge outside 0..10000 km, ...).
std::string applyfit(WorkState& ws, const FitResult& r);

}  // namespace crustex

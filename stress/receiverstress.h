// The stress change on receiver faults: every receiver split into patches
// (stress/receiverpatches.h), and at each patch centre the shear stress
// along the receiver's rake, the normal stress (unclamping positive) and
// delta CFF = shear + friction * normal, in the chosen unit.
//
// The receiver frame and the signs are those of the program's own delta CFF
// (engine/cff.h): n the normal of the plane, l the slip direction of the
// rake, normal / mu = (lambda / mu) vol + 2 e_nn, shear / mu = 2 e_nl, so
// that a receiver's value in the default unit times the shear modulus (bar)
// times 1e-6 is its value in bar. All patch centres go through one block
// evaluation of the work's sources and slip model (engine/modelpoints.h),
// spread over threads, with progress.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "engine/modelpoints.h"
#include "model/workstate.h"
#include "stress/receiverpatches.h"

namespace crustex {

struct ReceiverOptions {
    ReceiverSplit split;
    float rake = 0;         // degrees: for receivers without their own rake
    float friction = 0.3f;  // effective friction coefficient
    StressUnit unit = StressUnit::Rigidity;
};

// The options of the work: no split, the CFF dialog's rake and friction,
// the work's stress unit.
ReceiverOptions receiveroptions(const WorkState& ws);

// The values at one patch centre in the unit; kNoValue in all three where
// the point has no value (on a source edge, or an unusable medium).
struct ReceiverValue {
    float shear = 0;
    float normal = 0;
    float cff = 0;

    bool operator==(const ReceiverValue&) const = default;
};

struct ReceiverResults {
    std::vector<ReceiverPatch> patches;
    std::vector<ReceiverValue> values;  // one per patch
    std::size_t receivers = 0;          // receivers given
    std::size_t skipped = 0;            // receivers left out (receiverproblem)
    ReceiverOptions options;            // what the values were made with

    bool empty() const { return patches.empty(); }
    void clear() { *this = ReceiverResults(); }
};

// The values of one patch from the point's values (engine/modelpoints.h)
// for a medium of lambda / mu; `factor` turns stress / mu into the unit
// (stress/stressunits.h).
ReceiverValue resolvereceiver(const ReceiverPatch& p, const PointValues& v, float friction,
                              double lambdaovermu, double factor);

// Evaluates every receiver for the work's sources and slip model. False
// when progress asked to stop, or when the receivers would give more than
// kMaxReceiverPatches patches (`why` then says so); `out` holds the
// patches and values of a finished run.
bool evaluatereceivers(const WorkState& ws, std::span<const ReceiverFault> receivers,
                       const ReceiverOptions& options, ReceiverResults& out,
                       const PointsRun& run = {}, std::string* why = nullptr);

}  // namespace crustex

// The patches of a list made ready for evaluation at runs of points from
// several threads at once, chunk by chunk so that the set-up held at any time
// stays small: when every patch fits in one chunk its set-up is prepared
// once and shared, otherwise each call prepares the chunks one after the
// other for itself.
#pragma once

#include <cstddef>

#include "engine/modelpoints.h"
#include "engine/parallelcolumns.h"
#include "engine/patchplanes.h"
#include "engine/sourcenodes.h"

namespace crustex {

class PatchEvaluator {
public:
    PatchEvaluator(const PatchList& list, float alpha);

    // True when the list holds no patch.
    bool empty() const { return list_.size() == 0; }
    // True when the set-up of every patch is prepared and shared: adding
    // the patches to a few points at a time then costs no more than to many.
    bool shared() const { return nchunks_ == 1; }

    // Adds every patch at points 0..pts.n-1 to out[k]; false when control
    // (when not null) asked to stop.
    bool add(const ModelPoints& pts, PatchPointSums* out, ColumnControl* control) const;

private:
    PatchList list_;
    float alpha_;
    std::size_t nchunks_;
    PatchChunk only_;  // the set-up, when one chunk holds every patch
};

// Adds the patches to a run of nodes, once, after its sources: each node's
// 64-bit sum of every patch is added to its running sums as addsource adds
// one source (formed in 64-bit, stored as floats). A node already holding
// kNoValue is left alone; one singular for a patch gets kNoValue in every
// value. False when control asked to stop (the nodes then keep their sums).
// The 64-bit sums are held for a few nodes at a time where the set-up is
// shared, for the whole run otherwise.
bool addpatchnodes(const PatchEvaluator& patches, const NodeRun& nodes, ColumnControl* control);

}  // namespace crustex

// One source added to a run of nodes at once (a grid column, or a single
// site), through the block evaluation of nodeblocks.h.
#pragma once

#include "engine/fieldgrid.h"

namespace crustex {

// A run of nodes: their map x (all the same, or one each), y and z, and
// their values.
struct NodeRun {
    float x = 0;
    const float* xs = nullptr;  // when set, the x of each node (x is then unused)
    const float* y = nullptr;
    const float* z = nullptr;
    int n = 0;
    // The values of grids 2..19 at these nodes: values[k][j] for grid k + 2.
    // The first twelve are the running sums; the last six (the derived
    // strains) may be null.
    float* values[18] = {};
};

// Adds the source to every node whose first sum is not kNoValue, as
// addsource does at one point: the result in the fault's frame is rounded to
// floats, turned into map axes and added to the sums in 64-bit, each sum
// stored back as a float. A node singular for the source gets kNoValue in
// every value.
void addsourcenodes(const SourceTerms& src, const NodeRun& nodes);

// The derived strains (values 12..17) of every node from its gradient
// (values 3..11), as derivestrains; a node whose first value is kNoValue is
// left as it is.
void derivenodes(const NodeRun& nodes);

}  // namespace crustex

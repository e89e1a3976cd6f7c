#include "engine/patchevaluator.h"

#include <algorithm>
#include <vector>

#include "engine/patchblocks.h"

namespace crustex {

PatchEvaluator::PatchEvaluator(const PatchList& list, float alpha)
    : list_(list),
      alpha_(alpha),
      nchunks_((list.size() + kPatchesPerChunk - 1) / kPatchesPerChunk) {
    if (nchunks_ == 1) preparepatchchunk(list_, 0, list_.size(), only_);
}

bool PatchEvaluator::add(const ModelPoints& pts, PatchPointSums* out,
                         ColumnControl* control) const {
    if (nchunks_ == 1) return addpatchchunk(only_, list_.patches, alpha_, pts, out, control);
    PatchChunk chunk;
    for (std::size_t c = 0; c < nchunks_; ++c) {
        preparepatchchunk(list_, c * kPatchesPerChunk, kPatchesPerChunk, chunk);
        if (!addpatchchunk(chunk, list_.patches, alpha_, pts, out, control)) return false;
    }
    return true;
}

bool addpatchnodes(const PatchEvaluator& patches, const NodeRun& nodes, ColumnControl* control) {
    const std::size_t n = static_cast<std::size_t>(nodes.n);
    const std::size_t piece = patches.shared() ? std::min<std::size_t>(n, 64) : n;
    std::vector<float> xs(nodes.xs == nullptr ? piece : 0, nodes.x);
    std::vector<PatchPointSums> sums(piece);
    for (std::size_t first = 0; first < n; first += piece) {
        const std::size_t m = std::min(piece, n - first);
        std::fill(sums.begin(), sums.end(), PatchPointSums{});
        const float* x = nodes.xs != nullptr ? nodes.xs + first : xs.data();
        if (!patches.add({x, nodes.y + first, nodes.z + first, m}, sums.data(), control)) {
            return false;
        }
        for (std::size_t j = 0; j < m; ++j) {
            if (nodes.values[0][first + j] == kNoValue) continue;
            const PatchPointSums& s = sums[j];
            for (std::size_t k = 0; k < 18; ++k) {
                float* v = nodes.values[k];
                if (v == nullptr) continue;
                float& value = v[first + j];
                if (s.singular) {
                    value = kNoValue;
                } else if (k < 12) {
                    value = static_cast<float>(static_cast<double>(value) + s.sums[k]);
                }
            }
        }
    }
    return true;
}

}  // namespace crustex

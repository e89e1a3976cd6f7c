// Which patches of a slip model are neighbours: two patches that lie in one
// plane and share an edge (two corners of each coincide), found from their
// geometry alone, whatever order the file listed them in. The slip
// inversion smooths the slip across these pairs.
#pragma once

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "model/slipmodel.h"

namespace crustex {

// The pairs (i, j), i < j, of neighbouring patches. Corners coincide within
// a thousandth of the smaller patch's shorter side (and the float rounding
// of their coordinates); planes agree when their normals lie within a
// degree. Unusable patches have no neighbours.
std::vector<std::pair<uint32_t, uint32_t>> patchneighbours(std::span<const SlipPatch> patches);

}  // namespace crustex

// One cell of a contour map and the straight pieces of a level through it.
//
// The contour lines and the filled bands both cut a cell with the same
// segments, so that the band edges lie exactly under the lines: a level
// that crosses the cell's boundary twice gives one segment between the two
// crossings; a saddle (all four sides crossed) gives two, west-north and
// east-south, without consulting a centre value. Crossings are interpolated
// linearly along the sides.
#pragma once

#include <array>

#include "plot/contourtrace.h"

namespace crustex {

// The four corner values c0 (south-west), c1 (north-west), c2 (north-east),
// c3 (south-east) and the frame lines the cell spans. Side k joins corner k
// to corner k + 1: 0 west, 1 north, 2 east, 3 south.
struct ContourCell {
    std::array<float, 4> c{};
    float xw = 0, xe = 0;  // node x(i), node x(i + 1)
    float ys = 0, yn = 0;  // node y(j), node y(j + 1)

    // The frame point of corner k.
    FramePoint corner(int k) const;
    float lowest() const;
    float highest() const;
};

// Loads cell (i, j) with its values divided by `divisor`; false when a
// corner has no value or a divided value is not finite.
bool loadcontourcell(const ContourGrid& g, int i, int j, float divisor, ContourCell& cell);

// The point where level t crosses side `side`.
FramePoint sidecrossing(const ContourCell& cell, int side, float t);

// One straight piece of a level inside a cell, from side `from` to side `to`.
struct LevelSegment {
    int from = 0, to = 0;
    FramePoint a, b;
};

// The pieces of level t through the cell (0, 1 or 2, in drawing order).
// A side is crossed when t lies strictly between its end values; a corner
// exactly on t marks the side that ends there, and also the next side when
// the corner is a touching extreme or lies on a flat stretch.
int levelsegments(const ContourCell& cell, float t, std::array<LevelSegment, 2>& out);

}  // namespace crustex

// Displacement and tilt vectors: one bar per grid node.
#pragma once

#include <span>
#include <string_view>

#include "model/grid2d.h"
#include "model/host.h"
#include "plot/plotcontext.h"

namespace crustex {

// Frame length of a glyph whose value equals the legend's scale.
inline constexpr float kArrowLength = 48.0f;

// For every node firstx..lastx by firsty..lasty with a value, a bar from the
// node to node + (48 / scale) x (ax, -ay) in the negative-glyph colour and
// a grey dot of radius 1.5 at the node (the tail; there is no head). Nodes
// without value get nothing. A scale that is not a positive number draws
// the dots only. Ranges are cut to the grids and node arrays. Returns the
// number of nodes drawn.
int drawvectors(PlotContext& pc, Host& host, const Grid2D& ax, const Grid2D& ay,
                std::span<const float> nodex, std::span<const float> nodey, int firstx, int lastx,
                int firsty, int lasty, float scale);

// The reference arrow at the right of the picture and its text: the scale
// followed by `unit` ("mm" for displacement, " micro rad" for tilt).
void showarrowlegend(PlotContext& pc, float scale, std::string_view unit);

}  // namespace crustex

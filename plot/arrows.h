// Arrows: the vector glyph of one node, with or without a head, and the
// vector map of the publication style.
//
// drawarrow is the one routine for every arrow of the program that wants a
// head (grid vectors, site vectors, legends): callers choose the style.
#pragma once

#include <span>
#include <string_view>

#include "model/grid2d.h"
#include "model/host.h"
#include "plot/plotcontext.h"

namespace crustex {

enum class ArrowStyle {
    Plain,   // a bar from tail to tip (the screen style's vector glyph)
    Headed,  // a shaft and a filled triangular head at the tip
};

// Longest head, frame units; shorter arrows get a head of 0.4 x their
// length, 0.45 x as wide on each side.
inline constexpr float kArrowHeadLength = 7;

// The arrow from (x0, y0) to (x1, y1) in `color`. A Headed arrow shorter
// than a tenth of a unit is drawn as a bar; non-finite ends draw nothing.
void drawarrow(Surface& s, float x0, float y0, float x1, float y1, Rgb color, ArrowStyle style);

// The arrow of every `stride`-th node in both directions (stride below 1 is
// 1) from the node to node + (48 / scale) x (ax, -ay), headed, in `color`.
// Nodes without value get nothing; a scale that is not a positive number
// draws nothing. Ranges are cut to the grids and node arrays. Returns the
// number of arrows drawn.
int drawheadedvectors(PlotContext& pc, Host& host, const Grid2D& ax, const Grid2D& ay,
                      std::span<const float> nodex, std::span<const float> nodey, float scale,
                      int stride, Rgb color);

}  // namespace crustex

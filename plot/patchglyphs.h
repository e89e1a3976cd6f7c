// The patches of a slip model over the picture: the horizontal projection
// of each patch, dipping to the right of its upper edge, outlined as a
// source fault is (the upper edge with the doubled pen, the other sides
// with the normal pen) or filled.
//
// A model may hold 100,000 patches: the sides are drawn in two passes, all
// thin sides and then all upper edges, so the pen changes twice; a patch
// whose projection spans less than kTinyPatch frame units both ways is one
// point at its centre.
#pragma once

#include <array>
#include <functional>

#include "model/slipmodel.h"
#include "plot/plotcontext.h"

namespace crustex {

inline constexpr float kTinyPatch = 0.75f;

// The corners of a patch's projection in frame units: the upper edge's
// first and second end, then the lower edge's second and first end. False
// when any is not finite.
bool patchcorners(const PlotFrame& f, const SlipPatch& p, std::array<FramePoint, 4>& corners);

// True when the corners span less than kTinyPatch both ways.
bool tinypatch(const std::array<FramePoint, 4>& corners);

// Outlines of every patch in one colour.
void drawpatchoutlines(PlotContext& pc, const SlipModel& model, Rgb color);

// Every patch filled with colorof(patch), the deepest first so that a
// shallower patch above it stays in sight.
void fillpatches(PlotContext& pc, const SlipModel& model,
                 const std::function<Rgb(const SlipPatch&)>& colorof);

}  // namespace crustex

// The model drawn over the picture: the data area frame, the inclined
// field's depth lines, the sources, the observation-site marks, the area
// polygon and the pointer mark; and the quick overlay redraw after an edit.
//
// Field points (km) are placed with the plot frame; the area polygon and the
// pointer are in frame units.
#pragma once

#include <functional>
#include <span>

#include "model/workstate.h"
#include "plot/plotcontext.h"

namespace crustex {

// Rectangle path (x0, y0) -> (x0, y1) -> (x1, y1) -> (x1, y0) -> (x0, y0) in
// the data-area colour.
void drawdataframe(PlotContext& pc, float x0, float y0, float x1, float y1);

// Depth lines 1..5 of the inclined field in the data-area colour, each with
// its depth label 0, 10, ... 40 right-aligned at its start, size 8.
void drawdepthlines(PlotContext& pc, const WorkState& ws);

// A rectangular fault: its top edge from edge 0 to edge 1 with the doubled
// pen width, and the other three sides of the plane's horizontal projection
// (dipping to the right of edge 0 -> edge 1) with the normal pen. A fault
// whose edges coincide has no strike: it is drawn as a small "x" of
// kZeroLengthMark frame units half-size with the doubled pen. A vertical
// fault shows its top edge only. Non-finite values draw nothing.
void drawfault(PlotContext& pc, float x0, float y0, float x1, float y1, float width, float dip,
               Rgb color);
inline constexpr float kZeroLengthMark = 3.0f;

// A point source: a dot and a circle of radius 3 frame units.
void drawpoint(PlotContext& pc, float x, float y, Rgb color);

// Sources 1 .. min(nfault, 20) in the source colour.
void drawsources(PlotContext& pc, const WorkState& ws);

// A red circle of radius 1.5 at each site 1..nsite; with names, "$-" and
// the name left-aligned at (site + 4, site), size 8.
void drawsitemarks(PlotContext& pc, const WorkState& ws, bool withnames);

// The area polygon in not-xor mode and the area colour: the segments
// joining vertices 1..count in order, for a closed polygon (three vertices
// or more) the segment back to vertex 1, then the projection line (a, b) to
// (c, d); afterwards the draw mode is mask pen. Nothing when count < 1.
// Vertex k is xs[k], ys[k]; count is limited to the arrays' size. Drawing
// the same area twice erases it, closing segment included.
void drawarea(PlotContext& pc, std::span<const float> xs, std::span<const float> ys, int count,
              float a, float b, float c, float d, bool closed = false);
// The work state's area polygon and projection line.
void drawarea(PlotContext& pc, const WorkState& ws);

// The pointer mark at frame (x, y): a circle of radius 6 and a cross of
// strokes 6 long each way.
void drawpointer(PlotContext& pc, float x, float y);

// The quick redraw after an edit: Cls, data area frame, depth lines of an
// inclined field, the slip model's outlines, sources, area polygon; with "Show Obs. Sites Data"
// checked the site marks with names and then clearsitegraph (the site window's graph clear; nothing
// when empty).
void drawoverlay(PlotContext& pc, const WorkState& ws,
                 const std::function<void()>& clearsitegraph = {});
// The same without the Cls, over what the target holds.
void drawoverlayfigures(PlotContext& pc, const WorkState& ws,
                        const std::function<void()>& clearsitegraph = {});

}  // namespace crustex

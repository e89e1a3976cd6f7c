// The InSAR quantities of the picture: "LOS Displacement" (contoured like
// any quantity) and "Wrapped Fringes", the phase of the LOS displacement as
// a cyclic colour image over the data area with a colour bar of one cycle
// (half a wavelength) in mm. Both name the viewing geometry in the legend.
#pragma once

#include <string>
#include <vector>

#include "engine/los.h"
#include "files/sourcefile.h"
#include "model/host.h"
#include "model/workstate.h"
#include "plot/plotcontext.h"

namespace crustex {

// Fills ws.grids.los from the evaluated displacements. With the map on and
// geo (its projection set up for the map range) the field axes are turned
// to east and north by the meridian angle at each node; otherwise X is east.
void evaluatelos(WorkState& ws, const GeoFrame* geo);

// The meridian angle at a field point while the map is on and geo is given;
// none otherwise (X is east).
MeridianAngleAt mapmeridian(const WorkState& ws, const GeoFrame* geo);

// The viewing geometry in words, one line each: "Heading: 350", "Incidence:
// 34", "lambda = 55.5 mm" with the Greek letter (degree signs with `degree`).
std::vector<std::string> losgeometrylines(const WorkState& ws, const std::string& degree = "");

// The fringe image of ws.grids.los over the data area (the node frame
// arrays must be set). False when the user aborted it.
bool drawfringeimage(WorkState& ws, PlotContext& pc, Host& host);

// The screen style's legend: the title and unit, the colour bar of one
// cycle and the geometry.
void drawfringelegend(const WorkState& ws, PlotContext& pc);

// The screen style's geometry lines under a legend (where the receiver
// fault's stand), right-aligned with the title.
void showlosgeometry(const WorkState& ws, PlotContext& pc);

}  // namespace crustex

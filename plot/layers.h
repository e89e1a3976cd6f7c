// The background layers and site graphs of the picture. They are not drawn
// yet: each step is in place, called where the picture is composed, and
// draws nothing until its layer is built.
#pragma once

#include <string_view>

#include "engine/siteeval.h"
#include "model/host.h"
#include "model/workstate.h"
#include "plot/plotcontext.h"

namespace crustex {

// Topography colours and contours over the map's latitude and longitude
// limits.
void drawtopography(WorkState& ws, PlotContext& pc, Host& host);
// Coast lines and borders with the graticule, and the active faults.
void drawmap(WorkState& ws, PlotContext& pc, Host& host);
// Volcano marks.
void drawvolcanoes(WorkState& ws, PlotContext& pc, Host& host);
// The selected earthquakes in the earthquake colour.
void drawevents(WorkState& ws, PlotContext& pc, Host& host);
// The small graphs of a contour quantity at the observation sites.
void drawsitegraphs(WorkState& ws, PlotContext& pc, Host& host, const SiteResults* sites,
                    std::string_view key);
// The vectors or principal-strain crosses at the observation sites.
void drawsitevectors(WorkState& ws, PlotContext& pc, Host& host, const SiteResults* sites,
                     std::string_view key);

}  // namespace crustex

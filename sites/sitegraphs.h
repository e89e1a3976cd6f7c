// What the observation sites add to the picture of a quantity: the small
// graphs of a contour quantity at the sites, and the vectors or
// principal-strain crosses at the sites on the main plot.
#pragma once

#include <string_view>

#include "engine/siteeval.h"
#include "model/host.h"
#include "model/workstate.h"
#include "plot/plotcontext.h"

namespace crustex {

// The small graphs of a contour quantity at the observation sites.
void drawsitegraphs(WorkState& ws, PlotContext& pc, Host& host, const SiteResults* sites,
                    std::string_view key);
// The vectors or principal-strain crosses at the observation sites.
void drawsitevectors(WorkState& ws, PlotContext& pc, Host& host, const SiteResults* sites,
                     std::string_view key);

}  // namespace crustex

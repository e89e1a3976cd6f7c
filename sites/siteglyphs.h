// The observation sites on the main plot: vectors of displacement or tilt
// (computed in blue, observed in red) and principal-strain crosses at the
// sites, for the vector quantities whose values the site window cannot
// graph.
#pragma once

#include <span>
#include <string_view>

#include "engine/siteeval.h"
#include "model/host.h"
#include "model/workstate.h"
#include "plot/plotcontext.h"
#include "sites/sitegraphs.h"

namespace crustex {

inline constexpr const char* kSiteVectorStatus = " Drawing Vectors at Observation Sites";
inline constexpr const char* kSitePrincipalStatus =
    " Drawing Principal Strains at Observation Sites";

// vectorobs: at each site 1..nsite a red circle of radius 1.5 and, when its
// x value is present, a bar to (x + f vx, y - f vy) in `color`, f = 48 /
// reference. With labels the site name, size 8, left-aligned 4 units right
// of the site when vx <= 0 (or missing), else right-aligned 4 units left.
// vx and vy hold sites at 1..nsite. Returns the number of bars drawn.
int vectorobs(PlotContext& pc, Host& host, const WorkState& ws, std::span<const float> vx,
              std::span<const float> vy, float reference, Rgb color, bool labels);

// principalobs: the principal-strain cross at every site with values, 24
// frame units for the reference strain, expansion and contraction arms in
// the palette's glyph colours. Returns the number of crosses drawn.
int principalobs(PlotContext& pc, Host& host, const WorkState& ws, const SiteResults& res,
                 float reference);

// drawsubv, the composer's step for a vector quantity: clears the site
// window's picture (its graph shows nothing for these keys; a line in its
// middle says where to look) and draws the
// sites' vectors or crosses for `key`: "displacement" with the observed
// displacement when the observed-data kind starts with "displacement",
// "tilt1" and "tilt2" with the observed pair when the kind is the key,
// "principal" as crosses. Observed bars are drawn first and three times as
// wide, so the computed bar shows on top of an agreeing one; a small legend
// tells the two colours apart. Sites whose displacement carries both
// horizontal sigmas get the one-sigma error ellipse (with the correlation)
// at the head of the observed vector, scaled like the vector.
void drawsitevectors(const WorkState& ws, PlotContext& pc, Host& host, const SiteResults* sites,
                     const SiteGraphView* view, std::string_view key);

}  // namespace crustex

// Probing the observation sites on the main plot: the site nearest to a
// point of the plot, and the one-line read-out of its computed values for
// the information strip.
#pragma once

#include <string>

#include "engine/siteeval.h"
#include "model/workstate.h"
#include "plot/plotframe.h"

namespace crustex {

struct NearestSite {
    int index = 0;        // 1..nsite, 0 when no site has a position on the plot
    float distance2 = 0;  // squared distance in frame units
};

// nearestobs: the site whose frame position is nearest to (x, y); ties go
// to the lower number.
NearestSite nearestobs(const WorkState& ws, const PlotFrame& frame, float x, float y);

// The value of a scalar quantity key at site i (the composites from the
// site's components and the weights), kNoValue when it has none or the key
// is not a scalar quantity.
float sitescalar(const WorkState& ws, const SiteResults& res, std::string_view key, int i);

// showobsdata: for ws.quantitykey, " " and the value for a scalar quantity,
// " Ux=.. Uy=.." for "displacement", " Uxz=.. Uyz=.." for "tilt1",
// " Uzx=.. Uzy=.." for "tilt2", " Max=.. Min=.." for "principal", the
// values in the contour label format. Empty when the site has no value
// there (or no displacement x: a singular site) or the key shows nothing.
std::string showobsdata(const WorkState& ws, const SiteResults& res, int i);

}  // namespace crustex

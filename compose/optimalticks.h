// Strike ticks over the "delta CFF (optimal planes)" picture: at the field
// grid's nodes, thinned so that ticks stay at least kTickSpacing frame
// units apart, a short black line centred on the node along the strike of
// the plane chosen there (stress/optimalplanes.h). Nodes without a value
// and planes within kFlatDip degrees of horizontal (no strike to show) get
// none.
#pragma once

#include "model/workstate.h"
#include "plot/plotcontext.h"
#include "stress/regionalstress.h"

namespace crustex {

inline constexpr float kTickSpacing = 14;
inline constexpr float kTickLength = 9;
inline constexpr double kFlatDip = 1;

// Draws the ticks from the work's grids (evaluated, with their node frame
// positions set); returns the number drawn.
int drawoptimalticks(const WorkState& ws, PlotContext& pc, const NorthReference& north);

}  // namespace crustex

// Sign legends of the contour maps and the receiver-fault annotation, in the
// right-hand strip of the frame.
#pragma once

#include "plot/plotcontext.h"

namespace crustex {

// "+" (size 15) and "-" (size 20) with a line sample each, in the positive
// and negative glyph colours; ForeColor is black afterwards.
void showpm(PlotContext& pc);
// "+: Dilatation" / "-: Contraction" (dilatant and volumetric strain).
void showdc(PlotContext& pc);
// "+: Expansion" / "-: Contraction" (normal strains).
void showec(PlotContext& pc);
// "strike : ", "dip    : ", "rake   : " and the angles (degrees) at x = 570.
void showreceiver(PlotContext& pc, float strike, float dip, float rake);

}  // namespace crustex

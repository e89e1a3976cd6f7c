// Receiver faults on the picture: every receiver patch (stress/
// receiverstress.h) as the surface projection of its four corners, filled
// with its delta CFF in the diverging colour map on a scale symmetric about
// zero, and a colour bar with the unit. The screen style outlines each
// patch as well; a vertical patch, which has no area seen from above, is
// drawn as a thick line in its colour. The publication style puts the bar
// in its legend strip (compose/pubpicture.h); the screen style at a fixed
// place of the right-hand strip, between the legends and the receiver
// annotation.
//
// receiverpatchat is the hit test a click on the picture uses.
#pragma once

#include <string>

#include "plot/divergingbar.h"
#include "plot/plotcontext.h"
#include "stress/receiverstress.h"

namespace crustex {

// The colour scale's limit: diverginglimit of the largest |delta CFF|.
float receiverlimit(const ReceiverResults& r);

// The patches, filled (and outlined when `outlines` is set). Patches
// without a value are outlined only.
void drawreceiverpatches(PlotContext& pc, const ReceiverResults& r, bool outlines);

// "Receiver dCFF" and the unit ("(bar)") above the colour bar's place.
std::string receiverbarcaption(const ReceiverResults& r);

// The screen style's bar: the caption at (575, 103) and the bar from y 118
// to 218 at x 575, labels right of it.
void drawreceiverbar(PlotContext& pc, const ReceiverResults& r);

// The position in r.patches of the patch under frame point (x, y), the one
// drawn last where patches overlap; a vertical patch is hit within
// `tolerance` frame units of its line. -1 when none is.
int receiverpatchat(const ReceiverResults& r, const PlotFrame& f, float x, float y,
                    float tolerance = 3);

}  // namespace crustex

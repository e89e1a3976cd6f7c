// Receiver faults on the picture: every receiver patch (stress/
// receiverstress.h) as the surface projection of its four corners, filled
// with its delta CFF in the diverging colour map on a scale symmetric about
// zero, and a colour bar with the unit. Each patch is outlined (dark grey on
// the screen, a lighter grey in the publication style); a vertical patch, which has no area seen
// from above, is drawn as a thick line in its colour. The publication style puts the bar in its
// legend strip (compose/pubpicture.h); the screen style at a fixed place of the right-hand strip,
// between the legends and the receiver annotation.
//
// receiverpatchat is the hit test a click on the picture uses.
#pragma once

#include <array>
#include <span>
#include <string>

#include "plot/divergingbar.h"
#include "plot/plotcontext.h"
#include "stress/receiverstress.h"

namespace crustex {

// The colour scale's limit: diverginglimit of the largest |delta CFF|.
float receiverlimit(const ReceiverResults& r);

// The patches, filled and outlined in `outline`; patches without a value
// are outlined only.
void drawreceiverpatches(PlotContext& pc, const ReceiverResults& r, Rgb outline);

// The two caption lines above the colour bar: "Receivers" and "dCFF" with
// the unit ("dCFF (bar)").
std::array<std::string, 2> receiverbarcaption(const ReceiverResults& r);

// The screen style's bar: the caption ending at x 635, y 104 and 114, the
// bar from y 138 to 224 at x 575, labels right of it.
void drawreceiverbar(PlotContext& pc, const ReceiverResults& r);

// The read-out of patch k for the information box: " Receiver 2 (name),
// patch 3 of 6: dCFF=0.123 shear=0.456 normal=-0.78 (bar)", the values
// written as the grid read-out writes them (no label marker "$-"); "no
// value" in place of them where there is none.
std::string receiverreadout(const ReceiverResults& r, std::size_t k,
                            std::span<const ReceiverFault> receivers);

// The position in r.patches of the patch under frame point (x, y), the one
// drawn last where patches overlap; a vertical patch is hit within
// `tolerance` frame units of its line. -1 when none is.
int receiverpatchat(const ReceiverResults& r, const PlotFrame& f, float x, float y,
                    float tolerance = 3);

}  // namespace crustex

// The picture of the selected quantity in the publication style: what the
// picture composer draws between the pasted background and the overlays
// when ws.publicationstyle is set. It changes only how the picture looks,
// never what is computed:
//   contour quantities  colour-filled bands between the contour levels
//                       (diverging colours for signed quantities, a
//                       sequential map for the maximum shear strain), the
//                       lines over them in greys, a colour bar with the
//                       quantity's name and unit, peak and edge labels
//                       placed without overlap;
//   vector quantities   arrows with heads, thinned to a readable spacing,
//                       and a headed reference arrow with its unit;
//   both                kilometre axes on the data area without a map, or
//                       latitude/longitude ticks and labels outside the
//                       map range with it (the map's own labels and scale
//                       bar give way to them and to a distance bar), and
//                       text sizes that stay readable at a single-column
//                       width.
// A grid that cannot be coloured (no values, constant, a range too wide for
// a colour scale) gets the plain framed picture and a note on the status
// strip.
#pragma once

#include <string_view>

#include "compose/picture.h"

namespace crustex {

// True for the quantities coloured as magnitudes (sequential map).
bool ismagnitude(std::string_view key);

// Draws map layers, quantity, legends, axes and the field depth in the
// publication style. The sources, the area polygon and the data area frame
// are left to the overlays that follow. Colours of the source figures and
// the data area frame are set to black for them; the caller restores the
// palette.
void drawpublicationbody(WorkState& ws, PlotContext& pc, Host& host, const PictureInputs& in,
                         bool screen);

}  // namespace crustex

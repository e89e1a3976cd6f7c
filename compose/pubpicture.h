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
//                       with it the map in greys cut to the data area, whose
//                       frame is the map's frame, latitude/longitude ticks
//                       and labels outside it (the map's own labels, scale
//                       bar and range outline give way to them and to a
//                       distance bar), and text sizes that stay readable
//                       at a single-column width.
// A map picture fills the frame from its west edge to the strip; the style
// then shows a larger view of the frame (pictureview), with room for the
// latitude labels on the left and a strip clear of the map on the right,
// and scales its texts and legends with it.
// A grid that cannot be coloured (no values, constant, a range too wide for
// a colour scale) gets the plain framed picture and a note on the status
// strip.
#pragma once

#include <functional>
#include <string_view>

#include "compose/picture.h"
#include "plot/plotframe.h"

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

// The part of the frame the picture of the work state shows: the nominal
// frame, or in the publication style with a map a larger one (see above).
// Whoever sets a surface up for the picture shows this view (fitview).
FrameView pictureview(const WorkState& ws);

// Cls, then the map in greys with its axes (or the kilometre axes): what
// the quick redraws of the publication style draw their figures over.
void drawpublicationground(WorkState& ws, PlotContext& pc, Host& host, Projection* projection);

// The quick redraw after an edit in the publication style: Cls, the map in
// greys with its axes (or the kilometre axes), then the data area frame,
// depth lines, sources and area in black and the site marks, as the screen
// style's overlay draws them (clearsitegraph likewise).
void drawpublicationoverlay(WorkState& ws, PlotContext& pc, Host& host, Projection* projection,
                            const std::function<void()>& clearsitegraph = {});

}  // namespace crustex

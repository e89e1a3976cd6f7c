// The window's calls into the plot core, in one place: the whole picture,
// the quick overlay, the pasted background, the probe mark and read-out,
// the field frame and the area outline.
#pragma once

#include <functional>
#include <string>

#include "compose/picture.h"
#include "model/host.h"
#include "model/workstate.h"
#include "plot/plotcontext.h"

namespace crustex {

class Picture;

// The whole picture for "screen" (printer == null) or "printer" (drawn on
// *printer). background: the pasted picture, or null; proj: the projection
// the map layers draw with. The screen picture is drawn over the surface's
// kept background (pasted picture or map layers), so these two are drawn
// only on the printer.
// sites: where the site values go; sitegraph: the site window's picture;
// receivers: the receivers' values drawn over the quantity, or null.
PictureOutcome composepicture(WorkState& ws, PlotContext& pc, Host& host, Projection& proj,
                              Surface* printer, const Picture* background,
                              SiteResults* sites = nullptr,
                              const SiteGraphView* sitegraph = nullptr,
                              const ReceiverResults* receivers = nullptr);
// Cls, field frame, depth lines, sources, area, site marks; then, with the
// sites shown, clearsitegraph (the site window's picture). In the
// publication style over its own map (through proj) and axes, in black.
void composeoverlay(WorkState& ws, PlotContext& pc, Host& host, Projection& proj,
                    const std::function<void()>& clearsitegraph = {});
// The part of the frame the picture shows: the plot's user scale when it
// fills the plot (the publication style widens it for a map's axes).
FrameView shownview(const WorkState& ws);
// The pasted picture fitted into the 640 x 510 frame at (0, 0).
void paintpasted(PlotContext& pc, Host& host, const Picture& picture);
// The pointer mark at a frame position.
void pointermark(PlotContext& pc, float x, float y);
// The data area frame of a field rectangle (km).
void dataframe(PlotContext& pc, float x0, float y0, float x1, float y1);
// The area polygon and its projection line (not-xor: drawing twice erases).
void areaoutline(WorkState& ws, PlotContext& pc);
// The read-out text of grid node (ix, iy) for the information strip.
std::string nodetext(const WorkState& ws, int ix, int iy);

}  // namespace crustex

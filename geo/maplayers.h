// The background map layers of the picture, drawn in this order under the
// quantity: topography, the coast and border lines with the graticule and
// the active faults, the volcanoes and the selected earthquakes. Each layer
// sets the projection up for the work state's map range itself, so `proj`
// holds the projection of the last map drawn.
#pragma once

#include "geo/projection.h"
#include "model/host.h"
#include "model/workstate.h"
#include "plot/plotcontext.h"

namespace crustex {

// Topography colours and contours over the map's latitude and longitude
// limits.
void drawtopography(WorkState& ws, PlotContext& pc, Projection& proj, Host& host);
// What of the line map is drawn besides its lines.
struct MapAnnotations {
    bool labels = true;    // graticule and frame labels
    bool scalebar = true;  // the km scale bar beside a conic map
    bool frame = true;     // the black outline of the map range
};

// Coast lines and borders with the graticule, and the active faults. A
// picture that labels and frames the map itself (the publication style)
// leaves the map's own labels, scale bar and range outline out.
void drawmap(WorkState& ws, PlotContext& pc, Projection& proj, Host& host,
             const MapAnnotations& annotations = {});
// Volcano marks.
void drawvolcanoes(WorkState& ws, PlotContext& pc, Projection& proj, Host& host);
// The selected earthquakes in the earthquake colour.
void drawevents(WorkState& ws, PlotContext& pc, Projection& proj, Host& host);

}  // namespace crustex

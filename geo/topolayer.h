// The topography layer: colour shading of the elevation mesh by quarters of
// cells, and elevation contours, drawn under the line map. drawtopography is
// declared with the other layers in geo/maplayers.h; the pieces below are
// its steps.
#pragma once

#include "geo/demtiles.h"
#include "geo/projection.h"
#include "model/host.h"
#include "plot/plotcontext.h"

namespace crustex {

// The colour of the class of an elevation h (0.1 m).
Rgb topocolor(float h);

// The contour interval I (contours at multiples of 10 I, in 0.1 m, that is
// every I metres) for a map range of the given extent in degrees.
int contourinterval(float latspan, float lonspan);

// The two steps over a read grid; each returns false when the user aborted it.
struct TopoDrawing {
    PlotContext& pc;
    const Projection& proj;
    int kind;  // projection kind
    Host& host;
    bool& abortflag;
};
bool drawtopocolor(const TopoGrid& grid, TopoDrawing& d);
bool drawtopocontours(const TopoGrid& grid, int interval, TopoDrawing& d);

}  // namespace crustex

// Latitude and longitude axes of a map picture in the publication style:
// outward ticks where the graticule's parallels meet the west and east
// edges of the map range and its meridians the south and north edges, and
// labels such as "35°N" and "135.5°E" outside the west and south edges
// (just inside them, on a white ground, where the picture ends first).
// The edges may be curved (conic maps): ticks follow the local direction
// of the edge's outside.
#pragma once

#include "geo/projection.h"
#include "plot/labelplacer.h"
#include "plot/plotcontext.h"

namespace crustex {

// The map range in degrees (lon2 after the projection's wrap) and the
// graticule interval; an interval that is not a positive number, or that
// would give more than eight labels along an edge, is replaced by a round
// one (1, 2 or 5 x 10^n degrees).
struct GeoAxesRange {
    float lat1 = 0, lat2 = 0, lon1 = 0, lon2 = 0;
    float interval = 0;
};

// Label text of a latitude ("35°N", "12.5°S", "0°") or a longitude
// ("135°E", "170°W"; beyond 180 counted west).
std::string latitudetext(float lat);
std::string longitudetext(float lon);

// Draws the ticks and labels; every label is taken in the placer. Returns
// the number of labels written.
int drawgeoaxes(PlotContext& pc, const Projection& proj, const GeoAxesRange& range,
                LabelPlacer& placer, float fontsize);

}  // namespace crustex

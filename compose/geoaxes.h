// Latitude and longitude axes of a map picture in the publication style,
// on the frame of the data area (a rectangle of frame units, drawn in
// black, also where the picture leaves the data area's frame out): outward
// ticks where the parallels cross its west and east sides and the
// meridians its south and north sides, and labels such as "35°N",
// "34°30′N" and "135°E" left of the west side and under the south side,
// corners included. Labels go only outside the frame; one with no room
// there is left out.
//
// The label step is the graticule interval when every graticule line then
// gets a label and the axis has at least three; otherwise the largest of
// 30°, 20°, 10°, 5°, 2°, 1°, 30′, 20′, 15′, 10′, 5′, 2′ and 1′ that gives
// at least three labels with room between them, or, where the range allows
// no three, the step that gives the most.
#pragma once

#include <string>

#include "geo/projection.h"
#include "plot/labelplacer.h"
#include "plot/plotcontext.h"

namespace crustex {

// Label text of a latitude ("35°N", "12°30′S", "0°") or a longitude
// ("135°E", "170°W"; beyond 180 counted west), to the nearest minute.
std::string latitudetext(float lat);
std::string longitudetext(float lon);

// What the axes are drawn on: the data area (frame units), the graticule
// interval the map is drawn with (degrees, 0 for none), the box the labels
// must stay in, and their font size.
struct GeoAxesPlace {
    LabelBox area;
    float interval = 0;
    LabelBox within;
    float fontsize = 13;
};

// The labels written on each axis.
struct GeoAxesLabels {
    int latitudes = 0, longitudes = 0;
};

// Draws the ticks and labels through the projection the map was drawn
// with; every label is taken in the placer.
GeoAxesLabels drawgeoaxes(PlotContext& pc, const Projection& proj, const GeoAxesPlace& at,
                          LabelPlacer& placer);

}  // namespace crustex

// The latitude and longitude lines of the map with their labels, and the
// frame of the map range with its labels. Labels are printed with the
// surface's current font and ForeColor.
#pragma once

#include <string>

#include "geo/mapdraw.h"

namespace crustex {

// The parallel at lat, from lon2 westwards in steps of lonstep, the last
// point at lon1. Returns the frame position of its west end.
FramePoint drawparallel(const MapView& v, float lat, float lonstep, Rgb color);
// The meridian at lon, from lat2 southwards in steps of latstep, the last
// point at lat1. Returns the frame position of its south end.
FramePoint drawmeridian(const MapView& v, float lon, float latstep, Rgb color);

// Label text of a graticule line: the general number text, preceded by a
// blank when the value is not negative. When that is longer than maxlength
// characters, the value is first rounded to hundredths (halves to even).
std::string graticulelabel(float value, std::size_t maxlength);

// Parallels and meridians every `interval` degrees inside the range in the
// graticule colour, each labelled (parallels to the left of their west end,
// meridians under their south end while the label stays above y = 472); then
// the range frame in black (unless the view leaves it out), each frame line
// labelled when it lies on a multiple of the interval. Meridians are drawn with the latitude step,
// parallels with the longitude step. Longitudes beyond 180 are labelled
// 360 less. At most 1000 lines are drawn each way.
void drawgraticule(const MapView& v, float interval, float latstep, float lonstep);

}  // namespace crustex

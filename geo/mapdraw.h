// Drawing one tiled line-map file (coast file or active-fault file) over the
// map range: the tiles that meet the range are read, each polyline is thinned
// by the skip-data step and clipped to the range, and what is inside is drawn
// in frame units through the projection.
#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <string>

#include "geo/projection.h"
#include "plot/palette.h"
#include "plot/surface.h"

namespace crustex {

// The map colour table, indices 0..20: 0 coast, 1 border and 2 graticule
// (the palette's three map-line colours), 3 black, 4..8 cyan (0,128,128) for
// the active faults, 9..19 blue (0,0,128); 20 is not set (black).
inline constexpr int kMapColorCount = 21;
using MapColors = std::array<Rgb, kMapColorCount>;
inline constexpr int kCoastColor = 0;
inline constexpr int kGraticuleColor = 2;
inline constexpr int kFrameColor = 3;
MapColors initmapconst(const Palette& palette);

// What every layer of the line map is drawn with: the projection, the
// surface, the colour table, the map range (degrees; lon2 after the wrap of
// the projection set-up), the line type (1 coast and border, 2 coast only,
// 3 border only; any other value draws both) and the skip-data step (at
// least 1).
struct MapView {
    const Projection& proj;
    Surface& surface;
    const MapColors& colors;
    float lat1, lat2, lon1, lon2;
    int16_t linetype = 1;
    int16_t nstep = 1;
    bool labels = true;  // graticule and frame labels
    bool frame = true;   // the outline of the range
};

// How the drawing of one map file went.
struct MapFileOutcome {
    enum class Kind { Drawn, Missing, Refused };
    Kind kind = Kind::Drawn;
    // Refused: why the file or its header was refused (a file that is not a
    // regular file is refused unread).
    std::string reason;
    int damagedtiles = 0;     // tiles skipped because they do not fit the file
    int skippedsegments = 0;  // segments skipped because they do not fit their tile
};

// Reads and draws a map file: segments 1..w3 of each tile in colors[color],
// the rest in colors[color + 1] (color is 0..19).
MapFileOutcome drawmapfile(const std::string& path, const MapView& view, int color);
MapFileOutcome drawmapfile(std::istream& in, const MapView& view, int color);

}  // namespace crustex

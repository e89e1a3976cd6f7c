// Converter from a regular grid of heights in metres, as text lines
// "lon lat z" (what `gmt grd2xyz` writes from a netCDF or GeoTIFF DEM), to
// the topography tiles: ".tem" files of the 1 km mesh (80 cells per tile
// side) or ".sem" files of the 250 m mesh (320), heights in units of 0.1 m.
// Every point falls into the mesh cell that holds it; a cell takes the mean
// of its points. Sea (a mean of 0 m or below), cells without points and
// "NaN" heights are written as -9999. Tiles without any land are not
// written (the program treats a missing tile as no data). The tiles cover
// the equator to 90 N and 100 E eastwards once round the globe; points
// outside them are left out and counted.
//
// The grid should be resampled to the mesh first (45" x 30" cells for the
// 1 km mesh, 11.25" x 7.5" for the 250 m mesh, pixel registered):
// a coarser grid leaves cells empty.
#pragma once

#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "geo/demtiles.h"
#include "tools/convertmodes.h"

namespace crustex::tools {

struct DemBuild {
    long points = 0;   // points read
    long skipped = 0;  // lines that are not "lon lat z"
    long outside = 0;  // points outside every tile the names address
    long tiles = 0;    // tiles handed on
};

// Takes one tile: its file name and text; false stops the conversion.
using TileSink = std::function<bool(const std::string& name, std::string_view text)>;

// Reads the grid and hands every tile with land to the sink, once each, in
// the order of their codes. Only the mesh sums are kept while reading (each
// tile's are let go once it is handed on). False with a message on `err`
// when the input holds no point or cannot be read to its end (then no tile
// is handed on), or when the sink refused a tile.
bool xyztotiles(std::istream& xyz, const DemMesh& mesh, const TileSink& sink, DemBuild& out,
                std::ostream& err);

// crustex-convert dem 1km|250m INPUT.xyz OUTPUT-DIRECTORY
int rundemconvert(ModeArgs args, std::ostream& err);

}  // namespace crustex::tools

// The "map" mode of crustex-convert: writes a tiled line-map file (the coast
// file "japanv.map" or an active-fault file, geo/mapfile.h) from GMT
// multi-segment text.
//
// Input: lines of "lon lat" (blanks, tabs or commas between; more columns are
// ignored), polylines separated by '>' header lines; '#' lines are comments
// and a "NaN NaN" line breaks a polyline. A piece is a border (drawn in the
// border colour, or in the second colour of an active-fault class) when its
// header's first word is "Border" (any letter case, as `gmt coast -N` writes
// it) or when its file is given with --border; every other piece is a coast
// line.
//
// Output: tiles of whole degrees over the chosen region. Every polyline is
// cut where it crosses a tile edge, and both pieces end on the very same
// point on the edge, so they join when drawn; what lies outside the region
// is dropped, and a step of more than 180 degrees of longitude (a line
// across the date line) is not drawn. A tile holds at most 1000 segments and
// 12000 points and the file at most 32767 records; a map that does not fit
// is refused with a message that names the tile.
#pragma once

#include <functional>
#include <istream>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "tools/convertmodes.h"

namespace crustex::tools {

struct GeoPoint {
    double lat = 0, lon = 0;
};

// One polyline of the input.
struct MapPiece {
    bool border = false;
    std::vector<GeoPoint> points;
};

// The region and tile size of the map file. The region's extents must be
// whole multiples of the tile sizes, with at most 18 x 36 tiles.
struct MapLayout {
    double south = 0, north = 0, west = 0, east = 0;
    int tileheight = 1, tilewidth = 1;  // degrees
};

// Takes one polyline as it ends; false stops the reading.
using PieceSink = std::function<bool(const MapPiece&)>;

// Reads GMT multi-segment text and hands each polyline to `take`; every
// piece is a border when `border` is set. False with a message naming the
// line on a line that is neither a header, a comment nor two numbers, and
// when `take` refused a piece.
bool readgmtpieces(std::istream& in, bool border, const PieceSink& take, std::string& error);
// The same, appending every polyline to `pieces`.
bool readgmtpieces(std::istream& in, bool border, std::vector<MapPiece>& pieces,
                   std::string& error);

// What a written map holds.
struct MapFileSummary {
    int tiles = 0;  // tiles with something in them
    int segments = 0;
    int points = 0;
    int records = 0;
};

class Tiling;

// Cuts pieces into the tiles of a layout as they come, and makes the map
// file of them. Each call returns false with a message: start when the
// layout is not usable, add when a tile holds twice what it may (so that no
// input can fill the memory), finish when the map does not fit a tile's or
// the file's capacity.
class MapBuilder {
public:
    MapBuilder();
    ~MapBuilder();
    bool start(const MapLayout& layout, std::string& error);
    bool add(const MapPiece& piece, std::string& error);
    bool finish(std::string& bytes, std::string& error, MapFileSummary* summary = nullptr);

private:
    MapLayout layout_;  // as the file stores it
    int rows_ = 0, columns_ = 0;
    std::unique_ptr<Tiling> tiling_;
};

// The whole build at once: the bytes of the map file of the pieces.
bool buildmapfile(const MapLayout& layout, std::span<const MapPiece> pieces, std::string& bytes,
                  std::string& error, MapFileSummary* summary = nullptr);

// crustex-convert map --region W/E/S/N --tile LATxLON --output FILE
//                     [--border] INPUT...
int runmapconvert(ModeArgs args, std::ostream& err);

}  // namespace crustex::tools

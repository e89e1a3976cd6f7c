// Elevation tiles (DEM) of the topography layer. Tiles are 40 minutes of
// latitude by 1 degree of longitude, divided into N x N mesh cells: N = 80 in
// the "1km" directory of the map directory (files ".tem"), N = 320 in "250m"
// (files ".sem"). Global mesh row i counts cells from the equator northwards
// (i = 1.5 N latitude), column j eastwards from 100 degrees east
// (j = N (longitude - 100)); a mesh value stands at its cell's centre. The
// tile of (i, j) is named by the decimal row code i / N followed by the
// decimal column code j / N ("5339" holds 35 deg 40 min N, 139 deg 30 min E;
// see tilecode for the names that would read as another tile).
//
// A tile file is text: a header line, then one line per mesh row with the row
// number r (1..N, the northernmost row first) in characters 7..9 and N values
// of 5 characters from character 10, in units of 0.1 m. Row r is kept at
// row index N - r of the tile (index 0 the southernmost). Missing values,
// values outside -9999..99999, lines with a row number outside 1..N and
// tiles that cannot be read stay kNoHeight.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/workstate.h"

namespace crustex {

inline constexpr float kNoHeight = -9999.0f;
inline constexpr float kMaxHeight = 99999.0f;  // the most five characters hold

struct DemMesh {
    int n;              // mesh cells per tile side
    const char* dir;    // subdirectory of the map directory
    const char* ext;    // tile file extension
    const char* label;  // as the status texts name it
};
inline constexpr DemMesh kMesh1km{80, "1km", ".tem", "1km"};
inline constexpr DemMesh kMesh250m{320, "250m", ".sem", "250m"};

// The 250 m mesh only for map ranges up to 0.6 deg of latitude by 0.8 deg of
// longitude, and only when the map directory has a "250m" directory (looked
// up without regard to case); otherwise the 1 km mesh.
const DemMesh& choosemesh(const WorkState& ws);

// One tile's values from its file text: N x N, row index k (0 = south) at
// [k * N, k * N + N).
std::vector<float> readdemfile(std::string_view text, int n);

// The tiles that have names: row codes 0..134 (the equator to 90 N) and
// column codes 0..359 (100 E eastwards once round the globe).
inline constexpr int kTileRowCodes = 135;
inline constexpr int kTileColumnCodes = 360;

// The file name of a tile without its extension: "5339" for row code 53 and
// column code 39. A name is read with the longest row code it can start
// with, so where that gives another tile ("111" is row 11, column 1) the
// codes are written with three digits each ("001011" for row 1, column 11).
// Empty for codes outside the tiles.
std::string tilecode(long rowcode, long colcode);

// The elevations over the map range: the mesh rows i0.. and columns j0..
// whose centres lie inside the range.
struct TopoGrid {
    const DemMesh* mesh = &kMesh1km;
    long i0 = 0, j0 = 0;
    int rows = 0, cols = 0;
    std::vector<float> h;  // h[r * cols + c] for global row i0 + r, column j0 + c

    float at(int r, int c) const {
        return h[static_cast<std::size_t>(r) * static_cast<std::size_t>(cols) +
                 static_cast<std::size_t>(c)];
    }
    float latitude(int r) const;   // of mesh row r (cell centre)
    float longitude(int c) const;  // of mesh column c
};

// At most this many mesh values are read for one map.
inline constexpr long kMaxTopoValues = 8'000'000;

enum class TopoRead { Read, Empty, TooLarge };

// Sizes the grid for the work state's map range and mesh and reads every
// tile it touches (a missing tile leaves its part kNoHeight). Empty when no
// mesh centre lies inside the range; TooLarge when the range needs more than
// kMaxTopoValues values.
TopoRead readtopography(const WorkState& ws, const DemMesh& mesh, TopoGrid& grid);

}  // namespace crustex

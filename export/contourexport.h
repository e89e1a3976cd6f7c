// Contour lines as data: the pieces the contour tracing draws, joined into
// lines level by level, written as GeoJSON (RFC 7946) LineStrings with the
// level as a property. Coordinates are longitude and latitude while the map
// is on, else field km (x east, y north), which the collection says in its
// "crustex" member.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "model/grid2d.h"
#include "model/workstate.h"
#include "plot/contourtrace.h"

namespace crustex {

// One joined line of one level; closed lines end on their first point.
struct ContourLine {
    float level = 0;
    LevelKind kind = LevelKind::Zero;
    std::vector<FramePoint> points;
};

// Joins the pieces of each level whose ends lie within `tolerance` of each
// other into lines, in the order the levels first appear. Pieces of no
// length are dropped.
std::vector<ContourLine> joincontourpieces(std::span<const ContourPiece> pieces, float tolerance);

// The joined lines of a grid whose nodes lie at x[i], y[j].
std::vector<ContourLine> tracegridcontours(const Grid2D& values, std::span<const float> x,
                                           std::span<const float> y, const ContourRule& rule);

// The contour rule of the work state's visualization ("Visual...").
ContourRule contourrule(const WorkState& ws);

// The joined lines of one result grid of the work state, in field km.
std::vector<ContourLine> fieldcontourlines(const WorkState& ws, const Grid2D& values);

// What the GeoJSON says besides the lines.
struct ContourJsonInfo {
    std::string quantity;  // the caption ("Displacement Z")
    std::string key;       // the quantity key ("uz")
    std::string unit;      // "mm"
    // Field km to (longitude, latitude); empty: the coordinates stay km.
    std::function<void(float x, float y, float& lon, float& lat)> togeo;
};

// A JSON string literal: quotes, backslashes and control characters
// escaped; the text is taken as UTF-8.
std::string jsontext(std::string_view s);

std::string contourgeojson(std::span<const ContourLine> lines, const ContourJsonInfo& info);

}  // namespace crustex

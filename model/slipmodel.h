// A slip model: any number of rectangular patches with their own slip, held
// beside the twenty sources of the source table and added to every result.
// Plain data; the readers live in files/, the evaluation in engine/.
//
// Patches use the source table's frame and conventions: km with X east and
// Y north, depth positive down; the strike runs from the first end of the
// upper edge to the second and the patch dips to the right of it; rake 0 is
// left-lateral strike slip and rake 90 reverse slip. Unlike a source record,
// slip and opening are in metres (as the files give them) and positions are
// not bounded: a patch may lie at negative X or Y.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace crustex {

struct SlipPatch {
    float x0 = 0;       // upper edge, first end X (km)
    float y0 = 0;       // upper edge, first end Y (km)
    float x1 = 0;       // upper edge, second end X (km)
    float y1 = 0;       // upper edge, second end Y (km)
    float top = 0;      // depth of the upper edge (km, down +)
    float width = 0;    // down-dip width (km)
    float dip = 0;      // dip (degrees, 0..90)
    float rake = 0;     // rake of the slip (degrees)
    float slip = 0;     // net slip in the plane (m)
    float opening = 0;  // tensile opening (m, extension +)

    bool operator==(const SlipPatch&) const = default;
};

// The upper edge of a patch in degrees, kept for patches that were placed
// from latitude and longitude so that they can be placed again when the map
// range or projection changes.
struct GeoEdge {
    float lat0 = 0, lon0 = 0;  // first end
    float lat1 = 0, lon1 = 0;  // second end

    bool operator==(const GeoEdge&) const = default;
};

struct SlipModel {
    // What the evaluation adds up, in the model frame.
    std::vector<SlipPatch> patches;
    // Empty, or one entry per patch: where each patch lies on the globe.
    std::vector<GeoEdge> geo;
    // The file the model was read from, as the user named it ("" for none).
    std::string file;
    // Km added to the file's own X and Y when the model was placed (a model
    // file's grid moved into the field's range); 0 for a model placed as
    // the file gives it or on the map.
    float xshift = 0, yshift = 0;

    bool empty() const { return patches.empty(); }
    std::size_t size() const { return patches.size(); }
    void clear() {
        patches.clear();
        geo.clear();
        file.clear();
        xshift = yshift = 0;
    }
};

}  // namespace crustex

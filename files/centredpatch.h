// A slip patch as the published finite-fault formats (.fsp, .param) and the
// program's own patch CSV describe it: by the centre of its plane, its
// orientation and its size. The readers of those formats all give a
// PatchTable; placing it turns each patch into the upper-edge form of the
// model (model/slipmodel.h).
//
// Geometry (the model's convention): the strike runs from the first end of
// the upper edge to the second and the patch dips to the right of it; the
// centre lies half a width down-dip from the middle of the upper edge.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "files/slipreport.h"
#include "model/slipmodel.h"

namespace crustex {

struct CentredPatch {
    float east = 0;     // centre: longitude (degrees) or X (km)
    float north = 0;    // centre: latitude (degrees) or Y (km)
    float depth = 0;    // depth of the centre (km, down +)
    float strike = 0;   // degrees clockwise from north (or from the model's Y axis)
    float dip = 0;      // degrees, 0..90
    float rake = 0;     // degrees; 0 left-lateral, 90 reverse
    float length = 0;   // along strike (km)
    float width = 0;    // down-dip (km)
    float slip = 0;     // net slip (m)
    float opening = 0;  // tensile opening (m)
    uint32_t line = 0;  // the line of the file it came from
    // The position and depth are those of the middle of the upper edge
    // (the "top-centre" of some published models), not of the centre.
    bool topcentre = false;

    bool operator==(const CentredPatch&) const = default;
};

struct PatchTable {
    // True: east and north are longitude and latitude; false: km in the
    // model frame.
    bool geographic = true;
    std::vector<CentredPatch> patches;
};

// What the readers of these formats give.
struct PatchRead {
    PatchTable table;
    ReadReport report;
};

// Why a patch cannot be used, "" when it can: a value that is not finite, a
// dip outside 0..90, a length or width not above 0, a latitude beyond the
// poles, or an upper edge above the surface (more than a metre: rounding
// of a patch that reaches the surface is forgiven).
std::string patchproblem(const CentredPatch& p, bool geographic);

// Adds a patch to the table, or skips it (counted, with the reason) when
// patchproblem finds it unusable.
void addpatch(PatchRead& read, const CentredPatch& p);

// Ends a reading: a table without a usable patch refuses the file ("no
// usable <what>, 3 skipped (line 17: ...)"), and a refused file keeps no
// patch.
void finishpatchread(PatchRead& read, const char* what);

// Depth of the upper edge of a patch: its centre depth less half its width
// times the sine of the dip (the depth itself for a top-centre patch);
// never below 0.
double upperdepth(const CentredPatch& p);

// The patch in the model's upper-edge form, with its centre (or the middle
// of its upper edge for a top-centre patch) at (x, y) km and its strike
// along `azimuth` (radians, clockwise from the model's Y axis).
SlipPatch patchfromcentre(double x, double y, double azimuth, const CentredPatch& p);

// The way back: centre X, Y and depth (km) and the azimuth of the strike
// (radians, clockwise from Y) of a patch in upper-edge form.
struct PatchCentre {
    double x = 0, y = 0, depth = 0, azimuth = 0;
};
PatchCentre centreofpatch(const SlipPatch& p);

}  // namespace crustex

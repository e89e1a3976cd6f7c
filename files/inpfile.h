// Reading the input files of elastic stress-transfer studies (".inp"): two
// title lines, parameter lines ("PR1= .250 ... DEPTH= 10.0", "E1= 8e5",
// "FRIC= .400", the regional stress lines "S1DR= az S1DP= plunge S1IN=
// magnitude S1GD= gradient" for S1, S2, S3), the element table, and the
// blocks "Grid Parameters", "Cross section default" and "Map info" (also
// spelled "Map infomation").
//
// The element table is a column header line, a line of "xxx" placeholders,
// then one line per element:
//   index xstart ystart xfin yfin kode col1 col2 dip top bot [label]
// (km, degrees, m) up to a blank line or "Grid Parameters". (xstart, ystart)
// to (xfin, yfin) is the upper edge at depth top; the element dips to the
// right of it; its down-dip width is (bot - top) / sin(dip). The two value
// columns by Kode:
//   100  right-lateral slip, reverse slip; but when the header names them
//        "rake netslip": the rake (degrees) and the net slip
//   200  right-lateral slip, tensile opening
//   300  tensile opening, reverse slip
//   400, 500  point sources: counted and left out
// Left-lateral (the model's rake 0) is minus right-lateral. Elements whose
// two value columns are both 0 are receivers, kept apart from the sources.
//
// Files are written by hand and by many programs: line ends may be LF, CR LF
// or bare CR; titles may hold Latin-1 bytes; key/value spacing is free;
// lines of the blocks may be numbered ("1 ----- Start-x = -120.0") or not,
// and the blocks use the same key names, so keys are read per block. An
// element with unusable values is skipped and counted; the file is refused
// only when it has no element table or no usable element.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/slipreport.h"
#include "model/medium.h"
#include "model/slipmodel.h"
#include "model/stressmodel.h"

namespace crustex {

// "Grid Parameters": nodes from start to finish every increment (km).
struct InpGrid {
    bool given = false;
    float x0 = 0, y0 = 0;  // Start-x, Start-y
    float x1 = 0, y1 = 0;  // Finish-x, Finish-y
    float dx = 0, dy = 0;  // x-increment, y-increment

    bool operator==(const InpGrid&) const = default;
};

// "Map info": the longitudes and latitudes the grid spans, and those of the
// file's origin (0, 0).
struct InpMapInfo {
    bool given = false;  // min. and max. of both given
    float minlon = 0, maxlon = 0, zerolon = 0;
    float minlat = 0, maxlat = 0, zerolat = 0;

    bool operator==(const InpMapInfo&) const = default;
};

struct InpModel {
    std::string title1, title2;     // as UTF-8 (Latin-1 bytes converted)
    std::optional<Medium> medium;   // from PR1 and E1
    std::optional<float> depth;     // DEPTH: calculation depth (km)
    std::optional<float> friction;  // FRIC: effective friction coefficient
    RegionalStress stress;          // S1, S2, S3 by their labels
    // Source elements in the file's km, and the line each came from.
    std::vector<SlipPatch> patches;
    std::vector<uint32_t> patchlines;
    // Zero-slip elements (rake NaN, or the file's rake in "rake netslip"
    // files), and their lines.
    std::vector<ReceiverFault> receivers;
    std::vector<uint32_t> receiverlines;
    std::size_t pointsources = 0;  // Kode 400 and 500 elements left out
    InpGrid grid;
    SectionLine section;  // "Cross section default"
    InpMapInfo map;
};

struct InpRead {
    InpModel model;
    ReadReport report;
};

// Reads the text of a file; `name` is what messages call it.
InpRead readinp(std::string_view text, const std::string& name);

// "2 point sources (Kode 400/500) left out".
std::string pointsourcetext(std::size_t n);

}  // namespace crustex

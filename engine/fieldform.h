// The field dialog ("Field Parameters"): its box texts and the check-and-store
// step when it is accepted.
//
// Accepting the dialog also needs the plot and the map: when a background map
// is wanted, rwidth becomes 640 times the map scale, and the plot's field
// window is then set from rwidth (width) and rwidth * 51 / 64 (height). That
// step belongs to the caller, after fixparam succeeds.
#pragma once

#include <string>
#include <string_view>

#include "model/formcheck.h"
#include "model/workstate.h"

namespace crustex {

// Field grids larger than this many nodes are refused (about 350 MB of
// result grids): the grid counts would otherwise allocate without bound.
inline constexpr long kMaxGridNodes = 2048L * 2048L;

// Why a grid of these interval counts is refused for its size ("2049 x 2049
// nodes, at most 4,194,304"), or "" when it has at most kMaxGridNodes nodes.
std::string gridsizeproblem(int xgrid, int ygrid);

struct FieldFormText {
    std::string rwidth;
    std::string xview0, yview0, xview1, yview1;
    std::string xgrid, ygrid;
    std::string obsdepth;
    std::string obsincx, obsincy, obsincdpt, obsincs, obsincdip;
    bool inclined = false;

    // The text of the box that fills work-state field `field`, or nullptr.
    const std::string* box(std::string_view field) const;
};

// Box texts for opening the dialog: grid counts with "0", the other values in
// their general form, so that accepting an unchanged dialog stores exactly
// the values it showed.
FieldFormText entryfieldform(const WorkState& ws);

// Checks the boxes in the dialog's order, then: the NE corner strictly east
// and north of the SW corner (else the SW X or Y box is rejected); at most
// kMaxGridNodes nodes (else the Y count box, with gridsizeproblem's
// reason); with "Inclined Field" the
// reference point inside the area (else its X or Y box). On success stores
// every value and `inclined`, recomputes the iso-depth lines when inclined,
// and marks the grid and CFF results stale. Nothing is stored on a rejection.
FormCheck fixparam(WorkState& ws, const FieldFormText& text);

}  // namespace crustex

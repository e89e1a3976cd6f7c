// The map dialog ("Map Parameters") without its window: the box texts and
// switches it opens with, the checks and the store of "OK", the field
// re-based on the map just drawn, the range a rubber band on the preview
// selects, and the state copy the preview draws from.
//
// The preview draws from a copy of the work state, so that previewing a
// range and then cancelling leaves the map range, the projection and
// everything drawn with them as they were.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "geo/projection.h"
#include "model/formcheck.h"
#include "model/inputcheck.h"
#include "model/workstate.h"
#include "plot/plotframe.h"

namespace crustex {

// The dialog's number boxes.
struct MapFormText {
    std::string dlat, nstep, flat1, flat2, flon1, flon2;

    // The text of the box that fills work-state field `field`, or nullptr.
    const std::string* box(std::string_view field) const;
};

// The dialog's check boxes and option groups.
struct MapSwitches {
    bool needmap = false;
    bool needevent = false;
    int16_t linetype = 1;    // 1 "Coast+Border", 2 "Coast only", 3 "Border only"
    int16_t areatype = 1;    // 1 "Japan", 2 "World", 3 "Sequential", 4 "No Map"
    int16_t projection = 3;  // 1 "Mercator", 2 "Millur", 3 "Conic"
    std::array<bool, 4> faultclass{};
    bool volcano = false;
    bool topocontour = false;
    bool topocolor = false;
};

// Box texts for opening the dialog: the range and the line interval with
// "0.##", "Skip Data" with "0".
MapFormText entrymapform(const WorkState& ws);
MapSwitches mapswitches(const WorkState& ws);

// The checks of "OK": the six boxes in the dialog's order, then flat2 must
// exceed flat1 (else the flat1 box is rejected) and flon2 must exceed flon1
// (else the flon1 box). On success the six values are in `values`.
FormCheck checkmapform(const MapFormText& text, FieldValues& values);

// Stores checked values and the switches (needmap included) and marks the
// grid and CFF results stale. The map type and projection options are stored
// too, so that the map drawn next is the one the dialog shows.
void storemapform(WorkState& ws, const FieldValues& values, const MapSwitches& sw);

// A copy of the work state for drawing the preview: the switches and every
// box whose text passes its check are applied to it, the other boxes keep
// the state's values. The result grids are not copied.
WorkState previewstate(WorkState& ws, const MapFormText& text, const MapSwitches& sw);

// A map range in degrees.
struct MapRange {
    float lat1 = 0, lon1 = 0, lat2 = 0, lon2 = 0;
};

// The range a rubber band between two corners (frame units of the picture
// the projection was set up for) selects, whatever the direction it was
// drawn in: with xmin, xmax, ymin, ymax the extremes of the corners, the
// south-west corner is the inverse projection of (xmin, ymax) and the
// north-east corner that of (xmax, ymin).
MapRange rubberbandrange(const Projection& p, float ax, float ay, float bx, float by);

// Re-bases the field on the map the projection was just set up for: rwidth
// becomes 640 times the scale, the plot window 0..rwidth by 0..rwidth * 51 /
// 64, and the data area the map's inner extent in field km: xview0 and
// xview1 the x of (flat2, flon1) and (flat2, flon2), yview0 the y of (flat1,
// flon1), yview1 the y of flat2 at the middle longitude. Marks the grid and
// CFF results stale. Nothing changes (false) while the projection has no
// usable scale.
bool rebasefield(WorkState& ws, const Projection& p, PlotFrame& frame);

}  // namespace crustex

// The map range of a model: what the map data covers (the range of the
// coast file's tiles, read from its header) and setting a range as the map
// dialog's "OK" does. The map is drawn only where the coast file has tiles.
#pragma once

#include <optional>
#include <string>

#include "geo/mapfile.h"
#include "geo/mapform.h"
#include "geo/projection.h"
#include "model/workstate.h"
#include "plot/plotframe.h"

namespace crustex {

// The header of the coast file in the map directory, or none when there is
// no such file or it cannot be read.
std::optional<MapHeader> coastheader(const std::string& mappath);

// True when the header's tiles hold the whole range (a header spanning
// -180..180 holds every longitude).
bool mapcovers(const MapHeader& h, const MapRange& range);

// The map dialog's "OK" for a range with the map switched on: the boxes as
// the dialog fills them ("0.##"), its checks and store, the projection set
// up and the field re-based on the map. False, with nothing changed, when
// the dialog would refuse the range or it cannot be projected.
bool applymaprange(WorkState& ws, Projection& proj, PlotFrame& frame, const MapRange& range);

}  // namespace crustex

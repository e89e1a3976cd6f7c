// The earthquake layer: the selected events of the work state's event table
// (read with reloadevents when the map dialog is confirmed or a work file is
// loaded) drawn as circles whose radius is half the magnitude, in frame
// units. drawevents itself is declared with the other layers in
// geo/maplayers.h.
#pragma once

#include "model/host.h"
#include "model/workstate.h"

namespace crustex {

// Reads the catalogue at ws.vhyppath again for the work state's time window,
// map range, depth and magnitude ranges into ws.eventtable. A catalogue that
// cannot be opened (a FIFO or anything else that is not a regular file
// included) empties the table and says "Open Error" with the path and the
// reason in a message box; returns false then.
bool reloadevents(WorkState& ws, Host& host);

// The circle radius of an event, frame units: 0.05 x the stored magnitude
// (magnitude times 10), so half the magnitude; never below 0.
float eventradius(int16_t magtimes10);

}  // namespace crustex

// "Export Area Data...": the enclosed area written in geographic
// coordinates for the seismicity viewer.
//
// The file is text with CR LF lines: " 2 " (the print form of 2); the number
// of polygon points in the print form; one line "latitude,longitude" per
// polygon point in order; then two more lines of the same form for the two
// ends of the area's projection line. Numbers of the latitude/longitude
// lines are in the record files' float form. The area is kept in frame
// units and converted with the inverse of the current map projection.
#pragma once

#include <string>

#include "geo/projection.h"
#include "model/host.h"
#include "model/workstate.h"

namespace crustex {

// The file's text for the area of the work state.
std::string areaexporttext(const WorkState& ws, const Projection& p);

// Writes the file through a temporary file and a rename; on failure "Open
// Error" is shown and false returned.
bool exportarea(const WorkState& ws, const Projection& p, Host& host, const std::string& path);

}  // namespace crustex

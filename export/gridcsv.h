// The field grid as a CSV table: a header row naming each column with its
// unit, then one row per node, x running fastest, from the south-west node.
// Columns: x_km, y_km, lon_deg and lat_deg while the map is on, then one
// column per variable ("uz_mm", "sxx_microstrain", ...); a section's
// table has distance_km, depth_km, x_km, y_km (the map position of each
// distance) and then the variables. A node without a
// value has an empty cell. Numbers are the shortest text that gives the
// stored 32-bit value back.
#pragma once

#include <string>

#include "export/fieldexport.h"

namespace crustex {

std::string gridcsvtext(const FieldGridExport& grid);

}  // namespace crustex

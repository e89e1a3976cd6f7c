// A vertical section as the grid exports take it (export/fieldexport.h):
// x is the distance along the line (km from its first point), y the depth
// (km, positive down), the map position of each distance goes along x, and
// the attributes describe the model and the section. The CSV table has
// the columns distance_km, depth_km, x_km, y_km and then the variables;
// the netCDF file has the dimensions depth and distance (with latitude and
// longitude of every point while the map is on).
#pragma once

#include <span>

#include "export/fieldexport.h"
#include "stress/section.h"

namespace crustex {

FieldGridExport collectsection(const WorkState& ws, Section& section,
                               std::span<const GridVariable* const> variables, const GeoFrame* geo,
                               const GridProvenance& provenance);

}  // namespace crustex

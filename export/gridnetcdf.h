// The field grid as a netCDF file following the CF conventions, so that
// GMT, QGIS, xarray and ncview open it: dimensions y and x with coordinate
// variables in km (a section's depth and distance, depth positive down,
// with the map position of each distance as variables along it), one float variable per quantity
// (y, x) with long_name, units and the no-value marker as _FillValue, 2-D lat and lon auxiliary
// coordinates while the map is on, and the grid's attributes as global
// attributes. The file is netCDF-4 (classic model), compressed.
#pragma once

#include <string>

#include "export/fieldexport.h"

namespace crustex {

// Writes the file as every save is written (files/atomicfile.h), the
// library working in a child process of its own. False, with the reason in
// `error` and nothing at path changed, when it cannot be written whole.
bool writegridnetcdf(const FieldGridExport& grid, const std::string& path, std::string& error);

}  // namespace crustex

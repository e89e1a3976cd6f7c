// Reading the finite-fault text the national survey publishes with every
// model ("basic_inversion.param"):
//
//   #Total number of fault_segments=     1
//   #Fault_segment =   1 nx(Along-strike)=   25 Dx= 15.00km ny(downdip)=    8 Dy=  5.00km
//   #Boundary of Fault_segment     1. EQ in cell 13,4. Lon: 93.0725   Lat: 2.3484
//   #Lon.  Lat.  Depth
//     (the corner points of the segment outline: passed over)
//   #Lat. Lon. depth slip rake strike dip t_rup t_ris t_fal mo
//     (one row per subfault)
//
// Rows give the subfault centre (latitude, longitude, depth in km), the slip
// in cm (turned into m here), rake, strike and dip; the subfault is Dx long
// and Dy wide as the last segment line says. Further segments repeat the
// segment lines, sometimes without the leading '#'. Columns are taken by
// name. Unusable subfaults (also those of a segment line without Dx and Dy)
// are skipped and counted; the file is refused when it has no subfault
// column line, the column line lacks a needed column, or no subfault is
// usable.
#pragma once

#include <string>
#include <string_view>

#include "files/centredpatch.h"

namespace crustex {

// Reads the text of a file; `name` is what messages call it.
PatchRead readparam(std::string_view text, const std::string& name);

}  // namespace crustex

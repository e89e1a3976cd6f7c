// The program's own slip-patch table as CSV: one header line, then one line
// per patch, comma-separated, LF line ends. Each patch is given by the centre
// of its plane:
//
//   lon_deg,lat_deg,depth_km,strike_deg,dip_deg,rake_deg,length_km,width_km,slip_m,opening_m
//
//   lon_deg, lat_deg  centre (degrees east and north)
//   depth_km          depth of the centre (km, down +)
//   strike_deg        degrees clockwise from north; the patch dips to the
//                     right of its strike
//   dip_deg           0..90
//   rake_deg          0 left-lateral, 90 reverse
//   length_km         along strike
//   width_km          down-dip
//   slip_m            net slip (m)
//   opening_m         tensile opening (m); the column may be left out
//
// A model without a geographic frame is written with x_km,y_km (centre in
// the model frame) in place of lon_deg,lat_deg, its strike clockwise from
// the model's Y axis. Numbers are written as the shortest text that reads
// back as the same float.
//
// The reader takes the columns by name in any order: lon or lon_deg or
// longitude, lat/lat_deg/latitude, x/x_km, y/y_km, depth/depth_km,
// strike/strike_deg, dip/dip_deg, rake/rake_deg, length/length_km,
// width/width_km, slip/slip_m, opening/opening_m; letter case, blanks and
// double quotes around the names and values do not matter. Blank lines and
// lines starting with '#' are passed over. Rows with unusable values are
// skipped and counted; the file is refused when its header lacks a column
// or no row is usable.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "files/centredpatch.h"
#include "files/sourcefile.h"
#include "model/slipmodel.h"

namespace crustex {

inline constexpr const char* kPatchCsvGeoHeader =
    "lon_deg,lat_deg,depth_km,strike_deg,dip_deg,rake_deg,length_km,width_km,slip_m,opening_m";
inline constexpr const char* kPatchCsvKmHeader =
    "x_km,y_km,depth_km,strike_deg,dip_deg,rake_deg,length_km,width_km,slip_m,opening_m";

// Reads the text of a file; `name` is what messages call it.
PatchRead readpatchcsv(std::string_view text, const std::string& name);

// Hands the table to `out` in pieces: geographic when the model has its
// degrees (SlipModel::geo) and a map is set up (geo given and ready), else in
// km. False as soon as `out` returns false.
bool writepatchcsv(const SlipModel& model, const GeoFrame* geo,
                   const std::function<bool(std::string_view)>& out);

// The whole table as one text.
std::string patchcsvtext(const SlipModel& model, const GeoFrame* geo);

// Writes the table to path through a temporary file put in place at the end;
// false (and an old file of that name untouched) on any failure.
bool storepatchcsv(const std::string& path, const SlipModel& model, const GeoFrame* geo);

}  // namespace crustex

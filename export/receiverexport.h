// The stress change on receiver patches (stress/receiverstress.h) as files:
// a CSV table and GeoJSON polygons.
//
// CSV: one header line, then one line per patch, receivers in list order and
// their patches in split order (stress/receiverpatches.h), LF line ends:
//
//   receiver,patch,name,x_km,y_km,lon_deg,lat_deg,depth_km,strike_deg,
//   dip_deg,rake_deg,shear_<unit>,normal_<unit>,cff_<unit>        (one line)
//
//   receiver, patch   numbers from 1
//   name              the receiver's name (in double quotes when it holds
//                     a comma or a quote, a quote inside doubled)
//   x_km, y_km        the patch centre in the model frame (a .inp model
//                     read without a map keeps its own km)
//   lon_deg, lat_deg  the centre on the globe; empty without a map
//   depth_km          depth of the centre (km, down +)
//   strike_deg        clockwise from true north with a map, else from the
//                     model's Y axis
//   dip_deg, rake_deg the receiver's dip and the rake resolved on
//   shear, normal,    shear stress along the rake, normal stress
//   cff               (unclamping positive) and delta CFF in the unit
//                     (stress/stressunits.h: 1e-6, bar or MPa); empty where
//                     the centre has no value
//
// GeoJSON (RFC 7946): a FeatureCollection of one Polygon per patch, the
// surface projection of its four corners, with the CSV's values as
// properties. Coordinates are longitude and latitude with a map; without
// one they are the model frame's km (x east, y north), which the
// collection's "crustex" member says, as the program's contour GeoJSON does.
#pragma once

#include <span>
#include <string>

#include "files/sourcefile.h"
#include "model/stressmodel.h"
#include "stress/receiverstress.h"

namespace crustex {

// The CSV header for a unit.
std::string receivercsvheader(StressUnit unit);

// receivers: the list the results were evaluated from (for the names).
// geo: the map, or nullptr (or not set up): no degrees.
std::string receivercsvtext(const ReceiverResults& results,
                            std::span<const ReceiverFault> receivers, const GeoFrame* geo);
std::string receivergeojson(const ReceiverResults& results,
                            std::span<const ReceiverFault> receivers, const GeoFrame* geo);

// Writes the CSV, or the GeoJSON for a name ending in ".geojson" or ".json"
// (any letter case), whole or not at all (files/atomicfile.h); false when
// the file could not be written.
bool storereceivers(const std::string& path, const ReceiverResults& results,
                    std::span<const ReceiverFault> receivers, const GeoFrame* geo);

}  // namespace crustex

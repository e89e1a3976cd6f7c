// Reading finite-source models in the ".fsp" text form of the published
// source-model collections.
//
// Header lines start with '%' and hold "KEY = value" pairs with free
// spacing; the reader takes
//   "Mech : STRK = 195 DIP = 14 RAKE = 90"   the default orientation,
//   "Invs : Dx = 15.00 km Dz = 15.00 km"      the subfault size (length
//                                             along strike, width down-dip;
//                                             else LEN / Nx and WID / Nz),
//   "SEGMENT # 2: STRIKE = 200 DIP = 20"      a segment's own orientation,
//   a line on where the coordinates are       ("... center of each subfault"
//                                             or "top-center"),
//   the column line                           ("% LAT LON X==EW Y==NS Z SLIP
//                                             RAKE ..."), by the names LAT,
//                                             LON, Z (or DEPTH), SLIP, and
//                                             RAKE, STRK/STRIKE, DIP when
//                                             there.
// Every other line of numbers is one subfault: latitude, longitude, depth
// (km) and slip (m); the rake, strike and dip come from their columns when
// the column line has them, else from the segment and "Mech" lines. A
// subfault given by its top-centre is marked so (CentredPatch::topcentre):
// placing it puts the middle of its upper edge there. Unusable subfaults are skipped and counted;
// the file is refused when it has no column line before its first subfault, no subfault size, no
// orientation, or no usable subfault.
#pragma once

#include <string>
#include <string_view>

#include "files/centredpatch.h"

namespace crustex {

// Reads the text of a file; `name` is what messages call it.
PatchRead readfsp(std::string_view text, const std::string& name);

}  // namespace crustex

// Receiver faults from a CSV file: one header line naming the columns, then
// one line per receiver, comma-separated. The upper edge is given by its
// two ends, in the model frame's km or in degrees:
//
//   x0_km,y0_km,x1_km,y1_km,dip_deg,top_km,bottom_km,rake_deg,name
//   lon0_deg,lat0_deg,lon1_deg,lat1_deg,dip_deg,top_km,bottom_km,rake_deg,name
//
//   x0_km, y0_km      first end of the upper edge (km, X east, Y north)
//   x1_km, y1_km      second end; the receiver dips to the right of the
//                     direction from the first end to the second
//   lon0_deg, ...     the same ends in degrees east and north (placed on
//                     the map through the projection; the edge keeps its
//                     length on the globe)
//   dip_deg           above 0, at most 90
//   top_km            depth of the upper edge (km, down +)
//   bottom_km         depth of the lower edge, below top_km; the down-dip
//                     width is (bottom - top) / sin(dip)
//   rake_deg          optional: the rake of the receiver's slip (0
//                     left-lateral, 90 reverse); an empty cell or no such
//                     column takes the user's rake
//   name              optional text (no commas)
//
// Columns are found by name in any order, letter case aside; the unit part
// may be left off ("x0", "top", "rake"). A header with both kinds of ends
// takes the degrees. Blank lines and lines starting with
// '#' are passed over. A row with an unusable value (not a number, dip
// outside 0..90, bottom not below top, the two ends in one place) is
// skipped and counted with its line and reason; a file without a header,
// a needed column or any usable row is refused ("<file>, line N: reason")
// and installs nothing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/slipreport.h"
#include "files/sourcefile.h"
#include "model/stressmodel.h"
#include "model/workstate.h"

namespace crustex {

struct ReceiverFileRead {
    // km rows in the model frame; degree rows carry their ends in `geo`
    // and are placed by placereceivercsv.
    std::vector<ReceiverFault> receivers;
    std::vector<uint32_t> lines;  // the line each receiver came from
    bool geographic = false;
    ReadReport report;
};

// Reads the text of a file; `name` is what messages call it.
ReceiverFileRead readreceivercsv(std::string_view text, const std::string& name);

// Reads a file (at most kMaxSlipFileBytes).
ReceiverFileRead readreceiverfile(const std::string& path);

// Places degree rows on the map (geo given and set up); a row the
// projection cannot map is skipped. False, with the reason in the report,
// when there is no map for a geographic file or nothing could be placed.
bool placereceivercsv(ReceiverFileRead& read, const GeoFrame* geo);

// "receivers.csv: 40 receivers, 2 skipped (line 7: dip 95 outside 0..90)",
// or the reason the file was refused.
std::string receiverfilesummary(const ReceiverFileRead& read);

// The whole command: reads and places the file and, only on success,
// replaces the work's receivers. `summary` gets the line for the status
// strip or standard error either way.
bool loadreceiverfile(WorkState& ws, const GeoFrame* geo, const std::string& path,
                      std::string& summary);

}  // namespace crustex

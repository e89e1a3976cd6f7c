// Putting what a model file describes into the model frame (km, X east,
// Y north).
//
// Geographic patches (.fsp, .param, a patch CSV with longitudes and
// latitudes) go through the program's projection and plot frame: the centre
// by geotokm, the strike turned by the meridian angle at the patch so that
// it keeps its bearing from true north on the map, and length and width
// kept in km. The upper edge of each placed patch is kept in degrees
// (GeoEdge) so that the model can be placed again when the map range or the
// projection changes: the first end goes through the projection again, the
// second lies at the patch's length towards where the projection puts it.
//
// A .inp file's km become degrees by the linear stretch of its Map info:
// Start-x..Finish-x of its grid spans min. lon..max. lon and Start-y..
// Finish-y spans min. lat..max. lat. Its elements are placed on the map from
// those degrees in the same way (their length kept); a file without Map
// info, or read while no map is set up, stays in its own km. A patch CSV in
// km stays in km.
#pragma once

#include <optional>
#include <vector>

#include "files/centredpatch.h"
#include "files/inpfile.h"
#include "files/slipreport.h"
#include "files/sourcefile.h"
#include "model/slipmodel.h"
#include "model/stressmodel.h"

namespace crustex {

// True when the projection has been set up (by drawing or previewing a map).
bool projectionready(const Projection& p);

// The map to place geographic models on, or none.
inline const GeoFrame* readymap(const GeoFrame* geo) {
    return geo && projectionready(geo->proj) ? geo : nullptr;
}

// What a model file puts into the model frame.
struct PlacedModel {
    SlipModel model;
    std::vector<ReceiverFault> receivers;
    SectionLine section;
};

// Places a table of centred patches: geographic ones through the map (a
// patch the projection cannot map is skipped and counted), km ones as they
// are. False, with the reason in the report, when a geographic table meets
// no map or no patch could be placed.
bool placepatchtable(const PatchTable& table, const GeoFrame* geo, SlipModel& out,
                     ReadReport& report);

// Places the model's patches (and receivers) that carry degrees again on the
// current map; those the projection cannot map keep their place. False when
// no map is set up.
bool replaceslipmodel(SlipModel& model, const GeoFrame& geo);
bool replacereceivers(std::vector<ReceiverFault>& receivers, const GeoFrame& geo);

// Places a receiver whose upper edge is given in degrees (r.geo) on the
// map, the edge `length` km long from its first end towards its second.
// False, and the receiver unchanged, where the projection cannot map it.
bool placegeoreceiver(ReceiverFault& r, double length, const GeoFrame& geo);

// The linear stretch of a .inp file's Map info over its grid.
struct InpStretch {
    float x0 = 0, x1 = 0, y0 = 0, y1 = 0;          // grid start and finish (km)
    float lon0 = 0, lon1 = 0, lat0 = 0, lat1 = 0;  // min. and max. (degrees)
};
// None when the file has no Map info or no grid, or they span nothing.
std::optional<InpStretch> inpstretch(const InpModel& m);
void stretchtogeo(const InpStretch& s, float x, float y, float& lat, float& lon);

// Places a .inp file's elements and section: on the map through the stretch
// when the file has Map info and a map is set up, else in the file's km (a
// note says so when Map info goes unused). False, with the reason in the
// report, when none of its elements could be placed.
bool placeinp(const InpModel& m, const GeoFrame* geo, PlacedModel& out, ReadReport& report);

}  // namespace crustex

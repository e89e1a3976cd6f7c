#include "files/maprange.h"

#include <fstream>

#include "geo/mapdatacheck.h"
#include "model/fsutil.h"
#include "model/numtext.h"

namespace crustex {

std::optional<MapHeader> coastheader(const std::string& mappath) {
    const std::string path = findfilenocase(mappath, kCoastFileName);
    if (path.empty()) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    MapFile file;
    if (!in || !file.open(in)) return std::nullopt;
    return file.header();
}

bool mapcovers(const MapHeader& h, const MapRange& r) {
    const bool globe = h.west == -180 && h.east == 180;
    return r.lat1 >= h.south && r.lat2 <= h.north &&
           (globe || (r.lon1 >= h.west && r.lon2 <= h.east));
}

bool applymaprange(WorkState& ws, Projection& proj, PlotFrame& frame, const MapRange& range) {
    MapFormText text = entrymapform(ws);
    text.flat1 = formatnumber(range.lat1, "0.##");
    text.flon1 = formatnumber(range.lon1, "0.##");
    text.flat2 = formatnumber(range.lat2, "0.##");
    text.flon2 = formatnumber(range.lon2, "0.##");
    MapSwitches sw = mapswitches(ws);
    sw.needmap = true;
    FieldValues values;
    if (!checkmapform(text, values).ok()) return false;
    Projection trial;
    float lon2 = values.get("flon2");
    if (!setupprojection(trial, ws.projection, values.get("flat1"), values.get("flon1"),
                         values.get("flat2"), lon2))
        return false;
    storemapform(ws, values, sw);
    return setprojection(proj, ws) && rebasefield(ws, proj, frame);
}

}  // namespace crustex

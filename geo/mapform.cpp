#include "geo/mapform.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "model/dialogbounds.h"
#include "model/numtext.h"

namespace crustex {

const std::string* MapFormText::box(std::string_view field) const {
    if (field == "dlat") return &dlat;
    if (field == "nstep") return &nstep;
    if (field == "flat1") return &flat1;
    if (field == "flat2") return &flat2;
    if (field == "flon1") return &flon1;
    if (field == "flon2") return &flon2;
    return nullptr;
}

MapFormText entrymapform(const WorkState& ws) {
    MapFormText t;
    t.dlat = formatnumber(ws.dlat, "0.##");
    t.nstep = formatnumber(ws.nstep, "0");
    t.flat1 = formatnumber(ws.flat1, "0.##");
    t.flat2 = formatnumber(ws.flat2, "0.##");
    t.flon1 = formatnumber(ws.flon1, "0.##");
    t.flon2 = formatnumber(ws.flon2, "0.##");
    return t;
}

MapSwitches mapswitches(const WorkState& ws) {
    MapSwitches sw;
    sw.needmap = ws.needmap;
    sw.needevent = ws.needevent;
    sw.linetype = ws.linetype;
    sw.areatype = ws.areatype;
    sw.projection = ws.projection;
    sw.faultclass = ws.faultclass;
    sw.volcano = ws.volcano;
    sw.topocontour = ws.topocontour;
    sw.topocolor = ws.topocolor;
    return sw;
}

FormCheck checkmapform(const MapFormText& text, FieldValues& values) {
    FieldValues v;
    if (FormCheck r = checkform(DialogKind::Map, text, v); !r.ok()) return r;
    if (!(v.get("flat2") > v.get("flat1"))) return FormCheck::rejected("flat1");
    if (!(v.get("flon2") > v.get("flon1"))) return FormCheck::rejected("flon1");
    values = std::move(v);
    return FormCheck::accepted();
}

namespace {

void applyswitches(WorkState& ws, const MapSwitches& sw) {
    ws.needmap = sw.needmap;
    ws.needevent = sw.needevent;
    ws.linetype = sw.linetype;
    ws.areatype = sw.areatype;
    ws.projection = sw.projection;
    ws.faultclass = sw.faultclass;
    ws.volcano = sw.volcano;
    ws.topocontour = sw.topocontour;
    ws.topocolor = sw.topocolor;
}

void applyvalues(WorkState& ws, const FieldValues& v) {
    for (const auto& [field, value] : v.items()) {
        if (field == "dlat") ws.dlat = value;
        if (field == "nstep") ws.nstep = roundtoint16(value);
        if (field == "flat1") ws.flat1 = value;
        if (field == "flat2") ws.flat2 = value;
        if (field == "flon1") ws.flon1 = value;
        if (field == "flon2") ws.flon2 = value;
    }
}

}  // namespace

void storemapform(WorkState& ws, const FieldValues& values, const MapSwitches& sw) {
    applyswitches(ws, sw);
    applyvalues(ws, values);
    markgridstale(ws);
}

WorkState previewstate(WorkState& ws, const MapFormText& text, const MapSwitches& sw) {
    // The grids can be hundreds of megabytes: lend them out while copying.
    ResultGrids grids = std::move(ws.grids);
    WorkState copy = ws;
    ws.grids = std::move(grids);
    applyswitches(copy, sw);
    FieldValues good;
    for (const FieldBound& b : dialogbounds(DialogKind::Map)) {
        const FieldInput one{b.field, *text.box(b.field), b.rule};
        checkfields({&one, 1}, good);
    }
    applyvalues(copy, good);
    return copy;
}

MapRange rubberbandrange(const Projection& p, float ax, float ay, float bx, float by) {
    MapRange r;
    unprojectxy(p, std::min(ax, bx), std::max(ay, by), r.lat1, r.lon1);
    unprojectxy(p, std::max(ax, bx), std::min(ay, by), r.lat2, r.lon2);
    return r;
}

bool rebasefield(WorkState& ws, const Projection& p, PlotFrame& frame) {
    const float width = 640 * p.s;
    if (!(std::isfinite(width) && width > 0)) return false;
    ws.rwidth = width;
    setplotframe(frame, ws.rwidth);
    float x = 0, y = 0;
    geotokm(p, frame, ws.flat2, ws.flon1, ws.xview0, y);
    geotokm(p, frame, ws.flat2, ws.flon2, ws.xview1, y);
    geotokm(p, frame, ws.flat1, ws.flon1, x, ws.yview0);
    geotokm(p, frame, ws.flat2, (ws.flon1 + ws.flon2) / 2, x, ws.yview1);
    markgridstale(ws);
    return true;
}

}  // namespace crustex

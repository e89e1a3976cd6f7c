#include "files/slipplace.h"

#include <cmath>

#include "geo/projection.h"
#include "model/sourcemodel.h"
#include "plot/plotframe.h"

namespace crustex {

namespace {

bool finite(std::initializer_list<float> values) {
    for (const float v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

// Field km of a latitude and longitude (geotokm); false where the projection
// cannot map the point.
bool tokm(const GeoFrame& geo, float lat, float lon, double& x, double& y) {
    float fx = 0, fy = 0;
    projectgeo(geo.proj, geo.proj.kind, lat, lon, fx, fy);
    if (fx == kOffMap && fy == kOffMap) return false;
    const float kx = fromframex(geo.frame, fx), ky = fromframey(geo.frame, fy);
    if (!finite({kx, ky})) return false;
    x = kx;
    y = ky;
    return true;
}

float edgelength(float x0, float y0, float x1, float y1) {
    return static_cast<float>(
        std::hypot(static_cast<double>(x1) - x0, static_cast<double>(y1) - y0));
}

// An upper edge of the given length (km) placed from its ends in degrees:
// the first end through the projection, the second `length` away towards
// where the projection puts it.
bool placeedge(const GeoEdge& e, double length, const GeoFrame& geo, float& x0, float& y0,
               float& x1, float& y1) {
    double ax = 0, ay = 0, bx = 0, by = 0;
    if (!tokm(geo, e.lat0, e.lon0, ax, ay) || !tokm(geo, e.lat1, e.lon1, bx, by)) return false;
    const double d = std::hypot(bx - ax, by - ay);
    if (!(d > 0) || !std::isfinite(length)) return false;
    const float px1 = static_cast<float>(ax + (bx - ax) / d * length);
    const float py1 = static_cast<float>(ay + (by - ay) / d * length);
    if (!finite({px1, py1})) return false;
    x0 = static_cast<float>(ax);
    y0 = static_cast<float>(ay);
    x1 = px1;
    y1 = py1;
    return true;
}

// A patch given by its centre in degrees, placed on the map.
bool placecentred(const CentredPatch& c, const GeoFrame& geo, SlipPatch& s, GeoEdge& e) {
    double x = 0, y = 0;
    if (!tokm(geo, c.north, c.east, x, y)) return false;
    const double azimuth = c.strike * kPi / 180 + meridianangle(geo.proj, c.east);
    s = patchfromcentre(x, y, azimuth, c);
    kmtogeo(geo.proj, geo.frame, s.x0, s.y0, e.lat0, e.lon0);
    kmtogeo(geo.proj, geo.frame, s.x1, s.y1, e.lat1, e.lon1);
    return finite({s.x0, s.y0, s.x1, s.y1, e.lat0, e.lon0, e.lat1, e.lon1});
}

GeoEdge stretchedge(const InpStretch& s, float x0, float y0, float x1, float y1) {
    GeoEdge e;
    stretchtogeo(s, x0, y0, e.lat0, e.lon0);
    stretchtogeo(s, x1, y1, e.lat1, e.lon1);
    return e;
}

constexpr const char* kOffMapReason = "outside the map projection";

}  // namespace

bool projectionready(const Projection& p) { return p.s > 0 && std::isfinite(p.s); }

bool placepatchtable(const PatchTable& table, const GeoFrame* geo, SlipModel& out,
                     ReadReport& report) {
    out.patches.clear();
    out.geo.clear();
    out.patches.reserve(table.patches.size());
    const GeoFrame* map = readymap(geo);
    if (table.geographic && !map) {
        report.fail(0, "no map is set up to place latitudes and longitudes on");
        return false;
    }
    if (table.geographic) out.geo.reserve(table.patches.size());
    for (const CentredPatch& c : table.patches) {
        SlipPatch s;
        GeoEdge e;
        if (!table.geographic) {
            s = patchfromcentre(c.east, c.north, c.strike * kPi / 180, c);
            if (finite({s.x0, s.y0, s.x1, s.y1}))
                out.patches.push_back(s);
            else
                report.skip(c.line, "position beyond the float range");
        } else if (placecentred(c, *map, s, e)) {
            out.patches.push_back(s);
            out.geo.push_back(e);
        } else {
            report.skip(c.line, kOffMapReason);
        }
    }
    if (out.patches.empty()) {
        report.fail(0, "no patch could be placed, " + report.skippedtext());
        return false;
    }
    return true;
}

bool replaceslipmodel(SlipModel& model, const GeoFrame& geo) {
    if (!projectionready(geo.proj)) return false;
    for (std::size_t i = 0; i < model.patches.size() && i < model.geo.size(); ++i) {
        SlipPatch& p = model.patches[i];
        placeedge(model.geo[i], edgelength(p.x0, p.y0, p.x1, p.y1), geo, p.x0, p.y0, p.x1, p.y1);
    }
    return true;
}

bool replacereceivers(std::vector<ReceiverFault>& receivers, const GeoFrame& geo) {
    if (!projectionready(geo.proj)) return false;
    for (ReceiverFault& r : receivers)
        if (r.geo)
            placeedge(*r.geo, edgelength(r.x0, r.y0, r.x1, r.y1), geo, r.x0, r.y0, r.x1, r.y1);
    return true;
}

bool placegeoreceiver(ReceiverFault& r, double length, const GeoFrame& geo) {
    return r.geo && projectionready(geo.proj) &&
           placeedge(*r.geo, length, geo, r.x0, r.y0, r.x1, r.y1);
}

std::optional<InpStretch> inpstretch(const InpModel& m) {
    if (!m.map.given || !m.grid.given) return std::nullopt;
    const InpStretch s{m.grid.x0,    m.grid.x1,    m.grid.y0,    m.grid.y1,
                       m.map.minlon, m.map.maxlon, m.map.minlat, m.map.maxlat};
    if (!finite({s.x0, s.x1, s.y0, s.y1, s.lon0, s.lon1, s.lat0, s.lat1})) return std::nullopt;
    if (s.x1 == s.x0 || s.y1 == s.y0 || s.lon1 == s.lon0 || s.lat1 == s.lat0) return std::nullopt;
    return s;
}

void stretchtogeo(const InpStretch& s, float x, float y, float& lat, float& lon) {
    lon = static_cast<float>(s.lon0 + (static_cast<double>(x) - s.x0) /
                                          (static_cast<double>(s.x1) - s.x0) *
                                          (static_cast<double>(s.lon1) - s.lon0));
    lat = static_cast<float>(s.lat0 + (static_cast<double>(y) - s.y0) /
                                          (static_cast<double>(s.y1) - s.y0) *
                                          (static_cast<double>(s.lat1) - s.lat0));
}

bool placeinp(const InpModel& m, const GeoFrame* geo, PlacedModel& out, ReadReport& report) {
    const GeoFrame* map = readymap(geo);
    const std::optional<InpStretch> stretch = inpstretch(m);
    out.model.patches.clear();
    out.model.geo.clear();
    out.receivers.clear();
    out.section = m.section;
    if (!stretch || !map) {
        if (m.map.given && !map)
            report.note(0,
                        "Map info not used (no map is set up): the model stays in the file's km");
        out.model.patches = m.patches;
        out.receivers = m.receivers;
        return true;
    }
    out.model.patches.reserve(m.patches.size());
    out.model.geo.reserve(m.patches.size());
    for (std::size_t i = 0; i < m.patches.size(); ++i) {
        SlipPatch p = m.patches[i];
        const GeoEdge e = stretchedge(*stretch, p.x0, p.y0, p.x1, p.y1);
        if (placeedge(e, edgelength(p.x0, p.y0, p.x1, p.y1), *map, p.x0, p.y0, p.x1, p.y1)) {
            out.model.patches.push_back(p);
            out.model.geo.push_back(e);
        } else {
            report.skip(i < m.patchlines.size() ? m.patchlines[i] : 0, kOffMapReason);
        }
    }
    for (std::size_t i = 0; i < m.receivers.size(); ++i) {
        ReceiverFault r = m.receivers[i];
        const GeoEdge e = stretchedge(*stretch, r.x0, r.y0, r.x1, r.y1);
        if (placeedge(e, edgelength(r.x0, r.y0, r.x1, r.y1), *map, r.x0, r.y0, r.x1, r.y1)) {
            r.geo = e;
            out.receivers.push_back(std::move(r));
        } else {
            report.skip(i < m.receiverlines.size() ? m.receiverlines[i] : 0, kOffMapReason);
        }
    }
    if (out.section.given) {
        SectionLine& s = out.section;
        float lat0 = 0, lon0 = 0, lat1 = 0, lon1 = 0;
        stretchtogeo(*stretch, s.x0, s.y0, lat0, lon0);
        stretchtogeo(*stretch, s.x1, s.y1, lat1, lon1);
        double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        if (tokm(*map, lat0, lon0, x0, y0) && tokm(*map, lat1, lon1, x1, y1)) {
            s.x0 = static_cast<float>(x0);
            s.y0 = static_cast<float>(y0);
            s.x1 = static_cast<float>(x1);
            s.y1 = static_cast<float>(y1);
        } else {
            s.given = false;
            report.note(0, "Cross section default outside the map projection");
        }
    }
    if (out.model.patches.empty() && out.receivers.empty()) {
        report.fail(0, "no element could be placed on the map, " + report.skippedtext());
        return false;
    }
    return true;
}

}  // namespace crustex

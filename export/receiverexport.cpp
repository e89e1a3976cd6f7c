#include "export/receiverexport.h"

#include <cmath>

#include "export/contourexport.h"
#include "export/fieldexport.h"
#include "files/atomicfile.h"
#include "files/slipplace.h"
#include "files/textscan.h"
#include "geo/projection.h"
#include "model/fsutil.h"
#include "model/grid2d.h"
#include "stress/stressunits.h"

namespace crustex {

namespace {

// What one patch is written with.
struct PatchRow {
    const ReceiverPatch& p;
    const ReceiverValue& v;
    std::string name;
    bool geographic = false;
    float lon = 0, lat = 0, strike = 0;
};

float northbearing(float strike, const Projection& proj, float lon) {
    double d = std::fmod(strike - meridianangle(proj, lon) * kRadToDeg, 360.0);
    if (d < 0) d += 360;
    return d >= 360 ? 0.0f : static_cast<float>(d);
}

// Calls row for every patch with what it is written with.
template <class Row>
void eachrow(const ReceiverResults& r, std::span<const ReceiverFault> receivers,
             const GeoFrame* geo, Row row) {
    const GeoFrame* map = readymap(geo);
    for (std::size_t k = 0; k < r.patches.size() && k < r.values.size(); ++k) {
        const ReceiverPatch& p = r.patches[k];
        PatchRow w{p, r.values[k], {}, false, 0, 0, p.strike};
        if (p.receiver < receivers.size()) w.name = asutf8(receivers[p.receiver].name);
        if (map) {
            kmtogeo(map->proj, map->frame, p.x, p.y, w.lat, w.lon);
            w.geographic = std::isfinite(w.lat) && std::isfinite(w.lon);
            if (w.geographic) w.strike = northbearing(p.strike, map->proj, w.lon);
        }
        row(w);
    }
}

std::string csvname(const std::string& name) {
    if (name.find_first_of(",\"\r\n") == std::string::npos) return name;
    std::string q = "\"";
    for (const char c : name) {
        if (c == '"') q += '"';
        q += (c == '\r' || c == '\n') ? ' ' : c;
    }
    return q + "\"";
}

std::string valuetext(float v) { return v == kNoValue ? std::string() : shortestfloat(v); }

}  // namespace

std::string receivercsvheader(StressUnit unit) {
    const std::string u(stressunitcolumn(unit));
    return "receiver,patch,name,x_km,y_km,lon_deg,lat_deg,depth_km,strike_deg,dip_deg,rake_deg,"
           "shear_" +
           u + ",normal_" + u + ",cff_" + u;
}

std::string receivercsvtext(const ReceiverResults& results,
                            std::span<const ReceiverFault> receivers, const GeoFrame* geo) {
    std::string out = receivercsvheader(results.options.unit) + "\n";
    eachrow(results, receivers, geo, [&](const PatchRow& w) {
        const ReceiverPatch& p = w.p;
        const auto cell = [&out](const std::string& text) {
            out += text;
            out += ',';
        };
        cell(std::to_string(p.receiver + 1));
        cell(std::to_string(p.patch + 1));
        cell(csvname(w.name));
        cell(shortestfloat(p.x));
        cell(shortestfloat(p.y));
        cell(w.geographic ? shortestfloat(w.lon) : std::string());
        cell(w.geographic ? shortestfloat(w.lat) : std::string());
        for (const float v : {p.depth, w.strike, p.dip, p.rake}) cell(shortestfloat(v));
        for (const float v : {w.v.shear, w.v.normal, w.v.cff}) cell(valuetext(v));
        out.back() = '\n';
    });
    return out;
}

std::string receivergeojson(const ReceiverResults& results,
                            std::span<const ReceiverFault> receivers, const GeoFrame* geo) {
    const std::string u(stressunitcolumn(results.options.unit));
    const bool degrees = readymap(geo) != nullptr;
    std::string out =
        "{\"type\":\"FeatureCollection\",\"crustex\":{\"quantity\":\"delta CFF on "
        "receiver faults\",\"unit\":" +
        jsontext(stressunitword(results.options.unit)) +
        ",\"friction\":" + shortestfloat(results.options.friction) + ",\"coordinates\":";
    out += degrees ? "\"longitude, latitude (degrees)\"" : "\"model x, y (km)\"";
    out += "},\"features\":[";
    bool first = true;
    const GeoFrame* map = readymap(geo);
    eachrow(results, receivers, geo, [&](const PatchRow& w) {
        const ReceiverPatch& p = w.p;
        std::string ring;
        // Counter-clockwise, as RFC 7946 wants exterior rings: the corners
        // run clockwise seen from above (the plane dips to the right).
        for (const std::size_t k : {0, 3, 2, 1, 0}) {
            float a = p.cx[k], b = p.cy[k];
            if (map) kmtogeo(map->proj, map->frame, a, b, b, a);
            // A corner the projection cannot map leaves the patch out.
            if (!std::isfinite(a) || !std::isfinite(b)) return;
            ring += std::string(ring.empty() ? "[" : ",[") + shortestfloat(a) + "," +
                    shortestfloat(b) + "]";
        }
        out += first ? "\n" : ",\n";
        first = false;
        out +=
            "{\"type\":\"Feature\",\"properties\":{\"receiver\":" + std::to_string(p.receiver + 1) +
            ",\"patch\":" + std::to_string(p.patch + 1) + ",\"name\":" + jsontext(w.name) +
            ",\"x_km\":" + shortestfloat(p.x) + ",\"y_km\":" + shortestfloat(p.y) +
            ",\"depth_km\":" + shortestfloat(p.depth) +
            ",\"strike_deg\":" + shortestfloat(w.strike) + ",\"dip_deg\":" + shortestfloat(p.dip) +
            ",\"rake_deg\":" + shortestfloat(p.rake);
        const std::pair<const char*, float> values[] = {
            {"shear_", w.v.shear}, {"normal_", w.v.normal}, {"cff_", w.v.cff}};
        for (const auto& [stem, v] : values)
            out +=
                ",\"" + std::string(stem) + u + "\":" + (v == kNoValue ? "null" : shortestfloat(v));
        out += "},\"geometry\":{\"type\":\"Polygon\",\"coordinates\":[[" + ring + "]]}}";
    });
    out += "\n]}\n";
    return out;
}

bool storereceivers(const std::string& path, const ReceiverResults& results,
                    std::span<const ReceiverFault> receivers, const GeoFrame* geo) {
    const std::string lower = asciilower(path);
    const bool json = lower.ends_with(".geojson") || lower.ends_with(".json");
    return writefileatomic(path, json ? receivergeojson(results, receivers, geo)
                                      : receivercsvtext(results, receivers, geo));
}

}  // namespace crustex

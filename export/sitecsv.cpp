#include "export/sitecsv.h"

#include <algorithm>
#include <optional>

#include "export/fieldexport.h"
#include "plot/contourtrace.h"
#include "sites/misfit.h"

namespace crustex {

namespace {

// A text cell, quoted when it holds a separator, a quote or a line end.
std::string textcell(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string out = "\"";
    for (const char c : s) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

// The unit as a column suffix: "micro rad" gives "microrad".
std::string unitsuffix(std::string_view unit) {
    std::string out;
    for (const char c : unit)
        if (c != ' ') out += c;
    return out;
}

}  // namespace

std::string sitecsvtext(
    const WorkState& ws, const SiteResults& computed,
    const std::function<void(float x, float y, float& lon, float& lat)>& togeo) {
    const MisfitKind* kind = findmisfitkind(ws.obskind);
    const int parts = kind != nullptr ? kind->components : 0;
    const std::string unit = kind != nullptr ? unitsuffix(kind->unit) : std::string();
    std::string out = "name,x_km,y_km,depth_km";
    if (togeo) out += ",lon_deg,lat_deg";
    for (int c = 0; c < parts; ++c) {
        for (const char* what : {"_observed_", "_computed_", "_residual_"}) {
            out += ',';
            out += kind->names[static_cast<std::size_t>(c)];
            out += what;
            out += unit;
        }
    }
    out += '\n';
    const int n = std::clamp<int>(ws.nsite, 0, kMaxSites);
    for (int k = 1; k <= n; ++k) {
        const auto at = static_cast<std::size_t>(k);
        const siterec& s = ws.site[at];
        out += textcell(s.name);
        auto number = [&out](float v) {
            out += ',';
            if (hasvalue(v)) out += shortestfloat(v);
        };
        number(s.x);
        number(s.y);
        number(s.depth);
        if (togeo) {
            float lon = 0, lat = 0;
            togeo(s.x, s.y, lon, lat);
            number(lon);
            number(lat);
        }
        for (int c = 0; c < parts; ++c) {
            const auto cc = static_cast<std::size_t>(c);
            const float obs = s.*(kind->observed[cc]);
            const float calc = (computed.*(kind->computed[cc]))[at];
            number(obs);
            number(calc);
            number(hasvalue(obs) && hasvalue(calc) ? obs - calc : kNoValue);
        }
        out += '\n';
    }
    if (const std::optional<SiteMisfit> m = computemisfit(ws, computed)) {
        out += "# ";
        out += misfittext(*m);
        out += '\n';
    } else {
        out += "# no observations to compare\n";
    }
    return out;
}

}  // namespace crustex

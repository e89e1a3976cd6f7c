#include "export/sitecsv.h"

#include <algorithm>
#include <array>

#include "export/gridcsv.h"
#include "plot/contourtrace.h"

namespace crustex {

namespace {

using S = siterec;
using R = SiteResults;

constexpr std::array<SiteComponent, 3> kDisplacement = {{
    {"dx", "mm", &S::obsdx, &R::ux},
    {"dy", "mm", &S::obsdy, &R::uy},
    {"dz", "mm", &S::obsdz, &R::uz},
}};
constexpr std::array<SiteComponent, 2> kTilt1 = {{
    {"tilt1x", "microradian", &S::obstilt1x, &R::duxdz},
    {"tilt1y", "microradian", &S::obstilt1y, &R::duydz},
}};
constexpr std::array<SiteComponent, 2> kTilt2 = {{
    {"tilt2x", "microradian", &S::obstilt2x, &R::duzdx},
    {"tilt2y", "microradian", &S::obstilt2y, &R::duzdy},
}};
constexpr std::array<SiteComponent, 1> kVolStrain = {{
    {"vstrain", "microstrain", &S::obsvstrain, &R::vol},
}};

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

}  // namespace

std::span<const SiteComponent> sitecomponents(std::string_view obskind) {
    if (obskind == "displacement3") return kDisplacement;
    if (obskind == "displacement") return std::span(kDisplacement).first(2);
    if (obskind == "uz") return std::span(kDisplacement).subspan(2);
    if (obskind == "tilt1") return kTilt1;
    if (obskind == "tilt2") return kTilt2;
    if (obskind == "vstrain") return kVolStrain;
    return {};
}

std::string sitecsvtext(
    const WorkState& ws, const SiteResults& computed, const SiteMisfitSummary& misfit,
    const std::function<void(float x, float y, float& lon, float& lat)>& togeo) {
    const std::span<const SiteComponent> parts = sitecomponents(ws.obskind);
    std::string out = "name,x_km,y_km,depth_km";
    if (togeo) out += ",lon_deg,lat_deg";
    for (const SiteComponent& c : parts) {
        for (const char* what : {"_observed_", "_computed_", "_residual_"}) {
            out += ',';
            out += c.name;
            out += what;
            out += c.unit;
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
        for (const SiteComponent& c : parts) {
            const float obs = s.*c.observed;
            const float calc = (computed.*c.computed)[at];
            number(obs);
            number(calc);
            number(hasvalue(obs) && hasvalue(calc) ? obs - calc : kNoValue);
        }
        out += '\n';
    }
    out += "# misfit of ";
    out += ws.obskind.empty() ? std::string("no observations") : ws.obskind;
    out += ": " + std::to_string(misfit.count) + " sites\n";
    auto rmsline = [&out](std::string_view what, double value, std::string_view unit) {
        out += "# rms ";
        out += what;
        out += ": ";
        out += shortestfloat(static_cast<float>(value));
        out += ' ';
        out += unit;
        out += '\n';
    };
    for (std::size_t k = 0; k < parts.size() && k < misfit.rms.size(); ++k)
        rmsline(parts[k].name, misfit.rms[k], parts[k].unit);
    if (!parts.empty()) rmsline("overall", misfit.overall, parts[0].unit);
    return out;
}

}  // namespace crustex

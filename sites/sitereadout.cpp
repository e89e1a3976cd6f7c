#include "sites/sitereadout.h"

#include <algorithm>
#include <cmath>

#include "model/grid2d.h"
#include "model/numtext.h"

namespace crustex {

namespace {

bool hasvalue(float v) { return v != kNoValue && std::isfinite(v); }

std::string pair(const char* l1, float v1, const char* l2, float v2) {
    if (!hasvalue(v1) || !hasvalue(v2)) return {};
    std::string text(l1);
    return text.append(valuetext(v1)).append(l2).append(valuetext(v2));
}

// Sum of weighted components in 64-bit, stored as a float; missing when a
// component is.
float weighted(std::initializer_list<std::pair<float, float>> terms) {
    double sum = 0;
    for (const auto& [value, weight] : terms) {
        if (!hasvalue(value)) return kNoValue;
        sum += static_cast<double>(value) * weight;
    }
    return static_cast<float>(sum);
}

}  // namespace

NearestSite nearestobs(const WorkState& ws, const PlotFrame& frame, float x, float y) {
    NearestSite best;
    const int n = std::clamp<int>(ws.nsite, 0, kMaxSites);
    for (int k = 1; k <= n; ++k) {
        const siterec& site = ws.site[static_cast<std::size_t>(k)];
        const float dx = toframex(frame, site.x) - x;
        const float dy = toframey(frame, site.y) - y;
        const float d = dx * dx + dy * dy;
        if (!std::isfinite(d)) continue;
        if (best.index == 0 || d < best.distance2) best = {k, d};
    }
    return best;
}

float sitescalar(const WorkState& ws, const SiteResults& r, std::string_view key, int i) {
    if (i < 1 || i > kMaxSites) return kNoValue;
    const auto k = static_cast<std::size_t>(i);
    if (key == "cmpdispl") return weighted({{r.ux[k], ws.fx}, {r.uy[k], ws.fy}, {r.uz[k], ws.fz}});
    if (key == "cmpstrain")
        return weighted({{r.duxdx[k], ws.fxx},
                         {r.duydy[k], ws.fyy},
                         {r.duzdz[k], ws.fzz},
                         {r.exy[k], ws.fxy},
                         {r.eyz[k], ws.fyz},
                         {r.ezx[k], ws.fzx}});
    struct Entry {
        std::string_view key;
        const SiteResults::Values* values;
    };
    const Entry entries[] = {{"ux", &r.ux},         {"uy", &r.uy},
                             {"uz", &r.uz},         {"sxx", &r.duxdx},
                             {"syy", &r.duydy},     {"szz", &r.duzdz},
                             {"sxy", &r.exy},       {"syz", &r.eyz},
                             {"szx", &r.ezx},       {"arealstrain", &r.areal},
                             {"volstrain", &r.vol}, {"maxshear", &r.maxshear},
                             {"cffpara", &r.cff}};
    for (const Entry& e : entries)
        if (e.key == key) return (*e.values)[k];
    return kNoValue;
}

std::string showobsdata(const WorkState& ws, const SiteResults& r, int i) {
    if (i < 1 || i > std::clamp<int>(ws.nsite, 0, kMaxSites)) return {};
    const auto k = static_cast<std::size_t>(i);
    // A site where a source is singular has no values at all.
    if (!hasvalue(r.ux[k])) return {};
    const std::string& key = ws.quantitykey;
    if (key == "displacement") return pair(" Ux=", r.ux[k], " Uy=", r.uy[k]);
    if (key == "tilt1") return pair(" Uxz=", r.duxdz[k], " Uyz=", r.duydz[k]);
    if (key == "tilt2") return pair(" Uzx=", r.duzdx[k], " Uzy=", r.duzdy[k]);
    if (key == "principal") {
        const float a = r.areal[k], m = r.maxshear[k];
        if (!hasvalue(a) || !hasvalue(m)) return {};
        return pair(" Max=", (a + m) / 2, " Min=", (a - m) / 2);
    }
    const float v = sitescalar(ws, r, key, i);
    if (!hasvalue(v)) return {};
    std::string text(" ");
    return text.append(valuetext(v));
}

}  // namespace crustex

#include "sites/misfit.h"

#include <algorithm>
#include <cmath>

#include "model/grid2d.h"
#include "model/numtext.h"
#include "sites/sitegraphs.h"

namespace crustex {

namespace {

using R = SiteResults;

constexpr MisfitKind kKinds[] = {
    {"displacement3",
     "3-D displacements",
     "mm",
     3,
     {"X", "Y", "Z"},
     {&R::ux, &R::uy, &R::uz},
     {&siterec::obsdx, &siterec::obsdy, &siterec::obsdz},
     {&siterec::sigdx, &siterec::sigdy, &siterec::sigdz}},
    {"displacement",
     "horizontal displacements",
     "mm",
     2,
     {"X", "Y"},
     {&R::ux, &R::uy, nullptr},
     {&siterec::obsdx, &siterec::obsdy, nullptr},
     {&siterec::sigdx, &siterec::sigdy, nullptr}},
    {"uz",
     "vertical displacements",
     "mm",
     1,
     {"Z"},
     {&R::uz, nullptr, nullptr},
     {&siterec::obsdz, nullptr, nullptr},
     {&siterec::sigdz, nullptr, nullptr}},
    {"tilt1",
     "tilts (du/dz, dv/dz)",
     "micro rad",
     2,
     {"X", "Y"},
     {&R::duxdz, &R::duydz, nullptr},
     {&siterec::obstilt1x, &siterec::obstilt1y, nullptr},
     {}},
    {"tilt2",
     "tilts (dw/dx, dw/dy)",
     "micro rad",
     2,
     {"X", "Y"},
     {&R::duzdx, &R::duzdy, nullptr},
     {&siterec::obstilt2x, &siterec::obstilt2y, nullptr},
     {}},
    {"vstrain",
     "volumetric strains",
     "micro strain",
     1,
     {"volumetric"},
     {&R::vol, nullptr, nullptr},
     {&siterec::obsvstrain, nullptr, nullptr},
     {}},
};

// The computed values a quantity key shows: its graph's, or the first
// component of its vectors.
SiteResults::Values SiteResults::*shownvalues(std::string_view key) {
    if (const SiteGraphKind* graph = findsitegraph(key)) return graph->computed;
    if (key == "displacement") return &R::ux;
    if (key == "tilt1") return &R::duxdz;
    if (key == "tilt2") return &R::duzdx;
    return nullptr;
}

bool hasvalue(float v) { return v != kNoValue && std::isfinite(v); }

// A site's weighted squares: (residual / sigma)^2 of every component with a
// sigma, the horizontal pair with its correlation; adds to sum and count.
void addweighted(const MisfitKind& kind, const siterec& site, const std::array<double, 3>& d,
                 double& sum, int& count) {
    std::array<double, 3> sig{};
    for (std::size_t c = 0; c < static_cast<std::size_t>(kind.components); ++c) {
        const float s = kind.sigma[c] == nullptr ? 0.0f : site.*(kind.sigma[c]);
        sig[c] = hasvalue(s) && s > 0 ? s : 0;
    }
    std::size_t first = 0;
    const double rho = site.corrdxdy;
    if (kind.sigma[0] == &siterec::sigdx && sig[0] > 0 && sig[1] > 0 && std::fabs(rho) < 1) {
        const double x = d[0] / sig[0], y = d[1] / sig[1];
        sum += (x * x - 2 * rho * x * y + y * y) / (1 - rho * rho);
        count += 2;
        first = 2;
    }
    for (std::size_t c = first; c < static_cast<std::size_t>(kind.components); ++c) {
        if (sig[c] == 0) continue;
        sum += d[c] / sig[c] * (d[c] / sig[c]);
        ++count;
    }
}

// v rounded to four significant digits, in the general form.
std::string fourdigits(double v) {
    if (v == 0 || !std::isfinite(v)) return generalform(static_cast<float>(v));
    const double scale = std::pow(10.0, 3 - std::floor(std::log10(std::fabs(v))));
    return generalform(static_cast<float>(std::round(v * scale) / scale));
}

}  // namespace

const MisfitKind* findmisfitkind(std::string_view kind) {
    for (const MisfitKind& k : kKinds)
        if (k.kind == kind) return &k;
    return nullptr;
}

std::optional<SiteMisfit> computemisfit(const WorkState& ws, const SiteResults& res) {
    const MisfitKind* kind = findmisfitkind(ws.obskind);
    if (kind == nullptr) return std::nullopt;
    SiteMisfit m;
    m.kind = kind->kind;
    m.observations = kind->observations;
    m.unit = kind->unit;
    m.components = kind->components;
    m.names = kind->names;
    std::array<double, 3> sums{};
    double chisum = 0;
    const int n = std::clamp<int>(ws.nsite, 0, kMaxSites);
    for (std::size_t i = 1; i <= static_cast<std::size_t>(n); ++i) {
        std::array<double, 3> d{};
        bool complete = true;
        for (int c = 0; c < kind->components; ++c) {
            const auto cc = static_cast<std::size_t>(c);
            const float o = ws.site[i].*(kind->observed[cc]);
            const float v = (res.*(kind->computed[cc]))[i];
            complete = complete && hasvalue(o) && hasvalue(v);
            d[cc] = static_cast<double>(o) - v;
        }
        if (!complete) continue;
        ++m.nsites;
        addweighted(*kind, ws.site[i], d, chisum, m.weighted);
        for (int c = 0; c < kind->components; ++c)
            sums[static_cast<std::size_t>(c)] +=
                d[static_cast<std::size_t>(c)] * d[static_cast<std::size_t>(c)];
    }
    if (m.nsites == 0) return m;
    double all = 0;
    for (int c = 0; c < kind->components; ++c) {
        const auto cc = static_cast<std::size_t>(c);
        m.rms[cc] = std::sqrt(sums[cc] / m.nsites);
        all += sums[cc];
    }
    m.overall = std::sqrt(all / (static_cast<double>(m.nsites) * m.components));
    if (m.weighted > 0) m.chisquare = chisum / m.weighted;
    return m;
}

namespace {

// "RMS X 1.5, Y 0.25, all 1.075 mm", or the words for no site.
std::string rmstext(const SiteMisfit& m) {
    if (m.nsites == 0) return "no site with both values";
    std::string text = "RMS";
    for (int c = 0; c < m.components; ++c) {
        const auto cc = static_cast<std::size_t>(c);
        text += (c == 0 ? " " : ", ") + std::string(m.names[cc]) + " " + fourdigits(m.rms[cc]);
    }
    if (m.components > 1) text += ", all " + fourdigits(m.overall);
    text.append(" ").append(m.unit);
    if (m.weighted > 0) {
        text.append("; reduced chi-square ").append(fourdigits(m.chisquare));
        text.append(" over ").append(std::to_string(m.weighted));
        text.append(m.weighted == 1 ? " component" : " components")
            .append(" (no parameters fitted)");
    }
    return text;
}

std::string sitecount(int n) { return std::to_string(n) + (n == 1 ? " site" : " sites"); }

}  // namespace

std::string misfittext(const SiteMisfit& m) {
    return "Misfit (" + std::string(m.kind) + ", " + sitecount(m.nsites) + "): " + rmstext(m);
}

std::string misfitline(const SiteMisfit& m, std::string_view key) {
    bool shown = key.empty();
    const MisfitKind* kind = findmisfitkind(m.kind);
    const auto values = shownvalues(key);
    for (int c = 0; kind != nullptr && values != nullptr && c < kind->components; ++c)
        shown = shown || kind->computed[static_cast<std::size_t>(c)] == values;
    return "Misfit of the observed " + std::string(m.observations) + " (" + sitecount(m.nsites) +
           (shown ? "" : "; not the quantity shown") + "): " + rmstext(m);
}

}  // namespace crustex

#include "sites/siteglyphs.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/grid2d.h"
#include "plot/arrows.h"
#include "plot/errorellipse.h"
#include "plot/principalglyphs.h"
#include "plot/textplace.h"
#include "plot/vectorglyphs.h"

namespace crustex {

namespace {

constexpr Rgb kSiteCircle{255, 0, 0};
constexpr float kHalfBar = 24.0f;

bool hasvalue(float v) { return v != kNoValue && std::isfinite(v); }

int sitecount(const WorkState& ws) { return std::clamp<int>(ws.nsite, 0, kMaxSites); }

std::vector<float> observed(const WorkState& ws, float siterec::*field) {
    std::vector<float> v(static_cast<std::size_t>(sitecount(ws)) + 1, kNoValue);
    for (std::size_t i = 1; i < v.size(); ++i) v[i] = ws.site[i].*field;
    return v;
}

void crossbar(Surface& s, float x, float y, double h, double c, double sn, Rgb color) {
    const float x1 = static_cast<float>(x + h * c), y1 = static_cast<float>(y - h * sn);
    const float x2 = static_cast<float>(x - h * c), y2 = static_cast<float>(y + h * sn);
    if (std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2))
        s.Line(x1, y1, x2, y2, color);
}

// The vector quantities: computed and observed components.
struct SiteVectors {
    std::string_view key;
    bool displacement;  // scaled by rdispl, observed for the displacement kinds
    SiteResults::Values SiteResults::*cx;
    SiteResults::Values SiteResults::*cy;
    float siterec::*ox;
    float siterec::*oy;
};
constexpr SiteVectors kVectors[] = {
    {"displacement", true, &SiteResults::ux, &SiteResults::uy, &siterec::obsdx, &siterec::obsdy},
    {"tilt1", false, &SiteResults::duxdz, &SiteResults::duydz, &siterec::obstilt1x,
     &siterec::obstilt1y},
    {"tilt2", false, &SiteResults::duzdx, &SiteResults::duzdy, &siterec::obstilt2x,
     &siterec::obstilt2y},
};

const SiteVectors* findsitevectors(std::string_view key) {
    for (const SiteVectors& v : kVectors)
        if (v.key == key) return &v;
    return nullptr;
}

// The one-sigma ellipses at the heads of the observed displacement vectors
// of the sites that carry both horizontal sigmas, scaled like the vectors.
void observedellipses(PlotContext& pc, const WorkState& ws, float reference) {
    if (!(std::isfinite(reference) && reference > 0)) return;
    const float f = kArrowLength / reference;
    for (std::size_t i = 1; i <= static_cast<std::size_t>(sitecount(ws)); ++i) {
        const siterec& site = ws.site[i];
        if (!hasvalue(site.obsdx) || !hasvalue(site.obsdy) || !(site.sigdx > 0) ||
            !(site.sigdy > 0) || !hasvalue(site.sigdx) || !hasvalue(site.sigdy))
            continue;
        const float x = toframex(pc.frame, site.x) + f * site.obsdx;
        const float y = toframey(pc.frame, site.y) - f * site.obsdy;
        const double rho = std::clamp(static_cast<double>(site.corrdxdy), -1.0, 1.0);
        drawerrorellipse(pc.surface(), x, y, errorellipse(site.sigdx, site.sigdy, rho), f,
                         kObservedSiteColor);
    }
}

// "Computed" and "Observed" in their colours below the arrow legend.
void showsitelegend(PlotContext& pc) {
    Surface& s = pc.surface();
    s.ForeColor = kComputedSiteColor;
    printtextright(pc, 635, 262, "Sites: computed", 10);
    s.ForeColor = kObservedSiteColor;
    printtextright(pc, 635, 277, "Sites: observed", 10);
    s.ForeColor = kBlack;
}

}  // namespace

int vectorobs(PlotContext& pc, Host& host, const WorkState& ws, std::span<const float> vx,
              std::span<const float> vy, float reference, Rgb color, bool labels) {
    host.setBusy(true);
    host.setStatus(kSiteVectorStatus);
    Surface& s = pc.surface();
    const bool bars = std::isfinite(reference) && reference > 0;
    const float f = bars ? kArrowLength / reference : 0.0f;
    const int n =
        std::min<int>(sitecount(ws), static_cast<int>(std::min(vx.size(), vy.size())) - 1);
    int drawn = 0;
    for (int i = 1; i <= n; ++i) {
        const siterec& site = ws.site[static_cast<std::size_t>(i)];
        const float x = toframex(pc.frame, site.x), y = toframey(pc.frame, site.y);
        if (!std::isfinite(x) || !std::isfinite(y)) continue;
        s.Circle(x, y, 1.5f, kSiteCircle);
        const float u = vx[static_cast<std::size_t>(i)], v = vy[static_cast<std::size_t>(i)];
        const bool present = hasvalue(u) && hasvalue(v);
        if (present && bars) {
            const float xe = x + f * u, ye = y - f * v;
            if (std::isfinite(xe) && std::isfinite(ye)) {
                drawarrow(s, x, y, xe, ye, color,
                          ws.publicationstyle ? ArrowStyle::Headed : ArrowStyle::Plain);
                ++drawn;
            }
        }
        if (labels) {
            s.ForeColor = kBlack;
            if (present && u > 0)
                printtextright(pc, x - 4, y, "$-" + site.name, 8);
            else
                printtextleft(pc, x + 4, y, "$-" + site.name, 8);
        }
    }
    host.setBusy(false);
    host.setStatus("");
    return drawn;
}

int principalobs(PlotContext& pc, Host& host, const WorkState& ws, const SiteResults& res,
                 float reference) {
    host.setBusy(true);
    host.setStatus(kSitePrincipalStatus);
    Surface& s = pc.surface();
    int drawn = 0;
    if (std::isfinite(reference) && reference > 0) {
        const double k = kHalfBar / reference;
        for (std::size_t i = 1; i <= static_cast<std::size_t>(sitecount(ws)); ++i) {
            const float values[] = {res.duxdx[i], res.exy[i], res.duydy[i], res.areal[i],
                                    res.maxshear[i]};
            if (!std::all_of(std::begin(values), std::end(values), hasvalue)) continue;
            const float x = toframex(pc.frame, ws.site[i].x), y = toframey(pc.frame, ws.site[i].y);
            if (!std::isfinite(x) || !std::isfinite(y)) continue;
            const PrincipalStrain p =
                principalstrain(values[0], values[1], values[2], values[3], values[4]);
            const double c = std::cos(p.theta), sn = std::sin(p.theta);
            crossbar(s, x, y, k * p.e1, c, sn,
                     p.e1 >= 0 ? pc.palette.positive : pc.palette.negative);
            crossbar(s, x, y, k * p.e2, -sn, c,
                     p.e2 >= 0 ? pc.palette.positive : pc.palette.negative);
            ++drawn;
        }
    }
    host.setBusy(false);
    host.setStatus("");
    return drawn;
}

void drawsitevectors(const WorkState& ws, PlotContext& pc, Host& host, const SiteResults* sites,
                     const SiteGraphView* view, std::string_view key) {
    if (sites == nullptr) return;
    if (view != nullptr && view->surface != nullptr) {
        Surface& g = *view->surface;
        g.Cls();
        g.ForeColor = kBlack;
        printtextcenter(g, view->width / 2, view->height / 2,
                        key == "principal" ? "$-The crosses at the sites are on the main plot"
                                           : "$-The vectors at the sites are on the main plot",
                        10);
    }
    const SiteResults& r = *sites;
    const std::string_view kind = ws.obskind;
    if (key == "principal") {
        principalobs(pc, host, ws, r, ws.rstrain);
        return;
    }
    const SiteVectors* row = findsitevectors(key);
    if (row == nullptr) return;
    const bool withobserved =
        row->displacement ? kind.starts_with("displacement") : kind == row->key;
    const float reference = row->displacement ? ws.rdispl : ws.rtilt;
    // The observed bars go first and wider, so that the computed ones stay
    // visible on top (in their own colour, not mixed) where the two agree.
    Surface& s = pc.surface();
    const DrawMode mode = s.drawMode;
    s.drawMode = DrawMode::CopyPen;
    if (withobserved) {
        const std::vector<float> obsx = observed(ws, row->ox), obsy = observed(ws, row->oy);
        const int16_t pen = s.DrawWidth;
        s.DrawWidth = static_cast<int16_t>(pen * 3);
        vectorobs(pc, host, ws, obsx, obsy, reference, kObservedSiteColor, false);
        s.DrawWidth = pen;
        if (row->displacement) observedellipses(pc, ws, reference);
        showsitelegend(pc);
    }
    vectorobs(pc, host, ws, r.*(row->cx), r.*(row->cy), reference, kComputedSiteColor, true);
    s.drawMode = mode;
}
}  // namespace crustex

#include "engine/siteeval.h"

#include <algorithm>
#include <vector>

#include "engine/cff.h"
#include "engine/fieldgrid.h"

namespace crustex {

namespace {

template <typename R, typename V>
V* siteArray(R& r, int n) {
    V* all[SiteResults::kCount] = {&r.ux,    &r.uy,    &r.uz,       &r.duxdx, &r.duydx,
                                   &r.duzdx, &r.duxdy, &r.duydy,    &r.duzdy, &r.duxdz,
                                   &r.duydz, &r.duzdz, &r.exy,      &r.eyz,   &r.ezx,
                                   &r.areal, &r.vol,   &r.maxshear, &r.cff};
    if (n < 1 || n > SiteResults::kCount) return nullptr;
    return all[n - 1];
}

PointValues sitevalues(const std::vector<SourceTerms>& sources, float x, float y, float z) {
    PointValues v{};
    PointSums s{};
    for (const SourceTerms& src : sources) {
        if (!addsource(src, x, y, z, s)) {
            v.fill(kNoValue);
            return v;
        }
    }
    std::copy(s.begin(), s.end(), v.begin());
    derivestrains(v);
    return v;
}

int sitecount(const WorkState& ws) { return std::clamp<int>(ws.nsite, 0, kMaxSites); }

}  // namespace

SiteResults::Values* SiteResults::byNumber(int n) {
    return siteArray<SiteResults, Values>(*this, n);
}
const SiteResults::Values* SiteResults::byNumber(int n) const {
    return siteArray<const SiteResults, const Values>(*this, n);
}

PointValues calcsitestrain(const WorkState& ws, float x, float y, float z) {
    return sitevalues(preparesources(ws), x, y, z);
}

void calcobsdata(const WorkState& ws, Host& host, SiteResults& res) {
    host.setBusy(true);
    host.setStatus(kSiteStrainStatus);
    const std::vector<SourceTerms> sources = preparesources(ws);
    const int n = sitecount(ws);
    for (int i = 1; i <= n; ++i) {
        const siterec& site = ws.site[static_cast<std::size_t>(i)];
        const PointValues v = sitevalues(sources, site.x, site.y, -site.depth);
        for (int q = 0; q < 18; ++q) (*res.byNumber(q + 1))[static_cast<std::size_t>(i)] = v[q];
    }
    host.setBusy(false);
    host.setStatus("");
}

void calcobscff(const WorkState& ws, Host& host, SiteResults& res) {
    host.setBusy(true);
    host.setStatus(kSiteCffStatus);
    const ReceiverAngles a = receiverangles(ws);
    const ReceiverFrame frame = receiverframe(a.strike, a.dip, a.rake);
    const int n = sitecount(ws);
    for (std::size_t i = 1; i <= static_cast<std::size_t>(n); ++i) {
        res.cff[i] = cffvalue(frame, ws.friction, res.duxdx[i], res.duydy[i], res.duzdz[i],
                              res.exy[i], res.eyz[i], res.ezx[i], res.vol[i]);
    }
    host.setBusy(false);
    host.setStatus("");
}

}  // namespace crustex

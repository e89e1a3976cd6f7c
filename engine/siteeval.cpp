#include "engine/siteeval.h"

#include <algorithm>
#include <vector>

#include "engine/cff.h"
#include "engine/fieldgrid.h"
#include "engine/modelpoints.h"

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

int sitecount(const WorkState& ws) { return std::clamp<int>(ws.nsite, 0, kMaxSites); }

}  // namespace

SiteResults::Values* SiteResults::byNumber(int n) {
    return siteArray<SiteResults, Values>(*this, n);
}
const SiteResults::Values* SiteResults::byNumber(int n) const {
    return siteArray<const SiteResults, const Values>(*this, n);
}

PointValues calcsitestrain(const WorkState& ws, float x, float y, float z) {
    PointValues v;
    workpointvalues(ws, {&x, &y, &z, 1}, {&v, 1}, {1, {}});
    return v;
}

void calcobsdata(const WorkState& ws, Host& host, SiteResults& res) {
    host.setBusy(true);
    host.setStatus(kSiteStrainStatus);
    const std::size_t n = static_cast<std::size_t>(sitecount(ws));
    std::vector<float> x(n), y(n), z(n);
    for (std::size_t k = 0; k < n; ++k) {
        const siterec& site = ws.site[k + 1];
        x[k] = site.x;
        y[k] = site.y;
        z[k] = -site.depth;
    }
    std::vector<PointValues> values(n);
    workpointvalues(ws, {x.data(), y.data(), z.data(), n}, values);
    for (std::size_t k = 0; k < n; ++k) {
        for (int q = 0; q < 18; ++q) (*res.byNumber(q + 1))[k + 1] = values[k][q];
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
                              res.exy[i], res.eyz[i], res.ezx[i], res.vol[i], lameratio(ws.medium));
    }
    host.setBusy(false);
    host.setStatus("");
}

}  // namespace crustex

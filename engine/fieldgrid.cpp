#include "engine/fieldgrid.h"

#include <algorithm>
#include <cmath>

#include "engine/dislocation.h"
#include "engine/gridderive.h"
#include "engine/parallelcolumns.h"
#include "model/grid2d.h"

namespace crustex {

namespace {

// Grid numbers of the twelve running sums and of all eighteen results.
constexpr int kFirstSumGrid = 2;
constexpr int kLastSumGrid = 13;
constexpr int kLastResultGrid = 19;

inline float addto(float stored, double term) {
    return static_cast<float>(static_cast<double>(stored) + term);
}

// Rotates a fault-frame result into map axes and adds it.
void addrotated(const DislocationResult& r, const SourceTerms& src, PointSums& s) {
    const double c = src.geometry.c;
    const double sn = src.geometry.s;
    const double c2 = src.c2, cs = src.cs, s2 = src.s2;
    const double yxxy = static_cast<double>(r.uyx) + static_cast<double>(r.uxy);
    s[0] = addto(s[0], r.ux * c - r.uy * sn);
    s[1] = addto(s[1], r.ux * sn + r.uy * c);
    s[2] = addto(s[2], r.uz);
    s[3] = addto(s[3], r.uxx * c2 - yxxy * cs + r.uyy * s2);
    s[4] = addto(s[4], r.uyx * c2 + r.uxx * cs - r.uxy * s2 - r.uyy * cs);
    s[5] = addto(s[5], r.uzx * c - r.uzy * sn);
    s[6] = addto(s[6], r.uxx * cs - r.uyx * s2 + r.uxy * c2 - r.uyy * cs);
    s[7] = addto(s[7], yxxy * cs + r.uxx * s2 + r.uyy * c2);
    s[8] = addto(s[8], r.uzy * c + r.uzx * sn);
    s[9] = addto(s[9], r.uxz * c - r.uyz * sn);
    s[10] = addto(s[10], r.uyz * c + r.uxz * sn);
    s[11] = addto(s[11], r.uzz);
}

// Adds a point-source result as it is (no rotation).
void addplain(const DislocationResult& r, PointSums& s) {
    const float v[12] = {r.ux,  r.uy,  r.uz,  r.uxx, r.uyx, r.uzx,
                         r.uxy, r.uyy, r.uzy, r.uxz, r.uyz, r.uzz};
    for (int n = 0; n < 12; ++n) s[n] = addto(s[n], v[n]);
}

// What a worker needs to place the nodes, copied once so that no worker
// reads the work state while the window thread runs.
struct NodeSpacing {
    float xview0, yview0, dx, dy;
    float x(int i) const {
        return static_cast<float>(static_cast<double>(i) * dx + static_cast<double>(xview0));
    }
    float y(int j) const {
        return static_cast<float>(static_cast<double>(j) * dy + static_cast<double>(yview0));
    }
};

NodeSpacing nodespacing(const WorkState& ws) {
    return {ws.xview0, ws.yview0, (ws.xview1 - ws.xview0) / static_cast<float>(ws.xgrid),
            (ws.yview1 - ws.yview0) / static_cast<float>(ws.ygrid)};
}

// Adds one source to every node of column i.
void addsourcecolumn(const SourceTerms& src, const NodeSpacing& at, ResultGrids& g, int i) {
    float* sum[12];
    for (int n = 0; n < 12; ++n) sum[n] = g.byNumber(kFirstSumGrid + n)->column(i);
    const float* z = g.nodez.column(i);
    const float x = at.x(i);
    const int ny = g.ux.ny();
    for (int j = 0; j <= ny; ++j) {
        if (sum[0][j] == kNoValue) continue;  // already singular for an earlier source
        PointSums s;
        for (int n = 0; n < 12; ++n) s[n] = sum[n][j];
        if (addsource(src, x, at.y(j), z[j], s)) {
            for (int n = 0; n < 12; ++n) sum[n][j] = s[n];
        } else {
            for (int n = kFirstSumGrid; n <= kLastResultGrid; ++n)
                (*g.byNumber(n))(i, j) = kNoValue;
        }
    }
}

bool gridsmatch(const WorkState& ws) {
    for (int n = 1; n <= ResultGrids::kCount; ++n) {
        const Grid2D& grid = *ws.grids.byNumber(n);
        if (grid.empty() || grid.nx() != ws.xgrid || grid.ny() != ws.ygrid) return false;
    }
    return true;
}

}  // namespace

std::vector<SourceTerms> preparesources(const WorkState& ws) {
    std::vector<SourceTerms> out;
    const int n = std::clamp<int>(ws.nfault, 0, kMaxSources);
    for (int k = 1; k <= n; ++k) {
        const faultrec& f = ws.fault[static_cast<std::size_t>(k)];
        if (f.sourcetype != 0 && f.sourcetype != 1) continue;
        if (!sourceusable(f)) continue;
        SourceTerms t;
        t.f = f;
        if (f.sourcetype == 0) {
            t.geometry = faultgeometry(f);
            t.disl = faultdislocation(f);
            t.c2 = t.geometry.c * t.geometry.c;
            t.cs = t.geometry.c * t.geometry.s;
            t.s2 = t.geometry.s * t.geometry.s;
        } else {
            t.potency = inflationpotency(f);
        }
        out.push_back(t);
    }
    return out;
}

bool addsource(const SourceTerms& src, float x, float y, float z, PointSums& sums) {
    const faultrec& f = src.f;
    DislocationResult r;
    if (f.sourcetype == 0) {
        const FaultFramePoint p = tofaultframe(f, src.geometry, x, y);
        const float xi = static_cast<float>(p.xi);
        const float eta = static_cast<float>(p.eta);
        if (calcrectsource(kAlpha, xi, eta, z, f.fdepth, f.fdipangle, 0.0f, src.geometry.length,
                           f.fwidth, 0.0f, src.disl.strikeslip, src.disl.dipslip, src.disl.tensile,
                           r) != 0) {
            return false;
        }
        addrotated(r, src, sums);
    } else {
        if (calcpointsource(kAlpha, x - f.px, y - f.py, z, f.pdepth, 0.0f, 0.0f, 0.0f, 0.0f,
                            src.potency, r) != 0) {
            return false;
        }
        addplain(r, sums);
    }
    return true;
}

float gridnodex(const WorkState& ws, int i) { return nodespacing(ws).x(i); }
float gridnodey(const WorkState& ws, int j) { return nodespacing(ws).y(j); }

bool fieldgridusable(const WorkState& ws) {
    if (ws.xgrid < 1 || ws.ygrid < 1) return false;
    const NodeSpacing at = nodespacing(ws);
    return std::isfinite(at.dx) && std::isfinite(at.dy) && std::isfinite(at.xview0) &&
           std::isfinite(at.yview0);
}

void setfielddepth(WorkState& ws) {
    if (!gridsmatch(ws)) redimsub(ws);
    Grid2D& nodez = ws.grids.nodez;
    if (!ws.inclined) {
        nodez.fill(-ws.obsdepth);
        return;
    }
    const double strike = ws.obsincs * kPi / 180.0;
    const double dip = ws.obsincdip * kPi / 180.0;
    const double cs = std::cos(strike);
    const double sn = std::sin(strike);
    const double tb = std::tan(dip);
    const NodeSpacing at = nodespacing(ws);
    for (int i = 0; i <= nodez.nx(); ++i) {
        const float x = at.x(i);
        for (int j = 0; j <= nodez.ny(); ++j) {
            const float y = at.y(j);
            // Horizontal distance down-dip (to the right of the strike).
            const double d = (x - ws.obsincx) * cs - (y - ws.obsincy) * sn;
            double z = -static_cast<double>(ws.obsincdpt) - d * tb;
            if (z > 0) z = 0;  // the plane is cut off at the surface
            nodez(i, j) = static_cast<float>(z);
        }
    }
}

bool calcgridstrain(WorkState& ws, Host& host, int threads) {
    host.setBusy(true);
    host.setStatus(kGridStrainStatus);
    ws.abortflag = false;
    if (!gridsmatch(ws)) setfielddepth(ws);

    ResultGrids& g = ws.grids;
    for (int n = kFirstSumGrid; n <= kLastResultGrid; ++n) g.byNumber(n)->fill(0.0f);

    bool completed = false;
    if (!fieldgridusable(ws)) {
        for (int n = kFirstSumGrid; n <= kLastResultGrid; ++n) g.byNumber(n)->fill(kNoValue);
    } else {
        const std::vector<SourceTerms> sources = preparesources(ws);
        const NodeSpacing at = nodespacing(ws);
        const int ncolumns = g.ux.nx() + 1;

        // Runs on the calling thread only: the window's turn between columns.
        const ColumnYield yield = [&]() { return !abortrequested(host, ws.abortflag); };

        if (workercount(threads) == 1) {
            completed = true;
            for (const SourceTerms& src : sources) {
                for (int i = 0; i < ncolumns && completed; ++i) {
                    addsourcecolumn(src, at, g, i);
                    completed = yield();
                }
                if (!completed) break;
            }
            if (completed) {
                for (int i = 0; i < ncolumns; ++i) derivecolumn(g, i);
            }
        } else {
            // Each worker takes whole columns and adds the sources in table
            // order, so every node sees the same sums as in the plain order.
            const ColumnWork work = [&](int i, StopToken stop) {
                for (const SourceTerms& src : sources) {
                    if (stop.load(std::memory_order_relaxed)) return;
                    addsourcecolumn(src, at, g, i);
                }
                derivecolumn(g, i);
            };
            completed = runcolumns(ncolumns, threads, work, yield);
        }
    }
    host.setBusy(false);
    host.setStatus("");
    return completed;
}

}  // namespace crustex

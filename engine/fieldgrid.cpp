#include "engine/fieldgrid.h"

#include <algorithm>
#include <cmath>

#include "engine/dislocation.h"
#include "engine/gridderive.h"
#include "engine/modelpoints.h"
#include "engine/parallelcolumns.h"
#include "engine/patchevaluator.h"
#include "engine/sourcenodes.h"
#include "model/grid2d.h"

namespace crustex {

namespace {

// Grid numbers of the twelve running sums and of all eighteen results.
constexpr int kFirstSumGrid = 2;
constexpr int kLastResultGrid = 19;

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

// The nodes of column i, whose node y are `y`.
NodeRun columnnodes(const NodeSpacing& at, const std::vector<float>& y, ResultGrids& g, int i) {
    NodeRun nodes;
    nodes.x = at.x(i);
    nodes.y = y.data();
    nodes.z = g.nodez.column(i);
    nodes.n = g.ux.ny() + 1;
    for (int k = 0; k < 18; ++k) nodes.values[k] = g.byNumber(kFirstSumGrid + k)->column(i);
    return nodes;
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
    const float alpha = halfspacealpha(ws.medium);
    out.reserve(static_cast<std::size_t>(n));
    for (int k = 1; k <= n; ++k) {
        const faultrec& f = ws.fault[static_cast<std::size_t>(k)];
        if (f.sourcetype != 0 && f.sourcetype != 1) continue;
        if (!sourceusable(f)) continue;
        SourceTerms t;
        t.f = f;
        if (f.sourcetype == 0) {
            t.geometry = faultgeometry(f);
            t.disl = faultdislocation(f);
            t.rect =
                rectblocksource({alpha, f.fdepth, f.fdipangle, 0.0f, t.geometry.length, f.fwidth,
                                 0.0f, t.disl.strikeslip, t.disl.dipslip, t.disl.tensile});
        } else {
            t.potency = inflationpotency(f);
            t.inflation = inflationblocksource({alpha, f.pdepth, t.potency});
        }
        out.push_back(t);
    }
    return out;
}

bool addsource(const SourceTerms& src, float x, float y, float z, PointSums& sums) {
    if (sums[0] == kNoValue) return false;  // already singular
    PointSums s = sums;
    NodeRun point;
    point.x = x;
    point.y = &y;
    point.z = &z;
    point.n = 1;
    for (int k = 0; k < 12; ++k) point.values[k] = &s[static_cast<std::size_t>(k)];
    addsourcenodes(src, point);
    if (s[0] == kNoValue) return false;
    sums = s;
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
    const float alpha = halfspacealpha(ws.medium);
    if (!fieldgridusable(ws) || std::isnan(alpha)) {
        for (int n = kFirstSumGrid; n <= kLastResultGrid; ++n) g.byNumber(n)->fill(kNoValue);
    } else {
        const std::vector<SourceTerms> sources = preparesources(ws);
        const PatchEvaluator patches(PatchList{ws.slipmodel.patches, {}}, alpha);
        const NodeSpacing at = nodespacing(ws);
        const int ncolumns = g.ux.nx() + 1;
        std::vector<float> y(static_cast<std::size_t>(g.ux.ny() + 1));
        for (std::size_t j = 0; j < y.size(); ++j) y[j] = at.y(static_cast<int>(j));

        // Runs on the calling thread only: the window's turn, with the
        // columns done so far.
        int shown = -1;
        const ColumnYield yield = [&](int done) {
            if (done != shown) host.showProgress(shown = done, ncolumns);
            return !abortrequested(host, ws.abortflag);
        };

        // Every column gets the sources in table order, then the slip model
        // and then its derived strains, on the calling thread or spread over
        // workers: every node sees the same sums either way.
        const ColumnWork work = [&](int i, ColumnControl& control) {
            const NodeRun nodes = columnnodes(at, y, g, i);
            for (const SourceTerms& src : sources) {
                if (control.stopped()) return;
                addsourcenodes(src, nodes);
            }
            if (!patches.empty() && !addpatchnodes(patches, nodes, &control)) return;
            derivecolumn(g, i);
        };
        completed = runcolumns(ncolumns, threads, work, yield);
    }
    host.setBusy(false);
    host.setStatus("");
    return completed;
}

}  // namespace crustex

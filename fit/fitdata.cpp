#include "fit/fitdata.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "engine/modelpoints.h"
#include "model/grid2d.h"

namespace crustex {

namespace {

// The observed axes of a kind of sites, or nothing for kinds the fit does
// not take.
struct ObservedAxes {
    bool x = false, y = false, z = false;
};
bool observedaxes(const std::string& kind, ObservedAxes& out) {
    if (kind == "displacement3")
        out = {true, true, true};
    else if (kind == "displacement")
        out = {true, true, false};
    else if (kind == "uz")
        out = {false, false, true};
    else
        return false;
    return true;
}

bool hasvalue(float v) { return std::isfinite(v) && v != kNoValue; }

bool isfree(const std::vector<FitTarget>& free, FitTarget t) {
    return std::find(free.begin(), free.end(), t) != free.end();
}

// A work holding only the parts of ws's model that stay fixed.
std::unique_ptr<WorkState> fixedmodel(const WorkState& ws, const std::vector<FitTarget>& free,
                                      bool withoutslip) {
    auto part = std::make_unique<WorkState>();
    part->medium = ws.medium;
    part->nfault = 0;
    const int n = std::clamp<int>(ws.nfault, 0, kMaxSources);
    for (int k = 1; k <= n; ++k) {
        if (isfree(free, {FitTarget::Kind::Source, k})) continue;
        part->fault[static_cast<std::size_t>(++part->nfault)] =
            ws.fault[static_cast<std::size_t>(k)];
    }
    const std::vector<SlipPatch>& patches = ws.slipmodel.patches;
    for (std::size_t i = 0; i < patches.size(); ++i) {
        if (isfree(free, {FitTarget::Kind::Patch, static_cast<int>(i)})) continue;
        part->slipmodel.patches.push_back(patches[i]);
        if (withoutslip) part->slipmodel.patches.back().slip = 0;
    }
    return part;
}

// The residual rows of one site: X and Y (whitened together when both carry
// sigmas and a usable correlation), then Z.
void addrows(const siterec& s, const std::array<bool, 3>& has, uint32_t point, FitData& out) {
    const double sx = s.sigdx > 0 ? s.sigdx : 1.0;
    const double sy = s.sigdy > 0 ? s.sigdy : 1.0;
    const double sz = s.sigdz > 0 ? s.sigdz : 1.0;
    if ((has[0] && s.sigdx > 0) || (has[1] && s.sigdy > 0) || (has[2] && s.sigdz > 0))
        out.sigmasgiven = true;
    const double r = s.corrdxdy;
    const bool correlated =
        has[0] && has[1] && s.sigdx > 0 && s.sigdy > 0 && std::isfinite(r) && std::fabs(r) < 1;
    if (has[0]) out.rows.push_back({point, {1 / sx, 0, 0}});
    if (has[1]) {
        if (correlated && r != 0) {
            // Lower Cholesky factor of [[sx^2, r sx sy], [r sx sy, sy^2]]
            // inverted: the second row decorrelates Y from X.
            const double q = std::sqrt(1 - r * r);
            out.rows.push_back({point, {-r / (sx * q), 1 / (sy * q), 0}});
        } else {
            out.rows.push_back({point, {0, 1 / sy, 0}});
        }
    }
    if (has[2]) out.rows.push_back({point, {0, 0, 1 / sz}});
}

std::string collect(const WorkState& ws, const WorkState& fixed, FitData& out) {
    out = FitData{};
    ObservedAxes axes;
    if (ws.nsite <= 0 || ws.obskind.empty()) return "the sites carry no observations";
    if (!observedaxes(ws.obskind, axes))
        return "fitting takes observed displacements (obd3, obd or obz sites), not " + ws.obskind;
    const float alpha = halfspacealpha(ws.medium);
    if (std::isnan(alpha)) return "the medium's Poisson's ratio cannot be evaluated";
    out.alpha = alpha;

    const int n = std::clamp<int>(ws.nsite, 0, kMaxSites);
    std::vector<float> xs, ys, zs;
    for (int i = 1; i <= n; ++i) {
        const siterec& s = ws.site[static_cast<std::size_t>(i)];
        xs.push_back(s.x);
        ys.push_back(s.y);
        zs.push_back(-s.depth);
    }
    std::vector<PointValues> values(xs.size());
    workpointvalues(fixed, {xs.data(), ys.data(), zs.data(), xs.size()}, values, {1, {}});

    for (int i = 1; i <= n; ++i) {
        const siterec& s = ws.site[static_cast<std::size_t>(i)];
        const PointValues& v = values[static_cast<std::size_t>(i - 1)];
        const std::array<bool, 3> has = {axes.x && hasvalue(s.obsdx), axes.y && hasvalue(s.obsdy),
                                         axes.z && hasvalue(s.obsdz)};
        if (!(has[0] || has[1] || has[2]) || v[0] == kNoValue || !std::isfinite(s.x) ||
            !std::isfinite(s.y) || !std::isfinite(s.depth))
            continue;
        const auto point = static_cast<uint32_t>(out.x.size());
        out.x.push_back(s.x);
        out.y.push_back(s.y);
        out.z.push_back(-static_cast<double>(s.depth));
        out.site.push_back(i);
        out.target.push_back({static_cast<double>(s.obsdx) - v[0],
                              static_cast<double>(s.obsdy) - v[1],
                              static_cast<double>(s.obsdz) - v[2]});
        out.observed.push_back(has);
        addrows(s, has, point, out);
    }
    if (out.rows.empty()) return "no site has an observed displacement that can be compared";
    return "";
}

}  // namespace

std::string collectfitdata(const WorkState& ws, const std::vector<FitTarget>& free, FitData& out) {
    return collect(ws, *fixedmodel(ws, free, false), out);
}

std::string collectslipdata(const WorkState& ws, FitData& out) {
    return collect(ws, *fixedmodel(ws, {}, true), out);
}

void fitresiduals(const FitData& d, const std::vector<std::array<double, 3>>& model, double* r) {
    for (std::size_t k = 0; k < d.rows.size(); ++k) {
        const FitData::Row& row = d.rows[k];
        const std::array<double, 3>& t = d.target[row.point];
        const std::array<double, 3>& m = model[row.point];
        double sum = 0;
        for (std::size_t a = 0; a < 3; ++a)
            if (row.weight[a] != 0) sum += row.weight[a] * (t[a] - m[a]);
        r[k] = sum;
    }
}

double fitrms(const FitData& d, const std::vector<std::array<double, 3>>& model) {
    double sum = 0;
    std::size_t count = 0;
    for (std::size_t i = 0; i < d.points(); ++i) {
        for (std::size_t a = 0; a < 3; ++a) {
            if (!d.observed[i][a]) continue;
            const double e = d.target[i][a] - model[i][a];
            sum += e * e;
            ++count;
        }
    }
    return count == 0 ? 0 : std::sqrt(sum / static_cast<double>(count));
}

}  // namespace crustex

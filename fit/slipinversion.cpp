#include "fit/slipinversion.h"

#include <ceres/ceres.h>

#include <cmath>
#include <limits>

#include "engine/patchplanes.h"
#include "fit/fitdata.h"
#include "fit/fitsolver.h"
#include "fit/patchneighbours.h"
#include "model/sourcemodel.h"

namespace crustex {

namespace {

// Bar to pascal, square kilometres to square metres.
constexpr double kPascalPerBar = 1e5;
constexpr double kSquareMetresPerKm2 = 1e6;

// One unknown: a patch slipping along one rake.
struct Unknown {
    std::size_t patch = 0;
    double rake = 0;
};

// Residuals b - A s of the observations, then w L s of the smoothing; the
// Jacobian is constant.
class LinearCost : public ceres::CostFunction {
public:
    LinearCost(std::vector<double> a, std::vector<double> b, std::vector<double> l,
               std::size_t unknowns)
        : a_(std::move(a)), b_(std::move(b)), l_(std::move(l)), n_(unknowns) {
        set_num_residuals(static_cast<int>(b_.size() + l_.size() / n_));
        mutable_parameter_block_sizes()->push_back(static_cast<int>(n_));
    }

    bool Evaluate(double const* const* parameters, double* residuals,
                  double** jacobians) const override {
        const double* s = parameters[0];
        const std::size_t m = b_.size(), k = l_.size() / n_;
        for (std::size_t i = 0; i < m; ++i) {
            double sum = b_[i];
            for (std::size_t j = 0; j < n_; ++j) sum -= a_[i * n_ + j] * s[j];
            residuals[i] = sum;
        }
        for (std::size_t i = 0; i < k; ++i) {
            double sum = 0;
            for (std::size_t j = 0; j < n_; ++j) sum += l_[i * n_ + j] * s[j];
            residuals[m + i] = sum;
        }
        if (jacobians == nullptr || jacobians[0] == nullptr) return true;
        for (std::size_t i = 0; i < m * n_; ++i) jacobians[0][i] = -a_[i];
        std::copy(l_.begin(), l_.end(), jacobians[0] + m * n_);
        return true;
    }

private:
    std::vector<double> a_, b_, l_;
    std::size_t n_;
};

SlipInversionResult failed(std::string why) {
    SlipInversionResult r;
    r.message = std::move(why);
    return r;
}

// The displacement of patch p slipping 1 m along `rake` at every point.
bool greens(const FitData& d, SlipPatch p, double rake, std::vector<std::array<double, 3>>& out) {
    p.slip = 1;
    p.opening = 0;
    FitSource s = fitsourceof(p);
    s[FitParam::Rake] = rake;
    out.resize(d.points());
    for (std::size_t i = 0; i < d.points(); ++i)
        if (!fitdisplacement(s, d.alpha, d.x[i], d.y[i], d.z[i], out[i])) return false;
    return true;
}

double patcharea(const SlipPatch& p) { return patchstrike(p).length * p.width; }

}  // namespace

SlipInversionResult invertslip(const WorkState& ws, const SlipInversionRequest& req) {
    const std::vector<SlipPatch>& patches = ws.slipmodel.patches;
    if (patches.empty()) return failed("there is no slip model to invert");
    if (!std::isfinite(req.rake)) return failed("the rake is not a number");
    if (!(req.smoothing >= 0) || !std::isfinite(req.smoothing))
        return failed("the smoothing weight must be 0 or more");
    FitData d;
    if (std::string why = collectslipdata(ws, d); !why.empty()) return failed(why);

    std::vector<Unknown> unknowns;
    std::vector<int> first(patches.size(), -1);  // each patch's first unknown
    const std::vector<double> rakes = req.tworakes
                                          ? std::vector<double>{req.rake - 45, req.rake + 45}
                                          : std::vector<double>{req.rake};
    for (std::size_t i = 0; i < patches.size(); ++i) {
        if (!patchusable(patches[i])) continue;
        first[i] = static_cast<int>(unknowns.size());
        for (double r : rakes) unknowns.push_back({i, r});
    }
    if (unknowns.empty()) return failed("no patch of the slip model can be evaluated");

    // The whitened Green's functions and data.
    const std::size_t m = d.components(), n = unknowns.size();
    std::vector<double> a(m * n), b(m);
    std::vector<std::array<double, 3>> g, zero(d.points(), {0, 0, 0});
    fitresiduals(d, zero, b.data());
    std::vector<double> column(m);
    for (std::size_t j = 0; j < n; ++j) {
        if (!greens(d, patches[unknowns[j].patch], unknowns[j].rake, g))
            return failed("a site lies on the edge of patch " +
                          std::to_string(unknowns[j].patch + 1));
        // fitresiduals gives target - g: the column is b minus that.
        fitresiduals(d, g, column.data());
        for (std::size_t i = 0; i < m; ++i) a[i * n + j] = b[i] - column[i];
    }

    // The smoothing rows: one per patch with neighbours and rake component.
    const auto pairs = patchneighbours(patches);
    std::vector<std::vector<uint32_t>> near(patches.size());
    for (auto [i, j] : pairs) {
        near[i].push_back(j);
        near[j].push_back(i);
    }
    std::vector<double> l;
    if (req.smoothing > 0) {
        for (std::size_t i = 0; i < patches.size(); ++i) {
            if (first[i] < 0 || near[i].empty()) continue;
            for (std::size_t c = 0; c < rakes.size(); ++c) {
                std::vector<double> row(n, 0);
                row[static_cast<std::size_t>(first[i]) + c] =
                    -req.smoothing * static_cast<double>(near[i].size());
                for (uint32_t j : near[i])
                    row[static_cast<std::size_t>(first[j]) + c] += req.smoothing;
                l.insert(l.end(), row.begin(), row.end());
            }
        }
    }

    LinearCost cost(std::move(a), std::move(b), std::move(l), n);
    FitSolve solve;
    solve.lower.assign(n, 0);
    solve.upper.assign(n, std::numeric_limits<double>::infinity());
    solve.maxiterations = 500;
    solve.initialradius = 1e4;
    solve.progress = req.progress;
    solve.cancel = req.cancel;
    const FitSolveResult best = solvefromstarts(cost, std::vector<double>(n, 0), solve);
    if (best.cancelled) return failed("the inversion was cancelled");
    if (best.x.empty()) return failed("the inversion failed: " + best.message);

    SlipInversionResult r;
    r.ok = true;
    r.patches = patches;
    r.observations = static_cast<int>(m);
    r.neighbours = static_cast<int>(pairs.size());
    r.iterations = best.iterations;
    double moment = 0;
    std::vector<std::array<double, 3>> model(d.points(), {0, 0, 0}), before = model;
    for (std::size_t i = 0; i < patches.size(); ++i) {
        if (first[i] < 0) continue;
        ++r.inverted;
        double along = 0, up = 0;  // the slip vector: along strike, up dip
        for (std::size_t c = 0; c < rakes.size(); ++c) {
            const double s = best.x[static_cast<std::size_t>(first[i]) + c];
            const double rake = rakes[c] * kPi / 180;
            along += s * std::cos(rake);
            up += s * std::sin(rake);
        }
        SlipPatch& p = r.patches[i];
        const double net = std::hypot(along, up);
        p.slip = static_cast<float>(net);
        p.rake = static_cast<float>(net > 0 ? std::atan2(up, along) * 180 / kPi
                                            : std::remainder(req.rake, 360.0));
        moment += patcharea(p) * kSquareMetresPerKm2 * net;
        // The model before and after: the old and the new slip of the patch.
        std::vector<std::array<double, 3>> u;
        for (auto [slip, rake, to] : {std::tuple{patches[i].slip, patches[i].rake, &before},
                                      std::tuple{p.slip, p.rake, &model}}) {
            if (slip == 0 || !greens(d, patches[i], rake, u)) continue;
            for (std::size_t k = 0; k < u.size(); ++k)
                for (std::size_t ax = 0; ax < 3; ++ax) (*to)[k][ax] += slip * u[k][ax];
        }
    }
    r.moment = shearmodulus(ws.medium) * kPascalPerBar * moment;
    r.mw = 2.0 / 3.0 * (std::log10(r.moment) - 9.1);
    r.rmsbefore = fitrms(d, before);
    r.rmsafter = fitrms(d, model);
    return r;
}

std::string applyslipinversion(WorkState& ws, const SlipInversionResult& r) {
    if (!r.ok) return r.message.empty() ? "there is no inversion to apply" : r.message;
    if (r.patches.size() != ws.slipmodel.patches.size())
        return "the slip model has changed since the inversion";
    ws.slipmodel.patches = r.patches;
    markgridstale(ws);
    return "";
}

}  // namespace crustex

#include "fit/sourcefit.h"

#include <ceres/ceres.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <sstream>

#include "fit/fitdata.h"
#include "fit/fitsolver.h"
#include "model/dialogbounds.h"
#include "model/sourcemodel.h"

namespace crustex {

namespace {

// A free parameter's change across its bounds must move some residual by
// more than this (in sigmas) for the parameter to count as observed.
constexpr double kNoInfluence = 1e-6;
// Central-difference step, relative to the parameter's size (at least 1).
constexpr double kStep = 1e-6;

std::string targetname(FitTarget t) {
    return t.kind == FitTarget::Kind::Source ? "source " + std::to_string(t.index)
                                             : "patch " + std::to_string(t.index + 1);
}

// A number in six significant digits ("-1", "1000", "0.001").
std::string number(double v) {
    std::ostringstream out;
    out << v;
    return out.str();
}

std::string paramname(FitTarget t, FitParam p) {
    return targetname(t) + " " + std::string(fitparamname(p));
}

// The free sources and which of their parameters each entry of the
// parameter vector is.
struct Layout {
    std::vector<FitTarget> targets;
    std::vector<FitSource> base;  // per target, at the model's values
    struct Slot {
        std::size_t target = 0;
        FitParam param = FitParam::East;
    };
    std::vector<Slot> slots;
    std::vector<double> start, lower, upper;

    std::size_t size() const { return slots.size(); }

    // The sources with the parameter vector x applied.
    std::vector<FitSource> sources(const double* x) const {
        std::vector<FitSource> s = base;
        for (std::size_t k = 0; k < slots.size(); ++k) s[slots[k].target][slots[k].param] = x[k];
        return s;
    }
};

using Field = std::vector<std::array<double, 3>>;

// The displacement of one source at every observation point.
bool sourcefield(const FitData& d, const FitSource& s, Field& out) {
    out.resize(d.points());
    for (std::size_t i = 0; i < d.points(); ++i)
        if (!fitdisplacement(s, d.alpha, d.x[i], d.y[i], d.z[i], out[i])) return false;
    return true;
}

// The residuals of the free sources, and their derivatives by central
// differences, one-sided where a step would cross a bound. Only the source
// a parameter belongs to is evaluated again for its column.
class SourceCost : public ceres::CostFunction {
public:
    SourceCost(const FitData& d, const Layout& l) : d_(d), l_(l) {
        set_num_residuals(static_cast<int>(d.components()));
        mutable_parameter_block_sizes()->push_back(static_cast<int>(l.size()));
    }

    bool Evaluate(double const* const* parameters, double* residuals,
                  double** jacobians) const override {
        const double* x = parameters[0];
        const std::vector<FitSource> sources = l_.sources(x);
        std::vector<Field> fields(sources.size());
        Field total(d_.points(), {0, 0, 0});
        for (std::size_t j = 0; j < sources.size(); ++j) {
            if (!sourcefield(d_, sources[j], fields[j])) return false;
            add(total, fields[j], 1);
        }
        fitresiduals(d_, total, residuals);
        if (jacobians == nullptr || jacobians[0] == nullptr) return true;
        const std::size_t n = d_.components(), p = l_.size();
        std::vector<double> rplus(n), rminus(n);
        for (std::size_t k = 0; k < p; ++k) {
            const std::size_t j = l_.slots[k].target;
            const FitParam param = l_.slots[k].param;
            const double h = kStep * std::max(1.0, std::fabs(x[k]));
            const double hi = std::min(x[k] + h, l_.upper[k]);
            const double lo = hi == x[k] ? x[k] - h : std::max(x[k] - h, l_.lower[k]);
            if (!(hi > lo)) return false;
            for (auto [v, r] : {std::pair{hi, &rplus}, std::pair{lo, &rminus}}) {
                FitSource s = sources[j];
                s[param] = v;
                Field moved;
                if (!sourcefield(d_, s, moved)) return false;
                Field t = total;
                add(t, fields[j], -1);
                add(t, moved, 1);
                fitresiduals(d_, t, r->data());
            }
            for (std::size_t i = 0; i < n; ++i)
                jacobians[0][i * p + k] = (rplus[i] - rminus[i]) / (hi - lo);
        }
        return true;
    }

private:
    static void add(Field& to, const Field& f, double sign) {
        for (std::size_t i = 0; i < to.size(); ++i)
            for (std::size_t a = 0; a < 3; ++a) to[i][a] += sign * f[i][a];
    }

    const FitData& d_;
    const Layout& l_;
};

// The sources of the request, checked: each exists and can be evaluated,
// each parameter is one its source has and is named once, the bounds lie
// within what the parameter can take. Returns "" or why not.
std::string makelayout(const WorkState& ws, const FitRequest& req, const FitData& d, Layout& l) {
    for (const FreeParam& f : req.free) {
        const FitTarget t = f.target;
        std::size_t j = std::find(l.targets.begin(), l.targets.end(), t) - l.targets.begin();
        if (j == l.targets.size()) {
            if (t.kind == FitTarget::Kind::Source) {
                if (t.index < 1 || t.index > std::clamp<int>(ws.nfault, 0, kMaxSources))
                    return "there is no source " + std::to_string(t.index);
                const faultrec& r = ws.fault[static_cast<std::size_t>(t.index)];
                if ((r.sourcetype != 0 && r.sourcetype != 1) || !sourceusable(r))
                    return targetname(t) + " cannot be evaluated";
                l.base.push_back(fitsourceof(r));
            } else {
                if (t.index < 0 || static_cast<std::size_t>(t.index) >= ws.slipmodel.size())
                    return "there is no patch " + std::to_string(t.index + 1);
                l.base.push_back(
                    fitsourceof(ws.slipmodel.patches[static_cast<std::size_t>(t.index)]));
            }
            l.targets.push_back(t);
        }
        const FitSource& s = l.base[j];
        if (!s.has(f.param))
            return targetname(t) +
                   (s.shape == FitSource::Shape::Point ? " is an inflation point" : " is a fault") +
                   ": it has no " + std::string(fitparamname(f.param));
        for (const Layout::Slot& slot : l.slots)
            if (slot.target == j && slot.param == f.param)
                return paramname(t, f.param) + " is named twice";
        // East and north may reach as far as the farthest observation.
        double reach = 0;
        for (std::size_t i = 0; i < d.points(); ++i)
            reach = std::max(reach,
                             std::hypot(d.x[i] - s[FitParam::East], d.y[i] - s[FitParam::North]));
        const ParamRange dflt = defaultbounds(s, f.param, reach);
        const ParamRange dom = paramdomain(s, f.param);
        const double lo = f.lower.value_or(std::max(dflt.lower, dom.lower));
        const double hi = f.upper.value_or(std::min(dflt.upper, dom.upper));
        if (!(lo < hi) || lo < dom.lower || hi > dom.upper) {
            const std::string why =
                paramname(t, f.param) + ": bounds " + number(lo) + ".." + number(hi);
            if (!(lo < hi)) return why + " are empty";
            return why + " leave " + number(dom.lower) + ".." + number(dom.upper);
        }
        l.slots.push_back({j, f.param});
        l.lower.push_back(lo);
        l.upper.push_back(hi);
        l.start.push_back(std::clamp(s[f.param], lo, hi));
    }
    return "";
}

// The free parameters whose change across their bounds moves no residual.
std::string noinfluence(const Layout& l, const std::vector<double>& jac, std::size_t n) {
    const std::size_t p = l.size();
    std::string names;
    for (std::size_t k = 0; k < p; ++k) {
        double most = 0;
        for (std::size_t i = 0; i < n; ++i) most = std::max(most, std::fabs(jac[i * p + k]));
        if (most * (l.upper[k] - l.lower[k]) > kNoInfluence) continue;
        names +=
            (names.empty() ? "" : ", ") + paramname(l.targets[l.slots[k].target], l.slots[k].param);
    }
    if (names.empty()) return "";
    return names + (names.find(',') == std::string::npos ? " has" : " have") +
           " no influence on the observations at the start";
}

FitResult failed(std::string why) {
    FitResult r;
    r.message = std::move(why);
    return r;
}

// The model with the fitted values of the free sources.
void storemodel(const WorkState& ws, const Layout& l, const double* x, FitResult& r) {
    r.fault = ws.fault;
    r.patches = ws.slipmodel.patches;
    const std::vector<FitSource> sources = l.sources(x);
    for (std::size_t j = 0; j < l.targets.size(); ++j) {
        const auto k = static_cast<std::size_t>(l.targets[j].index);
        if (l.targets[j].kind == FitTarget::Kind::Source)
            storefitsource(sources[j], r.fault[k]);
        else
            storefitsource(sources[j], r.patches[k]);
    }
}

}  // namespace

FitResult fitsources(const WorkState& ws, const FitRequest& req) {
    if (req.free.empty()) return failed("no free parameter");
    std::vector<FitTarget> targets;
    for (const FreeParam& f : req.free) targets.push_back(f.target);
    FitData d;
    if (std::string why = collectfitdata(ws, targets, d); !why.empty()) return failed(why);
    Layout l;
    if (std::string why = makelayout(ws, req, d, l); !why.empty()) return failed(why);
    const std::size_t n = d.components(), p = l.size();
    if (n <= p)
        return failed(std::to_string(n) + " observed components cannot determine " +
                      std::to_string(p) + " free parameters: more observations are needed");

    SourceCost cost(d, l);
    std::vector<double> r0(n), jac(n * p);
    {
        const double* x[] = {l.start.data()};
        double* j[] = {jac.data()};
        if (!cost.Evaluate(x, r0.data(), j))
            return failed("the start model is singular at a site (a site on a fault edge?)");
    }
    if (std::string why = noinfluence(l, jac, n); !why.empty()) return failed(why);

    FitSolve solve;
    solve.lower = l.lower;
    solve.upper = l.upper;
    solve.starts = std::max(req.starts, 1);
    solve.progress = req.progress;
    solve.cancel = req.cancel;
    const FitSolveResult best = solvefromstarts(cost, l.start, solve);
    if (best.cancelled) return failed("the fit was cancelled");
    if (best.x.empty()) return failed("no start converged: " + best.message);

    std::vector<double> cov;
    if (!covariance(cost, best.x, cov))
        return failed(
            "the fit is singular: the observations cannot tell the free parameters "
            "apart");

    FitResult r;
    r.ok = true;
    r.observations = static_cast<int>(n);
    r.sigmasgiven = d.sigmasgiven;
    r.iterations = best.iterations;
    r.starts = best.starts;
    r.chi2reduced = 2 * best.cost / static_cast<double>(n - p);
    const double scale = d.sigmasgiven ? 1 : r.chi2reduced;
    for (std::size_t k = 0; k < p; ++k) {
        FittedParam f;
        f.target = l.targets[l.slots[k].target];
        f.param = l.slots[k].param;
        f.start = l.start[k];
        f.value = best.x[k];
        f.sigma = std::sqrt(std::max(0.0, cov[k * p + k] * scale));
        f.lower = l.lower[k];
        f.upper = l.upper[k];
        const double edge = 1e-9 * (f.upper - f.lower);
        f.atbound = f.value <= f.lower + edge || f.value >= f.upper - edge;
        r.params.push_back(f);
    }
    const auto rms = [&](const std::vector<double>& x) {
        Field total(d.points(), {0, 0, 0}), f;
        for (const FitSource& s : l.sources(x.data())) {
            sourcefield(d, s, f);
            for (std::size_t i = 0; i < total.size(); ++i)
                for (std::size_t a = 0; a < 3; ++a) total[i][a] += f[i][a];
        }
        return fitrms(d, total);
    };
    r.rmsbefore = rms(l.start);
    r.rmsafter = rms(best.x);
    storemodel(ws, l, best.x.data(), r);
    return r;
}

std::string applyfit(WorkState& ws, const FitResult& r) {
    if (!r.ok) return r.message.empty() ? "there is no fit to apply" : r.message;
    if (r.patches.size() != ws.slipmodel.patches.size())
        return "the slip model has changed since the fit";
    for (const FittedParam& f : r.params) {
        if (f.target.kind != FitTarget::Kind::Source) continue;
        const faultrec& s = r.fault[static_cast<std::size_t>(f.target.index)];
        const std::string why =
            s.sourcetype == 1 ? outofbounds(DialogKind::SourceEditor,
                                            {{"px", s.px}, {"py", s.py}, {"pdepth", s.pdepth}})
                              : outofbounds(DialogKind::SourceEditor, {{"fx0", s.fx0},
                                                                       {"fx1", s.fx1},
                                                                       {"fy0", s.fy0},
                                                                       {"fy1", s.fy1},
                                                                       {"fdipangle", s.fdipangle},
                                                                       {"fwidth", s.fwidth},
                                                                       {"fdepth", s.fdepth},
                                                                       {"slip", s.slip},
                                                                       {"rakeangle", s.rakeangle}});
        if (!why.empty()) return targetname(f.target) + " cannot take the fitted values: " + why;
    }
    ws.fault = r.fault;
    // Moved patches have no degrees of their own any more.
    for (std::size_t i = 0; i < r.patches.size(); ++i) {
        const SlipPatch &a = r.patches[i], &b = ws.slipmodel.patches[i];
        if (a.x0 != b.x0 || a.y0 != b.y0 || a.x1 != b.x1 || a.y1 != b.y1) ws.slipmodel.geo.clear();
    }
    ws.slipmodel.patches = r.patches;
    markgridstale(ws);
    return "";
}

}  // namespace crustex

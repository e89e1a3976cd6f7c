#include "fit/sourcefit.h"

#include <algorithm>
#include <cmath>

#include "fit/fitsolver.h"
#include "fit/sourcecost.h"
#include "model/dialogbounds.h"

namespace crustex {

namespace {

// A free parameter's change across its bounds must move some residual by
// more than this (in sigmas) for the parameter to count as observed.
constexpr double kNoInfluence = 1e-6;

// The free parameters whose change across their bounds moves no residual
// at the start, or why the start cannot be evaluated.
std::string noinfluence(const SourceCost& cost, const FitLayout& l, std::size_t n) {
    const std::size_t p = l.size();
    std::vector<double> r(n), jac(n * p);
    const double* x[] = {l.start.data()};
    double* j[] = {jac.data()};
    if (!cost.Evaluate(x, r.data(), j))
        return "the start model is singular at a site (a site on a fault edge?)";
    std::string names;
    for (std::size_t k = 0; k < p; ++k) {
        double most = 0;
        for (std::size_t i = 0; i < n; ++i) most = std::max(most, std::fabs(jac[i * p + k]));
        if (most * (l.upper[k] - l.lower[k]) > kNoInfluence) continue;
        names += (names.empty() ? "" : ", ") +
                 fitparamlabel(l.targets[l.slots[k].target], l.slots[k].param);
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
void storemodel(const WorkState& ws, const FitLayout& l, const double* x, FitResult& r) {
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

FittedParam fittedparam(const FitLayout& l, std::size_t k, double value, double sigma) {
    FittedParam f;
    f.target = l.targets[l.slots[k].target];
    f.param = l.slots[k].param;
    f.start = l.start[k];
    f.value = value;
    f.sigma = sigma;
    f.lower = l.lower[k];
    f.upper = l.upper[k];
    const double edge = 1e-9 * (f.upper - f.lower);
    f.atbound = f.value <= f.lower + edge || f.value >= f.upper - edge;
    return f;
}

}  // namespace

FitResult fitsources(const WorkState& ws, const FitRequest& req) {
    if (req.free.empty()) return failed("no free parameter");
    std::vector<FitTarget> targets;
    for (const FreeParam& f : req.free) targets.push_back(f.target);
    FitData d;
    if (std::string why = collectfitdata(ws, targets, d); !why.empty()) return failed(why);
    FitLayout l;
    if (std::string why = makefitlayout(ws, req.free, d, l); !why.empty()) return failed(why);
    const std::size_t n = d.components(), p = l.size();
    if (n <= p)
        return failed(std::to_string(n) + " observed components cannot determine " +
                      std::to_string(p) + " free parameters: more observations are needed");

    SourceCost cost(d, l);
    if (std::string why = noinfluence(cost, l, n); !why.empty()) return failed(why);

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
    for (std::size_t k = 0; k < p; ++k)
        r.params.push_back(
            fittedparam(l, k, best.x[k], std::sqrt(std::max(0.0, cov[k * p + k] * scale))));
    const auto rms = [&](const std::vector<double>& x) {
        FitField total;
        sourcesfield(d, l.sources(x.data()), total);
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
        if (!why.empty()) return fittargetname(f.target) + " cannot take the fitted values: " + why;
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

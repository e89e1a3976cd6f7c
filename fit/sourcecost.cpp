#include "fit/sourcecost.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "model/sourcemodel.h"

namespace crustex {

namespace {

// Central-difference step, relative to the parameter's size (at least 1).
constexpr double kStep = 1e-6;

// A number in six significant digits ("-1", "1000", "0.001").
std::string number(double v) {
    std::ostringstream out;
    out << v;
    return out.str();
}

// The displacement of one source at every observation point.
bool sourcefield(const FitData& d, const FitSource& s, FitField& out) {
    out.resize(d.points());
    for (std::size_t i = 0; i < d.points(); ++i)
        if (!fitdisplacement(s, d.alpha, d.x[i], d.y[i], d.z[i], out[i])) return false;
    return true;
}

void add(FitField& to, const FitField& f, double sign) {
    for (std::size_t i = 0; i < to.size(); ++i)
        for (std::size_t a = 0; a < 3; ++a) to[i][a] += sign * f[i][a];
}

}  // namespace

std::string fittargetname(FitTarget t) {
    return t.kind == FitTarget::Kind::Source ? "source " + std::to_string(t.index)
                                             : "patch " + std::to_string(t.index + 1);
}

std::string fitparamlabel(FitTarget t, FitParam p) {
    return fittargetname(t) + " " + std::string(fitparamname(p));
}

std::vector<FitSource> FitLayout::sources(const double* x) const {
    std::vector<FitSource> s = base;
    for (std::size_t k = 0; k < slots.size(); ++k) s[slots[k].target][slots[k].param] = x[k];
    return s;
}

std::string makefitlayout(const WorkState& ws, const std::vector<FreeParam>& free, const FitData& d,
                          FitLayout& l) {
    for (const FreeParam& f : free) {
        const FitTarget t = f.target;
        std::size_t j = std::find(l.targets.begin(), l.targets.end(), t) - l.targets.begin();
        if (j == l.targets.size()) {
            if (t.kind == FitTarget::Kind::Source) {
                if (t.index < 1 || t.index > std::clamp<int>(ws.nfault, 0, kMaxSources))
                    return "there is no source " + std::to_string(t.index);
                const faultrec& r = ws.fault[static_cast<std::size_t>(t.index)];
                if ((r.sourcetype != 0 && r.sourcetype != 1) || !sourceusable(r))
                    return fittargetname(t) + " cannot be evaluated";
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
            return fittargetname(t) +
                   (s.shape == FitSource::Shape::Point ? " is an inflation point" : " is a fault") +
                   ": it has no " + std::string(fitparamname(f.param));
        for (const FitLayout::Slot& slot : l.slots)
            if (slot.target == j && slot.param == f.param)
                return fitparamlabel(t, f.param) + " is named twice";
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
                fitparamlabel(t, f.param) + ": bounds " + number(lo) + ".." + number(hi);
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

bool sourcesfield(const FitData& d, const std::vector<FitSource>& sources, FitField& total) {
    total.assign(d.points(), {0, 0, 0});
    FitField f;
    for (const FitSource& s : sources) {
        if (!sourcefield(d, s, f)) return false;
        add(total, f, 1);
    }
    return true;
}

SourceCost::SourceCost(const FitData& d, const FitLayout& l) : d_(d), l_(l) {
    set_num_residuals(static_cast<int>(d.components()));
    mutable_parameter_block_sizes()->push_back(static_cast<int>(l.size()));
}

bool SourceCost::Evaluate(double const* const* parameters, double* residuals,
                          double** jacobians) const {
    const double* x = parameters[0];
    const std::vector<FitSource> sources = l_.sources(x);
    std::vector<FitField> fields(sources.size());
    FitField total(d_.points(), {0, 0, 0});
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
            FitField moved;
            if (!sourcefield(d_, s, moved)) return false;
            FitField t = total;
            add(t, fields[j], -1);
            add(t, moved, 1);
            fitresiduals(d_, t, r->data());
        }
        for (std::size_t i = 0; i < n; ++i)
            jacobians[0][i * p + k] = (rplus[i] - rminus[i]) / (hi - lo);
    }
    return true;
}

}  // namespace crustex

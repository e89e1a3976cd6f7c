// The parameter vector of a source fit and the residuals as a function of
// it: which source and which of its parameters each entry is, with its
// bounds and start, checked against the model; and the cost function Ceres
// minimises, whose derivatives are central differences of the 64-bit
// forward model (one-sided at a bound).
#pragma once

#include <ceres/ceres.h>

#include <array>
#include <string>
#include <vector>

#include "fit/fitdata.h"
#include "fit/sourcefit.h"

namespace crustex {

// "source 2", "patch 5" (patches counted from 1).
std::string fittargetname(FitTarget t);
// "source 2 depth".
std::string fitparamlabel(FitTarget t, FitParam p);

struct FitLayout {
    std::vector<FitTarget> targets;
    std::vector<FitSource> base;  // per target, at the model's values
    struct Slot {
        std::size_t target = 0;
        FitParam param = FitParam::East;
    };
    std::vector<Slot> slots;                  // per entry of the vector
    std::vector<double> start, lower, upper;  // per entry

    std::size_t size() const { return slots.size(); }
    // The sources with the parameter vector x applied.
    std::vector<FitSource> sources(const double* x) const;
};

// The layout of the free parameters: each source exists and can be
// evaluated, each parameter is one its source has and is named once, the
// bounds (given, or defaultbounds with east and north reaching the farthest
// observation) lie within what the parameter can take; the start is the
// model's value brought into them. Returns "" or why not.
std::string makefitlayout(const WorkState& ws, const std::vector<FreeParam>& free, const FitData& d,
                          FitLayout& l);

// Displacements (mm) at the observation points, per point and axis.
using FitField = std::vector<std::array<double, 3>>;

// The sum of the sources' displacements at the observation points; false
// when a point is singular for one of them.
bool sourcesfield(const FitData& d, const std::vector<FitSource>& sources, FitField& total);

class SourceCost : public ceres::CostFunction {
public:
    SourceCost(const FitData& d, const FitLayout& l);
    bool Evaluate(double const* const* parameters, double* residuals,
                  double** jacobians) const override;

private:
    const FitData& d_;
    const FitLayout& l_;
};

}  // namespace crustex

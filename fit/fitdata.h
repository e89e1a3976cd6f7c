// The observations a fit explains: every observed displacement component at
// the sites, what the parts of the model that stay fixed give there, and the
// weights that turn observed minus computed into residuals of unit variance.
//
// Only displacements are fitted: sites of kind "displacement3" (X, Y, Z),
// "displacement" (X, Y) and "uz" (Z), in mm in the field axes. Tilts and
// strains are refused with a message: their units differ from the
// displacements' and the site file gives them no uncertainties.
//
// A component's sigma is the site's sigdx, sigdy or sigdz; 1 mm where none
// is given (0). Where both horizontal sigmas are given, their correlation
// corrdxdy (|r| < 1) enters too: the pair is whitened by the inverse of its
// covariance's Cholesky factor. A site whose observed value is missing, or
// where the fixed part of the model is singular, is left out.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fit/fitsource.h"
#include "model/workstate.h"

namespace crustex {

struct FitData {
    // The used sites: field position (km, z up) and site number.
    std::vector<double> x, y, z;
    std::vector<int> site;
    // Per site and axis (X, Y, Z): observed minus the fixed part (mm), and
    // whether the component is observed.
    std::vector<std::array<double, 3>> target;
    std::vector<std::array<bool, 3>> observed;
    // One residual per observed component: the weighted sum over the axes of
    // the site's (target - model).
    struct Row {
        uint32_t point = 0;
        std::array<double, 3> weight{};
    };
    std::vector<Row> rows;
    bool sigmasgiven = false;  // some component carries its own sigma
    double alpha = 0;          // the medium's half-space constant

    std::size_t points() const { return x.size(); }
    std::size_t components() const { return rows.size(); }
};

// The observations of the loaded sites against a model from which the
// parts to be fitted (`free`) are left out: those sources and patches
// contribute nothing to the fixed part. Returns "" or, when nothing can be
// fitted, why not (kind of sites, no observation, unusable medium).
std::string collectfitdata(const WorkState& ws, const std::vector<FitTarget>& free, FitData& out);

// The same with the slip of every patch of the slip model left out of the
// fixed part (their openings stay in it), for the slip inversion.
std::string collectslipdata(const WorkState& ws, FitData& out);

// The residuals for the model displacements `model` (mm per site and
// axis): rows.size() values.
void fitresiduals(const FitData& d, const std::vector<std::array<double, 3>>& model, double* r);

// Root mean square over the observed components of target - model (mm).
double fitrms(const FitData& d, const std::vector<std::array<double, 3>>& model);

}  // namespace crustex

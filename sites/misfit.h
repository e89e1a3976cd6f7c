// How well the model explains the observations: for the observed-data kind
// of the loaded sites, the number of sites that have every observed and
// every computed component, and the root-mean-square of observed minus
// computed per component and over all components, in the quantity's unit.
//
//   kind             components (field axes)   computed values       unit
//   "displacement3"  X, Y, Z                   ux, uy, uz            mm
//   "displacement"   X, Y                      ux, uy                mm
//   "uz"             Z                         uz                    mm
//   "tilt1"          X, Y                      dux/dz, duy/dz        micro rad
//   "tilt2"          X, Y                      duz/dx, duz/dy        micro rad
//   "vstrain"        volumetric                vol                   micro strain
//
// Where the sites carry uncertainties of the displacement (sigdx, sigdy,
// sigdz, corrdxdy), the misfit also gives the reduced chi-square: the sum
// over every compared component with a sigma above 0 of (residual /
// sigma)^2 (for a site's X and Y with their correlation rho, the pair's
// residual weighted by the inverse of its covariance), divided by the
// number of those components. No parameter was fitted to the observations,
// so the degrees of freedom are the components themselves.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/siteeval.h"
#include "model/workstate.h"

namespace crustex {

// The compared components of an observed-data kind, in the order of the
// table above: their names, the unit, the computed site values and the
// observed fields of the site record (unused entries null).
struct MisfitKind {
    std::string_view kind;
    std::string_view observations;  // what the file observed, in words
    std::string_view unit;
    int components;
    std::array<std::string_view, 3> names;
    std::array<SiteResults::Values SiteResults::*, 3> computed;
    std::array<float siterec::*, 3> observed;
    std::array<float siterec::*, 3> sigma;  // the components' uncertainties, or null
};

// The entry of a kind, or nullptr for "" and unknown kinds.
const MisfitKind* findmisfitkind(std::string_view kind);

struct SiteMisfit {
    std::string_view kind;
    std::string_view observations;
    std::string_view unit;
    int components = 0;
    std::array<std::string_view, 3> names{};
    int nsites = 0;               // sites with every value on both sides
    std::array<double, 3> rms{};  // per component (0 when nsites is 0)
    double overall = 0;           // over all components of those sites
    int weighted = 0;             // components with a sigma, of those sites
    double chisquare = 0;         // reduced chi-square over them (0 when none)
};

// The misfit of the loaded sites, or nothing when they carry no
// observations (kind "" or unknown).
std::optional<SiteMisfit> computemisfit(const WorkState& ws, const SiteResults& res);

// One line: "Misfit (displacement, 3 sites): RMS X 1.5, Y 0.25, all 1.075 mm"
// (four significant digits), or "... : no site with both values"; with
// uncertainties "...; reduced chi-square 1.042 over 6 components (no
// parameters fitted)".
std::string misfittext(const SiteMisfit& m);

// The site window's line, which says what was observed and whether that is
// the quantity shown (key): "Misfit of the observed 3-D displacements (30
// sites): RMS X ..." or, under a volumetric-strain graph, "Misfit of the
// observed 3-D displacements (30 sites; not the quantity shown): RMS X ...".
// No key selected counts as shown.
std::string misfitline(const SiteMisfit& m, std::string_view key);

}  // namespace crustex

// delta CFF on optimally oriented planes: at each point, the planes best
// oriented for failure in the total stress (the regional stress plus the
// change the sources make) and the change's Coulomb stress on them.
//
// The two conjugate planes contain sigma2 of the total stress; their
// normals lie in the sigma1-sigma3 plane at 90 - psi degrees from sigma1,
// psi = atan(1 / friction) / 2, so each plane lies at psi from sigma1. The
// slip direction is that of the total shear traction on the plane; with
// sigma1 the most compressive axis it runs from the sigma3 side of the
// plane towards sigma1's, as n+ = sin psi a1 + cos psi a3 with slip
// s+ = -cos psi a1 + sin psi a3 (a1, a3 the axes; n-, s- with a3 negated).
// The value on a plane is the change's shear stress along the slip plus
// friction times the change's normal stress (unclamping positive).
//
// The node's value is the larger of the two. Both planes are mirror
// images in the total's principal frame, and at psi the change's
// sigma1-sigma3 shear adds nothing to either, so the two values agree up
// to rounding: the second plane is taken only when its value is larger
// than rounding could make it (kPlaneTieTolerance relative); the first
// plane is fixed by the signs of the principal axes (principalaxes.h).
//
// Units: the change enters as stress / mu (10^-6, stress/moduli.h) and is
// turned into bar with the medium's shear modulus before the total is
// formed; the value comes out in the work's stress unit: 10^-6 of the
// rigidity (the default), bar or MPa.
#pragma once

#include <array>
#include <functional>

#include "model/resultgrids.h"
#include "model/workstate.h"
#include "stress/regionalstress.h"

namespace crustex {

inline constexpr double kPlaneTieTolerance = 1e-9;

// psi (radians) for the friction coefficient: atan(1 / friction) / 2;
// 45 degrees for friction 0.
double optimalangle(double friction);

struct OptimalPlane {
    double value = 0;  // the change's Coulomb stress, in the change's unit
    Vec3 normal{};     // unit normal
    Vec3 slip{};       // unit slip direction in the plane
};

// The two conjugate planes of `total` with the change resolved on them
// (total and change in any one unit; the value comes in the change's).
std::array<OptimalPlane, 2> conjugateplanes(const SymTensor& total, const SymTensor& change,
                                            double friction);

// 0 or 1: the plane with the larger value, the first on a tie.
int largerplane(const std::array<OptimalPlane, 2>& planes);

// Strike (degrees clockwise from the field's Y axis, 0..360, the plane
// dipping to its right) and dip (degrees, 0..90) of a plane by its normal.
struct PlaneAttitude {
    double strike = 0, dip = 0;
};
PlaneAttitude planeattitude(const Vec3& normal);

// What the evaluation of the quantity needs from the work.
struct OptimalSetup {
    RegionalStress regional;
    Medium medium;
    double friction = 0;
    double unitfactor = 1;  // stressfactor (model/medium.h)
    NorthReference north;
    bool usable = false;  // the medium and the regional stress can be used
};
OptimalSetup optimalsetup(const WorkState& ws, const NorthReference& north);

// The chosen plane at a point from its strains; `has` false where the
// strains have no value, the stresses are not finite or the setup is not
// usable.
struct OptimalPoint {
    bool has = false;
    float value = kNoValue;  // in the work's stress unit
    OptimalPlane plane;      // value in stress / mu (10^-6)
};
// Node (i, j) of the grids (its z from grid 1) at map point (x, y).
OptimalPoint optimalatnode(const OptimalSetup& setup, const ResultGrids& g, int i, int j, float x,
                           float y);

// Fills g.cffoop over the nodes of g.ux (kNoValue where a node has none:
// everywhere when the setup is not usable).
void calcgridoptimalcff(const OptimalSetup& setup, ResultGrids& g, const NodePlace& place);

// The same over the field grid of the work state.
void calcgridoptimalcff(WorkState& ws, const NorthReference& north);

}  // namespace crustex

// Which media stresses can use, and the stress tensor from the strain tensor
// (the moduli themselves: model/medium.h shearmodulus and lameratio).
//
// Stresses follow Hooke's law for an isotropic medium, tension positive:
//   sigma_ij = lambda * vol * delta_ij + 2 mu * e_ij,
// with vol = e_xx + e_yy + e_zz. They are kept divided by the rigidity mu,
// in the units of the strains (10^-6): sigma / mu = (lambda / mu) * vol +
// 2 e. lambda / mu = 2 nu / (1 - 2 nu) is exactly 1 for the program's own
// Poisson's ratio 0.25. Turning stress / mu into bar or MPa is
// stress/stressunits.h's job.
#pragma once

#include "model/medium.h"

namespace crustex {

// True when Poisson's ratio lies in -1 < nu < 0.5 and Young's modulus is
// positive and finite: only then are mu and lambda finite and positive
// enough for stresses.
bool usablemedium(const Medium& m);

// A symmetric tensor in map axes (x east, y north, z up).
struct SymTensor {
    double xx = 0, yy = 0, zz = 0, xy = 0, yz = 0, zx = 0;

    bool operator==(const SymTensor&) const = default;
};

// stress / mu (10^-6) of a strain tensor (10^-6), tension positive; vol is
// the volumetric strain the point's values carry (element 16).
SymTensor stresstensor(const SymTensor& strain, double vol, double lambdaovermu);

}  // namespace crustex

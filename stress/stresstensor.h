// Stress from strain in the elastic medium of the half-space (Hooke's law
// for an isotropic medium), and the symmetric tensor that holds it.
//
// Frames and units: x east, y north, z up; tension positive. The strains
// are tensor components in 10^-6 (as the result grids hold them); the
// stress comes back divided by the rigidity mu, in the same 10^-6, so that
// stress / mu = (lambda / mu) vol I + 2 strain.
#pragma once

#include "model/medium.h"

namespace crustex {

// A symmetric stress tensor: its six independent components.
struct StressTensor {
    double xx = 0, yy = 0, zz = 0, xy = 0, yz = 0, zx = 0;
};

// lambda / mu of the medium: 2 nu / (1 - 2 nu); exactly 1 for Poisson's
// ratio 0.25. Not finite for nu = 0.5 (an incompressible medium).
double lameratio(const Medium& m);

// Stress / mu from the six strain components (exy, eyz, ezx are tensor
// components, half the engineering shear strains).
StressTensor stressfromstrain(const Medium& m, double exx, double eyy, double ezz, double exy,
                              double eyz, double ezx);

}  // namespace crustex

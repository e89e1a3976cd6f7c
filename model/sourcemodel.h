// Geometry and dislocation arguments derived from a source record.
#pragma once

#include <string>

#include "model/faultrec.h"

namespace crustex {

// pi as the program writes it for angle conversions.
inline constexpr double kPi = 3.14159265358979;

// Strike geometry of a rectangular fault (sourcetype 0).
struct FaultGeometry {
    float length = 0;  // L, km
    double c = 0;      // cos of the strike direction, (fx1 - fx0) / L
    double s = 0;      // sin of the strike direction, (fy1 - fy0) / L
};

// The three dislocation components of a fault (mm).
struct FaultDislocation {
    float strikeslip = 0;  // slip * cos(rake)
    float dipslip = 0;     // slip * sin(rake)
    float tensile = 0;
};

// True when the source can be evaluated: a point source (type 1), or a fault
// (type 0) whose edges do not coincide, with finite fields. Anything else
// contributes nothing to any result.
bool sourceusable(const faultrec& f);

// Geometry of a fault. Only meaningful when sourceusable(f); for coinciding
// edges it gives length 0 and c = s = 0 (nothing is divided by 0).
FaultGeometry faultgeometry(const faultrec& f);

// A map point (X, Y) in the fault's frame, origin at edge 0: xi along strike,
// eta across it ((X - fx0) and (Y - fy0) in 32-bit, the rotation in 64-bit).
struct FaultFramePoint {
    double xi = 0;
    double eta = 0;
};
FaultFramePoint tofaultframe(const faultrec& f, const FaultGeometry& g, float x, float y);

FaultDislocation faultdislocation(const faultrec& f);

// Inflation potency handed to the point solution: piso * 1000 (km^2 mm).
float inflationpotency(const faultrec& f);

}  // namespace crustex

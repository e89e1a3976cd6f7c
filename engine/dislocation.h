// The two half-space solutions: a uniform dislocation on a finite rectangle
// and a point source, in a homogeneous elastic half-space.
//
// Arguments and results are 32-bit floats; everything inside is 64-bit.
// Lengths in km and dislocations (potencies) in mm (km^2 mm) give
// displacements in mm and derivatives in 10^-6.
#pragma once

#include <cstdint>

namespace crustex {

// The medium constant (lambda + mu) / (lambda + 2 mu) for lambda = mu: the
// float nearest 2/3 (bit pattern 3F2AAAAB).
inline constexpr float kAlpha = 0.6666667f;

// Displacement and its nine derivatives at one point, in the solution's frame.
struct DislocationResult {
    float ux = 0, uy = 0, uz = 0;     // displacement
    float uxx = 0, uyx = 0, uzx = 0;  // x-derivatives of ux, uy, uz
    float uxy = 0, uyy = 0, uzy = 0;  // y-derivatives
    float uxz = 0, uyz = 0, uzz = 0;  // z-derivatives
};

// Finite rectangular source. The fault spans x from -al1 to al2 along strike
// and from -aw1 to aw2 up-dip, its reference edge at depth `depth`, dipping
// `dip` degrees toward -y. The observation point is (x, y, z), z <= 0.
// Returns IRET: 0 normal, 1 singular (point on a fault edge or corner, or a
// point above the surface on a corner of the image; out is zeroed). A point
// whose sums come out infinite is also reported singular rather than given a
// value. A positive z is not rejected. Thread-safe: all state is local.
int16_t calcrectsource(float alpha, float x, float y, float z, float depth, float dip, float al1,
                       float al2, float aw1, float aw2, float disl1, float disl2, float disl3,
                       DislocationResult& out);

// Point source at (0, 0, -depth) with strike-slip, dip-slip, tensile and
// inflation potencies. Returns IRET: 0 normal, 1 singular (point at the
// source, or above the surface at its image; out is zeroed). Infinite sums are
// reported singular too. Thread-safe: all state is local.
int16_t calcpointsource(float alpha, float x, float y, float z, float depth, float dip, float pot1,
                        float pot2, float pot3, float pot4, DislocationResult& out);

}  // namespace crustex

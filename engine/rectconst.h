// Medium and dip constants of one evaluation of a half-space solution.
#pragma once

#include <array>

namespace crustex {

// Twelve 64-bit values: displacement (0..2), x-derivatives (3..5),
// y-derivatives (6..8) and z-derivatives (9..11) of ux, uy, uz.
using Vec12 = std::array<double, 12>;

// 2 pi as the solutions use it.
inline constexpr double kTwoPi = 6.28318530717959;

// Medium constants from alpha and the dip constants from the dip angle.
struct DipConst {
    double alp1 = 0, alp2 = 0, alp3 = 0, alp4 = 0, alp5 = 0;  // (1-a)/2, a/2, (1-a)/a, 1-a, a
    double sd = 0, cd = 0;                                    // sin, cos of the dip
    double sdsd = 0, cdcd = 0, sdcd = 0;                      // sin^2, cos^2, sin*cos
    double s2d = 0, c2d = 0;                                  // sin 2dip, cos 2dip
};

// Fills `dc` from alpha and the dip in degrees. A cosine below 1e-6 in size
// is taken as an exactly vertical dip (cos 0, sin +-1).
void setdipconst(DipConst& dc, double alpha, double dip);

}  // namespace crustex

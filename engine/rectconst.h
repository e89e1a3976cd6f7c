// Constants of the finite rectangular source: the medium and dip constants of
// one evaluation and the constants of one fault corner.
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

// Constants of one corner (xi, eta, q) of the rectangle.
struct CornerConst {
    double xi2 = 0, et2 = 0, q2 = 0;  // squares
    double r2 = 0, r = 0, r3 = 0, r5 = 0;
    double y = 0, d = 0;      // y-tilde, d-tilde of the corner
    double tt = 0;            // theta
    double alx = 0, ale = 0;  // the xi and eta logarithms
    double x11 = 0, x32 = 0, y11 = 0, y32 = 0;
    double ey = 0, ez = 0, fy = 0, fz = 0, gy = 0, gz = 0, hy = 0, hz = 0;
};

// Sets the corner constants of (xi, eta, q). Values below 1e-6 in size are
// first set to exactly 0 in the caller's variables. Returns false when the
// corner is at distance 0; `cc` is then left as it was apart from the squares.
bool setcornerconst(const DipConst& dc, CornerConst& cc, double& xi, double& et, double& q);

}  // namespace crustex

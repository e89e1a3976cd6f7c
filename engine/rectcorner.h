// Constants of the four corners of the rectangle, evaluated side by side.
//
// `Corners` is a vector of two or four doubles, one corner per lane, taken in
// the order (xi1, eta1), (xi2, eta1), (xi1, eta2), (xi2, eta2). Every lane does
// exactly the arithmetic of a single corner, so the lanes give the same bits
// as separate evaluations while the processor works on them together.
#pragma once

#include <array>
#include <cmath>

#include "engine/rectconst.h"
#include "engine/rectmirror.h"

namespace crustex {

using CornerPair = double __attribute__((vector_size(16)));
using CornerQuad = double __attribute__((vector_size(32)));

template <class Corners>
inline constexpr int kLanes = sizeof(Corners) / sizeof(double);

template <class Corners>
using CornerVec12 = std::array<Corners, 12>;

// The corner constants. q is the same for all four corners.
template <class Corners>
struct CornerConst {
    Corners xi2, et2;  // squares
    double q2;
    Corners r2, r, r3, r5;
    Corners y, d;      // y-tilde, d-tilde of the corner
    Corners tt;        // theta
    Corners alx, ale;  // the xi and eta logarithms
    Corners x11, x32, y11, y32;
    Corners ey, ez, fy, fz, gy, gz, hy, hz;
};

// Sets the corner constants of the corners first .. first + lanes - 1. Values
// of xi, eta and q below 1e-6 in size are first set to exactly 0 in the
// caller's variables. Returns false when a corner is at distance 0 (the other
// constants are then not set).
template <class Corners>
[[gnu::always_inline]] inline bool setcornerconst(const DipConst& dc, CornerConst<Corners>& cc,
                                                  Corners& xi, Corners& et, double& q,
                                                  const Mirrored& mirrored, int first) {
    for (int l = 0; l < kLanes<Corners>; ++l) {
        if (std::fabs(xi[l]) < 1e-6) xi[l] = 0;
        if (std::fabs(et[l]) < 1e-6) et[l] = 0;
    }
    if (std::fabs(q) < 1e-6) q = 0;
    cc.xi2 = xi * xi;
    cc.et2 = et * et;
    cc.q2 = q * q;
    cc.r2 = cc.xi2 + cc.et2 + cc.q2;
    for (int l = 0; l < kLanes<Corners>; ++l) {
        cc.r[l] = std::sqrt(cc.r2[l]);
        if (cc.r[l] == 0) return false;
    }

    const Corners r = cc.r;
    cc.r3 = r * cc.r2;
    cc.r5 = cc.r3 * cc.r2;
    cc.y = et * dc.cd + q * dc.sd;
    cc.d = et * dc.sd - q * dc.cd;

    if (q == 0) {
        cc.tt = Corners{};
    } else {
        const Corners arg = xi * et / (q * r);
        for (int l = 0; l < kLanes<Corners>; ++l) cc.tt[l] = std::atan(arg[l]);
    }

    // The logarithms, and X11, X32, Y11, Y32, mirrored where the sum cancels.
    const Corners rx = r + xi, re = r + et;
    cc.x11 = 1 / (r * rx);
    cc.x32 = (r + rx) * cc.x11 * cc.x11 / r;
    cc.y11 = 1 / (r * re);
    cc.y32 = (r + re) * cc.y11 * cc.y11 / r;
    for (int l = 0; l < kLanes<Corners>; ++l) {
        if (mirrored.xi[first + l]) {
            cc.alx[l] = -std::log(r[l] - xi[l]);
            cc.x11[l] = 0;
            cc.x32[l] = 0;
        } else {
            cc.alx[l] = std::log(rx[l]);
        }
        if (mirrored.et[first + l]) {
            cc.ale[l] = -std::log(r[l] - et[l]);
            cc.y11[l] = 0;
            cc.y32[l] = 0;
        } else {
            cc.ale[l] = std::log(re[l]);
        }
    }

    cc.ey = dc.sd / r - cc.y * q / cc.r3;
    cc.ez = dc.cd / r + cc.d * q / cc.r3;
    cc.fy = cc.d / cc.r3 + cc.xi2 * cc.y32 * dc.sd;
    cc.fz = cc.y / cc.r3 + cc.xi2 * cc.y32 * dc.cd;
    cc.gy = 2 * cc.x11 * dc.sd - cc.y * q * cc.x32;
    cc.gz = 2 * cc.x11 * dc.cd + cc.d * q * cc.x32;
    cc.hy = cc.d * q * cc.x32 + xi * q * cc.y32 * dc.sd;
    cc.hz = cc.y * q * cc.x32 + xi * q * cc.y32 * dc.cd;
    return true;
}

}  // namespace crustex

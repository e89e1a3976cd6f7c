// Part A of the finite rectangular source: the infinite-medium terms of one
// corner, summed over the strike-slip, dip-slip and tensile dislocations.
#pragma once

#include "engine/rectcorner.h"

namespace crustex {

template <class Corners>
[[gnu::always_inline]] inline void calcparta(const DipConst& dc, const CornerConst<Corners>& cc,
                                             const Corners& xi, const Corners& et, double q,
                                             double disl1, double disl2, double disl3,
                                             CornerVec12<Corners>& u) {
    const double a1 = dc.alp1, a2 = dc.alp2, sd = dc.sd, cd = dc.cd;
    const Corners r = cc.r, r3 = cc.r3, y = cc.y, d = cc.d;
    const Corners xy = xi * cc.y11, qx = q * cc.x11, qy = q * cc.y11;

    if (disl1 != 0) {  // strike-slip
        const double f = disl1 / kTwoPi;
        const CornerVec12<Corners> s = {
            cc.tt / 2 + a2 * xi * qy,
            a2 * q / r,
            a1 * cc.ale - a2 * q * qy,
            -a1 * qy - a2 * cc.xi2 * q * cc.y32,
            -a2 * xi * q / r3,
            a1 * xy + a2 * xi * cc.q2 * cc.y32,
            a1 * xy * sd + a2 * xi * cc.fy + d / 2 * cc.x11,
            a2 * cc.ey,
            a1 * (cd / r + qy * sd) - a2 * q * cc.fy,
            a1 * xy * cd + a2 * xi * cc.fz + y / 2 * cc.x11,
            a2 * cc.ez,
            -a1 * (sd / r - qy * cd) - a2 * q * cc.fz,
        };
        // The first contribution is added to zero, as every other one.
        for (int i = 0; i < 12; ++i) u[i] = Corners{} + f * s[i];
    } else {
        for (Corners& v : u) v = Corners{};
    }
    if (disl2 != 0) {  // dip-slip
        const double f = disl2 / kTwoPi;
        const CornerVec12<Corners> s = {
            a2 * q / r,
            cc.tt / 2 + a2 * et * qx,
            a1 * cc.alx - a2 * q * qx,
            -a2 * xi * q / r3,
            -qy / 2 - a2 * et * q / r3,
            a1 / r + a2 * cc.q2 / r3,
            a2 * cc.ey,
            a1 * d * cc.x11 + xy / 2 * sd + a2 * et * cc.gy,
            a1 * y * cc.x11 - a2 * q * cc.gy,
            a2 * cc.ez,
            a1 * y * cc.x11 + xy / 2 * cd + a2 * et * cc.gz,
            -a1 * d * cc.x11 - a2 * q * cc.gz,
        };
        for (int i = 0; i < 12; ++i) u[i] += f * s[i];
    }
    if (disl3 != 0) {  // tensile
        const double f = disl3 / kTwoPi;
        const CornerVec12<Corners> s = {
            -a1 * cc.ale - a2 * q * qy,
            -a1 * cc.alx - a2 * q * qx,
            cc.tt / 2 - a2 * (et * qx + xi * qy),
            -a1 * xy + a2 * xi * cc.q2 * cc.y32,
            -a1 / r + a2 * cc.q2 / r3,
            -a1 * qy - a2 * q * cc.q2 * cc.y32,
            -a1 * (cd / r + qy * sd) - a2 * q * cc.fy,
            -a1 * y * cc.x11 - a2 * q * cc.gy,
            a1 * (d * cc.x11 + xy * sd) + a2 * q * cc.hy,
            a1 * (sd / r - qy * cd) - a2 * q * cc.fz,
            a1 * d * cc.x11 - a2 * q * cc.gz,
            a1 * (y * cc.x11 + xy * cd) + a2 * q * cc.hz,
        };
        for (int i = 0; i < 12; ++i) u[i] += f * s[i];
    }
}

}  // namespace crustex

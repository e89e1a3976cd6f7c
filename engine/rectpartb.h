// Part B of the finite rectangular source: the first half-space correction
// of one corner, with its own limiting expressions for a vertical fault.
#pragma once

#include <cmath>

#include "engine/rectcorner.h"

namespace crustex {

template <class Corners>
[[gnu::always_inline]] inline void calcpartb(const DipConst& dc, const CornerConst<Corners>& cc,
                                             const Corners& xi, const Corners& et, double q,
                                             double disl1, double disl2, double disl3,
                                             CornerVec12<Corners>& u) {
    const double a3 = dc.alp3, sd = dc.sd, cd = dc.cd, sdsd = dc.sdsd, cdcd = dc.cdcd,
                 sdcd = dc.sdcd;
    const Corners r = cc.r, r3 = cc.r3, y = cc.y, d = cc.d, xi2 = cc.xi2;
    const double q2 = cc.q2;

    const Corners rd = r + d;
    const Corners d11 = 1 / (r * rd);
    const Corners aj2 = xi * y / rd * d11;
    const Corners aj5 = -(d + y * y / rd) * d11;
    Corners lrd;
    for (int l = 0; l < kLanes<Corners>; ++l) lrd[l] = std::log(rd[l]);

    Corners ai3, ai4, ak1, ak3, aj3, aj6;
    if (cd != 0) {
        // Where xi = 0 the integral term is 0: its arc tangent is not taken.
        Corners x;
        for (int l = 0; l < kLanes<Corners>; ++l) x[l] = std::sqrt(xi2[l] + q2);
        const Corners arg = (et * (x + q * cd) + x * (r + x) * sd) / (xi * (r + x) * cd);
        Corners at;
        for (int l = 0; l < kLanes<Corners>; ++l) at[l] = xi[l] == 0 ? 0 : std::atan(arg[l]);
        ai4 = 1 / cdcd * (xi / rd * sdcd + 2 * at);
        for (int l = 0; l < kLanes<Corners>; ++l) {
            if (xi[l] == 0) ai4[l] = 0;
        }
        ai3 = (y * cd / rd - cc.ale + sd * lrd) / cdcd;
        ak1 = xi * (d11 - cc.y11 * sd) / cd;
        ak3 = (q * cc.y11 - y * d11) / cd;
        aj3 = (ak1 - aj2 * sd) / cd;
        aj6 = (ak3 - aj5 * sd) / cd;
    } else {
        const Corners rd2 = rd * rd;
        ai3 = (et / rd + y * q / rd2 - cc.ale) / 2;
        ai4 = xi * y / rd2 / 2;
        ak1 = xi * q / rd * d11;
        ak3 = sd / rd * (xi2 * d11 - 1);
        aj3 = -xi / rd2 * (q2 * d11 - 0.5);
        aj6 = -y / rd2 * (xi2 * d11 - 0.5);
    }

    const Corners xy = xi * cc.y11;
    const Corners ai1 = -xi / rd * cd - ai4 * sd;
    const Corners ai2 = lrd + ai3 * sd;
    const Corners ak2 = 1 / r + ak3 * sd;
    const Corners ak4 = xy * cd - ak1 * sd;
    const Corners aj1 = aj5 * cd - aj6 * sd;
    const Corners aj4 = -xy - aj2 * cd + aj3 * sd;
    const Corners qx = q * cc.x11, qy = q * cc.y11;

    if (disl1 != 0) {  // strike-slip
        const double f = disl1 / kTwoPi;
        const CornerVec12<Corners> s = {
            -xi * qy - cc.tt - a3 * ai1 * sd,
            -q / r + a3 * (y / rd) * sd,
            q * qy - a3 * ai2 * sd,
            xi2 * q * cc.y32 - a3 * aj1 * sd,
            xi * q / r3 - a3 * aj2 * sd,
            -xi * q2 * cc.y32 - a3 * aj3 * sd,
            -xi * cc.fy - d * cc.x11 + a3 * (xy + aj4) * sd,
            -cc.ey + a3 * (1 / r + aj5) * sd,
            q * cc.fy - a3 * (qy - aj6) * sd,
            -xi * cc.fz - y * cc.x11 + a3 * ak1 * sd,
            -cc.ez + a3 * y * d11 * sd,
            q * cc.fz + a3 * ak2 * sd,
        };
        // The first contribution is added to zero, as every other one.
        for (int i = 0; i < 12; ++i) u[i] = Corners{} + f * s[i];
    } else {
        for (Corners& v : u) v = Corners{};
    }
    if (disl2 != 0) {  // dip-slip
        const double f = disl2 / kTwoPi;
        const CornerVec12<Corners> s = {
            -q / r + a3 * ai3 * sdcd,
            -et * qx - cc.tt - a3 * (xi / rd) * sdcd,
            q * qx + a3 * ai4 * sdcd,
            xi * q / r3 + a3 * aj4 * sdcd,
            et * q / r3 + qy + a3 * aj5 * sdcd,
            -q2 / r3 + a3 * aj6 * sdcd,
            -cc.ey + a3 * aj1 * sdcd,
            -et * cc.gy - xy * sd + a3 * aj2 * sdcd,
            q * cc.gy + a3 * aj3 * sdcd,
            -cc.ez - a3 * ak3 * sdcd,
            -et * cc.gz - xy * cd - a3 * xi * d11 * sdcd,
            q * cc.gz - a3 * ak4 * sdcd,
        };
        for (int i = 0; i < 12; ++i) u[i] += f * s[i];
    }
    if (disl3 != 0) {  // tensile
        const double f = disl3 / kTwoPi;
        const CornerVec12<Corners> s = {
            q * qy - a3 * ai3 * sdsd,
            q * qx + a3 * (xi / rd) * sdsd,
            et * qx + xi * qy - cc.tt - a3 * ai4 * sdsd,
            -xi * q2 * cc.y32 - a3 * aj4 * sdsd,
            -q2 / r3 - a3 * aj5 * sdsd,
            q * q2 * cc.y32 - a3 * aj6 * sdsd,
            q * cc.fy - a3 * aj1 * sdsd,
            q * cc.gy - a3 * aj2 * sdsd,
            -q * cc.hy - a3 * aj3 * sdsd,
            q * cc.fz + a3 * ak3 * sdsd,
            q * cc.gz + a3 * xi * d11 * sdsd,
            -q * cc.hz + a3 * ak4 * sdsd,
        };
        for (int i = 0; i < 12; ++i) u[i] += f * s[i];
    }
}

}  // namespace crustex

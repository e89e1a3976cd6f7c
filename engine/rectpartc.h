// Part C of the finite rectangular source: the second half-space correction
// of one corner, which depends on the depth z of the observation point.
#pragma once

#include "engine/rectcorner.h"

namespace crustex {

template <class Corners>
[[gnu::always_inline]] inline void calcpartc(const DipConst& dc, const CornerConst<Corners>& cc,
                                             const Corners& xi, const Corners& et, double q,
                                             double z, double disl1, double disl2, double disl3,
                                             CornerVec12<Corners>& u) {
    const double a4 = dc.alp4, a5 = dc.alp5, sd = dc.sd, cd = dc.cd, sdsd = dc.sdsd, cdcd = dc.cdcd,
                 sdcd = dc.sdcd;
    const Corners r = cc.r, r2 = cc.r2, r3 = cc.r3, r5 = cc.r5, y = cc.y, d = cc.d;
    const Corners xi2 = cc.xi2, et2 = cc.et2;
    const double q2 = cc.q2;
    const Corners x11 = cc.x11, x32 = cc.x32, y11 = cc.y11, y32 = cc.y32;

    const Corners c = d + z;
    const Corners x53 = (8 * r2 + 9 * r * xi + 3 * xi2) * x11 * x11 * x11 / r2;
    const Corners y53 = (8 * r2 + 9 * r * et + 3 * et2) * y11 * y11 * y11 / r2;
    const double h = q * cd - z;
    const Corners z32 = sd / r3 - h * y32;
    const Corners z53 = 3 * sd / r5 - h * y53;
    const Corners y0 = y11 - xi2 * y32;
    const Corners z0 = z32 - xi2 * z53;
    const Corners ppy = cd / r3 + q * y32 * sd;
    const Corners ppz = sd / r3 - q * y32 * cd;
    const Corners qq = z * y32 + z32 + z0;
    const Corners qqy = 3 * c * d / r5 - qq * sd;
    const Corners qqz = 3 * c * y / r5 - qq * cd + q * y32;
    const Corners xy = xi * y11, qy = q * y11;
    const Corners qr = 3 * q / r5;
    const Corners cdr = (c + d) / r3;
    const Corners yy0 = y / r3 - y0 * cd;

    if (disl1 != 0) {  // strike-slip
        const double f = disl1 / kTwoPi;
        const CornerVec12<Corners> s = {
            a4 * xy * cd - a5 * xi * q * z32,
            a4 * (cd / r + 2 * qy * sd) - a5 * c * q / r3,
            a4 * qy * cd - a5 * (c * et / r3 - z * y11 + xi2 * z32),
            a4 * y0 * cd - a5 * q * z0,
            -a4 * xi * (cd / r3 + 2 * q * y32 * sd) + a5 * c * xi * qr,
            -a4 * xi * q * y32 * cd + a5 * xi * (3 * c * et / r5 - qq),
            -a4 * xi * ppy * cd - a5 * xi * qqy,
            a4 * 2 * (d / r3 - y0 * sd) * sd - y / r3 * cd - a5 * (cdr * sd - et / r3 - c * y * qr),
            -a4 * q / r3 + yy0 * sd + a5 * (cdr * cd + c * d * qr - (y0 * cd + q * z0) * sd),
            a4 * xi * ppz * cd - a5 * xi * qqz,
            a4 * 2 * (y / r3 - y0 * cd) * sd + d / r3 * cd - a5 * (cdr * cd + c * d * qr),
            yy0 * cd - a5 * (cdr * sd - c * y * qr - y0 * sdsd + q * z0 * cd),
        };
        // The first contribution is added to zero, as every other one.
        for (int i = 0; i < 12; ++i) u[i] = Corners{} + f * s[i];
    } else {
        for (Corners& v : u) v = Corners{};
    }
    if (disl2 != 0) {  // dip-slip
        const double f = disl2 / kTwoPi;
        const CornerVec12<Corners> s = {
            a4 * cd / r - qy * sd - a5 * c * q / r3,
            a4 * y * x11 - a5 * c * et * q * x32,
            -d * x11 - xy * sd - a5 * c * (x11 - q2 * x32),
            -a4 * (xi / r3) * cd + a5 * c * xi * qr + xi * q * y32 * sd,
            -a4 * y / r3 + a5 * c * et * qr,
            d / r3 - y0 * sd + a5 * (c / r3) * (1 - 3 * q2 / r2),
            -a4 * et / r3 + y0 * sdsd - a5 * (cdr * sd - c * y * qr),
            a4 * (x11 - y * y * x32) - a5 * c * ((d + 2 * q * cd) * x32 - y * et * q * x53),
            xi * ppy * sd + y * d * x32 + a5 * c * ((y + 2 * q * sd) * x32 - y * q2 * x53),
            -q / r3 + y0 * sdcd - a5 * (cdr * cd + c * d * qr),
            a4 * y * d * x32 - a5 * c * ((y - 2 * q * sd) * x32 + d * et * q * x53),
            -xi * ppz * sd + x11 - d * d * x32 - a5 * c * ((d - 2 * q * cd) * x32 - d * q2 * x53),
        };
        for (int i = 0; i < 12; ++i) u[i] += f * s[i];
    }
    if (disl3 != 0) {  // tensile
        const double f = disl3 / kTwoPi;
        const CornerVec12<Corners> s = {
            -a4 * (sd / r + qy * cd) - a5 * (z * y11 - q2 * z32),
            a4 * 2 * xy * sd + d * x11 - a5 * c * (x11 - q2 * x32),
            a4 * (y * x11 + xy * cd) + a5 * q * (c * et * x32 + xi * z32),
            a4 * (xi / r3) * sd + xi * q * y32 * cd + a5 * xi * (3 * c * et / r5 - 2 * z32 - z0),
            a4 * 2 * y0 * sd - d / r3 + a5 * (c / r3) * (1 - 3 * q2 / r2),
            -a4 * yy0 - a5 * (c * et * qr - q * z0),
            a4 * (q / r3 + y0 * sdcd) + a5 * (z / r3 * cd + c * d * qr - q * z0 * sd),
            -a4 * 2 * xi * ppy * sd - y * d * x32 +
                a5 * c * ((y + 2 * q * sd) * x32 - y * q2 * x53),
            -a4 * (xi * ppy * cd - x11 + y * y * x32) +
                a5 * (c * ((d + 2 * q * cd) * x32 - y * et * q * x53) + xi * qqy),
            -et / r3 + y0 * cdcd - a5 * (z / r3 * sd - c * y * qr - y0 * sdsd + q * z0 * cd),
            a4 * 2 * xi * ppz * sd - x11 + d * d * x32 -
                a5 * c * ((d - 2 * q * cd) * x32 - d * q2 * x53),
            a4 * (xi * ppz * cd + y * d * x32) +
                a5 * (c * ((y - 2 * q * sd) * x32 + d * et * q * x53) + xi * qqz),
        };
        for (int i = 0; i < 12; ++i) u[i] += f * s[i];
    }
}

}  // namespace crustex

// Part A of the point source: the infinite-medium terms, summed over the
// strike-slip, dip-slip, tensile and inflation potencies.
#pragma once

#include "engine/pointconst.h"

namespace crustex {

[[gnu::always_inline]] inline Vec12 calcpointparta(const DipConst& dc, const PointConst& pc,
                                                   double x, double y, double d, double pot1,
                                                   double pot2, double pot3, double pot4) {
    const double a1 = dc.alp1, a2 = dc.alp2, sd = dc.sd, cd = dc.cd, s2d = dc.s2d, c2d = dc.c2d;
    const double p = pc.p, q = pc.q, s = pc.s, t = pc.t, xy = pc.xy, x2 = pc.x2;
    const double r3 = pc.r3, r5 = pc.r5, a3 = pc.a3, a5 = pc.a5, qr = pc.qr, qrx = pc.qrx;
    Vec12 u{};

    if (pot1 != 0) {  // strike-slip
        const double f = pot1 / kTwoPi;
        const Vec12 v = {
            a1 * q / r3 + a2 * x2 * qr,
            a1 * (x / r3) * sd + a2 * xy * qr,
            -a1 * (x / r3) * cd + a2 * x * d * qr,
            x * qr * (-a1 + a2 * (1 + a5)),
            a1 * (a3 / r3) * sd + a2 * y * qr * a5,
            -a1 * (a3 / r3) * cd + a2 * d * qr * a5,
            a1 * (sd / r3 - y * qr) + a2 * (3 * x2 / r5) * pc.uy,
            (3 * x / r5) * (-a1 * y * sd + a2 * (y * pc.uy + q)),
            (3 * x / r5) * (a1 * y * cd + a2 * d * pc.uy),
            a1 * (cd / r3 + d * qr) + a2 * (3 * x2 / r5) * pc.uz,
            (3 * x / r5) * (a1 * d * sd + a2 * y * pc.uz),
            (3 * x / r5) * (-a1 * d * cd + a2 * (d * pc.uz - q)),
        };
        for (int i = 0; i < 12; ++i) u[i] += f * v[i];
    }
    if (pot2 != 0) {  // dip-slip
        const double f = pot2 / kTwoPi;
        const Vec12 v = {
            a2 * x * p * qr,
            a1 * s / r3 + a2 * y * p * qr,
            -a1 * t / r3 + a2 * d * p * qr,
            a2 * p * qr * a5,
            -a1 * 3 * x * s / r5 - a2 * y * p * qrx,
            a1 * 3 * x * t / r5 - a2 * d * p * qrx,
            a2 * (3 * x / r5) * pc.vy,
            a1 * (s2d / r3 - 3 * y * s / r5) + a2 * ((3 * y / r5) * pc.vy + p * qr),
            -a1 * (c2d / r3 - 3 * y * t / r5) + a2 * (3 * d / r5) * pc.vy,
            a2 * (3 * x / r5) * pc.vz,
            a1 * (c2d / r3 + 3 * d * s / r5) + a2 * (3 * y / r5) * pc.vz,
            a1 * (s2d / r3 - 3 * d * t / r5) + a2 * ((3 * d / r5) * pc.vz - p * qr),
        };
        for (int i = 0; i < 12; ++i) u[i] += f * v[i];
    }
    if (pot3 != 0) {  // tensile
        const double f = pot3 / kTwoPi;
        const Vec12 v = {
            a1 * x / r3 - a2 * x * q * qr,
            a1 * t / r3 - a2 * y * q * qr,
            a1 * s / r3 - a2 * d * q * qr,
            a1 * a3 / r3 - a2 * q * qr * a5,
            -a1 * 3 * x * t / r5 + a2 * y * q * qrx,
            -a1 * 3 * x * s / r5 + a2 * d * q * qrx,
            -a1 * 3 * xy / r5 - a2 * x * qr * pc.wy,
            a1 * (c2d / r3 - 3 * y * t / r5) - a2 * (y * pc.wy + q) * qr,
            a1 * (s2d / r3 - 3 * y * s / r5) - a2 * d * qr * pc.wy,
            a1 * 3 * x * d / r5 - a2 * x * qr * pc.wz,
            -a1 * (s2d / r3 - 3 * d * t / r5) - a2 * y * qr * pc.wz,
            a1 * (c2d / r3 + 3 * d * s / r5) - a2 * (d * pc.wz - q) * qr,
        };
        for (int i = 0; i < 12; ++i) u[i] += f * v[i];
    }
    if (pot4 != 0) {  // inflation
        const double f = pot4 / kTwoPi;
        Vec12 v;
        v[0] = -a1 * x / r3;
        v[1] = -a1 * y / r3;
        v[2] = -a1 * d / r3;
        v[3] = -a1 * a3 / r3;
        v[4] = a1 * 3 * xy / r5;
        v[5] = a1 * 3 * x * d / r5;
        v[6] = v[4];
        v[7] = -a1 * pc.b3 / r3;
        v[8] = a1 * 3 * y * d / r5;
        v[9] = -v[5];
        v[10] = -v[8];
        v[11] = a1 * pc.c3 / r3;
        for (int i = 0; i < 12; ++i) u[i] += f * v[i];
    }
    return u;
}

}  // namespace crustex

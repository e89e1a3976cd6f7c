// Part C of the point source: the second half-space correction, which
// depends on the depth z of the observation point.
#pragma once

#include "engine/pointconst.h"

namespace crustex {

[[gnu::always_inline]] inline Vec12 calcpointpartc(const DipConst& dc, const PointConst& pc,
                                                   double x, double y, double d, double z,
                                                   double pot1, double pot2, double pot3,
                                                   double pot4) {
    const double a4 = dc.alp4, a5c = dc.alp5, sd = dc.sd, cd = dc.cd, sdsd = dc.sdsd,
                 sdcd = dc.sdcd, s2d = dc.s2d, c2d = dc.c2d;
    const double p = pc.p, q = pc.q, s = pc.s, t = pc.t, xy = pc.xy, x2 = pc.x2, y2 = pc.y2,
                 d2 = pc.d2;
    const double r2 = pc.r2, r3 = pc.r3, r5 = pc.r5, qr = pc.qr, qrx = pc.qrx;
    const double a3 = pc.a3, a5 = pc.a5;

    const double c = d + z;
    const double q2 = q * q;
    const double r7 = r5 * r2;
    const double a7 = 1 - 7 * x2 / r2;
    const double b5 = 1 - 5 * y2 / r2;
    const double b7 = 1 - 7 * y2 / r2;
    const double c5 = 1 - 5 * d2 / r2;
    const double c7 = 1 - 7 * d2 / r2;
    const double d7 = 2 - 7 * q2 / r2;
    const double qr5 = 5 * q / r2;
    const double qr7 = 7 * q / r2;
    const double dr5 = 5 * d / r2;
    Vec12 u{};

    if (pot1 != 0) {  // strike-slip
        const double f = pot1 / kTwoPi;
        Vec12 v;
        v[0] = -a4 * (a3 / r3) * cd + a5c * c * qr * a5;
        v[1] = (3 * x / r5) * (a4 * y * cd + a5c * c * (sd - y * qr5));
        v[2] = (3 * x / r5) * (-a4 * y * sd + a5c * c * (cd + d * qr5));
        v[3] = a4 * (3 * x / r5) * (2 + a5) * cd - a5c * c * qrx * (2 + a7);
        v[4] = (3 / r5) * (a4 * y * a5 * cd + a5c * c * (a5 * sd - y * qr5 * a7));
        v[5] = (3 / r5) * (-a4 * y * a5 * sd + a5c * c * (a5 * cd + d * qr5 * a7));
        v[6] = v[4];
        v[7] = (3 * x / r5) * (a4 * b5 * cd - a5c * (5 * c / r2) * (2 * y * sd + q * b7));
        v[8] = (3 * x / r5) * (-a4 * b5 * sd + a5c * (5 * c / r2) * (d * b7 * sd - y * c7 * cd));
        v[9] = (3 / r5) * (-a4 * d * a5 * cd + a5c * c * (a5 * cd + d * qr5 * a7));
        v[10] = (15 * x / r7) * (a4 * y * d * cd + a5c * c * (d * b7 * sd - y * c7 * cd));
        v[11] = (15 * x / r7) * (-a4 * y * d * sd + a5c * c * (2 * d * cd - q * c7));
        for (int i = 0; i < 12; ++i) u[i] += f * v[i];
    }
    if (pot2 != 0) {  // dip-slip
        const double f = pot2 / kTwoPi;
        Vec12 v;
        v[0] = a4 * 3 * x * t / r5 - a5c * c * p * qrx;
        v[1] = -(a4 / r3) * (c2d - 3 * y * t / r2) + a5c * (3 * c / r5) * (s - y * p * qr5);
        v[2] = -a4 * (a3 / r3) * sdcd + a5c * (3 * c / r5) * (t + d * p * qr5);
        v[3] = a4 * (3 * t / r5) * a5 - a5c * 5 * c * p * (qr / r2) * a7;
        v[4] =
            (3 * x / r5) * (a4 * (c2d - 5 * y * t / r2) - a5c * (5 * c / r2) * (s - y * p * qr7));
        v[5] = (3 * x / r5) * (a4 * (2 + a5) * sdcd - a5c * (5 * c / r2) * (t + d * p * qr7));
        v[6] = v[4];
        v[7] = (3 / r5) *
               (a4 * (2 * y * c2d + t * b5) + a5c * c * (s2d - 10 * y * s / r2 - p * qr5 * b7));
        v[8] = (3 / r5) * (a4 * y * a5 * sdcd - a5c * c * ((3 + a5) * c2d + y * p * dr5 * qr7));
        v[9] = (3 * x / r5) * (-a4 * (s2d - t * dr5) - a5c * (5 * c / r2) * (t + d * p * qr7));
        v[10] = (3 / r5) * (-a4 * (d * b5 * c2d + y * c5 * s2d) -
                            a5c * c * ((3 + a5) * c2d + y * p * dr5 * qr7));
        v[11] = (3 / r5) * (-a4 * d * a5 * sdcd - a5c * c * (s2d - 10 * d * t / r2 + p * qr5 * c7));
        for (int i = 0; i < 12; ++i) u[i] += f * v[i];
    }
    if (pot3 != 0) {  // tensile
        const double f = pot3 / kTwoPi;
        Vec12 v;
        v[0] = (3 * x / r5) * (-a4 * s + a5c * (c * q * qr5 - z));
        v[1] = (a4 / r3) * (s2d - 3 * y * s / r2) +
               a5c * (3 / r5) * (c * (t - y + y * q * qr5) - y * z);
        v[2] = -(a4 / r3) * (1 - a3 * sdsd) - a5c * (3 / r5) * (c * (s - d + d * q * qr5) - d * z);
        v[3] = -a4 * (3 * s / r5) * a5 + a5c * (c * qr * qr5 * a7 - (3 * z / r5) * a5);
        v[4] = (3 * x / r5) * (-a4 * (s2d - 5 * y * s / r2) -
                               a5c * (5 / r2) * (c * (t - y + y * q * qr7) - y * z));
        v[5] = (3 * x / r5) *
               (a4 * (1 - (2 + a5) * sdsd) + a5c * (5 / r2) * (c * (s - d + d * q * qr7) - d * z));
        v[6] = v[4];
        v[7] = (3 / r5) * (-a4 * (2 * y * s2d + s * b5) -
                           a5c * (c * (2 * sdsd + 10 * y * (t - y) / r2 - q * qr5 * b7) + z * b5));
        v[8] = (3 / r5) *
               (a4 * y * (1 - a5 * sdsd) + a5c * (c * (3 + a5) * s2d - y * dr5 * (c * d7 + z)));
        v[9] = (3 * x / r5) *
               (-a4 * (c2d + s * dr5) + a5c * ((5 * c / r2) * (s - d + d * q * qr7) - 1 - z * dr5));
        v[10] = (3 / r5) * (a4 * (d * b5 * s2d - y * c5 * c2d) +
                            a5c * (c * ((3 + a5) * s2d - y * dr5 * d7) - y * (1 + z * dr5)));
        v[11] =
            (3 / r5) * (-a4 * d * (1 - a5 * sdsd) -
                        a5c * (c * (c2d + 10 * d * (s - d) / r2 - q * qr5 * c7) + z * (1 + c5)));
        for (int i = 0; i < 12; ++i) u[i] += f * v[i];
    }
    if (pot4 != 0) {  // inflation
        const double f = pot4 / kTwoPi;
        Vec12 v;
        v[0] = a4 * 3 * x * d / r5;
        v[1] = a4 * 3 * y * d / r5;
        v[2] = a4 * pc.c3 / r3;
        v[3] = a4 * (3 * d / r5) * a5;
        v[4] = -a4 * 15 * xy * d / r7;
        v[5] = -a4 * (3 * x / r5) * c5;
        v[6] = v[4];
        v[7] = a4 * (3 * d / r5) * b5;
        v[8] = -a4 * (3 * y / r5) * c5;
        v[9] = v[5];
        v[10] = v[8];
        v[11] = a4 * (3 * d / r5) * (2 + c5);
        for (int i = 0; i < 12; ++i) u[i] += f * v[i];
    }
    return u;
}

}  // namespace crustex

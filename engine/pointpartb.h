// Part B of the point source: the first half-space correction.
#pragma once

#include "engine/pointconst.h"

namespace crustex {

[[gnu::always_inline]] inline Vec12 calcpointpartb(const DipConst& dc, const PointConst& pc,
                                                   double x, double y, double d, double z,
                                                   double pot1, double pot2, double pot3,
                                                   double pot4) {
    const double a3c = dc.alp3, sd = dc.sd, sdsd = dc.sdsd, sdcd = dc.sdcd;
    const double p = pc.p, q = pc.q, xy = pc.xy, x2 = pc.x2, y2 = pc.y2, d2 = pc.d2;
    const double r = pc.r, r2 = pc.r2, r3 = pc.r3, r5 = pc.r5, qr = pc.qr, qrx = pc.qrx;
    const double a3 = pc.a3, a5 = pc.a5;

    const double c = d + z;
    const double rd = r + d;
    const double d12 = 1 / (r * rd * rd);
    const double d32 = d12 * (2 * r + d) / r2;
    const double d33 = d12 * (3 * r + d) / (r2 * rd);
    const double d53 = d12 * (8 * r2 + 9 * r * d + 3 * d2) / (r2 * r2 * rd);
    const double d54 = d12 * (5 * r2 + 4 * r * d + d2) / r3 * d12;

    const double ai1 = y * (d12 - x2 * d33);
    const double ai2 = x * (d12 - y2 * d33);
    const double ai3 = x / r3 - ai2;
    const double ai4 = -xy * d32;
    const double ai5 = 1 / (r * rd) - x2 * d32;
    const double aj1 = -3 * xy * (d33 - x2 * d54);
    const double aj2 = 1 / r3 - 3 * d12 + 3 * x2 * y2 * d54;
    const double aj3 = a3 / r3 - aj2;
    const double aj4 = -3 * xy / r5 - aj1;
    const double ak1 = -y * (d32 - x2 * d53);
    const double ak2 = -x * (d32 - y2 * d53);
    const double ak3 = -3 * x * d / r5 - ak2;
    Vec12 u{};

    if (pot1 != 0) {  // strike-slip
        const double f = pot1 / kTwoPi;
        const Vec12 v = {
            -x2 * qr - a3c * ai1 * sd,
            -xy * qr - a3c * ai2 * sd,
            -c * x * qr - a3c * ai4 * sd,
            -x * qr * (1 + a5) - a3c * aj1 * sd,
            -y * qr * a5 - a3c * aj2 * sd,
            -c * qr * a5 - a3c * ak1 * sd,
            -(3 * x2 / r5) * pc.uy - a3c * aj2 * sd,
            -(3 * xy / r5) * pc.uy - x * qr - a3c * aj4 * sd,
            -(3 * c * x / r5) * pc.uy - a3c * ak2 * sd,
            -(3 * x2 / r5) * pc.uz + a3c * ak1 * sd,
            -(3 * xy / r5) * pc.uz + a3c * ak2 * sd,
            (3 * x / r5) * (-c * pc.uz + a3c * y * sd),
        };
        for (int i = 0; i < 12; ++i) u[i] += f * v[i];
    }
    if (pot2 != 0) {  // dip-slip
        const double f = pot2 / kTwoPi;
        const Vec12 v = {
            -x * p * qr + a3c * ai3 * sdcd,
            -y * p * qr + a3c * ai1 * sdcd,
            -c * p * qr + a3c * ai5 * sdcd,
            -p * qr * a5 + a3c * aj3 * sdcd,
            y * p * qrx + a3c * aj1 * sdcd,
            c * p * qrx + a3c * ak3 * sdcd,
            -(3 * x / r5) * pc.vy + a3c * aj1 * sdcd,
            -(3 * y / r5) * pc.vy - p * qr + a3c * aj2 * sdcd,
            -(3 * c / r5) * pc.vy + a3c * ak1 * sdcd,
            -(3 * x / r5) * pc.vz - a3c * ak3 * sdcd,
            -(3 * y / r5) * pc.vz - a3c * ak1 * sdcd,
            -(3 * c / r5) * pc.vz + a3c * (a3 / r3) * sdcd,
        };
        for (int i = 0; i < 12; ++i) u[i] += f * v[i];
    }
    if (pot3 != 0) {  // tensile
        const double f = pot3 / kTwoPi;
        const Vec12 v = {
            x * q * qr - a3c * ai3 * sdsd,     y * q * qr - a3c * ai1 * sdsd,
            c * q * qr - a3c * ai5 * sdsd,     q * qr * a5 - a3c * aj3 * sdsd,
            -y * q * qrx - a3c * aj1 * sdsd,   -c * q * qrx - a3c * ak3 * sdsd,
            x * qr * pc.wy - a3c * aj1 * sdsd, qr * (y * pc.wy + q) - a3c * aj2 * sdsd,
            c * qr * pc.wy - a3c * ak1 * sdsd, x * qr * pc.wz + a3c * ak3 * sdsd,
            y * qr * pc.wz + a3c * ak1 * sdsd, c * qr * pc.wz - a3c * (a3 / r3) * sdsd,
        };
        for (int i = 0; i < 12; ++i) u[i] += f * v[i];
    }
    if (pot4 != 0) {  // inflation
        const double f = pot4 / kTwoPi;
        Vec12 v;
        v[0] = a3c * x / r3;
        v[1] = a3c * y / r3;
        v[2] = a3c * d / r3;
        v[3] = a3c * a3 / r3;
        v[4] = -a3c * 3 * xy / r5;
        v[5] = -a3c * 3 * x * d / r5;
        v[6] = v[4];
        v[7] = a3c * pc.b3 / r3;
        v[8] = -a3c * 3 * y * d / r5;
        v[9] = -v[5];
        v[10] = -v[8];
        v[11] = -a3c * pc.c3 / r3;
        for (int i = 0; i < 12; ++i) u[i] += f * v[i];
    }
    return u;
}

}  // namespace crustex

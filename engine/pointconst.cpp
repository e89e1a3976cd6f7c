#include "engine/pointconst.h"

#include <cmath>

namespace crustex {

void setpointdipconst(DipConst& dc, double alpha, double dip) { setdipconst(dc, alpha, dip); }

bool setpointconst(const DipConst& dc, PointConst& pc, double& x, double& y, double& d) {
    if (std::fabs(x) < 1e-6) x = 0;
    if (std::fabs(y) < 1e-6) y = 0;
    if (std::fabs(d) < 1e-6) d = 0;
    const double sd = dc.sd, cd = dc.cd;
    pc.p = y * cd + d * sd;
    pc.q = y * sd - d * cd;
    pc.s = pc.p * sd + pc.q * cd;
    pc.t = pc.p * cd - pc.q * sd;
    pc.xy = x * y;
    pc.x2 = x * x;
    pc.y2 = y * y;
    pc.d2 = d * d;
    pc.r2 = pc.x2 + pc.y2 + pc.d2;
    pc.r = std::sqrt(pc.r2);
    if (pc.r == 0) return false;

    const double r2 = pc.r2, p = pc.p, q = pc.q;
    pc.r3 = pc.r * r2;
    pc.r5 = pc.r3 * r2;
    pc.r7 = pc.r5 * r2;
    pc.a3 = 1 - 3 * pc.x2 / r2;
    pc.a5 = 1 - 5 * pc.x2 / r2;
    pc.b3 = 1 - 3 * pc.y2 / r2;
    pc.c3 = 1 - 3 * pc.d2 / r2;
    pc.qr = 3 * q / pc.r5;
    pc.qrx = 5 * pc.qr * x / r2;
    pc.uy = sd - 5 * y * q / r2;
    pc.uz = cd + 5 * d * q / r2;
    pc.vy = pc.s - 5 * y * p * q / r2;
    pc.vz = pc.t + 5 * d * p * q / r2;
    pc.wy = pc.uy + sd;
    pc.wz = pc.uz + cd;
    return true;
}

}  // namespace crustex

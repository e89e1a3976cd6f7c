#include "engine/rectconst.h"

#include <cmath>

namespace crustex {

void setdipconst(DipConst& dc, double alpha, double dip) {
    dc.alp1 = (1 - alpha) / 2;
    dc.alp2 = alpha / 2;
    dc.alp3 = (1 - alpha) / alpha;
    dc.alp4 = 1 - alpha;
    dc.alp5 = alpha;

    const double delta = dip * (kTwoPi / 360);
    dc.sd = std::sin(delta);
    dc.cd = std::cos(delta);
    if (std::fabs(dc.cd) < 1e-6) {
        dc.cd = 0;
        if (dc.sd > 0) dc.sd = 1;
        if (dc.sd < 0) dc.sd = -1;
    }
    dc.sdsd = dc.sd * dc.sd;
    dc.cdcd = dc.cd * dc.cd;
    dc.sdcd = dc.sd * dc.cd;
    dc.s2d = 2 * dc.sdcd;
    dc.c2d = dc.cdcd - dc.sdsd;
}

bool setcornerconst(const DipConst& dc, CornerConst& cc, double& xi, double& et, double& q) {
    if (std::fabs(xi) < 1e-6) xi = 0;
    if (std::fabs(et) < 1e-6) et = 0;
    if (std::fabs(q) < 1e-6) q = 0;
    cc.xi2 = xi * xi;
    cc.et2 = et * et;
    cc.q2 = q * q;
    cc.r2 = cc.xi2 + cc.et2 + cc.q2;
    cc.r = std::sqrt(cc.r2);
    if (cc.r == 0) return false;

    const double r = cc.r;
    cc.r3 = r * cc.r2;
    cc.r5 = cc.r3 * cc.r2;
    cc.y = et * dc.cd + q * dc.sd;
    cc.d = et * dc.sd - q * dc.cd;

    cc.tt = q == 0 ? 0 : std::atan(xi * et / (q * r));

    if (xi < 0 && q == 0 && et == 0) {
        cc.alx = -std::log(r - xi);
        cc.x11 = 0;
        cc.x32 = 0;
    } else {
        const double rx = r + xi;
        cc.alx = std::log(rx);
        cc.x11 = 1 / (r * rx);
        cc.x32 = (r + rx) * cc.x11 * cc.x11 / r;
    }
    if (et < 0 && q == 0 && xi == 0) {
        cc.ale = -std::log(r - et);
        cc.y11 = 0;
        cc.y32 = 0;
    } else {
        const double re = r + et;
        cc.ale = std::log(re);
        cc.y11 = 1 / (r * re);
        cc.y32 = (r + re) * cc.y11 * cc.y11 / r;
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

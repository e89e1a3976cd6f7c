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

}  // namespace crustex

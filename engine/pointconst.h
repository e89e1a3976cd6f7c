// Constants of the point source: the medium and dip constants of one
// evaluation and the constants of one source-to-point offset.
#pragma once

#include "engine/rectconst.h"

namespace crustex {

// The point source keeps its own medium and dip constants, set exactly as
// for the rectangular source.
void setpointdipconst(DipConst& dc, double alpha, double dip);

// Constants of the offset (x, y, d) from the point source.
struct PointConst {
    double p = 0, q = 0, s = 0, t = 0;
    double xy = 0, x2 = 0, y2 = 0, d2 = 0;
    double r2 = 0, r = 0, r3 = 0, r5 = 0, r7 = 0;
    double a3 = 0, a5 = 0, b3 = 0, c3 = 0;
    double qr = 0, qrx = 0;
    double uy = 0, uz = 0, vy = 0, vz = 0, wy = 0, wz = 0;
};

// Sets the constants of (x, y, d). Values below 1e-6 in size are first set
// to exactly 0 in the caller's variables. Returns false when the distance is
// 0; the distance-dependent constants are then left as they were.
bool setpointconst(const DipConst& dc, PointConst& pc, double& x, double& y, double& d);

}  // namespace crustex

// The point source: the real source and its image above the free surface.
#include "engine/dislocation.h"
#include "engine/dislocationsum.h"
#include "engine/pointconst.h"
#include "engine/pointparta.h"
#include "engine/pointpartb.h"
#include "engine/pointpartc.h"

namespace crustex {

int16_t calcpointsource(float alpha, float x, float y, float z, float depth, float dip, float pot1,
                        float pot2, float pot3, float pot4, DislocationResult& out) {
    DipConst dc;
    setpointdipconst(dc, alpha, dip);
    double xx = x, yy = y;
    const double zz = z;
    PointConst pc;
    Vec12 sum{};

    // Real source: part A only.
    double d = static_cast<float>(depth + z);
    if (!setpointconst(dc, pc, xx, yy, d)) return singularresult(out);
    const Vec12 ar = calcpointparta(dc, pc, xx, yy, d, pot1, pot2, pot3, pot4);
    for (int i = 0; i < 9; ++i) sum[i] -= ar[i];
    for (int i = 9; i < 12; ++i) sum[i] += ar[i];

    // Image source: parts A, B and C.
    d = static_cast<float>(depth - z);
    if (!setpointconst(dc, pc, xx, yy, d)) return singularresult(out);
    const Vec12 a = calcpointparta(dc, pc, xx, yy, d, pot1, pot2, pot3, pot4);
    const Vec12 b = calcpointpartb(dc, pc, xx, yy, d, zz, pot1, pot2, pot3, pot4);
    const Vec12 c = calcpointpartc(dc, pc, xx, yy, d, zz, pot1, pot2, pot3, pot4);
    for (int i = 0; i < 12; ++i) {
        double u = a[i] + b[i] + zz * c[i];
        if (i >= 9) u += c[i - 9];
        sum[i] += u;
    }

    return storeresult(sum, out);
}

}  // namespace crustex

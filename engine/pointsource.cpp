// The point source: the real source and its image above the free surface.
#include <cmath>

#include "engine/dislocation.h"
#include "engine/dislocationsum.h"
#include "engine/pointconst.h"
#include "engine/pointparta.h"
#include "engine/pointpartb.h"
#include "engine/pointpartc.h"
#include "engine/solutionsums.h"

namespace crustex {

namespace {

// The sums at (x, y, z); returns 1 for a point at the source (or above the
// surface at its image), 0 otherwise. Real is the type of the arguments:
// float as the program passes them (the source's depth and z are then added
// as floats), or double.
template <class Real>
int16_t pointsums(Real alpha, Real x, Real y, Real z, Real depth, Real dip, Real pot1, Real pot2,
                  Real pot3, Real pot4, Vec12& sum) {
    DipConst dc;
    setpointdipconst(dc, alpha, dip);
    double xx = x, yy = y;
    const double zz = z;
    PointConst pc;
    sum = Vec12{};

    // Real source: part A only.
    double d = static_cast<Real>(depth + z);
    if (!setpointconst(dc, pc, xx, yy, d)) return 1;
    const Vec12 ar = calcpointparta(dc, pc, xx, yy, d, pot1, pot2, pot3, pot4);
    for (int i = 0; i < 9; ++i) sum[i] -= ar[i];
    for (int i = 9; i < 12; ++i) sum[i] += ar[i];

    // Image source: parts A, B and C.
    d = static_cast<Real>(depth - z);
    if (!setpointconst(dc, pc, xx, yy, d)) return 1;
    const Vec12 a = calcpointparta(dc, pc, xx, yy, d, pot1, pot2, pot3, pot4);
    const Vec12 b = calcpointpartb(dc, pc, xx, yy, d, zz, pot1, pot2, pot3, pot4);
    const Vec12 c = calcpointpartc(dc, pc, xx, yy, d, zz, pot1, pot2, pot3, pot4);
    for (int i = 0; i < 12; ++i) {
        double u = a[i] + b[i] + zz * c[i];
        if (i >= 9) u += c[i - 9];
        sum[i] += u;
    }
    return 0;
}

}  // namespace

int16_t calcpointsource(float alpha, float x, float y, float z, float depth, float dip, float pot1,
                        float pot2, float pot3, float pot4, DislocationResult& out) {
    Vec12 sum;
    if (pointsums<float>(alpha, x, y, z, depth, dip, pot1, pot2, pot3, pot4, sum) != 0) {
        return singularresult(out);
    }
    return storeresult(sum, out);
}

namespace {

template <class Real>
int16_t finiteinflation(const InflationArgsOf<Real>& a, Real x, Real y, Real z, Vec12& sum) {
    if (pointsums<Real>(a.alpha, x, y, z, a.depth, 0, 0, 0, 0, a.potency, sum) != 0) return 1;
    for (double v : sum) {
        if (!std::isfinite(v)) return 1;
    }
    return 0;
}

}  // namespace

int16_t inflationsums(const InflationArgs& a, float x, float y, float z, Vec12& sum) {
    return finiteinflation(a, x, y, z, sum);
}

int16_t inflationsums64(const InflationArgs64& a, double x, double y, double z, Vec12& sum) {
    return finiteinflation(a, x, y, z, sum);
}

}  // namespace crustex

// The inflation point source for a block of points, one point per lane: the
// inflation terms of parts A, B and C of the per-point routine (pointsource.cpp
// and the point*.h headers), with the powers of R divided by once.

// Per-target include guard: flipped by foreach_target.h for every target.
#if defined(CRUSTEX_ENGINE_POINTBLOCK_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef CRUSTEX_ENGINE_POINTBLOCK_INL_H_
#undef CRUSTEX_ENGINE_POINTBLOCK_INL_H_
#else
#define CRUSTEX_ENGINE_POINTBLOCK_INL_H_
#endif

#include "engine/blockvec-inl.h"
#include "engine/nodeblocks.h"

HWY_BEFORE_NAMESPACE();
namespace crustex {
namespace HWY_NAMESPACE {

// The constants of the offset (x, y, d) from the source that the inflation
// terms use.
struct PointOffset {
    VD x, y, d, xy, x2, y2, d2;
    VD r2, ir2, ir3, ir5, a3, b3, c3;
};

// Returns the lanes at distance 0.
HWY_INLINE VM setoffset(VD x, VD y, VD d, PointOffset& o) {
    o.x = x;
    o.y = y;
    o.d = d;
    o.xy = x * y;
    o.x2 = x * x;
    o.y2 = y * y;
    o.d2 = d * d;
    o.r2 = o.x2 + o.y2 + o.d2;
    const VD r = vsqrt(o.r2);
    const VD ir = 1.0 / r;
    o.ir2 = ir * ir;
    o.ir3 = o.ir2 * ir;
    o.ir5 = o.ir3 * o.ir2;
    o.a3 = 1 - 3 * o.x2 * o.ir2;
    o.b3 = 1 - 3 * o.y2 * o.ir2;
    o.c3 = 1 - 3 * o.d2 * o.ir2;
    return r == 0;
}

HWY_INLINE void inflationa(const InflationBlockSource& s, const PointOffset& o, V12& u) {
    const double a1 = s.alp1, f = s.f;
    VD v[12];
    v[0] = -a1 * o.x * o.ir3;
    v[1] = -a1 * o.y * o.ir3;
    v[2] = -a1 * o.d * o.ir3;
    v[3] = -a1 * o.a3 * o.ir3;
    v[4] = a1 * 3 * o.xy * o.ir5;
    v[5] = a1 * 3 * o.x * o.d * o.ir5;
    v[6] = v[4];
    v[7] = -a1 * o.b3 * o.ir3;
    v[8] = a1 * 3 * o.y * o.d * o.ir5;
    v[9] = -v[5];
    v[10] = -v[8];
    v[11] = a1 * o.c3 * o.ir3;
    for (int i = 0; i < 12; ++i) u.v[i] = f * v[i];
}

HWY_INLINE void inflationb(const InflationBlockSource& s, const PointOffset& o, V12& u) {
    const double a3c = s.alp3, f = s.f;
    VD v[12];
    v[0] = a3c * o.x * o.ir3;
    v[1] = a3c * o.y * o.ir3;
    v[2] = a3c * o.d * o.ir3;
    v[3] = a3c * o.a3 * o.ir3;
    v[4] = -a3c * 3 * o.xy * o.ir5;
    v[5] = -a3c * 3 * o.x * o.d * o.ir5;
    v[6] = v[4];
    v[7] = a3c * o.b3 * o.ir3;
    v[8] = -a3c * 3 * o.y * o.d * o.ir5;
    v[9] = -v[5];
    v[10] = -v[8];
    v[11] = -a3c * o.c3 * o.ir3;
    for (int i = 0; i < 12; ++i) u.v[i] = f * v[i];
}

// Part C. At the surface (kGradients false) only the displacement terms are
// needed: the others are multiplied by z = 0.
template <bool kGradients>
HWY_INLINE void inflationc(const InflationBlockSource& s, const PointOffset& o, V12& u) {
    const double a4 = s.alp4, f = s.f;
    const VD x = o.x, y = o.y, d = o.d;
    VD v[12] = {};
    v[0] = a4 * 3 * x * d * o.ir5;
    v[1] = a4 * 3 * y * d * o.ir5;
    v[2] = a4 * o.c3 * o.ir3;
    if constexpr (kGradients) {
        const VD ir7 = o.ir5 * o.ir2;
        const VD a5 = 1 - 5 * o.x2 * o.ir2;
        const VD b5 = 1 - 5 * o.y2 * o.ir2;
        const VD c5 = 1 - 5 * o.d2 * o.ir2;
        v[3] = a4 * (3 * d * o.ir5) * a5;
        v[4] = -a4 * 15 * o.xy * d * ir7;
        v[5] = -a4 * (3 * x * o.ir5) * c5;
        v[6] = v[4];
        v[7] = a4 * (3 * d * o.ir5) * b5;
        v[8] = -a4 * (3 * y * o.ir5) * c5;
        v[9] = v[5];
        v[10] = v[8];
        v[11] = a4 * (3 * d * o.ir5) * (2 + c5);
    }
    for (int i = 0; i < 12; ++i) u.v[i] = f * v[i];
}

// The sums of one block at (x, y, z); returns the lanes to hand to the
// per-point routine.
HWY_INLINE VM inflationblocksums(const InflationBlockSource& s, VF x, VF y, VF z, VD (&sum)[12]) {
    const VD xd = cleaned(todouble(x)), yd = cleaned(todouble(y)), zd = todouble(z);
    const VD dreal = cleaned(todouble(s.args.depth + z));
    const bool surface = !anyset(z != 0);

    PointOffset real;
    VM fallback = setoffset(xd, yd, dreal, real);
    V12 a;
    inflationa(s, real, a);
    for (int i = 0; i < 9; ++i) sum[i] = -a.v[i];
    for (int i = 9; i < 12; ++i) sum[i] = a.v[i];

    V12 b, c, u;
    if (surface) {
        // The image lies at the same depth: same offset and part A.
        inflationb(s, real, b);
        inflationc<false>(s, real, c);
        for (int i = 0; i < 12; ++i) u.v[i] = a.v[i] + b.v[i];
    } else {
        PointOffset image;
        fallback |= setoffset(xd, yd, cleaned(todouble(s.args.depth - z)), image);
        inflationa(s, image, a);
        inflationb(s, image, b);
        inflationc<true>(s, image, c);
        for (int i = 0; i < 12; ++i) u.v[i] = a.v[i] + b.v[i] + zd * c.v[i];
    }
    for (int i = 9; i < 12; ++i) u.v[i] += c.v[i - 9];
    for (int i = 0; i < 12; ++i) {
        sum[i] += u.v[i];
        fallback |= notfinite(sum[i]);
    }
    return fallback;
}

}  // namespace HWY_NAMESPACE
}  // namespace crustex
HWY_AFTER_NAMESPACE();

#endif  // CRUSTEX_ENGINE_POINTBLOCK_INL_H_

// The two half-space solutions for a block of observation points at once,
// one point per vector lane, with everything that does not depend on the
// point set up once per source.
//
// Each lane does the arithmetic of the per-point routine with two
// differences: logarithm and arc tangent are vector approximations (within a
// few units in the last place of double), and where several terms share a
// divisor its reciprocal is formed once. The 64-bit sums lie within 1e-13 of
// the largest size of that term over a field (a few 1e-15 measured), so the
// 32-bit results are those of the per-point routine or, rarely, one unit in
// the last place apart (more only where a term cancels almost to nothing).
//
// Points for which the per-point routine takes a special path are evaluated by
// it instead ("fall back"): a point on a fault edge, on an edge line or its
// extension (the mirrored logarithms), on the fault's plane or the image's,
// at the point source, and any point whose sums come out infinite. Singular
// points are therefore exactly those of the per-point routine. A point's
// result never depends on the other points of its block.
//
// The instruction set is chosen on the first call from those the processor
// runs (AVX-512, AVX2, SSE4, SSSE3, or SSE2 with scalar logarithms).
#pragma once

#include <cstdint>

#include "engine/rectconst.h"
#include "engine/solutionsums.h"

namespace crustex {

// A finite source with the constants of all its points.
struct RectBlockSource {
    RectArgs args;
    DipConst dc;
    double daw1 = 0, daw2 = 0;  // the widths in 64-bit
    double f[3] = {};           // dislocations / 2 pi
    bool has[3] = {};           // which dislocations are non-zero
    double icd = 0, icdcd = 0;  // 1 / cos dip, 1 / cos^2 dip (not vertical)
};
RectBlockSource rectblocksource(const RectArgs& a);

// An inflation point with the constants of all its points.
struct InflationBlockSource {
    InflationArgs args;
    double alp1 = 0, alp3 = 0, alp4 = 0;  // medium constants
    double f = 0;                         // potency / 2 pi
};
InflationBlockSource inflationblocksource(const InflationArgs& a);

// Points per block on this processor.
int blocklanes();

// One point of a block: its 64-bit sums in the solution's frame, IRET, and
// whether the per-point routine evaluated it.
struct BlockPoint {
    Vec12 sum{};
    int16_t iret = 0;
    bool fellback = false;
};

// Evaluates points 0..n-1 at (x[k], y[k], z[k]) in the solution's frame, in
// blocks of blocklanes() points (the last block may be shorter).
void rectblock(const RectBlockSource& src, int n, const float* x, const float* y, const float* z,
               BlockPoint* out);
void inflationblock(const InflationBlockSource& src, int n, const float* x, const float* y,
                    const float* z, BlockPoint* out);

}  // namespace crustex

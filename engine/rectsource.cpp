// The finite rectangular source: four corner terms of the real source and of
// its image above the free surface.
#include <cmath>

#include "engine/dislocation.h"
#include "engine/rectconst.h"
#include "engine/rectparta.h"
#include "engine/rectpartb.h"
#include "engine/rectpartc.h"

namespace crustex {

namespace {

int16_t singular(DislocationResult& out) {
    out = DislocationResult{};
    return 1;
}

}  // namespace

int16_t calcrectsource(float alpha, float x, float y, float z, float depth, float dip, float al1,
                       float al2, float aw1, float aw2, float disl1, float disl2, float disl3,
                       DislocationResult& out) {
    DipConst dc;
    setdipconst(dc, alpha, dip);
    const double sd = dc.sd, cd = dc.cd;
    const double zz = z;
    // The first sums are formed from the float arguments in float.
    const float xi1f = x + al1, xi2f = x - al2;
    const double xis[2] = {xi1f, xi2f};
    const double daw1 = aw1, daw2 = aw2;
    Vec12 sum{};
    CornerConst cc;

    // Real source: part A only.
    {
        const double d = static_cast<float>(depth + z);
        const double p = y * cd + d * sd;
        double q = y * sd - d * cd;
        const bool kx = xi1f * xi2f <= 0;
        const bool ke = (p + daw1) * (p - daw2) <= 0;
        for (int k = 0; k < 2; ++k) {
            for (int j = 0; j < 2; ++j) {
                double et = k == 0 ? p + daw1 : p - daw2;
                double xi = xis[j];
                const bool nonzero = setcornerconst(dc, cc, xi, et, q);
                if ((kx && q == 0 && et == 0) || (ke && q == 0 && xi == 0) || !nonzero) {
                    return singular(out);
                }
                const Vec12 r = calcparta(dc, cc, xi, et, q, disl1, disl2, disl3);
                Vec12 c;
                for (int i = 0; i < 12; i += 3) {
                    c[i] = -r[i];
                    c[i + 1] = -r[i + 1] * cd + r[i + 2] * sd;
                    c[i + 2] = -r[i + 1] * sd - r[i + 2] * cd;
                }
                c[9] = -c[9];
                c[10] = -c[10];
                c[11] = -c[11];
                if (j + k != 1) {
                    for (int i = 0; i < 12; ++i) sum[i] += c[i];
                } else {
                    for (int i = 0; i < 12; ++i) sum[i] -= c[i];
                }
            }
        }
    }

    // Image source: parts A, B and C.
    {
        const double d = static_cast<float>(depth - z);
        const double p = y * cd + d * sd;
        double q = y * sd - d * cd;
        for (int k = 0; k < 2; ++k) {
            for (int j = 0; j < 2; ++j) {
                double et = k == 0 ? p + daw1 : p - daw2;
                double xi = xis[j];
                if (!setcornerconst(dc, cc, xi, et, q)) return singular(out);
                const Vec12 a = calcparta(dc, cc, xi, et, q, disl1, disl2, disl3);
                const Vec12 b = calcpartb(dc, cc, xi, et, q, disl1, disl2, disl3);
                const Vec12 c = calcpartc(dc, cc, xi, et, q, zz, disl1, disl2, disl3);
                Vec12 u;
                for (int i = 0; i < 12; i += 3) {
                    u[i] = a[i] + b[i] + zz * c[i];
                    u[i + 1] = (a[i + 1] + b[i + 1] + zz * c[i + 1]) * cd -
                               (a[i + 2] + b[i + 2] + zz * c[i + 2]) * sd;
                    u[i + 2] = (a[i + 1] + b[i + 1] - zz * c[i + 1]) * sd +
                               (a[i + 2] + b[i + 2] - zz * c[i + 2]) * cd;
                }
                u[9] += c[0];
                u[10] += c[1] * cd - c[2] * sd;
                u[11] -= c[1] * sd + c[2] * cd;
                if (j + k != 1) {
                    for (int i = 0; i < 12; ++i) sum[i] += u[i];
                } else {
                    for (int i = 0; i < 12; ++i) sum[i] -= u[i];
                }
            }
        }
    }

    // A sum that is not finite has no value: the point is treated as singular.
    for (double v : sum) {
        if (!std::isfinite(v)) return singular(out);
    }
    out.ux = static_cast<float>(sum[0]);
    out.uy = static_cast<float>(sum[1]);
    out.uz = static_cast<float>(sum[2]);
    out.uxx = static_cast<float>(sum[3]);
    out.uyx = static_cast<float>(sum[4]);
    out.uzx = static_cast<float>(sum[5]);
    out.uxy = static_cast<float>(sum[6]);
    out.uyy = static_cast<float>(sum[7]);
    out.uzy = static_cast<float>(sum[8]);
    out.uxz = static_cast<float>(sum[9]);
    out.uyz = static_cast<float>(sum[10]);
    out.uzz = static_cast<float>(sum[11]);
    return 0;
}

}  // namespace crustex

// The finite rectangular source at one point with the four corners side by
// side in vector lanes: the corner terms of the real source and of its image
// above the free surface, summed in 64-bit. Compiled for two corners per
// vector and, per instruction set, for four; both give the same bits.
#pragma once

#include "engine/rectconst.h"
#include "engine/rectcorner.h"
#include "engine/rectparta.h"
#include "engine/rectpartb.h"
#include "engine/rectpartc.h"
#include "engine/solutionsums.h"

namespace crustex {

// Adds the corners (xi1, eta1) and (xi2, eta2) to the running sums and
// subtracts (xi2, eta1) and (xi1, eta2), corner by corner in that order.
template <class Corners>
[[gnu::always_inline]] inline void addcorners(Vec12& sum, const CornerVec12<Corners>& v,
                                              int first) {
    for (int i = 0; i < 12; ++i) {
        for (int l = 0; l < kLanes<Corners>; ++l) {
            const int corner = first + l;
            if (corner == 0 || corner == 3) {
                sum[i] += v[i][l];
            } else {
                sum[i] -= v[i][l];
            }
        }
    }
}

// Lanes of one group: xi1 for even corners, xi2 for odd ones; eta1 for the
// first two corners, eta2 for the last two.
template <class Corners>
[[gnu::always_inline]] inline void setlanes(Corners& xi, Corners& et, int first, double xi1,
                                            double xi2, double et1, double et2) {
    for (int l = 0; l < kLanes<Corners>; ++l) {
        const int corner = first + l;
        xi[l] = corner % 2 == 0 ? xi1 : xi2;
        et[l] = corner < 2 ? et1 : et2;
    }
}

// Lanes and corner constants of every group for the source (real or image)
// whose reference edge lies at depth d; sets p and q. False when a corner lies
// at distance 0 (a point on the fault's edge).
template <class Corners, int kGroups, class Real>
[[gnu::always_inline]] inline bool setcorners(const DipConst& dc, Real xi1f, Real xi2f, double y,
                                              double d, double daw1, double daw2, double& p,
                                              double& q, Corners (&xi)[kGroups],
                                              Corners (&et)[kGroups],
                                              CornerConst<Corners> (&cc)[kGroups]) {
    p = y * dc.cd + d * dc.sd;
    q = y * dc.sd - d * dc.cd;
    Mirrored mirrored;
    setmirrored(mirrored, cleaned(xi1f), cleaned(xi2f), cleaned(p + daw1), cleaned(p - daw2),
                cleaned(q));
    for (int g = 0; g < kGroups; ++g) {
        setlanes(xi[g], et[g], g * kLanes<Corners>, xi1f, xi2f, p + daw1, p - daw2);
        if (!setcornerconst(dc, cc[g], xi[g], et[g], q, mirrored, g * kLanes<Corners>)) {
            return false;
        }
    }
    return true;
}

// The sums at (x, y, z). Returns 1 for a point on an edge of the fault (or a
// point above the surface on an edge of the image), 0 otherwise; the sums may
// still be infinite. Real is the type of the arguments (float or double), in
// which the first sums are formed.
template <class Corners, class Real = float>
[[gnu::always_inline]] inline int16_t rectcornersums(const RectArgsOf<Real>& a, Real x, Real y,
                                                     Real z, Vec12& sum) {
    constexpr int kGroups = 4 / kLanes<Corners>;
    DipConst dc;
    setdipconst(dc, a.alpha, a.dip);
    const double sd = dc.sd, cd = dc.cd;
    const double zz = z;
    const double disl1 = a.disl1, disl2 = a.disl2, disl3 = a.disl3;
    // The first sums are formed from the arguments in their own type.
    const Real xi1f = x + a.al1, xi2f = x - a.al2;
    const double daw1 = a.aw1, daw2 = a.aw2;
    sum = Vec12{};
    CornerConst<Corners> cc[kGroups];
    Corners xi[kGroups], et[kGroups];
    CornerVec12<Corners> ua[kGroups];
    double q;

    // Real source: part A only.
    const Real dreal = a.depth + z;
    {
        double p;
        if (!setcorners(dc, xi1f, xi2f, y, dreal, daw1, daw2, p, q, xi, et, cc)) return 1;
        // On the fault's plane (q = 0), a point on an edge line within the
        // other edge pair's range lies on the edge: singular.
        if (q == 0) {
            const bool kx = xi1f * xi2f <= 0;
            const bool ke = (p + daw1) * (p - daw2) <= 0;
            for (int g = 0; g < kGroups; ++g) {
                for (int l = 0; l < kLanes<Corners>; ++l) {
                    if ((kx && et[g][l] == 0) || (ke && xi[g][l] == 0)) return 1;
                }
            }
        }
        for (int g = 0; g < kGroups; ++g) {
            calcparta(dc, cc[g], xi[g], et[g], q, disl1, disl2, disl3, ua[g]);
            CornerVec12<Corners> c;
            for (int i = 0; i < 12; i += 3) {
                c[i] = -ua[g][i];
                c[i + 1] = -ua[g][i + 1] * cd + ua[g][i + 2] * sd;
                c[i + 2] = -ua[g][i + 1] * sd - ua[g][i + 2] * cd;
            }
            c[9] = -c[9];
            c[10] = -c[10];
            c[11] = -c[11];
            addcorners(sum, c, g * kLanes<Corners>);
        }
    }

    // Image source: parts A, B and C. When the image lies at the same depth
    // (a point on the surface) its corner constants and part A are those of
    // the real source.
    const Real dimage = a.depth - z;
    if (dimage != dreal) {
        // Only a point above the surface can meet a corner of the image.
        double p;
        if (!setcorners(dc, xi1f, xi2f, y, dimage, daw1, daw2, p, q, xi, et, cc)) return 1;
        for (int g = 0; g < kGroups; ++g) {
            calcparta(dc, cc[g], xi[g], et[g], q, disl1, disl2, disl3, ua[g]);
        }
    }
    for (int g = 0; g < kGroups; ++g) {
        CornerVec12<Corners> b, c, u;
        calcpartb(dc, cc[g], xi[g], et[g], q, disl1, disl2, disl3, b);
        calcpartc(dc, cc[g], xi[g], et[g], q, zz, disl1, disl2, disl3, c);
        for (int i = 0; i < 12; i += 3) {
            u[i] = ua[g][i] + b[i] + zz * c[i];
            u[i + 1] = (ua[g][i + 1] + b[i + 1] + zz * c[i + 1]) * cd -
                       (ua[g][i + 2] + b[i + 2] + zz * c[i + 2]) * sd;
            u[i + 2] = (ua[g][i + 1] + b[i + 1] - zz * c[i + 1]) * sd +
                       (ua[g][i + 2] + b[i + 2] - zz * c[i + 2]) * cd;
        }
        u[9] += c[0];
        u[10] += c[1] * cd - c[2] * sd;
        u[11] -= c[1] * sd + c[2] * cd;
        addcorners(sum, u, g * kLanes<Corners>);
    }
    return 0;
}

}  // namespace crustex

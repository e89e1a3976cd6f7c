// The finite rectangular source for a block of points, one point per lane and
// the four corners looped inside: corner constants, parts A, B and C, and the
// sums of the real source and its image, term for term as in the per-point
// routine (rectsums.h and the rect*.h headers) with shared divisors turned
// into one reciprocal each.

// Per-target include guard: flipped by foreach_target.h for every target.
#if defined(CRUSTEX_ENGINE_RECTBLOCK_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef CRUSTEX_ENGINE_RECTBLOCK_INL_H_
#undef CRUSTEX_ENGINE_RECTBLOCK_INL_H_
#else
#define CRUSTEX_ENGINE_RECTBLOCK_INL_H_
#endif

#include "engine/blockvec-inl.h"
#include "engine/nodeblocks.h"

HWY_BEFORE_NAMESPACE();
namespace crustex {
namespace HWY_NAMESPACE {

// Below this, R + xi or R + eta of a corner has lost its digits (or the point
// lies on an edge line or its extension): the per-point routine decides.
inline constexpr double kNearEdgeLine = 1e-5;

// What the four corners of the real source or of the image share: xi1, xi2
// (j = 0, 1), eta1, eta2 (k = 0, 1), q, and the node depth z.
struct RectNode {
    VD xi[2], xi2[2], et[2], et2[2];
    VD xq[2];  // sqrt(xi^2 + q^2), part B of an inclined fault
    VD q, q2, iq, z;
};

// Corner constants, as CornerConst, with the reciprocals of R and its powers.
struct RectCorner {
    VD xi, et, xi2, et2;
    VD r, r2, ir, ir2, ir3, ir5;
    VD y, d, tt, alx, ale, x11, x32, y11, y32;
    VD ey, ez, fy, fz, gy, gz, hy, hz;
};

// Sets the shared values of the source whose reference edge lies at depth d;
// returns the lanes on its plane (q = 0).
HWY_INLINE VM setnode(const RectBlockSource& s, const VD (&xi)[2], VD y, VD d, VD z, RectNode& n) {
    const double sd = s.dc.sd, cd = s.dc.cd;
    for (int j = 0; j < 2; ++j) {
        n.xi[j] = xi[j];
        n.xi2[j] = xi[j] * xi[j];
    }
    const VD p = y * cd + d * sd;
    n.q = y * sd - d * cd;
    n.et[0] = cleaned(p + s.daw1);
    n.et[1] = cleaned(p - s.daw2);
    for (int k = 0; k < 2; ++k) n.et2[k] = n.et[k] * n.et[k];
    n.q2 = n.q * n.q;
    n.iq = 1.0 / n.q;
    n.z = z;
    if (s.dc.cd != 0) {
        for (int j = 0; j < 2; ++j) n.xq[j] = vsqrt(n.xi2[j] + n.q2);
    }
    return (n.q < 1e-6) & (n.q > -1e-6);
}

// Corner (xi_j, eta_k); returns the lanes too close to an edge line.
HWY_INLINE VM setcorner(const RectBlockSource& s, const RectNode& n, int j, int k, RectCorner& c) {
    const double sd = s.dc.sd, cd = s.dc.cd;
    const VD xi = n.xi[j], et = n.et[k], q = n.q;
    c.xi = xi;
    c.et = et;
    c.xi2 = n.xi2[j];
    c.et2 = n.et2[k];
    c.r2 = c.xi2 + c.et2 + n.q2;
    const VD r = vsqrt(c.r2);
    c.r = r;
    const VD rx = r + xi, re = r + et;
    const VM near = (rx < kNearEdgeLine) | (re < kNearEdgeLine);
    c.ir = 1.0 / r;
    c.ir2 = c.ir * c.ir;
    c.ir3 = c.ir2 * c.ir;
    c.ir5 = c.ir3 * c.ir2;
    c.y = et * cd + q * sd;
    c.d = et * sd - q * cd;
    c.tt = vatan(xi * et * (n.iq * c.ir));
    c.x11 = 1.0 / (r * rx);
    c.x32 = (r + rx) * c.x11 * c.x11 * c.ir;
    c.y11 = 1.0 / (r * re);
    c.y32 = (r + re) * c.y11 * c.y11 * c.ir;
    c.alx = vlog(rx);
    c.ale = vlog(re);
    c.ey = sd * c.ir - c.y * q * c.ir3;
    c.ez = cd * c.ir + c.d * q * c.ir3;
    c.fy = c.d * c.ir3 + c.xi2 * c.y32 * sd;
    c.fz = c.y * c.ir3 + c.xi2 * c.y32 * cd;
    c.gy = 2 * c.x11 * sd - c.y * q * c.x32;
    c.gz = 2 * c.x11 * cd + c.d * q * c.x32;
    c.hy = c.d * q * c.x32 + xi * q * c.y32 * sd;
    c.hz = c.y * q * c.x32 + xi * q * c.y32 * cd;
    return near;
}

// u = sum over the non-zero dislocations of f * s, in their order, for the
// first `rows` terms; each contribution is added to zero as in the per-point
// routine. With `accumulate` the contributions are added to u as it is.
struct DislocationSum {
    V12& u;
    int rows = 12;
    DislocationSum(V12& out, int n = 12, bool accumulate = false) : u(out), rows(n) {
        if (accumulate) return;
        for (int i = 0; i < rows; ++i) u.v[i] = VD{};
    }
    void add(double f, const V12& s) {
        for (int i = 0; i < rows; ++i) u.v[i] += f * s.v[i];
    }
};

HWY_INLINE void rectparta(const RectBlockSource& s, const RectCorner& c, const RectNode& n, V12& u,
                          bool accumulate = false) {
    const double a1 = s.dc.alp1, a2 = s.dc.alp2, sd = s.dc.sd, cd = s.dc.cd;
    const VD xi = c.xi, et = c.et, q = n.q, q2 = n.q2, ir = c.ir, ir3 = c.ir3, y = c.y, d = c.d;
    const VD xy = xi * c.y11, qx = q * c.x11, qy = q * c.y11;
    DislocationSum sum(u, 12, accumulate);
    if (s.has[0]) {  // strike-slip
        sum.add(s.f[0], {{
                            c.tt * 0.5 + a2 * xi * qy,
                            a2 * q * ir,
                            a1 * c.ale - a2 * q * qy,
                            -a1 * qy - a2 * c.xi2 * q * c.y32,
                            -a2 * xi * q * ir3,
                            a1 * xy + a2 * xi * q2 * c.y32,
                            a1 * xy * sd + a2 * xi * c.fy + d * 0.5 * c.x11,
                            a2 * c.ey,
                            a1 * (cd * ir + qy * sd) - a2 * q * c.fy,
                            a1 * xy * cd + a2 * xi * c.fz + y * 0.5 * c.x11,
                            a2 * c.ez,
                            -a1 * (sd * ir - qy * cd) - a2 * q * c.fz,
                        }});
    }
    if (s.has[1]) {  // dip-slip
        sum.add(s.f[1], {{
                            a2 * q * ir,
                            c.tt * 0.5 + a2 * et * qx,
                            a1 * c.alx - a2 * q * qx,
                            -a2 * xi * q * ir3,
                            -qy * 0.5 - a2 * et * q * ir3,
                            a1 * ir + a2 * q2 * ir3,
                            a2 * c.ey,
                            a1 * d * c.x11 + xy * 0.5 * sd + a2 * et * c.gy,
                            a1 * y * c.x11 - a2 * q * c.gy,
                            a2 * c.ez,
                            a1 * y * c.x11 + xy * 0.5 * cd + a2 * et * c.gz,
                            -a1 * d * c.x11 - a2 * q * c.gz,
                        }});
    }
    if (s.has[2]) {  // tensile
        sum.add(s.f[2], {{
                            -a1 * c.ale - a2 * q * qy,
                            -a1 * c.alx - a2 * q * qx,
                            c.tt * 0.5 - a2 * (et * qx + xi * qy),
                            -a1 * xy + a2 * xi * q2 * c.y32,
                            -a1 * ir + a2 * q2 * ir3,
                            -a1 * qy - a2 * q * q2 * c.y32,
                            -a1 * (cd * ir + qy * sd) - a2 * q * c.fy,
                            -a1 * y * c.x11 - a2 * q * c.gy,
                            a1 * (d * c.x11 + xy * sd) + a2 * q * c.hy,
                            a1 * (sd * ir - qy * cd) - a2 * q * c.fz,
                            a1 * d * c.x11 - a2 * q * c.gz,
                            a1 * (y * c.x11 + xy * cd) + a2 * q * c.hz,
                        }});
    }
}

HWY_INLINE void rectpartb(const RectBlockSource& s, const RectCorner& c, const RectNode& n, int j,
                          V12& u, bool accumulate = false) {
    const double a3 = s.dc.alp3, sd = s.dc.sd, cd = s.dc.cd, sdsd = s.dc.sdsd, sdcd = s.dc.sdcd;
    const VD xi = c.xi, et = c.et, q = n.q, q2 = n.q2, r = c.r, ir = c.ir, ir3 = c.ir3;
    const VD y = c.y, d = c.d, xi2 = c.xi2;

    const VD rd = r + d;
    const VD d11 = 1.0 / (r * rd);
    const VD ird = r * d11;
    const VD aj2 = xi * y * ird * d11;
    const VD aj5 = -(d + y * y * ird) * d11;
    const VD lrd = vlog(rd);

    VD ai3, ai4, ak1, ak3, aj3, aj6;
    if (cd != 0) {
        // Where xi = 0 the integral term is 0: its arc tangent is not used.
        const VD x = n.xq[j];
        const VD arg = (et * (x + q * cd) + x * (r + x) * sd) / (xi * (r + x) * cd);
        const VM xizero = xi == 0;
        const VD at = xizero ? VD{} : vatan(arg);
        ai4 = s.icdcd * (xi * ird * sdcd + 2 * at);
        ai4 = xizero ? VD{} : ai4;
        ai3 = (y * cd * ird - c.ale + sd * lrd) * s.icdcd;
        ak1 = xi * (d11 - c.y11 * sd) * s.icd;
        ak3 = (q * c.y11 - y * d11) * s.icd;
        aj3 = (ak1 - aj2 * sd) * s.icd;
        aj6 = (ak3 - aj5 * sd) * s.icd;
    } else {
        const VD ird2 = ird * ird;
        ai3 = (et * ird + y * q * ird2 - c.ale) * 0.5;
        ai4 = xi * y * ird2 * 0.5;
        ak1 = xi * q * ird * d11;
        ak3 = sd * ird * (xi2 * d11 - 1);
        aj3 = -xi * ird2 * (q2 * d11 - 0.5);
        aj6 = -y * ird2 * (xi2 * d11 - 0.5);
    }

    const VD xy = xi * c.y11;
    const VD ai1 = -xi * ird * cd - ai4 * sd;
    const VD ai2 = lrd + ai3 * sd;
    const VD ak2 = ir + ak3 * sd;
    const VD ak4 = xy * cd - ak1 * sd;
    const VD aj1 = aj5 * cd - aj6 * sd;
    const VD aj4 = -xy - aj2 * cd + aj3 * sd;
    const VD qx = q * c.x11, qy = q * c.y11;

    DislocationSum sum(u, 12, accumulate);
    if (s.has[0]) {  // strike-slip
        sum.add(s.f[0], {{
                            -xi * qy - c.tt - a3 * ai1 * sd,
                            -q * ir + a3 * (y * ird) * sd,
                            q * qy - a3 * ai2 * sd,
                            xi2 * q * c.y32 - a3 * aj1 * sd,
                            xi * q * ir3 - a3 * aj2 * sd,
                            -xi * q2 * c.y32 - a3 * aj3 * sd,
                            -xi * c.fy - d * c.x11 + a3 * (xy + aj4) * sd,
                            -c.ey + a3 * (ir + aj5) * sd,
                            q * c.fy - a3 * (qy - aj6) * sd,
                            -xi * c.fz - y * c.x11 + a3 * ak1 * sd,
                            -c.ez + a3 * y * d11 * sd,
                            q * c.fz + a3 * ak2 * sd,
                        }});
    }
    if (s.has[1]) {  // dip-slip
        sum.add(s.f[1], {{
                            -q * ir + a3 * ai3 * sdcd,
                            -et * qx - c.tt - a3 * (xi * ird) * sdcd,
                            q * qx + a3 * ai4 * sdcd,
                            xi * q * ir3 + a3 * aj4 * sdcd,
                            et * q * ir3 + qy + a3 * aj5 * sdcd,
                            -q2 * ir3 + a3 * aj6 * sdcd,
                            -c.ey + a3 * aj1 * sdcd,
                            -et * c.gy - xy * sd + a3 * aj2 * sdcd,
                            q * c.gy + a3 * aj3 * sdcd,
                            -c.ez - a3 * ak3 * sdcd,
                            -et * c.gz - xy * cd - a3 * xi * d11 * sdcd,
                            q * c.gz - a3 * ak4 * sdcd,
                        }});
    }
    if (s.has[2]) {  // tensile
        sum.add(s.f[2], {{
                            q * qy - a3 * ai3 * sdsd,
                            q * qx + a3 * (xi * ird) * sdsd,
                            et * qx + xi * qy - c.tt - a3 * ai4 * sdsd,
                            -xi * q2 * c.y32 - a3 * aj4 * sdsd,
                            -q2 * ir3 - a3 * aj5 * sdsd,
                            q * q2 * c.y32 - a3 * aj6 * sdsd,
                            q * c.fy - a3 * aj1 * sdsd,
                            q * c.gy - a3 * aj2 * sdsd,
                            -q * c.hy - a3 * aj3 * sdsd,
                            q * c.fz + a3 * ak3 * sdsd,
                            q * c.gz + a3 * xi * d11 * sdsd,
                            -q * c.hz + a3 * ak4 * sdsd,
                        }});
    }
}

// Part C. At the surface (kGradients false) only the displacement rows are
// needed: the others are multiplied by z = 0.
template <bool kGradients>
HWY_INLINE void rectpartc(const RectBlockSource& s, const RectCorner& c, const RectNode& n, V12& u,
                          bool accumulate = false) {
    const double a4 = s.dc.alp4, a5 = s.dc.alp5, sd = s.dc.sd, cd = s.dc.cd, sdsd = s.dc.sdsd,
                 cdcd = s.dc.cdcd, sdcd = s.dc.sdcd;
    const VD xi = c.xi, et = c.et, q = n.q, q2 = n.q2, z = n.z, r = c.r, r2 = c.r2;
    const VD ir = c.ir, ir2 = c.ir2, ir3 = c.ir3, ir5 = c.ir5, y = c.y, d = c.d;
    const VD xi2 = c.xi2, et2 = c.et2, x11 = c.x11, x32 = c.x32, y11 = c.y11, y32 = c.y32;

    const VD cc = d + z;
    const VD h = q * cd - z;
    const VD z32 = sd * ir3 - h * y32;
    const VD xy = xi * y11, qy = q * y11;
    VD x53{}, y53{}, z53{}, y0{}, z0{}, ppy{}, ppz{}, qq{}, qqy{}, qqz{}, qr{}, cdr{}, yy0{};
    if constexpr (kGradients) {
        x53 = (8 * r2 + 9 * r * xi + 3 * xi2) * x11 * x11 * x11 * ir2;
        y53 = (8 * r2 + 9 * r * et + 3 * et2) * y11 * y11 * y11 * ir2;
        z53 = 3 * sd * ir5 - h * y53;
        y0 = y11 - xi2 * y32;
        z0 = z32 - xi2 * z53;
        ppy = cd * ir3 + q * y32 * sd;
        ppz = sd * ir3 - q * y32 * cd;
        qq = z * y32 + z32 + z0;
        qqy = 3 * cc * d * ir5 - qq * sd;
        qqz = 3 * cc * y * ir5 - qq * cd + q * y32;
        qr = 3 * q * ir5;
        cdr = (cc + d) * ir3;
        yy0 = y * ir3 - y0 * cd;
    }

    DislocationSum sum(u, kGradients ? 12 : 3, accumulate);
    if (s.has[0]) {  // strike-slip
        V12 t;
        t.v[0] = a4 * xy * cd - a5 * xi * q * z32;
        t.v[1] = a4 * (cd * ir + 2 * qy * sd) - a5 * cc * q * ir3;
        t.v[2] = a4 * qy * cd - a5 * (cc * et * ir3 - z * y11 + xi2 * z32);
        if constexpr (kGradients) {
            t.v[3] = a4 * y0 * cd - a5 * q * z0;
            t.v[4] = -a4 * xi * (cd * ir3 + 2 * q * y32 * sd) + a5 * cc * xi * qr;
            t.v[5] = -a4 * xi * q * y32 * cd + a5 * xi * (3 * cc * et * ir5 - qq);
            t.v[6] = -a4 * xi * ppy * cd - a5 * xi * qqy;
            t.v[7] = a4 * 2 * (d * ir3 - y0 * sd) * sd - y * ir3 * cd -
                     a5 * (cdr * sd - et * ir3 - cc * y * qr);
            t.v[8] =
                -a4 * q * ir3 + yy0 * sd + a5 * (cdr * cd + cc * d * qr - (y0 * cd + q * z0) * sd);
            t.v[9] = a4 * xi * ppz * cd - a5 * xi * qqz;
            t.v[10] =
                a4 * 2 * (y * ir3 - y0 * cd) * sd + d * ir3 * cd - a5 * (cdr * cd + cc * d * qr);
            t.v[11] = yy0 * cd - a5 * (cdr * sd - cc * y * qr - y0 * sdsd + q * z0 * cd);
        }
        sum.add(s.f[0], t);
    }
    if (s.has[1]) {  // dip-slip
        V12 t;
        t.v[0] = a4 * cd * ir - qy * sd - a5 * cc * q * ir3;
        t.v[1] = a4 * y * x11 - a5 * cc * et * q * x32;
        t.v[2] = -d * x11 - xy * sd - a5 * cc * (x11 - q2 * x32);
        if constexpr (kGradients) {
            t.v[3] = -a4 * (xi * ir3) * cd + a5 * cc * xi * qr + xi * q * y32 * sd;
            t.v[4] = -a4 * y * ir3 + a5 * cc * et * qr;
            t.v[5] = d * ir3 - y0 * sd + a5 * (cc * ir3) * (1 - 3 * q2 * ir2);
            t.v[6] = -a4 * et * ir3 + y0 * sdsd - a5 * (cdr * sd - cc * y * qr);
            t.v[7] =
                a4 * (x11 - y * y * x32) - a5 * cc * ((d + 2 * q * cd) * x32 - y * et * q * x53);
            t.v[8] =
                xi * ppy * sd + y * d * x32 + a5 * cc * ((y + 2 * q * sd) * x32 - y * q2 * x53);
            t.v[9] = -q * ir3 + y0 * sdcd - a5 * (cdr * cd + cc * d * qr);
            t.v[10] = a4 * y * d * x32 - a5 * cc * ((y - 2 * q * sd) * x32 + d * et * q * x53);
            t.v[11] = -xi * ppz * sd + x11 - d * d * x32 -
                      a5 * cc * ((d - 2 * q * cd) * x32 - d * q2 * x53);
        }
        sum.add(s.f[1], t);
    }
    if (s.has[2]) {  // tensile
        V12 t;
        t.v[0] = -a4 * (sd * ir + qy * cd) - a5 * (z * y11 - q2 * z32);
        t.v[1] = a4 * 2 * xy * sd + d * x11 - a5 * cc * (x11 - q2 * x32);
        t.v[2] = a4 * (y * x11 + xy * cd) + a5 * q * (cc * et * x32 + xi * z32);
        if constexpr (kGradients) {
            t.v[3] = a4 * (xi * ir3) * sd + xi * q * y32 * cd +
                     a5 * xi * (3 * cc * et * ir5 - 2 * z32 - z0);
            t.v[4] = a4 * 2 * y0 * sd - d * ir3 + a5 * (cc * ir3) * (1 - 3 * q2 * ir2);
            t.v[5] = -a4 * yy0 - a5 * (cc * et * qr - q * z0);
            t.v[6] = a4 * (q * ir3 + y0 * sdcd) + a5 * (z * ir3 * cd + cc * d * qr - q * z0 * sd);
            t.v[7] = -a4 * 2 * xi * ppy * sd - y * d * x32 +
                     a5 * cc * ((y + 2 * q * sd) * x32 - y * q2 * x53);
            t.v[8] = -a4 * (xi * ppy * cd - x11 + y * y * x32) +
                     a5 * (cc * ((d + 2 * q * cd) * x32 - y * et * q * x53) + xi * qqy);
            t.v[9] =
                -et * ir3 + y0 * cdcd - a5 * (z * ir3 * sd - cc * y * qr - y0 * sdsd + q * z0 * cd);
            t.v[10] = a4 * 2 * xi * ppz * sd - x11 + d * d * x32 -
                      a5 * cc * ((d - 2 * q * cd) * x32 - d * q2 * x53);
            t.v[11] = a4 * (xi * ppz * cd + y * d * x32) +
                      a5 * (cc * ((y - 2 * q * sd) * x32 + d * et * q * x53) + xi * qqz);
        }
        sum.add(s.f[2], t);
    }
}

// Adds (corners 0 and 3) or subtracts (1 and 2) one corner's terms.
HWY_INLINE void addcorner(VD (&sum)[12], const V12& v, int corner) {
    const bool plus = corner == 0 || corner == 3;
    for (int i = 0; i < 12; ++i) sum[i] = plus ? sum[i] + v.v[i] : sum[i] - v.v[i];
}

// Part A of the real source turned into the sums' frame.
HWY_INLINE void realterms(const RectBlockSource& s, const V12& a, V12& c) {
    const double sd = s.dc.sd, cd = s.dc.cd;
    for (int i = 0; i < 12; i += 3) {
        c.v[i] = -a.v[i];
        c.v[i + 1] = -a.v[i + 1] * cd + a.v[i + 2] * sd;
        c.v[i + 2] = -a.v[i + 1] * sd - a.v[i + 2] * cd;
    }
    c.v[9] = -c.v[9];
    c.v[10] = -c.v[10];
    c.v[11] = -c.v[11];
}

// Parts A, B and C of the image turned into the sums' frame. At the surface
// (kGradients false) z = 0 and only the first three terms of part C are set.
template <bool kGradients>
HWY_INLINE void imageterms(const RectBlockSource& s, const V12& a, const V12& b, const V12& c, VD z,
                           V12& u) {
    const double sd = s.dc.sd, cd = s.dc.cd;
    for (int i = 0; i < 12; i += 3) {
        if constexpr (kGradients) {
            u.v[i] = a.v[i] + b.v[i] + z * c.v[i];
            u.v[i + 1] = (a.v[i + 1] + b.v[i + 1] + z * c.v[i + 1]) * cd -
                         (a.v[i + 2] + b.v[i + 2] + z * c.v[i + 2]) * sd;
            u.v[i + 2] = (a.v[i + 1] + b.v[i + 1] - z * c.v[i + 1]) * sd +
                         (a.v[i + 2] + b.v[i + 2] - z * c.v[i + 2]) * cd;
        } else {
            u.v[i] = a.v[i] + b.v[i];
            u.v[i + 1] = (a.v[i + 1] + b.v[i + 1]) * cd - (a.v[i + 2] + b.v[i + 2]) * sd;
            u.v[i + 2] = (a.v[i + 1] + b.v[i + 1]) * sd + (a.v[i + 2] + b.v[i + 2]) * cd;
        }
    }
    u.v[9] += c.v[0];
    u.v[10] += c.v[1] * cd - c.v[2] * sd;
    u.v[11] -= c.v[1] * sd + c.v[2] * cd;
}

// The sums of one block at (x, y, z); returns the lanes to hand to the
// per-point routine.
HWY_INLINE VM rectblocksums(const RectBlockSource& s, VF x, VF y, VF z, VD (&sum)[12]) {
    const VF xi1f = x + s.args.al1, xi2f = x - s.args.al2;
    const VF drealf = s.args.depth + z, dimagef = s.args.depth - z;
    const VD yd = todouble(y), zd = todouble(z);
    const VD xi[2] = {cleaned(todouble(xi1f)), cleaned(todouble(xi2f))};
    const bool surface = !anyset(z != 0);
    for (VD& v : sum) v = VD{};

    RectNode real;
    VM fallback = setnode(s, xi, yd, todouble(drealf), zd, real);
    V12 image[4];
    for (int k = 0; k < 4; ++k) {
        RectCorner c;
        fallback |= setcorner(s, real, k % 2, k / 2, c);
        V12 a, t;
        rectparta(s, c, real, a);
        realterms(s, a, t);
        addcorner(sum, t, k);
        if (surface) {
            // The image lies at the same depth: same corners and part A.
            V12 b, cz;
            rectpartb(s, c, real, k % 2, b);
            rectpartc<false>(s, c, real, cz);
            imageterms<false>(s, a, b, cz, zd, image[k]);
        }
    }
    if (!surface) {
        RectNode im;
        fallback |= setnode(s, xi, yd, todouble(dimagef), zd, im);
        for (int k = 0; k < 4; ++k) {
            RectCorner c;
            fallback |= setcorner(s, im, k % 2, k / 2, c);
            V12 a, b, cz;
            rectparta(s, c, im, a);
            rectpartb(s, c, im, k % 2, b);
            rectpartc<true>(s, c, im, cz);
            imageterms<true>(s, a, b, cz, zd, image[k]);
        }
    }
    for (int k = 0; k < 4; ++k) addcorner(sum, image[k], k);
    for (const VD& v : sum) fallback |= notfinite(v);
    return fallback;
}

}  // namespace HWY_NAMESPACE
}  // namespace crustex
HWY_AFTER_NAMESPACE();

#endif  // CRUSTEX_ENGINE_RECTBLOCK_INL_H_

// Block evaluation of the planes of a patch chunk. Compiled once per
// instruction set; the best one the processor runs is chosen on the first
// call.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "engine/patchblocks.cpp"
#include "hwy/foreach_target.h"  // IWYU pragma: keep
// foreach_target.h must come first.
#include <algorithm>
#include <cstring>

#include "engine/blockvec-inl.h"
#include "engine/maprotation.h"
#include "engine/patchblocks.h"
#include "engine/rectblock-inl.h"
#include "hwy/highway.h"

HWY_BEFORE_NAMESPACE();
namespace crustex {
namespace HWY_NAMESPACE {

// The points of one block, the last one repeated in the lanes past m.
struct PatchLanes {
    VD x, y, z;
    int m = 0;
    bool surface = false;  // every point at z = 0: the image lies at the real depth
    VM use;                // lanes below m
};

HWY_INLINE VD loadpoints(const float* p, int m) {
    VD v;
    for (int l = 0; l < kBlock; ++l) v[l] = p[l < m ? l : m - 1];
    return v;
}

// The constants of a plane as the corner routines take them; the weights
// are set per corner.
HWY_INLINE RectBlockSource planesource(const PatchPlane& pl, double alpha) {
    RectBlockSource s;
    DipConst& dc = s.dc;
    dc.alp1 = (1 - alpha) / 2;
    dc.alp2 = alpha / 2;
    dc.alp3 = (1 - alpha) / alpha;
    dc.alp4 = 1 - alpha;
    dc.alp5 = alpha;
    dc.sd = pl.frame.sd;
    dc.cd = pl.frame.cd;
    dc.sdsd = dc.sd * dc.sd;
    dc.cdcd = dc.cd * dc.cd;
    dc.sdcd = dc.sd * dc.cd;
    dc.s2d = 2 * dc.sdcd;
    dc.c2d = dc.cdcd - dc.sdsd;
    if (dc.cd != 0) {
        s.icd = 1 / dc.cd;
        s.icdcd = 1 / dc.cdcd;
    }
    return s;
}

// The points seen from the plane for a source whose reference line lies at
// depth d (the real source, or its image): p and q, and the lanes on its
// plane (q = 0 after the clean-up).
HWY_INLINE VM planenode(const RectBlockSource& s, VD across, VD d, VD z, RectNode& n, VD& p) {
    const double sd = s.dc.sd, cd = s.dc.cd;
    p = across * cd + d * sd;
    n.q = cleaned(across * sd - d * cd);
    n.q2 = n.q * n.q;
    n.iq = 1.0 / n.q;
    n.z = z;
    return n.q == 0;
}

// The corner (xi, eta) of the source at n: its constants, and the lanes the
// per-point routine must take, close to an edge line or its extension. (On
// an edge line R + xi or R + eta of one corner is 0.)
HWY_INLINE VM planecorner(const RectBlockSource& s, RectNode& n, VM onplane, VD xi, VD xi2, VD eta,
                          RectCorner& c) {
    n.xi[0] = xi;
    n.xi2[0] = xi2;
    n.et[0] = eta;
    n.et2[0] = eta * eta;
    const VM rare = setcorner(s, n, 0, 0, c);
    c.tt = onplane ? VD{} : c.tt;  // theta is 0 on the plane
    return rare;
}

// One plane at one block: its sums in map axes, and the lanes to hand to the
// per-point routine.
HWY_INLINE VM planesums(const PatchChunk& ch, const PatchPlane& pl, double alpha,
                        const PatchLanes& in, VD (&out)[12]) {
    RectBlockSource s = planesource(pl, alpha);
    const PlaneFrame& f = pl.frame;
    const VD dx = in.x - f.ox, dy = in.y - f.oy;
    const VD along = dx * f.c + dy * f.s, across = dy * f.c - dx * f.s;
    RectNode real, image;
    VD preal, pimage;
    const VM realon = planenode(s, across, f.od + in.z, in.z, real, preal);
    VM imageon = realon;
    pimage = preal;
    if (!in.surface) imageon = planenode(s, across, f.od - in.z, in.z, image, pimage);

    const double* edge = ch.edges.data() + pl.firstedge;
    const double* weight = ch.weights.data() + 3 * static_cast<std::size_t>(pl.firstcell);
    // Part A of the real source; A + B and C of the image (at the surface,
    // where A of the image is A of the real source: B and C).
    V12 a{}, ab{}, cz{};
    VM rare{};
    for (uint32_t i = 0; i < pl.nxi; ++i) {
        const VD xi = cleaned(along - edge[i]), xi2 = xi * xi;
        if (s.dc.cd != 0) {  // part B of an inclined plane: sqrt(xi^2 + q^2) of the image
            RectNode& n = in.surface ? real : image;
            n.xq[0] = vsqrt(xi2 + n.q2);
        }
        for (uint32_t j = 0; j < pl.nw; ++j) {
            const double* wt = weight + 3 * (static_cast<std::size_t>(i) * pl.nw + j);
            if (wt[0] == 0 && wt[1] == 0 && wt[2] == 0) continue;  // the patches cancel here
            for (int t = 0; t < 3; ++t) {
                s.f[t] = wt[t];
                s.has[t] = wt[t] != 0;
            }
            const double w = edge[pl.nxi + j];
            RectCorner c;
            rare |= planecorner(s, real, realon, xi, xi2, cleaned(preal + w), c);
            rectparta(s, c, real, a, true);
            if (in.surface) {
                // The image's corner and part A are the real source's.
                rectpartb(s, c, real, 0, ab, true);
                rectpartc<false>(s, c, real, cz, true);
            } else {
                RectCorner ci;
                rare |= planecorner(s, image, imageon, xi, xi2, cleaned(pimage + w), ci);
                rectparta(s, ci, image, ab, true);
                rectpartb(s, ci, image, 0, ab, true);
                rectpartc<true>(s, ci, image, cz, true);
            }
        }
    }
    V12 tr, ti;
    const V12 none{};
    realterms(s, a, tr);
    if (in.surface) {
        imageterms<false>(s, a, ab, cz, in.z, ti);
    } else {
        imageterms<true>(s, ab, none, cz, in.z, ti);
    }
    VD r[12];
    for (int i = 0; i < 12; ++i) {
        r[i] = tr.v[i] + ti.v[i];
        rare |= notfinite(r[i]);
    }
    tomapaxes(r, f.c, f.s, out);
    return rare & in.use;
}

// Lane l of a block through the per-point routine for every patch of the
// plane; returns false when the point is singular for one of them.
bool planeperpoint(const PatchChunk& ch, const PatchPlane& pl, std::span<const SlipPatch> patches,
                   float alpha, float x, float y, float z, Vec12& sum) {
    sum = Vec12{};
    for (uint32_t k = 0; k < pl.nmembers; ++k) {
        Vec12 one;
        if (patchatpoint(patches[ch.members[pl.firstmember + k]], alpha, x, y, z, one) != 0) {
            return false;
        }
        for (int i = 0; i < 12; ++i) sum[i] += one[i];
    }
    return true;
}

bool addchunk(const PatchChunk& ch, std::span<const SlipPatch> patches, float alpha,
              const ModelPoints& pts, PatchPointSums* out, ColumnControl* control) {
    const int n = static_cast<int>(pts.n);
    for (int j0 = 0; j0 < n; j0 += kBlock) {
        if (control != nullptr && control->stopped()) return false;
        PatchLanes in;
        in.m = std::min(kBlock, n - j0);
        in.x = loadpoints(pts.x + j0, in.m);
        in.y = loadpoints(pts.y + j0, in.m);
        in.z = loadpoints(pts.z + j0, in.m);
        in.surface = !anyset(in.z != 0);
        in.use = widen(firstlanes(in.m));
        VD sum[12] = {};
        VM singular{};
        for (const PatchPlane& pl : ch.planes) {
            VD t[12];
            const VM rare = planesums(ch, pl, alpha, in, t);
            for (int i = 0; i < 12; ++i) sum[i] += rare ? VD{} : t[i];
            if (!anyset(rare)) continue;
            for (int l = 0; l < in.m; ++l) {
                if (rare[l] == 0) continue;
                Vec12 v;
                if (!planeperpoint(ch, pl, patches, alpha, pts.x[j0 + l], pts.y[j0 + l],
                                   pts.z[j0 + l], v)) {
                    singular[l] = -1;
                    continue;
                }
                for (int i = 0; i < 12; ++i) sum[i][l] += v[static_cast<std::size_t>(i)];
            }
        }
        for (int l = 0; l < in.m; ++l) {
            PatchPointSums& p = out[j0 + l];
            for (int i = 0; i < 12; ++i) p.sums[static_cast<std::size_t>(i)] += sum[i][l];
            p.singular = p.singular || singular[l] != 0;
        }
    }
    return true;
}

}  // namespace HWY_NAMESPACE
}  // namespace crustex
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace crustex {

HWY_EXPORT(addchunk);

bool addpatchchunk(const PatchChunk& chunk, std::span<const SlipPatch> patches, float alpha,
                   const ModelPoints& pts, PatchPointSums* out, ColumnControl* control) {
    return HWY_DYNAMIC_DISPATCH(addchunk)(chunk, patches, alpha, pts, out, control);
}

}  // namespace crustex
#endif  // HWY_ONCE

// Block evaluation of the solutions, and the per-node work around it over
// runs of nodes: placing the nodes in the source's frame, handing the points
// the block leaves alone to the per-point routine, turning the results into
// map axes and adding them up, and the derived strains. Compiled once per
// instruction set; the best one the processor runs is chosen on the first
// call.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "engine/nodeblocks.cpp"
#include "hwy/foreach_target.h"  // IWYU pragma: keep
// foreach_target.h must come first.
#include <algorithm>
#include <cstring>

#include "engine/blockvec-inl.h"
#include "engine/maprotation.h"
#include "engine/nodeblocks.h"
#include "engine/pointblock-inl.h"
#include "engine/rectblock-inl.h"
#include "engine/sourcenodes.h"
#include "hwy/highway.h"
#include "model/grid2d.h"

HWY_BEFORE_NAMESPACE();
namespace crustex {
namespace HWY_NAMESPACE {

struct RectKernel {
    const RectBlockSource& s;
    VM sums(VF x, VF y, VF z, VD (&sum)[12]) const { return rectblocksums(s, x, y, z, sum); }
    int16_t fallback(float x, float y, float z, Vec12& sum) const {
        return rectsourcesums(s.args, x, y, z, sum);
    }
};

struct InflationKernel {
    const InflationBlockSource& s;
    VM sums(VF x, VF y, VF z, VD (&sum)[12]) const { return inflationblocksums(s, x, y, z, sum); }
    int16_t fallback(float x, float y, float z, Vec12& sum) const {
        return inflationsums(s.args, x, y, z, sum);
    }
};

// The first m lanes from or to p (m = kBlock is a single vector access). A
// load repeats the last value in the lanes past m.
HWY_INLINE VF loadlanes(const float* p, int m) {
    VF v;
    if (m == kBlock) {
        std::memcpy(&v, p, sizeof v);
    } else {
        for (int l = 0; l < kBlock; ++l) v[l] = p[l < m ? l : m - 1];
    }
    return v;
}

HWY_INLINE void storelanes(float* p, VF v, int m) {
    if (m == kBlock) {
        std::memcpy(p, &v, sizeof v);
    } else {
        for (int l = 0; l < m; ++l) p[l] = v[l];
    }
}

HWY_INLINE VF broadcast(float v) {
    VF b;
    for (int l = 0; l < kBlock; ++l) b[l] = v;
    return b;
}

// The points of one block in the solution's frame, and the lanes whose result
// is wanted.
struct BlockLanes {
    VF x, y, z;
    VMF use;
};

// One block's sums; the wanted lanes that the kernel leaves alone are
// evaluated by the per-point routine. Returns those it finds singular; sets
// `fellback` to the lanes handed over.
template <class Kernel>
HWY_INLINE VMF evalblock(const Kernel& k, const BlockLanes& in, VD (&sum)[12], VMF& fellback) {
    const VM rare = k.sums(in.x, in.y, in.z, sum);
    fellback = __builtin_convertvector(rare, VMF) & in.use;
    VMF singular{};
    if (!anyset(fellback)) return singular;
    for (int l = 0; l < kBlock; ++l) {
        if (fellback[l] == 0) continue;
        Vec12 v;
        if (k.fallback(in.x[l], in.y[l], in.z[l], v) != 0) {
            singular[l] = -1;
        } else {
            for (int i = 0; i < 12; ++i) sum[i][l] = v[static_cast<std::size_t>(i)];
        }
    }
    return singular;
}

template <class Kernel>
void evalpoints(const Kernel& k, int n, const float* x, const float* y, const float* z,
                BlockPoint* out) {
    for (int j0 = 0; j0 < n; j0 += kBlock) {
        const int m = std::min(kBlock, n - j0);
        const BlockLanes in{loadlanes(x + j0, m), loadlanes(y + j0, m), loadlanes(z + j0, m),
                            firstlanes(m)};
        VD sum[12];
        VMF fellback;
        const VMF singular = evalblock(k, in, sum, fellback);
        for (int l = 0; l < m; ++l) {
            BlockPoint& p = out[j0 + l];
            for (int i = 0; i < 12; ++i) p.sum[static_cast<std::size_t>(i)] = sum[i][l];
            p.iret = singular[l] != 0 ? 1 : 0;
            p.fellback = fellback[l] != 0;
        }
    }
}

int lanes() { return kBlock; }

void rectpoints(const RectBlockSource& src, int n, const float* x, const float* y, const float* z,
                BlockPoint* out) {
    evalpoints(RectKernel{src}, n, x, y, z, out);
}

void inflationpoints(const InflationBlockSource& src, int n, const float* x, const float* y,
                     const float* z, BlockPoint* out) {
    evalpoints(InflationKernel{src}, n, x, y, z, out);
}

// The twelve results rounded to floats, as the per-point routine stores them,
// in the map axes of the source (turned by the strike of a fault).
HWY_INLINE void mapterms(const SourceTerms& src, const VD (&sum)[12], VD (&t)[12]) {
    VD r[12];
    for (int i = 0; i < 12; ++i) r[i] = todouble(tofloat(sum[i]));
    if (src.f.sourcetype != 0) {
        for (int i = 0; i < 12; ++i) t[i] = r[i];
        return;
    }
    tomapaxes(r, src.geometry.c, src.geometry.s, t);
}

template <class Kernel>
void addnodes(const Kernel& k, const SourceTerms& src, const NodeRun& nodes) {
    const faultrec& f = src.f;
    const VF novalue = broadcast(kNoValue);
    for (int j0 = 0; j0 < nodes.n; j0 += kBlock) {
        const int m = std::min(kBlock, nodes.n - j0);
        BlockLanes in;
        in.use = (loadlanes(nodes.values[0] + j0, m) != novalue) & firstlanes(m);
        if (!anyset(in.use)) continue;  // every node already singular
        in.z = loadlanes(nodes.z + j0, m);
        if (f.sourcetype == 0) {
            for (int l = 0; l < kBlock; ++l) {
                const int j = j0 + (l < m ? l : m - 1);
                const float x = nodes.xs != nullptr ? nodes.xs[j] : nodes.x;
                const FaultFramePoint p = tofaultframe(f, src.geometry, x, nodes.y[j]);
                in.x[l] = static_cast<float>(p.xi);
                in.y[l] = static_cast<float>(p.eta);
            }
        } else {
            in.x = (nodes.xs != nullptr ? loadlanes(nodes.xs + j0, m) : broadcast(nodes.x)) - f.px;
            in.y = loadlanes(nodes.y + j0, m) - f.py;
        }

        VD sum[12];
        VMF fellback;
        const VMF singular = evalblock(k, in, sum, fellback);
        VD t[12];
        mapterms(src, sum, t);
        const VMF add = in.use & ~singular;
        const bool every = !anyset(~add & firstlanes(m));
        for (int i = 0; i < 12; ++i) {
            float* p = nodes.values[i] + j0;
            const VF old = loadlanes(p, m);
            const VF added = tofloat(todouble(old) + t[i]);
            storelanes(p, every ? added : (add ? added : (singular ? novalue : old)), m);
        }
        if (!anyset(singular)) continue;
        for (int i = 12; i < 18; ++i) {
            if (nodes.values[i] == nullptr) continue;
            for (int l = 0; l < m; ++l) {
                if (singular[l] != 0) nodes.values[i][j0 + l] = kNoValue;
            }
        }
    }
}

void addsourcenodes(const SourceTerms& src, const NodeRun& nodes) {
    if (src.f.sourcetype == 0) {
        addnodes(RectKernel{src.rect}, src, nodes);
    } else {
        addnodes(InflationKernel{src.inflation}, src, nodes);
    }
}

// As derive() in gridderive.cpp: each value formed in 64-bit from the stored
// floats and stored as a float; later values use the stored float of earlier
// ones.
void derivenodes(const NodeRun& nodes) {
    const float* const* v = nodes.values;
    const VF novalue = broadcast(kNoValue);
    for (int j0 = 0; j0 < nodes.n; j0 += kBlock) {
        const int m = std::min(kBlock, nodes.n - j0);
        VD g[9];
        for (int i = 0; i < 9; ++i) g[i] = todouble(loadlanes(v[3 + i] + j0, m));
        const VD duxdx = g[0], duydx = g[1], duzdx = g[2], duxdy = g[3], duydy = g[4];
        const VD duzdy = g[5], duxdz = g[6], duydz = g[7], duzdz = g[8];
        VF out[6];
        out[0] = tofloat((duydx + duxdy) / 2.0);
        out[1] = tofloat((duydz + duzdy) / 2.0);
        out[2] = tofloat((duzdx + duxdz) / 2.0);
        out[3] = tofloat(duydy + duxdx);
        out[4] = tofloat(todouble(out[3]) + duzdz);
        const VD diff = duxdx - duydy;
        const VD exy = todouble(out[0]);
        out[5] = tofloat(vsqrt(diff * diff + exy * 4.0 * exy));
        const VMF keep = loadlanes(v[0] + j0, m) == novalue;
        if (anyset(keep)) {
            for (int i = 0; i < 6; ++i) {
                float* p = nodes.values[12 + i] + j0;
                storelanes(p, keep ? loadlanes(p, m) : out[i], m);
            }
        } else {
            for (int i = 0; i < 6; ++i) storelanes(nodes.values[12 + i] + j0, out[i], m);
        }
    }
}

}  // namespace HWY_NAMESPACE
}  // namespace crustex
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace crustex {

HWY_EXPORT(lanes);
HWY_EXPORT(rectpoints);
HWY_EXPORT(inflationpoints);
HWY_EXPORT(addsourcenodes);
HWY_EXPORT(derivenodes);

RectBlockSource rectblocksource(const RectArgs& a) {
    RectBlockSource s;
    s.args = a;
    setdipconst(s.dc, a.alpha, a.dip);
    s.daw1 = a.aw1;
    s.daw2 = a.aw2;
    const double disl[3] = {a.disl1, a.disl2, a.disl3};
    for (int i = 0; i < 3; ++i) {
        s.has[i] = disl[i] != 0;
        s.f[i] = disl[i] / kTwoPi;
    }
    if (s.dc.cd != 0) {
        s.icd = 1 / s.dc.cd;
        s.icdcd = 1 / s.dc.cdcd;
    }
    return s;
}

InflationBlockSource inflationblocksource(const InflationArgs& a) {
    InflationBlockSource s;
    s.args = a;
    DipConst dc;
    setdipconst(dc, a.alpha, 0);
    s.alp1 = dc.alp1;
    s.alp3 = dc.alp3;
    s.alp4 = dc.alp4;
    s.f = static_cast<double>(a.potency) / kTwoPi;
    return s;
}

int blocklanes() { return HWY_DYNAMIC_DISPATCH(lanes)(); }

void rectblock(const RectBlockSource& src, int n, const float* x, const float* y, const float* z,
               BlockPoint* out) {
    HWY_DYNAMIC_DISPATCH(rectpoints)(src, n, x, y, z, out);
}

void inflationblock(const InflationBlockSource& src, int n, const float* x, const float* y,
                    const float* z, BlockPoint* out) {
    HWY_DYNAMIC_DISPATCH(inflationpoints)(src, n, x, y, z, out);
}

void addsourcenodes(const SourceTerms& src, const NodeRun& nodes) {
    HWY_DYNAMIC_DISPATCH(addsourcenodes)(src, nodes);
}

void derivenodes(const NodeRun& nodes) { HWY_DYNAMIC_DISPATCH(derivenodes)(nodes); }

}  // namespace crustex
#endif  // HWY_ONCE

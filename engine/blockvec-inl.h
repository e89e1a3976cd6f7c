// Vectors of node lanes for the block evaluation, compiled once per
// instruction set (included from a file that includes hwy/foreach_target.h).
//
// The arithmetic is written with the compiler's vector types, one node per
// lane, so the formulas read as in the per-point routines; logarithm, arc
// tangent and square root come from Highway. A block has one lane per double
// of the widest vector of the instruction set, at least two.

// Per-target include guard: flipped by foreach_target.h for every target.
#if defined(CRUSTEX_ENGINE_BLOCKVEC_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef CRUSTEX_ENGINE_BLOCKVEC_INL_H_
#undef CRUSTEX_ENGINE_BLOCKVEC_INL_H_
#else
#define CRUSTEX_ENGINE_BLOCKVEC_INL_H_
#endif

#include <cstdint>
#include <cstring>

#include "hwy/contrib/math/math-inl.h"
#include "hwy/highway.h"

HWY_BEFORE_NAMESPACE();
namespace crustex {
namespace HWY_NAMESPACE {

namespace hn = hwy::HWY_NAMESPACE;

// Nodes per block.
inline constexpr int kBlock = HWY_MAX_BYTES / 8 < 2 ? 2 : HWY_MAX_BYTES / 8;

typedef double VD __attribute__((vector_size(kBlock * 8)));
typedef float VF __attribute__((vector_size(kBlock * 4)));
typedef int64_t VM __attribute__((vector_size(kBlock * 8)));   // lane masks: 0 or -1
typedef int32_t VMF __attribute__((vector_size(kBlock * 4)));  // masks of float lanes

HWY_INLINE VD todouble(VF v) { return __builtin_convertvector(v, VD); }
HWY_INLINE VF tofloat(VD v) { return __builtin_convertvector(v, VF); }
HWY_INLINE VM widen(VMF m) { return __builtin_convertvector(m, VM); }

// True when any lane of a mask (VM or VMF) is set.
template <class M>
HWY_INLINE bool anyset(M m) {
    uint64_t words[sizeof(M) / 8];
    std::memcpy(words, &m, sizeof m);
    uint64_t any = 0;
    for (uint64_t w : words) any |= w;
    return any != 0;
}

// The lanes below m.
HWY_INLINE VMF firstlanes(int m) {
    VMF lanes;
    for (int l = 0; l < kBlock; ++l) lanes[l] = l;
    return lanes < m;
}

// Applies a Highway operation to every lane of v, a Highway vector at a time.
template <class Op>
HWY_INLINE VD perlanes(VD v) {
    const hn::ScalableTag<double> d;
    constexpr int kStep = HWY_MAX_BYTES / 8;
    double lanes[kBlock];
    std::memcpy(lanes, &v, sizeof v);
    for (int l = 0; l < kBlock; l += kStep) {
        hn::StoreU(Op::apply(d, hn::LoadU(d, lanes + l)), d, lanes + l);
    }
    std::memcpy(&v, lanes, sizeof v);
    return v;
}

struct SqrtOp {
    template <class D, class V>
    static HWY_INLINE V apply(D, V x) {
        return hn::Sqrt(x);
    }
};
struct LogOp {
    template <class D, class V>
    static HWY_INLINE V apply(D d, V x) {
        return hn::Log(d, x);
    }
};
struct AtanOp {
    template <class D, class V>
    static HWY_INLINE V apply(D d, V x) {
        return hn::Atan(d, x);
    }
};

HWY_INLINE VD vsqrt(VD v) { return perlanes<SqrtOp>(v); }
HWY_INLINE VD vlog(VD v) { return perlanes<LogOp>(v); }
HWY_INLINE VD vatan(VD v) { return perlanes<AtanOp>(v); }

// A value below 1e-6 in size counts as exactly 0, as in the per-point
// routines.
HWY_INLINE VD cleaned(VD v) { return ((v < 1e-6) & (v > -1e-6)) ? VD{} : v; }

// Lanes whose value is infinite or not a number.
HWY_INLINE VM notfinite(VD v) { return ~(v - v == 0); }

// Twelve values per lane in the order of the per-point sums.
struct V12 {
    VD v[12];
};

}  // namespace HWY_NAMESPACE
}  // namespace crustex
HWY_AFTER_NAMESPACE();

#endif  // CRUSTEX_ENGINE_BLOCKVEC_INL_H_

// The finite rectangular source: four corner terms of the real source and of
// its image above the free surface. The four-corner evaluation is compiled for
// every instruction set and the best one the processor runs is chosen on the
// first call.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "engine/rectsource.cpp"
#include "hwy/foreach_target.h"  // IWYU pragma: keep
// foreach_target.h must come first.
#include <cmath>

#include "engine/dislocationsum.h"
#include "engine/rectsource.h"
#include "engine/rectsums.h"
#include "hwy/highway.h"

HWY_BEFORE_NAMESPACE();
namespace crustex {
namespace HWY_NAMESPACE {

int16_t rectquadsums(const RectArgs& a, float x, float y, float z, Vec12& sum) {
    return rectcornersums<CornerQuad>(a, x, y, z, sum);
}

int16_t rectquadsums64(const RectArgs64& a, double x, double y, double z, Vec12& sum) {
    return rectcornersums<CornerQuad, double>(a, x, y, z, sum);
}

}  // namespace HWY_NAMESPACE
}  // namespace crustex
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace crustex {

HWY_EXPORT(rectquadsums);
HWY_EXPORT(rectquadsums64);

namespace {

int16_t finitesums(int16_t iret, const Vec12& sum) {
    if (iret != 0) return 1;
    for (double v : sum) {
        if (!std::isfinite(v)) return 1;
    }
    return 0;
}

}  // namespace

int16_t rectsourcesums(const RectArgs& a, float x, float y, float z, Vec12& sum) {
    return finitesums(HWY_DYNAMIC_DISPATCH(rectquadsums)(a, x, y, z, sum), sum);
}

int16_t rectsourcesums64(const RectArgs64& a, double x, double y, double z, Vec12& sum) {
    return finitesums(HWY_DYNAMIC_DISPATCH(rectquadsums64)(a, x, y, z, sum), sum);
}

int16_t calcrectsourcelanes(int lanes, float alpha, float x, float y, float z, float depth,
                            float dip, float al1, float al2, float aw1, float aw2, float disl1,
                            float disl2, float disl3, DislocationResult& out) {
    const RectArgs a{alpha, depth, dip, al1, al2, aw1, aw2, disl1, disl2, disl3};
    Vec12 sum;
    const int16_t iret = lanes == 4 ? HWY_DYNAMIC_DISPATCH(rectquadsums)(a, x, y, z, sum)
                                    : rectcornersums<CornerPair>(a, x, y, z, sum);
    if (iret != 0) return singularresult(out);
    return storeresult(sum, out);
}

int16_t calcrectsource(float alpha, float x, float y, float z, float depth, float dip, float al1,
                       float al2, float aw1, float aw2, float disl1, float disl2, float disl3,
                       DislocationResult& out) {
    return calcrectsourcelanes(4, alpha, x, y, z, depth, dip, al1, al2, aw1, aw2, disl1, disl2,
                               disl3, out);
}

}  // namespace crustex
#endif  // HWY_ONCE

#include "plot/colormaps.h"

#include <cmath>

namespace crustex {

namespace {

// The table colour at position u in 0..1, interpolated between samples.
Rgb lookup(const std::array<Rgb, kColorMapSize>& table, float u) {
    const float last = static_cast<float>(kColorMapSize - 1);
    const float at = u * last;
    auto k = static_cast<std::size_t>(at);
    if (k >= kColorMapSize - 1) return table[kColorMapSize - 1];
    const float f = at - static_cast<float>(k);
    const Rgb& a = table[k];
    const Rgb& b = table[k + 1];
    auto mix = [f](uint8_t x, uint8_t y) {
        return static_cast<uint8_t>(std::lround(x + f * (static_cast<float>(y) - x)));
    };
    return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
}

float clamp01(float u) {
    if (!(u > 0)) return 0;  // NaN too
    return u < 1 ? u : 1;
}

}  // namespace

Rgb divergingcolor(float t) {
    if (std::isnan(t)) t = 0;
    return lookup(kVikTable, clamp01((t + 1) / 2));
}

Rgb sequentialcolor(float t) { return lookup(kLajollaTable, clamp01(t)); }

Rgb neutralcolor() { return kVikTable[(kColorMapSize - 1) / 2]; }

Rgb cycliccolor(double u) {
    if (!std::isfinite(u)) u = 0;
    return lookup(kRomaOTable, static_cast<float>(u - std::floor(u)));
}

}  // namespace crustex

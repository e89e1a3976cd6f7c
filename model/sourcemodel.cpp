#include "model/sourcemodel.h"

#include <cmath>
#include <initializer_list>

namespace crustex {
namespace {

// Edge differences in 32-bit, as the record holds them.
float edgedx(const faultrec& f) { return f.fx1 - f.fx0; }
float edgedy(const faultrec& f) { return f.fy1 - f.fy0; }

// L in 32-bit: the squares are summed and rooted in 64-bit (exact squares of
// 32-bit differences), the root then stored as a 32-bit float.
float faultlength(const faultrec& f) {
    const double dx = edgedx(f);
    const double dy = edgedy(f);
    return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

bool allfinite(std::initializer_list<float> values) {
    for (float v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

// Degrees to radians with pi as the program writes it.
double toradians(float degrees) { return static_cast<double>(degrees) * kPi / 180; }

}  // namespace

bool sourceusable(const faultrec& f) {
    if (f.sourcetype == 1) return allfinite({f.px, f.py, f.pdepth, f.piso});
    if (f.sourcetype != 0) return false;
    if (!allfinite({f.fx0, f.fy0, f.fx1, f.fy1, f.fdepth, f.fwidth, f.fdipangle, f.slip,
                    f.rakeangle, f.tensile}))
        return false;
    // Coinciding edges, or edges so far apart that their difference
    // overflows, leave no strike direction.
    const float length = faultlength(f);
    return length > 0 && std::isfinite(length) && std::isfinite(edgedx(f)) &&
           std::isfinite(edgedy(f));
}

FaultGeometry faultgeometry(const faultrec& f) {
    FaultGeometry g;
    g.length = faultlength(f);
    if (!(g.length > 0) || !std::isfinite(g.length)) return g;  // never divide by L = 0
    g.c = static_cast<double>(edgedx(f)) / g.length;
    g.s = static_cast<double>(edgedy(f)) / g.length;
    return g;
}

FaultFramePoint tofaultframe(const faultrec& f, const FaultGeometry& g, float x, float y) {
    const double dx = x - f.fx0;
    const double dy = y - f.fy0;
    return {dx * g.c + dy * g.s, -dx * g.s + dy * g.c};
}

FaultDislocation faultdislocation(const faultrec& f) {
    const double rake = toradians(f.rakeangle);
    FaultDislocation d;
    d.strikeslip = static_cast<float>(f.slip * std::cos(rake));
    d.dipslip = static_cast<float>(f.slip * std::sin(rake));
    d.tensile = f.tensile;
    return d;
}

float inflationpotency(const faultrec& f) { return f.piso * 1000; }

}  // namespace crustex

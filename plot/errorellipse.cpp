#include "plot/errorellipse.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace crustex {

ErrorEllipse errorellipse(double sx, double sy, double rho) {
    const double a = sx * sx, c = sy * sy, b = rho * sx * sy;
    const double mean = (a + c) / 2, half = std::hypot((a - c) / 2, b);
    ErrorEllipse e;
    e.major = std::sqrt(mean + half);
    e.minor = std::sqrt(std::max(0.0, mean - half));
    e.angle = 0.5 * std::atan2(2 * b, a - c);
    return e;
}

void drawerrorellipse(Surface& s, float x, float y, const ErrorEllipse& e, float scale, Rgb color) {
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(scale)) return;
    const double ca = std::cos(e.angle), sa = std::sin(e.angle);
    float px = 0, py = 0;
    for (int k = 0; k <= kEllipseSegments; ++k) {
        const double t = 2 * std::numbers::pi * k / kEllipseSegments;
        const double u = e.major * std::cos(t), v = e.minor * std::sin(t);
        const auto qx = static_cast<float>(x + scale * (u * ca - v * sa));
        const auto qy = static_cast<float>(y - scale * (u * sa + v * ca));
        if (k > 0) s.Line(px, py, qx, qy, color);
        px = qx;
        py = qy;
    }
}

}  // namespace crustex

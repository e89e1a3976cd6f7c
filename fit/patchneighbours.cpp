#include "fit/patchneighbours.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/patchplanes.h"
#include "model/sourcemodel.h"

namespace crustex {

namespace {

using Point3 = std::array<double, 3>;  // map X, Y (km) and depth (km, down +)

struct Outline {
    std::array<Point3, 4> corners;
    Point3 normal;
    double size = 0;   // the shorter side (km)
    double reach = 0;  // no corner lies farther than this from the first (km)
    double span = 0;   // the largest coordinate, for the float rounding
    bool usable = false;
};

Outline outline(const SlipPatch& p) {
    Outline o;
    if (!patchusable(p)) return o;
    const PatchStrike g = patchstrike(p);
    const double dip = p.dip * kPi / 180, sd = std::sin(dip), cd = std::cos(dip);
    // Down dip: to the right of the strike (s, -c) horizontally, and down.
    const Point3 down = {cd * g.s, -cd * g.c, sd};
    const Point3 a = {p.x0, p.y0, p.top}, b = {p.x1, p.y1, p.top};
    for (std::size_t k = 0; k < 3; ++k) {
        o.corners[0][k] = a[k];
        o.corners[1][k] = b[k];
        o.corners[2][k] = b[k] + p.width * down[k];
        o.corners[3][k] = a[k] + p.width * down[k];
    }
    // Strike (c, s, 0) across the down-dip direction.
    o.normal = {g.s * down[2], -g.c * down[2], g.c * down[1] - g.s * down[0]};
    o.size = std::min<double>(g.length, p.width);
    o.reach = g.length + p.width;
    for (const Point3& c : o.corners)
        for (double v : c) o.span = std::max(o.span, std::fabs(v));
    o.usable = true;
    return o;
}

bool neighbours(const Outline& a, const Outline& b) {
    const double far = a.reach + b.reach;
    for (std::size_t k = 0; k < 3; ++k)
        if (std::fabs(a.corners[0][k] - b.corners[0][k]) > far) return false;
    const double dot =
        a.normal[0] * b.normal[0] + a.normal[1] * b.normal[1] + a.normal[2] * b.normal[2];
    if (std::fabs(dot) < std::cos(kPi / 180)) return false;
    const double tol = 1e-3 * std::min(a.size, b.size) + 1e-6 * std::max(a.span, b.span);
    int shared = 0;
    for (const Point3& p : a.corners) {
        for (const Point3& q : b.corners) {
            if (std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]) <= tol) {
                ++shared;
                break;
            }
        }
    }
    return shared >= 2;
}

}  // namespace

std::vector<std::pair<uint32_t, uint32_t>> patchneighbours(std::span<const SlipPatch> patches) {
    std::vector<Outline> outlines;
    outlines.reserve(patches.size());
    for (const SlipPatch& p : patches) outlines.push_back(outline(p));
    std::vector<std::pair<uint32_t, uint32_t>> pairs;
    for (std::size_t i = 0; i < outlines.size(); ++i) {
        if (!outlines[i].usable) continue;
        for (std::size_t j = i + 1; j < outlines.size(); ++j) {
            if (outlines[j].usable && neighbours(outlines[i], outlines[j]))
                pairs.emplace_back(static_cast<uint32_t>(i), static_cast<uint32_t>(j));
        }
    }
    return pairs;
}

}  // namespace crustex

#include "stress/sectiontraces.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/patchplanes.h"
#include "model/sourcemodel.h"

namespace crustex {

namespace {

constexpr double kRad = 3.14159265358979323846 / 180;

// The section's line: its first point, direction and right-hand normal.
struct Line {
    double x0, y0, ux, uy;
    double along(double x, double y) const { return (x - x0) * ux + (y - y0) * uy; }
    double right(double x, double y) const { return (x - x0) * uy - (y - y0) * ux; }
};

Line lineof(const SectionSpec& s) {
    const double length = sectionlength(s);
    return {s.x0, s.y0, (s.x1 - static_cast<double>(s.x0)) / length,
            (s.y1 - static_cast<double>(s.y0)) / length};
}

struct Corner {
    double x, y, depth;
};

// The corners of a rectangle in order round it: the upper edge from its
// first end to its second, then the lower edge back; it dips to the right
// of the upper edge.
std::array<Corner, 4> corners(double x0, double y0, double x1, double y1, double top, double width,
                              double dip) {
    const double length = std::hypot(x1 - x0, y1 - y0);
    const double c = (x1 - x0) / length, s = (y1 - y0) / length;
    const double h = width * std::cos(dip * kRad), v = width * std::sin(dip * kRad);
    return {{{x0, y0, top},
             {x1, y1, top},
             {x1 + h * s, y1 - h * c, top + v},
             {x0 + h * s, y0 - h * c, top + v}}};
}

SectionPoint onsection(const Line& l, const Corner& c) {
    return {static_cast<float>(l.along(c.x, c.y)), static_cast<float>(c.depth)};
}

void addcut(const Line& l, const std::array<Corner, 4>& q, bool patch,
            std::vector<SectionTrace>& out) {
    for (const Corner& c : q)
        if (!std::isfinite(c.x + c.y + c.depth)) return;
    std::array<double, 4> h{};
    for (std::size_t k = 0; k < 4; ++k) h[k] = l.right(q[k].x, q[k].y);
    if (h[0] == 0 && h[1] == 0 && h[2] == 0 && h[3] == 0) {
        for (std::size_t k = 0; k < 4; ++k)
            out.push_back({onsection(l, q[k]), onsection(l, q[(k + 1) % 4]), patch});
        return;
    }
    // The points where the outline crosses the plane (a corner on it once).
    std::vector<SectionPoint> cut;
    for (std::size_t k = 0; k < 4; ++k) {
        const Corner& a = q[k];
        const Corner& b = q[(k + 1) % 4];
        const double ha = h[k], hb = h[(k + 1) % 4];
        if (ha == 0) {
            cut.push_back(onsection(l, a));
        } else if ((ha < 0 && hb > 0) || (ha > 0 && hb < 0)) {
            const double t = ha / (ha - hb);
            cut.push_back(onsection(l, {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y),
                                        a.depth + t * (b.depth - a.depth)}));
        }
    }
    if (cut.size() == 2 && !(cut[0] == cut[1])) out.push_back({cut[0], cut[1], patch});
}

}  // namespace

std::vector<SectionTrace> sectiontraces(const WorkState& ws, const SectionSpec& s) {
    std::vector<SectionTrace> out;
    if (!(sectionlength(s) > 0)) return out;
    const Line l = lineof(s);
    const int n = std::clamp<int>(ws.nfault, 0, kMaxSources);
    for (int k = 1; k <= n; ++k) {
        const faultrec& f = ws.fault[static_cast<std::size_t>(k)];
        if (f.sourcetype != 0 || !sourceusable(f)) continue;
        addcut(l, corners(f.fx0, f.fy0, f.fx1, f.fy1, f.fdepth, f.fwidth, f.fdipangle), false, out);
    }
    for (const SlipPatch& p : ws.slipmodel.patches) {
        if (!patchusable(p)) continue;
        addcut(l, corners(p.x0, p.y0, p.x1, p.y1, p.top, p.width, p.dip), true, out);
    }
    return out;
}

std::vector<SectionEvent> sectionevents(const EventTable& events, const SectionSpec& s,
                                        float within, const Projection& proj,
                                        const PlotFrame& frame) {
    std::vector<SectionEvent> out;
    const double length = sectionlength(s);
    if (!(length > 0) || !(within >= 0)) return out;
    const Line l = lineof(s);
    for (const EventRecord& e : events.events) {
        float x = 0, y = 0;
        geotokm(proj, frame, e.lat, e.lon, x, y);
        const double d = l.along(x, y), off = l.right(x, y);
        if (!std::isfinite(d + off) || d < 0 || d > length || std::fabs(off) > within) continue;
        out.push_back({{static_cast<float>(d), e.depth / 10.0f}, static_cast<float>(off), e.mag});
    }
    return out;
}

}  // namespace crustex

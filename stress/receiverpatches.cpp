#include "stress/receiverpatches.h"

#include <algorithm>
#include <cmath>

#include "model/sourcemodel.h"

namespace crustex {

namespace {

bool finite(std::initializer_list<float> values) {
    return std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
}

// Degrees clockwise from Y of the direction (c, s), in 0..360.
float bearingdegrees(double c, double s) {
    double d = std::atan2(c, s) * 180 / kPi;
    if (d < 0) d += 360;
    return d >= 360 ? 0.0f : static_cast<float>(d);
}

// The receiver's plane: its first end, strike direction, down-dip step.
struct Plane {
    double x0, y0, top;
    double c, s;           // along strike, map axes
    double hx, hy, vd;     // one km down dip: horizontal and vertical parts
    double length, width;  // km

    // The point `a` km along strike and `w` km down dip.
    void at(double a, double w, float& x, float& y, float& depth) const {
        x = static_cast<float>(x0 + c * a + hx * w);
        y = static_cast<float>(y0 + s * a + hy * w);
        depth = static_cast<float>(top + vd * w);
    }
};

Plane planeof(const ReceiverFault& r) {
    Plane p;
    p.x0 = r.x0;
    p.y0 = r.y0;
    p.top = r.top;
    const double dx = static_cast<double>(r.x1) - r.x0, dy = static_cast<double>(r.y1) - r.y0;
    p.length = std::hypot(dx, dy);
    p.width = r.width;
    p.c = dx / p.length;
    p.s = dy / p.length;
    const double dip = static_cast<double>(r.dip) * kPi / 180;
    // Down dip lies to the right of the strike: (s, -c).
    p.hx = p.s * std::cos(dip);
    p.hy = -p.c * std::cos(dip);
    p.vd = std::sin(dip);
    return p;
}

}  // namespace

const char* receiverproblem(const ReceiverFault& r) {
    if (!finite({r.x0, r.y0, r.x1, r.y1, r.top, r.width, r.dip})) return "a value is not a number";
    if (!(std::hypot(static_cast<double>(r.x1) - r.x0, static_cast<double>(r.y1) - r.y0) > 0))
        return "zero length";
    if (!(r.width > 0)) return "zero width";
    if (r.dip < 0 || r.dip > 90) return "dip outside 0..90";
    if (r.top < 0) return "top above the surface";
    return nullptr;
}

std::vector<ReceiverPatch> splitreceivers(std::span<const ReceiverFault> receivers,
                                          const ReceiverSplit& split, float userrake,
                                          std::size_t* skipped) {
    const int n = std::max(split.along, 1), m = std::max(split.down, 1);
    std::vector<ReceiverPatch> out;
    std::size_t left = 0;
    for (std::size_t k = 0; k < receivers.size(); ++k) {
        const ReceiverFault& r = receivers[k];
        if (receiverproblem(r) != nullptr) {
            ++left;
            continue;
        }
        const Plane p = planeof(r);
        ReceiverPatch base;
        base.receiver = static_cast<uint32_t>(k);
        base.strike = bearingdegrees(p.c, p.s);
        base.dip = r.dip;
        base.rake = std::isnan(r.rake) ? userrake : r.rake;
        base.sinstrike = p.c;
        base.cosstrike = p.s;
        for (int j = 0; j < m; ++j) {
            const double w0 = p.width * j / m, w1 = p.width * (j + 1) / m;
            for (int i = 0; i < n; ++i) {
                const double a0 = p.length * i / n, a1 = p.length * (i + 1) / n;
                ReceiverPatch q = base;
                q.patch = static_cast<uint32_t>(j * n + i);
                p.at((a0 + a1) / 2, (w0 + w1) / 2, q.x, q.y, q.depth);
                p.at(a0, w0, q.cx[0], q.cy[0], q.cdepth[0]);
                p.at(a1, w0, q.cx[1], q.cy[1], q.cdepth[1]);
                p.at(a1, w1, q.cx[2], q.cy[2], q.cdepth[2]);
                p.at(a0, w1, q.cx[3], q.cy[3], q.cdepth[3]);
                out.push_back(q);
            }
        }
    }
    if (skipped) *skipped = left;
    return out;
}

std::vector<ReceiverFault> sourcereceivers(const WorkState& ws) {
    std::vector<ReceiverFault> out;
    const int n = std::clamp<int>(ws.nfault, 0, kMaxSources);
    for (int k = 1; k <= n; ++k) {
        const faultrec& f = ws.fault[static_cast<std::size_t>(k)];
        if (f.sourcetype != 0) continue;
        ReceiverFault r;
        r.x0 = f.fx0;
        r.y0 = f.fy0;
        r.x1 = f.fx1;
        r.y1 = f.fy1;
        r.top = f.fdepth;
        r.width = f.fwidth;
        r.dip = f.fdipangle;
        r.rake = f.rakeangle;
        r.name = "source " + std::to_string(k);
        out.push_back(std::move(r));
    }
    return out;
}

}  // namespace crustex

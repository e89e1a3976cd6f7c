// Projection set-up: reference point, constants of each kind and the fit of
// the map range into the map frame.
#include "geo/projection.h"

#include <algorithm>
#include <cmath>

#include "model/workstate.h"

namespace crustex {

namespace {

// atan(tan(u) * m), with tan(u) taken as sin(u) / 1e-10 where the cosine
// vanishes so that a reference latitude of +90 or -90 still works.
double atantimes(double u, double m) {
    const double c = std::cos(u);
    if (c < kCosGuard) return std::atan(std::sin(u) * m / kCosGuard);
    return std::atan(std::sin(u) / c * m);
}

void cylindricalconst(Projection& p, float s) {
    const double c = p.kind == kMillur ? 1.25 : 1.0;
    p.xfac = kDegToRad * kMeanRadius / s;
    p.yfac = c * kMeanRadius / s;
    p.k = kDegToRad / (2 * c);
    const double t = kQuarterPi + p.k * p.phi0;
    p.y0 = p.yfac * std::log(std::sin(t) / std::cos(t));
}

void conicconst(Projection& p, float s) {
    const double a = kEquatorRadius / static_cast<double>(s);
    const double b = kPolarRadius / static_cast<double>(s);
    const double q = a / b;
    const double pr = b / a;
    p.e2 = pr * pr;
    const double f0 = p.phi0 * kDegToRad;
    const double psi0 = atantimes(f0, pr * pr);
    const double beta0 = atantimes(f0, pr);
    p.phi1 = atantimes(beta0, q);
    p.n = std::sin(p.phi1);
    p.C = b / std::sin(beta0);
    p.r0 = p.C * std::cos(psi0) / std::cos(p.phi1 - psi0);
    p.G = static_cast<float>(std::cos(p.phi1) * q * q / std::sin(p.phi1));
    p.E = p.C * q * q / std::sin(p.phi1);
}

// Widens the extremes by the projection of (lat, lon).
struct Extremes {
    float minx, maxx, miny, maxy;
    void add(float x, float y) {
        minx = std::min(minx, x);
        maxx = std::max(maxx, x);
        miny = std::min(miny, y);
        maxy = std::max(maxy, y);
    }
};

// Walks from a to b in steps of (b - a) / 8 with a float loop variable, end
// included as far as the accumulated value reaches it. A zero step visits
// a once; the count is bounded whatever the values.
template <typename Visit>
void walkrange(float a, float b, Visit visit) {
    const float step = (b - a) / 8;
    if (!(step != 0) || !std::isfinite(step)) {
        visit(a);
        return;
    }
    int guard = 0;
    for (float v = a; step > 0 ? v <= b : v >= b; v += step) {
        visit(v);
        if (++guard > 64) break;
    }
}

// Fits the projected range into the map frame: the map touches the right and
// top edges and fills the frame in its limiting direction, then moves down
// by up to 20 units. Returns false when the range has no extent.
bool fitprojection(Projection& p, float lat1, float lon1, float lat2, float lon2) {
    float x = 0, y = 0;
    projectgeo(p, p.kind, lat1, lon1, x, y);
    Extremes e{x, x, y, y};
    walkrange(lat1, lat2, [&](float lat) {
        projectgeo(p, p.kind, lat, lon1, x, y);
        e.add(x, y);
        projectgeo(p, p.kind, lat, lon2, x, y);
        e.add(x, y);
    });
    walkrange(lon1, lon2, [&](float lon) {
        projectgeo(p, p.kind, lat1, lon, x, y);
        e.add(x, y);
        projectgeo(p, p.kind, lat2, lon, x, y);
        e.add(x, y);
    });
    const float w = e.maxx - e.minx;
    const float h = e.maxy - e.miny;
    const float ratio = std::max(w / (p.right - p.left), h / (p.bottom - p.top));
    if (!(ratio > 0) || !std::isfinite(ratio)) return false;
    const float s = p.s * ratio;
    if (!(s != 0) || !std::isfinite(s)) return false;
    p.s = s;
    p.left = p.right - w / ratio;
    p.Xc = p.right - (e.maxx - p.Xc) / ratio;
    p.bottom = p.top + h / ratio;
    p.Yc = p.top + (p.Yc - e.miny) / ratio;
    const float d = std::min((kMapHeight - kMapTop) - p.bottom, 20.0f);
    p.top += d;
    p.bottom += d;
    p.Yc += d;
    setprojconst(p, p.s);
    return true;
}

}  // namespace

void setprojconst(Projection& p, float s) {
    if (p.kind == kConic)
        conicconst(p, s);
    else
        cylindricalconst(p, s);
}

bool setupprojection(Projection& state, int16_t kind, float lat1, float lon1, float lat2,
                     float& lon2) {
    // The east limit is wrapped in place, as the map dialog shows it
    // afterwards. A limit too large for 360 to move it is left alone.
    for (int i = 0; i < 100000 && lon1 >= lon2; ++i) {
        const float next = lon2 + 360;
        if (next == lon2) break;
        lon2 = next;
    }
    Projection p;
    p.kind = kind;
    p.lat1 = lat1;
    p.lat2 = lat2;
    p.phi0 = (lat1 + lat2) / 2;
    p.lam0 = (lon1 + lon2) / 2;
    if (p.kind == kConic) {
        if (lat2 == 90) p.phi0 = 90;
        if (lat1 == -90) p.phi0 = -90;
    }
    p.left = kMapLeft;
    p.right = kMapRight;
    p.top = kMapTop;
    p.bottom = kMapBottom;
    p.Xc = (kMapLeft + kMapRight) / 2;
    p.Yc = (kMapTop + kMapBottom) / 2;
    p.s = (lat2 - lat1) / 10;
    if (!(p.s != 0) || !std::isfinite(p.s) || !std::isfinite(p.lam0)) return false;
    setprojconst(p, p.s);
    if (!fitprojection(p, lat1, lon1, lat2, lon2)) return false;
    state = p;
    return true;
}

bool setprojection(Projection& state, WorkState& ws) {
    return setupprojection(state, ws.projection, ws.flat1, ws.flon1, ws.flat2, ws.flon2);
}

}  // namespace crustex

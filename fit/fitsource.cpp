#include "fit/fitsource.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/maprotation.h"
#include "engine/patchplanes.h"
#include "engine/solutionsums.h"
#include "model/sourcemodel.h"

namespace crustex {

namespace {

using P = FitParam;

struct ParamInfo {
    std::string_view name, unit;
};
constexpr ParamInfo kParams[kFitParamCount] = {
    {"east", "km"}, {"north", "km"},  {"depth", "km"},        {"strike", "deg"},
    {"dip", "deg"}, {"rake", "deg"},  {"length", "km"},       {"width", "km"},
    {"slip", "m"},  {"opening", "m"}, {"volume", "10^6 m^3"},
};

constexpr double kInf = std::numeric_limits<double>::infinity();
// The record keeps slip in mm up to 100000, depths up to 1000 km.
constexpr double kMaxSlip = 100;
constexpr double kMaxDepth = 1000;
constexpr double kMinSize = 0.001;  // km: the shortest length or width fitted
constexpr double kMaxSize = 10000;

double radians(double degrees) { return degrees * kPi / 180; }
double degrees(double radians) { return radians * 180 / kPi; }

// The angle brought into -180..180.
double wrapangle(double a) {
    a = std::fmod(a, 360.0);
    if (a > 180) a -= 360;
    if (a < -180) a += 360;
    return a;
}

// The ends of the upper edge from its centre, strike and length.
struct UpperEdge {
    double x0, y0, x1, y1;
};
UpperEdge upperedge(const FitSource& s) {
    const double phi = radians(s[P::Strike]);
    const double hx = s[P::Length] / 2 * std::sin(phi), hy = s[P::Length] / 2 * std::cos(phi);
    return {s[P::East] - hx, s[P::North] - hy, s[P::East] + hx, s[P::North] + hy};
}

// Centre, strike and length from the two ends of an upper edge.
void fromedge(double x0, double y0, double x1, double y1, FitSource& s) {
    s[P::East] = (x0 + x1) / 2;
    s[P::North] = (y0 + y1) / 2;
    s[P::Strike] = degrees(std::atan2(x1 - x0, y1 - y0));
    s[P::Length] = std::hypot(x1 - x0, y1 - y0);
}

// The displacement of a fault with the given dip.
bool faultatdip(const FitSource& s, double dip, double alpha, double x, double y, double z,
                std::array<double, 3>& u) {
    const double length = s[P::Length], width = s[P::Width];
    const double phi = radians(s[P::Strike]);
    const double c = std::sin(phi), sn = std::cos(phi);  // strike direction in map axes
    const UpperEdge e = upperedge(s);
    const double dx = x - e.x0, dy = y - e.y0;
    const double rake = radians(s[P::Rake]), slip = s[P::Slip] * 1000;
    const RectArgs64 a{alpha,
                       s[P::Depth],
                       dip,
                       0,
                       length,
                       width,
                       0,
                       slip * std::cos(rake),
                       slip * std::sin(rake),
                       s[P::Opening] * 1000};
    Vec12 sum;
    if (rectsourcesums64(a, dx * c + dy * sn, dy * c - dx * sn, z, sum) != 0) return false;
    double r[12], t[12];
    std::copy(sum.begin(), sum.end(), r);
    tomapaxes(r, c, sn, t);
    u = {t[0], t[1], t[2]};
    return true;
}

// Near a vertical dip the terms of the solution carry 1 / cos(dip) and
// cancel each other (only an exactly vertical fault takes the other branch):
// at 89.9999 degrees a millionth of the result is rounding noise, enough to
// ruin the derivatives. Within this many degrees of 90 the displacement is
// the parabola through its values at 90 - d, 90 and 90 + d, which differs
// from the exact one by parts in 10^9.
constexpr double kNearVertical = 0.05;

bool faultdisplacement(const FitSource& s, double alpha, double x, double y, double z,
                       std::array<double, 3>& u) {
    if (!(s[P::Length] > 0) || !(s[P::Width] > 0)) return false;
    const double t = (s[P::Dip] - 90) / kNearVertical;
    if (!(std::fabs(t) < 1)) return faultatdip(s, s[P::Dip], alpha, x, y, z, u);
    std::array<double, 3> below, at, above;
    if (!faultatdip(s, 90 - kNearVertical, alpha, x, y, z, below) ||
        !faultatdip(s, 90, alpha, x, y, z, at) ||
        !faultatdip(s, 90 + kNearVertical, alpha, x, y, z, above))
        return false;
    for (std::size_t a = 0; a < 3; ++a)
        u[a] =
            at[a] + t * (above[a] - below[a]) / 2 + t * t * (above[a] - 2 * at[a] + below[a]) / 2;
    return true;
}

}  // namespace

std::string_view fitparamname(FitParam p) { return kParams[static_cast<std::size_t>(p)].name; }
std::string_view fitparamunit(FitParam p) { return kParams[static_cast<std::size_t>(p)].unit; }

std::optional<FitParam> findfitparam(std::string_view name) {
    for (std::size_t k = 0; k < kFitParamCount; ++k)
        if (kParams[k].name == name) return static_cast<FitParam>(k);
    return std::nullopt;
}

bool FitSource::has(FitParam p) const {
    if (shape == Shape::Fault) return p != P::Volume;
    return p == P::East || p == P::North || p == P::Depth || p == P::Volume;
}

FitSource fitsourceof(const faultrec& f) {
    FitSource s;
    if (f.sourcetype == 1) {
        s.shape = FitSource::Shape::Point;
        s[P::East] = f.px;
        s[P::North] = f.py;
        s[P::Depth] = f.pdepth;
        s[P::Volume] = static_cast<double>(f.piso) / 3;
        return s;
    }
    fromedge(f.fx0, f.fy0, f.fx1, f.fy1, s);
    s[P::Depth] = f.fdepth;
    s[P::Dip] = f.fdipangle;
    s[P::Rake] = f.rakeangle;
    s[P::Width] = f.fwidth;
    s[P::Slip] = static_cast<double>(f.slip) / 1000;
    s[P::Opening] = static_cast<double>(f.tensile) / 1000;
    return s;
}

FitSource fitsourceof(const SlipPatch& p) {
    FitSource s;
    s.patch = true;
    fromedge(p.x0, p.y0, p.x1, p.y1, s);
    s[P::Depth] = p.top;
    s[P::Dip] = p.dip;
    s[P::Rake] = p.rake;
    s[P::Width] = p.width;
    s[P::Slip] = p.slip;
    s[P::Opening] = p.opening;
    return s;
}

void storefitsource(const FitSource& s, faultrec& f) {
    if (s.shape == FitSource::Shape::Point) {
        f.px = static_cast<float>(s[P::East]);
        f.py = static_cast<float>(s[P::North]);
        f.pdepth = static_cast<float>(s[P::Depth]);
        f.piso = static_cast<float>(s[P::Volume] * 3);
        return;
    }
    // The geometry as a patch takes it, the dislocation in mm.
    SlipPatch p;
    storefitsource(s, p);
    const faultrec g = patchrecord(p);
    for (float faultrec::*field : {&faultrec::fx0, &faultrec::fy0, &faultrec::fx1, &faultrec::fy1,
                                   &faultrec::fdepth, &faultrec::fwidth, &faultrec::fdipangle})
        f.*field = g.*field;
    f.rakeangle = p.rake;
    f.slip = static_cast<float>(s[P::Slip] * 1000);
    f.tensile = static_cast<float>(s[P::Opening] * 1000);
}

void storefitsource(const FitSource& s, SlipPatch& p) {
    const UpperEdge e = upperedge(s);
    p.x0 = static_cast<float>(e.x0);
    p.y0 = static_cast<float>(e.y0);
    p.x1 = static_cast<float>(e.x1);
    p.y1 = static_cast<float>(e.y1);
    p.top = static_cast<float>(s[P::Depth]);
    p.dip = static_cast<float>(s[P::Dip]);
    p.rake = static_cast<float>(wrapangle(s[P::Rake]));
    p.width = static_cast<float>(s[P::Width]);
    p.slip = static_cast<float>(s[P::Slip]);
    p.opening = static_cast<float>(s[P::Opening]);
}

bool fitdisplacement(const FitSource& s, double alpha, double x, double y, double z,
                     std::array<double, 3>& u) {
    if (s.shape == FitSource::Shape::Fault) return faultdisplacement(s, alpha, x, y, z, u);
    const InflationArgs64 a{alpha, s[P::Depth], s[P::Volume] * 3 * 1000};
    Vec12 sum;
    if (inflationsums64(a, x - s[P::East], y - s[P::North], z, sum) != 0) return false;
    u = {sum[0], sum[1], sum[2]};
    return true;
}

ParamRange paramdomain(const FitSource& s, FitParam p) {
    switch (p) {
        case P::Depth: return {0, kMaxDepth};
        case P::Dip: return {0, s.patch ? 90.0 : 180.0};
        case P::Length:
        case P::Width: return {kMinSize, kMaxSize};
        case P::Slip: return {0, kMaxSlip};
        default: return {-kInf, kInf};
    }
}

ParamRange defaultbounds(const FitSource& s, FitParam p, double reach) {
    const double v = s[p];
    const double spread = std::max(10 * std::fabs(v), 10.0);
    switch (p) {
        case P::East:
        case P::North: return {v - std::max(reach, 20.0), v + std::max(reach, 20.0)};
        case P::Depth: return {0, std::min(kMaxDepth, v + std::max(v, 20.0))};
        case P::Strike:
        case P::Rake: return {v - 180, v + 180};
        case P::Dip: return v <= 90 ? ParamRange{0, 90} : ParamRange{90, 180};
        case P::Length:
        case P::Width: return {std::max(v / 10, kMinSize), std::min(v * 10, kMaxSize)};
        case P::Slip: return {0, std::min(kMaxSlip, spread)};
        case P::Opening:
        case P::Volume: return {-spread, spread};
    }
    return {v, v};
}

}  // namespace crustex

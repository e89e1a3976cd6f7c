// Forward and inverse projection and the conversions between latitude and
// longitude and field kilometres.
#include <cmath>

#include "geo/projection.h"

namespace crustex {

namespace {

constexpr double kHalfPi = 2 * kQuarterPi;
constexpr double kAnglePi = 3.14159265358979;

// atan(tan(u) * m) with the cosine guard of the conic constants.
double atantimes(double u, double m) {
    const double c = std::cos(u);
    if (c < kCosGuard) return std::atan(std::sin(u) * m / kCosGuard);
    return std::atan(std::sin(u) / c * m);
}

void offmap(float& x, float& y) {
    x = kOffMap;
    y = kOffMap;
}

}  // namespace

void projectgeo(const Projection& p, int kind, float lat, float lon, float& x, float& y) {
    if (kind == kConic) {
        const double f = lat * kDegToRad;
        const double psi = atantimes(f, p.e2);
        const double c = std::cos(psi - p.phi1);
        if (!(c > 0)) return offmap(x, y);
        const double r = p.C * std::cos(psi) / c;
        const double theta = p.n * kDegToRad * static_cast<float>(lon - p.lam0);
        x = static_cast<float>(p.Xc + r * std::sin(theta));
        y = static_cast<float>(p.Yc + r * std::cos(theta) - p.r0);
        return;
    }
    const double t = kQuarterPi + p.k * lat;
    if (t >= kHalfPi || !(t > 0)) return offmap(x, y);
    x = static_cast<float>(p.Xc + static_cast<float>(lon - p.lam0) * p.xfac);
    y = static_cast<float>(p.Yc - (p.yfac * std::log(std::sin(t) / std::cos(t)) - p.y0));
}

void unprojectxy(const Projection& p, float x, float y, float& lat, float& lon) {
    if (p.kind == kConic) {
        const double dx = static_cast<double>(x) - p.Xc;
        const double dy = (static_cast<double>(p.Yc) - y) - p.r0;
        double rho = std::sqrt(dx * dx + dy * dy);
        if (rho == 0) rho = kZeroRadius;
        if (p.phi1 < 0) rho = -rho;
        const double theta = std::atan(-dx / dy);
        lon = static_cast<float>(p.lam0 + (theta / p.n) * kRadToDeg);
        lat = static_cast<float>(std::atan(p.E / rho - p.G) * kRadToDeg);
        return;
    }
    const double u = std::exp((static_cast<double>(p.Yc) - y + p.y0) / p.yfac);
    lat = static_cast<float>((std::atan(u) - kQuarterPi) / p.k);
    lon = static_cast<float>(p.lam0 + (static_cast<double>(x) - p.Xc) / p.xfac);
}

void geotokm(const Projection& p, const PlotFrame& f, float lat, float lon, float& xkm,
             float& ykm) {
    float x = 0, y = 0;
    projectgeo(p, p.kind, lat, lon, x, y);
    xkm = fromframex(f, x);
    ykm = fromframey(f, y);
}

void kmtogeo(const Projection& p, const PlotFrame& f, float xkm, float ykm, float& lat,
             float& lon) {
    unprojectxy(p, toframex(f, xkm), toframey(f, ykm), lat, lon);
}

float meridianangle(const Projection& p, float lon) {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    projectgeo(p, p.kind, p.lat1, lon, x1, y1);
    projectgeo(p, p.kind, p.lat2, lon, x2, y2);
    return calcangle(x2 - x1, y1 - y2);
}

float calcangle(float y, float x) {
    if (x == 0) return static_cast<float>(y < 0 ? -kAnglePi / 2 : kAnglePi / 2);
    const double a = std::atan(static_cast<double>(y) / x);
    if (x > 0) return static_cast<float>(a);
    return static_cast<float>(y >= 0 ? a + kAnglePi : a - kAnglePi);
}

}  // namespace crustex

#include "stress/regionalstress.h"

#include <cmath>

#include "model/numtext.h"

namespace crustex {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRad = kPi / 180;

std::string axisname(std::size_t k) {
    std::string name = "S";
    name += std::to_string(k + 1);
    return name;
}

}  // namespace

double northangle(const NorthReference& north, float x, float y) {
    if (!north.proj || !north.frame) return 0;
    float lat = 0, lon = 0;
    kmtogeo(*north.proj, *north.frame, x, y, lat, lon);
    const double a = meridianangle(*north.proj, lon);
    return std::isfinite(a) ? a : 0;
}

Vec3 axisdirection(const PrincipalStress& a, double north) {
    const double az = a.azimuth * kRad + north, pl = a.plunge * kRad;
    return {std::sin(az) * std::cos(pl), std::cos(az) * std::cos(pl), -std::sin(pl)};
}

SymTensor regionalstressat(const RegionalStress& r, double depth, double north) {
    SymTensor t;
    for (const PrincipalStress& a : r.axis) {
        const Vec3 v = axisdirection(a, north);
        // Compression positive in the data, tension positive here.
        const double m = -(a.surface + a.gradient * depth);
        t.xx += m * v[0] * v[0];
        t.yy += m * v[1] * v[1];
        t.zz += m * v[2] * v[2];
        t.xy += m * v[0] * v[1];
        t.yz += m * v[1] * v[2];
        t.zx += m * v[2] * v[0];
    }
    return t;
}

std::string regionalstressproblem(const RegionalStress& r) {
    if (!r.given) return "no regional stress is given";
    for (std::size_t k = 0; k < 3; ++k) {
        const PrincipalStress& a = r.axis[k];
        for (const float v : {a.azimuth, a.plunge, a.surface, a.gradient})
            if (!std::isfinite(v))
                return "regional stress " + axisname(k) + ": a value is not a number";
        if (std::fabs(a.plunge) > 90)
            return "regional stress " + axisname(k) + ": plunge " + generalform(a.plunge) +
                   " is beyond 90 degrees";
    }
    const double tolerance = std::sin(kAxisTolerance * kRad);
    for (std::size_t i = 0; i < 3; ++i) {
        for (std::size_t j = i + 1; j < 3; ++j) {
            const double c = dot(axisdirection(r.axis[i], 0), axisdirection(r.axis[j], 0));
            if (std::fabs(c) <= tolerance) continue;
            const double angle = std::round(std::acos(std::fabs(c)) / kRad * 10) / 10;
            return "regional stress: " + axisname(i) + " and " + axisname(j) + " are " +
                   generalform(static_cast<float>(angle)) + " degrees apart, not perpendicular";
        }
    }
    return "";
}

}  // namespace crustex

#include "stress/optimalplanes.h"

#include <cmath>

#include "engine/fieldgrid.h"

namespace crustex {

namespace {

constexpr double kRadToDegrees = 180 / 3.14159265358979323846;

SymTensor plus(const SymTensor& a, const SymTensor& b, double f) {
    return {a.xx + f * b.xx, a.yy + f * b.yy, a.zz + f * b.zz,
            a.xy + f * b.xy, a.yz + f * b.yz, a.zx + f * b.zx};
}

bool finite(const SymTensor& t) { return std::isfinite(t.xx + t.yy + t.zz + t.xy + t.yz + t.zx); }

}  // namespace

double optimalangle(double friction) { return std::atan2(1.0, friction) / 2; }

std::array<OptimalPlane, 2> conjugateplanes(const SymTensor& total, const SymTensor& change,
                                            double friction) {
    const PrincipalAxes p = principalaxes(total);
    const double psi = optimalangle(friction);
    const double sp = std::sin(psi), cp = std::cos(psi);
    const Vec3& a1 = p.axis[0];
    const Vec3& a3 = p.axis[2];
    std::array<OptimalPlane, 2> out;
    for (int k = 0; k < 2; ++k) {
        const double sign = k == 0 ? 1 : -1;
        OptimalPlane& plane = out[static_cast<std::size_t>(k)];
        for (std::size_t c = 0; c < 3; ++c) {
            plane.normal[c] = sp * a1[c] + sign * cp * a3[c];
            plane.slip[c] = -cp * a1[c] + sign * sp * a3[c];
        }
        plane.value = resolve(change, plane.slip, plane.normal) +
                      friction * resolve(change, plane.normal, plane.normal);
    }
    return out;
}

int largerplane(const std::array<OptimalPlane, 2>& planes) {
    const double a = planes[0].value, b = planes[1].value;
    return b - a > kPlaneTieTolerance * (std::fabs(a) + std::fabs(b)) ? 1 : 0;
}

PlaneAttitude planeattitude(const Vec3& normal) {
    // The upward normal of a plane of strike phi and dip delta is
    // (cos phi sin delta, -sin phi sin delta, cos delta).
    Vec3 n = normal;
    if (n[2] < 0)
        for (double& c : n) c = -c;
    PlaneAttitude a;
    a.dip = std::acos(std::fmin(1.0, n[2])) * kRadToDegrees;
    a.strike = std::atan2(-n[1], n[0]) * kRadToDegrees;
    if (a.strike < 0) a.strike += 360;
    return a;
}

OptimalSetup optimalsetup(const WorkState& ws, const NorthReference& north) {
    return {ws.regionalstress,
            ws.medium,
            ws.friction,
            stressfactor(ws.stressunit, ws.medium),
            north,
            usablemedium(ws.medium) && regionalstressproblem(ws.regionalstress).empty()};
}

OptimalPoint optimalatnode(const OptimalSetup& setup, const ResultGrids& g, int i, int j, float x,
                           float y) {
    OptimalPoint out;
    if (!setup.usable || !g.duxdx.contains(i, j) || !g.nodez.contains(i, j) ||
        !g.vol.contains(i, j))
        return out;
    const float exx = g.duxdx(i, j);
    if (exx == kNoValue) return out;
    const SymTensor strain{exx,         g.duydy(i, j), g.duzdz(i, j),
                           g.exy(i, j), g.eyz(i, j),   g.ezx(i, j)};
    const SymTensor change = stresstensor(strain, g.vol(i, j), lameratio(setup.medium));
    const double depth = -static_cast<double>(g.nodez(i, j));
    const SymTensor regional =
        regionalstressat(setup.regional, depth, northangle(setup.north, x, y));
    // The change in bar: stress / mu is in 10^-6.
    const SymTensor total = plus(regional, change, shearmodulus(setup.medium) * 1e-6);
    if (!finite(total) || !finite(change)) return out;
    const std::array<OptimalPlane, 2> planes = conjugateplanes(total, change, setup.friction);
    out.plane = planes[static_cast<std::size_t>(largerplane(planes))];
    const double value = out.plane.value * setup.unitfactor;
    if (!std::isfinite(value)) return out;
    out.has = true;
    out.value = static_cast<float>(value);
    return out;
}

void calcgridoptimalcff(const OptimalSetup& setup, ResultGrids& g, const NodePlace& place) {
    const int nx = g.ux.nx(), ny = g.ux.ny();
    if (g.ux.empty()) {
        g.cffoop = Grid2D();
        return;
    }
    g.cffoop.resize(nx, ny, kNoValue);
    for (const Grid2D* in :
         {&g.nodez, &g.duxdx, &g.duydy, &g.duzdz, &g.exy, &g.eyz, &g.ezx, &g.vol})
        if (in->empty() || in->nx() != nx || in->ny() != ny) return;
    for (int i = 0; i <= nx; ++i) {
        for (int j = 0; j <= ny; ++j) {
            float x = 0, y = 0;
            place(i, j, x, y);
            g.cffoop(i, j) = optimalatnode(setup, g, i, j, x, y).value;
        }
    }
}

void calcgridoptimalcff(WorkState& ws, const NorthReference& north) {
    const OptimalSetup setup = optimalsetup(ws, north);
    calcgridoptimalcff(setup, ws.grids, [&ws](int i, int j, float& x, float& y) {
        x = gridnodex(ws, i);
        y = gridnodey(ws, j);
    });
}

}  // namespace crustex

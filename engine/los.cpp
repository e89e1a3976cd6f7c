#include "engine/los.h"

#include <cmath>
#include <numbers>

#include "engine/fieldgrid.h"
#include "model/numtext.h"

namespace crustex {

namespace {

constexpr double kDegree = std::numbers::pi / 180;

}  // namespace

std::string losproblem(float heading, float incidence, float wavelength) {
    if (!(std::fabs(heading) <= kLosHeadingLimit))
        return "heading " + generalform(heading) + " is not within -360..360";
    if (!(incidence >= 0 && incidence < kLosIncidenceLimit))
        return "incidence " + generalform(incidence) + " is not within 0..90";
    if (!(wavelength > 0 && wavelength <= kLosLongestWavelength))
        return "wavelength " + generalform(wavelength) + " is not within 0..1000 mm";
    return "";
}

LosVector losvector(float heading, float incidence) {
    const double h = heading * kDegree, i = incidence * kDegree;
    return {-std::cos(h) * std::sin(i), std::sin(h) * std::sin(i), std::cos(i)};
}

double losdisplacement(const LosVector& look, double east, double north, double up) {
    return look.east * east + look.north * north + look.up * up;
}

void fieldtoeastnorth(double x, double y, double gamma, double& east, double& north) {
    const double c = std::cos(gamma), s = std::sin(gamma);
    east = x * c - y * s;
    north = x * s + y * c;
}

double fringecycle(double los, double wavelength) {
    const double cycles = los / (wavelength / 2);
    const double f = cycles - std::floor(cycles);
    // A tiny negative cycle count rounds up to a whole cycle.
    return f >= 1 ? 0 : f;
}

double wrappedphase(double los, double wavelength) {
    double f = fringecycle(los, wavelength);
    if (f >= 0.5) f -= 1;
    return 2 * std::numbers::pi * f;
}

void calclos(const WorkState& ws, ResultGrids& g, const NodePlace& place,
             const MeridianAngleAt& meridian) {
    const Grid2D& ux = g.ux;
    g.los.resize(ux.nx(), ux.ny(), kNoValue);
    if (ux.empty() || g.uy.nx() != ux.nx() || g.uy.ny() != ux.ny() || g.uz.nx() != ux.nx() ||
        g.uz.ny() != ux.ny())
        return;
    const LosVector look = losvector(ws.losheading, ws.losincidence);
    for (int i = 0; i <= ux.nx(); ++i) {
        for (int j = 0; j <= ux.ny(); ++j) {
            if (ux(i, j) == kNoValue) continue;
            double east = ux(i, j), north = g.uy(i, j);
            if (meridian) {
                float x = 0, y = 0;
                place(i, j, x, y);
                fieldtoeastnorth(ux(i, j), g.uy(i, j), meridian(x, y), east, north);
            }
            g.los(i, j) = static_cast<float>(losdisplacement(look, east, north, g.uz(i, j)));
        }
    }
}

void calclosgrid(WorkState& ws, const MeridianAngleAt& meridian) {
    const NodePlace place = [&ws](int i, int j, float& x, float& y) {
        x = gridnodex(ws, i);
        y = gridnodey(ws, j);
    };
    calclos(ws, ws.grids, place, meridian);
}

}  // namespace crustex

#include "stress/section.h"

#include <cmath>

#include "engine/cff.h"
#include "engine/composite.h"
#include "stress/optimalplanes.h"

namespace crustex {

namespace {

// Points up to a hair beyond the end, so that a length that is a whole
// number of steps keeps its last point despite the rounding of a step such
// as 0.1 to a float (relative to the number of steps).
constexpr double kEndSlack = 1e-6;

std::size_t count(double span, double step) {
    return static_cast<std::size_t>(std::floor(span / step * (1 + kEndSlack))) + 1;
}

// delta CFF for the work's receiver and on optimal planes, as the field
// grid gets them.
void derivequantities(const WorkState& ws, const NorthReference& north, Section& s) {
    ResultGrids& g = s.grids;
    SilentHost quiet;
    calcgridcff(ws, g, quiet);
    const OptimalSetup setup = optimalsetup(ws, north);
    calcgridoptimalcff(setup, g, [&s](int i, int, float& x, float& y) {
        x = s.nodes.x[static_cast<std::size_t>(i)];
        y = s.nodes.y[static_cast<std::size_t>(i)];
    });
}

}  // namespace

SectionSpec sectionfromline(const SectionLine& line) {
    return {line.x0, line.y0, line.x1, line.y1, 0, line.depth, line.step, line.dz};
}

double sectionlength(const SectionSpec& s) {
    return std::hypot(static_cast<double>(s.x1) - s.x0, static_cast<double>(s.y1) - s.y0);
}

std::string sectionproblem(const SectionSpec& s) {
    for (const float v : {s.x0, s.y0, s.x1, s.y1, s.top, s.bottom, s.step, s.dz})
        if (!std::isfinite(v)) return "a value of the section is not a number";
    const double length = sectionlength(s);
    if (!(length > 0)) return "the section's line has no length";
    if (s.top < 0) return "the section starts above the surface";
    if (s.bottom < s.top) return "the section's depth range is upside down";
    if (!(s.step > 0) || !(s.dz > 0)) return "the section's step must be positive";
    const auto along = static_cast<double>(count(length, s.step));
    const auto down = static_cast<double>(count(static_cast<double>(s.bottom) - s.top, s.dz));
    if (along * down > static_cast<double>(kMaxSectionNodes))
        return "the section would have " + std::to_string(static_cast<long long>(along * down)) +
               " points, more than " + std::to_string(kMaxSectionNodes);
    return "";
}

SectionNodes sectionnodes(const SectionSpec& s) {
    SectionNodes n;
    if (!sectionproblem(s).empty()) return n;
    const double length = sectionlength(s);
    const double ux = (static_cast<double>(s.x1) - s.x0) / length;
    const double uy = (static_cast<double>(s.y1) - s.y0) / length;
    const std::size_t along = count(length, s.step);
    for (std::size_t k = 0; k < along; ++k) {
        const double d = std::fmin(static_cast<double>(k) * s.step, length);
        n.distance.push_back(static_cast<float>(d));
        n.x.push_back(static_cast<float>(s.x0 + d * ux));
        n.y.push_back(static_cast<float>(s.y0 + d * uy));
    }
    const double span = static_cast<double>(s.bottom) - s.top;
    const std::size_t down = count(span, s.dz);
    for (std::size_t k = 0; k < down; ++k)
        n.depth.push_back(
            static_cast<float>(std::fmin(static_cast<double>(k) * s.dz, span) + s.top));
    return n;
}

bool evaluatesection(const WorkState& ws, const SectionSpec& spec, const NorthReference& north,
                     Section& out, const PointsRun& run) {
    if (!sectionproblem(spec).empty()) return false;
    out.spec = spec;
    out.nodes = sectionnodes(spec);
    const int nx = static_cast<int>(out.nodes.distance.size()) - 1;
    const int ny = static_cast<int>(out.nodes.depth.size()) - 1;
    ResultGrids& g = out.grids;
    for (int n = 1; n <= ResultGrids::kCount; ++n) g.byNumber(n)->resize(nx, ny);
    // The points in the grids' order: the depths of one distance together.
    const std::size_t total = static_cast<std::size_t>(nx + 1) * static_cast<std::size_t>(ny + 1);
    std::vector<float> x(total), y(total), z(total);
    for (int i = 0; i <= nx; ++i) {
        for (int j = 0; j <= ny; ++j) {
            const std::size_t k = static_cast<std::size_t>(i) * (ny + 1) + j;
            x[k] = out.nodes.x[static_cast<std::size_t>(i)];
            y[k] = out.nodes.y[static_cast<std::size_t>(i)];
            z[k] = -out.nodes.depth[static_cast<std::size_t>(j)];
            g.nodez(i, j) = z[k];
        }
    }
    std::vector<PointValues> values(total);
    if (!workpointvalues(ws, {x.data(), y.data(), z.data(), total}, values, run)) return false;
    for (int n = 0; n < 18; ++n) {
        float* grid = g.byNumber(n + 2)->column(0);
        for (std::size_t k = 0; k < total; ++k) grid[k] = values[k][static_cast<std::size_t>(n)];
    }
    derivequantities(ws, north, out);
    return true;
}

void composesection(const WorkState& ws, Section& s, bool strain) {
    ResultGrids& g = s.grids;
    if (strain)
        composestrain(g.duxdx, g.duydy, g.duzdz, g.exy, g.eyz, g.ezx, g.composite, ws.fxx, ws.fyy,
                      ws.fzz, ws.fxy, ws.fyz, ws.fzx);
    else
        composedispl(g.ux, g.uy, g.uz, g.composite, ws.fx, ws.fy, ws.fz);
}

}  // namespace crustex

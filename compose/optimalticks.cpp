#include "compose/optimalticks.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/fieldgrid.h"
#include "stress/optimalplanes.h"

namespace crustex {

namespace {

constexpr double kRad = 3.14159265358979323846 / 180;

// Every how many nodes a tick goes along an axis of the given spacing.
int stride(const std::vector<float>& node) {
    if (node.size() < 2) return 1;
    const float spacing = std::fabs(node[1] - node[0]);
    if (!(spacing > 0) || spacing >= kTickSpacing) return 1;
    return static_cast<int>(std::ceil(kTickSpacing / spacing));
}

}  // namespace

int drawoptimalticks(const WorkState& ws, PlotContext& pc, const NorthReference& north) {
    const ResultGrids& g = ws.grids;
    const int nx = std::min<int>(g.ux.nx(), static_cast<int>(g.nodex.size()) - 1);
    const int ny = std::min<int>(g.ux.ny(), static_cast<int>(g.nodey.size()) - 1);
    const OptimalSetup setup = optimalsetup(ws, north);
    if (!setup.usable || g.ux.empty()) return 0;
    const int si = stride(g.nodex), sj = stride(g.nodey);
    const double sx = pc.frame.scalex, sy = pc.frame.scaley;
    Surface& s = pc.surface();
    int drawn = 0;
    for (int i = 0; i <= nx; i += si) {
        for (int j = 0; j <= ny; j += sj) {
            const OptimalPoint p =
                optimalatnode(setup, g, i, j, gridnodex(ws, i), gridnodey(ws, j));
            if (!p.has) continue;
            const PlaneAttitude a = planeattitude(p.plane.normal);
            if (a.dip < kFlatDip) continue;
            // The strike in frame units (frame y runs down: scaley < 0).
            double dx = std::sin(a.strike * kRad) * sx, dy = std::cos(a.strike * kRad) * sy;
            const double norm = std::hypot(dx, dy);
            if (!(norm > 0)) continue;
            dx *= kTickLength / 2 / norm;
            dy *= kTickLength / 2 / norm;
            const float x = g.nodex[static_cast<std::size_t>(i)];
            const float y = g.nodey[static_cast<std::size_t>(j)];
            s.Line(static_cast<float>(x - dx), static_cast<float>(y - dy),
                   static_cast<float>(x + dx), static_cast<float>(y + dy), kBlack);
            ++drawn;
        }
    }
    return drawn;
}

}  // namespace crustex

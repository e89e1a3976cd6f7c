#include "plot/fringeimage.h"

#include <algorithm>
#include <cmath>

#include "model/numtext.h"
#include "plot/colormaps.h"
#include "plot/textplace.h"

namespace crustex {

namespace {

// How far a box reaches into the next one (frame units).
constexpr float kOverlap = 0.3f;
constexpr int kBarSteps = 64;
constexpr float kBarTick = 4;

bool hasvalue(float v) { return v != kNoValue && std::isfinite(v); }

// One cell: its corners' values (south-west, south-east, north-west,
// north-east in node order) and frame corners.
struct Cell {
    double v00, v10, v01, v11;
    float x0, x1, y0, y1;
    bool lastx, lasty;  // at the far edges of the grid: no overlap there

    double at(double u, double w) const {
        return (1 - u) * (1 - w) * v00 + u * (1 - w) * v10 + (1 - u) * w * v01 + u * w * v11;
    }
};

void drawcell(Surface& s, const Cell& c, double period) {
    const double lo = std::min({c.v00, c.v10, c.v01, c.v11});
    const double hi = std::max({c.v00, c.v10, c.v01, c.v11});
    const int k =
        fringecuts(hi - lo, period, std::max(std::fabs(c.x1 - c.x0), std::fabs(c.y1 - c.y0)));
    const float sx = c.x1 >= c.x0 ? kOverlap : -kOverlap;
    const float sy = c.y1 >= c.y0 ? kOverlap : -kOverlap;
    const float kf = static_cast<float>(k);
    for (int p = 0; p < k; ++p) {
        const float xa = c.x0 + (c.x1 - c.x0) * static_cast<float>(p) / kf;
        float xb = c.x0 + (c.x1 - c.x0) * static_cast<float>(p + 1) / kf;
        if (p + 1 < k || !c.lastx) xb += sx;
        for (int q = 0; q < k; ++q) {
            const float ya = c.y0 + (c.y1 - c.y0) * static_cast<float>(q) / kf;
            float yb = c.y0 + (c.y1 - c.y0) * static_cast<float>(q + 1) / kf;
            if (q + 1 < k || !c.lasty) yb += sy;
            const double v = c.at((p + 0.5) / k, (q + 0.5) / k);
            s.FillBox(xa, ya, xb, yb, cycliccolor(v / period));
        }
    }
}

}  // namespace

int fringecuts(double spread, double period, float size) {
    const int finest = std::max(1, static_cast<int>(std::ceil(size / kFringeFinestStep)));
    const double wanted = spread / period * kFringeStepsPerCycle;
    if (!(wanted < finest)) return finest;  // NaN too
    return std::min(finest, std::max(kFringeCoarsestCut, static_cast<int>(std::ceil(wanted))));
}

bool drawcyclicimage(PlotContext& pc, Host& host, bool& abortflag, const CyclicGrid& grid) {
    const Grid2D& g = grid.values;
    if (g.empty() || !(grid.period > 0) ||
        grid.nodex.size() < static_cast<std::size_t>(g.nx()) + 1 ||
        grid.nodey.size() < static_cast<std::size_t>(g.ny()) + 1)
        return true;
    Surface& s = pc.surface();
    const DrawMode mode = s.drawMode;
    s.drawMode = DrawMode::CopyPen;
    bool aborted = false;
    for (int i = 0; i < g.nx() && !aborted; ++i) {
        for (int j = 0; j < g.ny(); ++j) {
            const float v[4] = {g(i, j), g(i + 1, j), g(i, j + 1), g(i + 1, j + 1)};
            if (!std::all_of(v, v + 4, hasvalue)) continue;
            const auto ii = static_cast<std::size_t>(i), jj = static_cast<std::size_t>(j);
            const Cell c{v[0],
                         v[1],
                         v[2],
                         v[3],
                         grid.nodex[ii],
                         grid.nodex[ii + 1],
                         grid.nodey[jj],
                         grid.nodey[jj + 1],
                         i + 1 == g.nx(),
                         j + 1 == g.ny()};
            drawcell(s, c, grid.period);
        }
        aborted = abortrequested(host, abortflag);
    }
    s.drawMode = mode;
    return !aborted;
}

void drawcyclicbar(Surface& s, const CyclicBarPlace& at, float period, float fontsize) {
    if (!(at.height > 0) || !(at.width > 0)) return;
    const DrawMode mode = s.drawMode;
    s.drawMode = DrawMode::CopyPen;
    const float bottom = at.top + at.height, right = at.left + at.width;
    const float step = at.height / kBarSteps;
    for (int k = 0; k < kBarSteps; ++k) {
        const float lower = bottom - step * static_cast<float>(k);
        // Each step overlaps the next one up, as the image's boxes do.
        const float upper = k + 1 < kBarSteps ? lower - step - kOverlap : at.top;
        s.FillBox(at.left, upper, right, lower, cycliccolor((k + 0.5) / kBarSteps));
    }
    s.Box(at.left, at.top, right, bottom, kBlack);
    s.ForeColor = kBlack;
    for (int k = 0; k <= 2; ++k) {
        const float y = bottom - at.height * static_cast<float>(k) / 2;
        s.Line(right, y, right + kBarTick, y, kBlack);
        printtextleft(s, right + kBarTick + 2, y,
                      "$-" + generalform(period * static_cast<float>(k) / 2), fontsize);
    }
    s.drawMode = mode;
}

}  // namespace crustex

#include "plot/patchglyphs.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "model/sourcemodel.h"

namespace crustex {

bool patchcorners(const PlotFrame& f, const SlipPatch& p, std::array<FramePoint, 4>& corners) {
    const double dx = static_cast<double>(p.x1) - p.x0, dy = static_cast<double>(p.y1) - p.y0;
    const double length = std::hypot(dx, dy);
    // The down-dip offset of the lower edge, right of the strike.
    double ox = 0, oy = 0;
    if (length > 0) {
        const double h = static_cast<double>(p.width) * std::cos(p.dip * kPi / 180);
        ox = h * dy / length;
        oy = -h * dx / length;
    }
    const auto at = [&f](double x, double y) {
        return FramePoint{toframex(f, static_cast<float>(x)), toframey(f, static_cast<float>(y))};
    };
    corners = {at(p.x0, p.y0), at(p.x1, p.y1), at(p.x1 + ox, p.y1 + oy), at(p.x0 + ox, p.y0 + oy)};
    return std::all_of(corners.begin(), corners.end(), [](const FramePoint& c) {
        return std::isfinite(c.x) && std::isfinite(c.y);
    });
}

bool tinypatch(const std::array<FramePoint, 4>& c) {
    const auto [xl, xh] = std::minmax({c[0].x, c[1].x, c[2].x, c[3].x});
    const auto [yl, yh] = std::minmax({c[0].y, c[1].y, c[2].y, c[3].y});
    return xh - xl < kTinyPatch && yh - yl < kTinyPatch;
}

namespace {

// Below this many frame units the lower edge lies on the upper edge.
constexpr float kNoOffset = 1e-3f;

FramePoint centre(const std::array<FramePoint, 4>& c) {
    return {(c[0].x + c[1].x + c[2].x + c[3].x) / 4, (c[0].y + c[1].y + c[2].y + c[3].y) / 4};
}

}  // namespace

void drawpatchoutlines(PlotContext& pc, const SlipModel& model, Rgb color) {
    Surface& s = pc.surface();
    std::vector<std::array<FramePoint, 4>> shown;
    shown.reserve(model.patches.size());
    for (const SlipPatch& p : model.patches) {
        std::array<FramePoint, 4> c;
        if (!patchcorners(pc.frame, p, c)) continue;
        if (tinypatch(c)) {
            const FramePoint m = centre(c);
            s.PSet(m.x, m.y, color);
        } else {
            shown.push_back(c);
        }
    }
    for (const auto& c : shown) {
        // A vertical patch shows its upper edge only.
        if (std::hypot(c[3].x - c[0].x, c[3].y - c[0].y) < kNoOffset) continue;
        s.Line(c[1].x, c[1].y, c[2].x, c[2].y, color);
        s.LineTo(c[3].x, c[3].y, color);
        s.LineTo(c[0].x, c[0].y, color);
    }
    const int16_t width = s.DrawWidth;
    s.DrawWidth = static_cast<int16_t>(width * 2);
    for (const auto& c : shown) s.Line(c[0].x, c[0].y, c[1].x, c[1].y, color);
    s.DrawWidth = width;
}

void fillpatches(PlotContext& pc, const SlipModel& model,
                 const std::function<Rgb(const SlipPatch&)>& colorof) {
    const std::vector<SlipPatch>& patches = model.patches;
    std::vector<std::size_t> order(patches.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&patches](std::size_t a, std::size_t b) {
        return patches[a].top > patches[b].top;
    });
    Surface& s = pc.surface();
    for (const std::size_t k : order) {
        std::array<FramePoint, 4> c;
        if (!patchcorners(pc.frame, patches[k], c)) continue;
        const Rgb color = colorof(patches[k]);
        if (tinypatch(c)) {
            const FramePoint m = centre(c);
            s.PSet(m.x, m.y, color);
        } else {
            s.FillPolygon(c, color);
        }
    }
}

}  // namespace crustex

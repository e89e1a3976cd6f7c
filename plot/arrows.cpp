#include "plot/arrows.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "plot/contourtrace.h"
#include "plot/vectorglyphs.h"

namespace crustex {

void drawarrow(Surface& s, float x0, float y0, float x1, float y1, Rgb color, ArrowStyle style) {
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1))
        return;
    const float dx = x1 - x0, dy = y1 - y0;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (style == ArrowStyle::Plain || !(length >= 0.1f)) {
        s.Line(x0, y0, x1, y1, color);
        return;
    }
    const float head = std::min(kArrowHeadLength, 0.4f * length);
    const float ux = dx / length, uy = dy / length;
    const float bx = x1 - head * ux, by = y1 - head * uy;  // the head's base
    const float half = 0.45f * head;
    s.Line(x0, y0, bx, by, color);
    const std::array<FramePoint, 3> tip = {
        FramePoint{x1, y1}, {bx - half * uy, by + half * ux}, {bx + half * uy, by - half * ux}};
    s.FillPolygon(tip, color);
}

int drawheadedvectors(PlotContext& pc, Host& host, const Grid2D& ax, const Grid2D& ay,
                      std::span<const float> nodex, std::span<const float> nodey, float scale,
                      int stride, Rgb color) {
    if (!(scale > 0) || !std::isfinite(scale)) return 0;
    host.setBusy(true);
    host.setStatus(" Drawing Vectors");
    Surface& s = pc.surface();
    const float k = kArrowLength / scale;
    const int step = stride > 1 ? stride : 1;
    const NodeRange r = usablenodes({&ax, &ay}, nodex, nodey, {0, ax.nx(), 0, ax.ny()});
    int drawn = 0;
    for (int i = r.firstx; i <= r.lastx; i += step) {
        for (int j = r.firsty; j <= r.lasty; j += step) {
            const float u = ax(i, j), v = ay(i, j);
            if (!hasvalue(u) || !hasvalue(v)) continue;
            const float x = nodex[static_cast<std::size_t>(i)];
            const float y = nodey[static_cast<std::size_t>(j)];
            drawarrow(s, x, y, x + k * u, y - k * v, color, ArrowStyle::Headed);
            ++drawn;
        }
    }
    host.setBusy(false);
    host.setStatus("");
    return drawn;
}

}  // namespace crustex

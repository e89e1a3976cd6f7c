#include "plot/vectorglyphs.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "model/numtext.h"
#include "plot/contourtrace.h"
#include "plot/textplace.h"

namespace crustex {

namespace {

constexpr Rgb kTailDot{127, 127, 127};

}  // namespace

int drawvectors(PlotContext& pc, Host& host, const Grid2D& ax, const Grid2D& ay,
                std::span<const float> nodex, std::span<const float> nodey, int firstx, int lastx,
                int firsty, int lasty, float scale) {
    host.setBusy(true);
    host.setStatus(" Drawing Vectors");
    Surface& s = pc.surface();
    int drawn = 0;
    const bool bars = std::isfinite(scale) && scale > 0;
    const float k = bars ? kArrowLength / scale : 0.0f;
    const NodeRange r = usablenodes({&ax, &ay}, nodex, nodey, {firstx, lastx, firsty, lasty});
    for (int i = r.firstx; i <= r.lastx; ++i) {
        for (int j = r.firsty; j <= r.lasty; ++j) {
            const float u = ax(i, j);
            const float v = ay(i, j);
            if (!hasvalue(u) || !hasvalue(v)) continue;
            const float x = nodex[static_cast<std::size_t>(i)];
            const float y = nodey[static_cast<std::size_t>(j)];
            if (bars) {
                const float xe = x + k * u;
                const float ye = y - k * v;
                if (std::isfinite(xe) && std::isfinite(ye))
                    s.Line(x, y, xe, ye, pc.palette.negative);
            }
            s.Circle(x, y, 1.5f, kTailDot);
            ++drawn;
        }
    }
    host.setBusy(false);
    host.setStatus("");
    return drawn;
}

void showarrowlegend(PlotContext& pc, float scale, std::string_view unit) {
    Surface& s = pc.surface();
    s.Circle(590, 240, 1.5f, pc.palette.negative);
    s.Line(590, 240, 590, 240 - kArrowLength, pc.palette.negative);
    s.ForeColor = kBlack;
    printtextright(pc, 635, 242, generalform(scale) + std::string(unit), 10);
}

}  // namespace crustex

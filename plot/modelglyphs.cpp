#include "plot/modelglyphs.h"

#include <algorithm>
#include <cmath>

#include "model/numtext.h"
#include "model/sourcemodel.h"
#include "plot/patchglyphs.h"
#include "plot/textplace.h"

namespace crustex {

namespace {

constexpr Rgb kSiteMark{255, 0, 0};
constexpr Rgb kPointerCircle{0, 127, 255};
constexpr Rgb kPointerCross{0, 127, 127};

// Below this many frame units the down-dip offset of a fault is no offset:
// the plane projects onto its top edge.
constexpr double kNoOffset = 1e-3;

bool allfinite(std::initializer_list<float> values) {
    return std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
}

// Runs `draw` with the pen width doubled and restores the width afterwards.
template <typename F>
void withthickpen(Surface& s, F draw) {
    const int16_t width = s.DrawWidth;
    s.DrawWidth = static_cast<int16_t>(width * 2);
    draw();
    s.DrawWidth = width;
}

}  // namespace

void drawdataframe(PlotContext& pc, float x0, float y0, float x1, float y1) {
    const PlotFrame& f = pc.frame;
    const Rgb c = pc.palette.dataframe;
    Surface& s = pc.surface();
    const float fx0 = toframex(f, x0), fy0 = toframey(f, y0);
    const float fx1 = toframex(f, x1), fy1 = toframey(f, y1);
    s.Line(fx0, fy0, fx0, fy1, c);
    s.LineTo(fx1, fy1, c);
    s.LineTo(fx1, fy0, c);
    s.LineTo(fx0, fy0, c);
}

void drawdepthlines(PlotContext& pc, const WorkState& ws) {
    const PlotFrame& f = pc.frame;
    Surface& s = pc.surface();
    for (int k = 1; k <= 5; ++k) {
        const float x0 = toframex(f, ws.incx0[k]), y0 = toframey(f, ws.incy0[k]);
        const float x1 = toframex(f, ws.incx1[k]), y1 = toframey(f, ws.incy1[k]);
        s.Line(x0, y0, x1, y1, pc.palette.dataframe);
        printtextright(pc, x0, y0, generalform(static_cast<float>((k - 1) * 10)), 8);
    }
}

void drawfault(PlotContext& pc, float x0, float y0, float x1, float y1, float width, float dip,
               Rgb color) {
    if (!allfinite({x0, y0, x1, y1, width, dip})) return;
    const PlotFrame& f = pc.frame;
    Surface& s = pc.surface();
    const float fx0 = toframex(f, x0), fy0 = toframey(f, y0);
    const double dx = static_cast<double>(x1) - x0, dy = static_cast<double>(y1) - y0;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length == 0) {
        const float m = kZeroLengthMark;
        withthickpen(s, [&] {
            s.Line(fx0 - m, fy0 - m, fx0 + m, fy0 + m, color);
            s.Line(fx0 - m, fy0 + m, fx0 + m, fy0 - m, color);
        });
        return;
    }
    const double ux = dx / length, uy = dy / length;
    const double h = width * std::cos(dip * kPi / 180);
    const double ox = h * uy, oy = -h * ux;  // down-dip offset, right of the strike
    const float fx1 = toframex(f, x1), fy1 = toframey(f, y1);
    withthickpen(s, [&] { s.Line(fx0, fy0, fx1, fy1, color); });
    const float bx0 = toframex(f, static_cast<float>(x0 + ox));
    const float by0 = toframey(f, static_cast<float>(y0 + oy));
    const float bx1 = toframex(f, static_cast<float>(x1 + ox));
    const float by1 = toframey(f, static_cast<float>(y1 + oy));
    if (std::hypot(bx0 - fx0, by0 - fy0) < kNoOffset) return;
    s.Line(fx0, fy0, bx0, by0, color);
    s.Line(fx1, fy1, bx1, by1, color);
    s.Line(bx0, by0, bx1, by1, color);
}

void drawpoint(PlotContext& pc, float x, float y, Rgb color) {
    if (!allfinite({x, y})) return;
    Surface& s = pc.surface();
    const float fx = toframex(pc.frame, x), fy = toframey(pc.frame, y);
    s.PSet(fx, fy, color);
    s.Circle(fx, fy, 3, color);
}

void drawsources(PlotContext& pc, const WorkState& ws) {
    const int count = std::min<int>(ws.nfault, kMaxSources);
    for (int k = 1; k <= count; ++k) {
        const faultrec& r = ws.fault[static_cast<std::size_t>(k)];
        if (r.sourcetype == 0)
            drawfault(pc, r.fx0, r.fy0, r.fx1, r.fy1, r.fwidth, r.fdipangle, pc.palette.source);
        else if (r.sourcetype == 1)
            drawpoint(pc, r.px, r.py, pc.palette.source);
    }
}

void drawsitemarks(PlotContext& pc, const WorkState& ws, bool withnames) {
    const int count = std::min<int>(ws.nsite, kMaxSites);
    Surface& s = pc.surface();
    for (int k = 1; k <= count; ++k) {
        const siterec& site = ws.site[static_cast<std::size_t>(k)];
        if (!allfinite({site.x, site.y})) continue;
        const float fx = toframex(pc.frame, site.x), fy = toframey(pc.frame, site.y);
        s.Circle(fx, fy, 1.5f, kSiteMark);
        if (withnames) printtextleft(pc, fx + 4, fy, "$-" + site.name, 8);
    }
}

void drawarea(PlotContext& pc, std::span<const float> xs, std::span<const float> ys, int count,
              float a, float b, float c, float d, bool closed) {
    if (count < 1) return;
    const int last = std::min<int>(count, static_cast<int>(std::min(xs.size(), ys.size())) - 1);
    Surface& s = pc.surface();
    s.drawMode = DrawMode::NotXorPen;
    for (int k = 2; k <= last; ++k)
        s.Line(xs[static_cast<std::size_t>(k - 1)], ys[static_cast<std::size_t>(k - 1)],
               xs[static_cast<std::size_t>(k)], ys[static_cast<std::size_t>(k)], pc.palette.area);
    if (closed && last >= 3)
        s.Line(xs[static_cast<std::size_t>(last)], ys[static_cast<std::size_t>(last)], xs[1], ys[1],
               pc.palette.area);
    s.Line(a, b, c, d, pc.palette.area);
    s.drawMode = DrawMode::MaskPen;
}

void drawarea(PlotContext& pc, const WorkState& ws) {
    drawarea(pc, ws.areax, ws.areay, ws.narea, ws.projx0, ws.projy0, ws.projx1, ws.projy1,
             ws.areaclosed);
}

void drawpointer(PlotContext& pc, float x, float y) {
    Surface& s = pc.surface();
    s.Circle(x, y, 6, kPointerCircle);
    s.Line(x, y + 6, x, y - 6, kPointerCross);
    s.Line(x + 6, y, x - 6, y, kPointerCross);
}

void drawoverlay(PlotContext& pc, const WorkState& ws,
                 const std::function<void()>& clearsitegraph) {
    pc.surface().Cls();
    drawoverlayfigures(pc, ws, clearsitegraph);
}

void drawoverlayfigures(PlotContext& pc, const WorkState& ws,
                        const std::function<void()>& clearsitegraph) {
    drawdataframe(pc, ws.xview0, ws.yview0, ws.xview1, ws.yview1);
    if (ws.inclined) drawdepthlines(pc, ws);
    // The publication style outlines the patches over their fill itself.
    if (!ws.publicationstyle) drawpatchoutlines(pc, ws.slipmodel, pc.palette.source);
    drawsources(pc, ws);
    drawarea(pc, ws);
    if (ws.showobsdatachecked) {
        drawsitemarks(pc, ws, true);
        if (clearsitegraph) clearsitegraph();
    }
}

}  // namespace crustex

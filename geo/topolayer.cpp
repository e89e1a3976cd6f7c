#include "geo/topolayer.h"

#include <array>
#include <cmath>
#include <new>
#include <string>
#include <vector>

#include "geo/maplayers.h"

namespace crustex {

namespace {

// Class limits (0.1 m) and the colour of each class; the first class is
// everything below the first limit.
constexpr std::array<float, 9> kClassLimits = {200,   500,   1000,  2000, 6000,
                                               10000, 16000, 20000, 30000};
constexpr std::array<Rgb, 10> kClassColors = {{{225, 250, 25},
                                               {225, 240, 125},
                                               {250, 245, 240},
                                               {250, 240, 225},
                                               {250, 240, 180},
                                               {255, 240, 140},
                                               {250, 230, 100},
                                               {250, 220, 60},
                                               {250, 160, 20},
                                               {250, 100, 10}}};

// Every fifth contour level is drawn in the darker grey, the others in the
// lighter one.
constexpr Rgb kIndexContour{165, 165, 165};
constexpr Rgb kContour{200, 200, 200};
constexpr long kLevelsPerIndex = 5;

bool valid(float h) { return h != kNoHeight; }

// Projected mesh points of one mesh row.
void projectrow(const TopoGrid& g, int r, const TopoDrawing& d, std::vector<FramePoint>& out) {
    out.resize(static_cast<std::size_t>(g.cols));
    const float lat = g.latitude(r);
    for (int c = 0; c < g.cols; ++c)
        projectgeo(d.proj, d.kind, lat, g.longitude(c), out[static_cast<std::size_t>(c)].x,
                   out[static_cast<std::size_t>(c)].y);
}

// Projected cell centres between mesh rows r and r + 1.
void projectcentres(const TopoGrid& g, int r, const TopoDrawing& d, std::vector<FramePoint>& out) {
    out.resize(static_cast<std::size_t>(g.cols > 0 ? g.cols - 1 : 0));
    const float lat = 0.5f * (g.latitude(r) + g.latitude(r + 1));
    for (int c = 0; c + 1 < g.cols; ++c) {
        const float lon = 0.5f * (g.longitude(c) + g.longitude(c + 1));
        projectgeo(d.proj, d.kind, lat, lon, out[static_cast<std::size_t>(c)].x,
                   out[static_cast<std::size_t>(c)].y);
    }
}

FramePoint between(FramePoint a, FramePoint b, float t) {
    return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
}

// Two crossings farther apart than a thousandth of a frame unit.
bool apart(FramePoint a, FramePoint b) {
    return std::fabs(a.x - b.x) + std::fabs(a.y - b.y) > 1e-3f;
}

}  // namespace

Rgb topocolor(float h) {
    std::size_t k = 0;
    while (k < kClassLimits.size() && h >= kClassLimits[k]) ++k;
    return kClassColors[k];
}

int contourinterval(float latspan, float lonspan) {
    // By the larger extent of the range: up to 1 degree (the 250 m mesh
    // serves ranges up to 0.6 x 0.8) every 50 m, up to 3 degrees (the default
    // range of 2 x 3) every 100 m, up to 8 degrees every 200 m, beyond that
    // every 500 m; so a map keeps roughly the same density of lines.
    const float span = std::max(latspan, lonspan);
    if (span <= 1.0f) return 50;
    if (span <= 3.0f) return 100;
    if (span <= 8.0f) return 200;
    return 500;
}

bool drawtopocolor(const TopoGrid& g, TopoDrawing& d) {
    Surface& s = d.pc.surface();
    std::vector<FramePoint> lower, upper, centre;
    if (g.rows > 0) projectrow(g, 0, d, lower);
    for (int r = 0; r + 1 < g.rows; ++r) {
        projectrow(g, r + 1, d, upper);
        projectcentres(g, r, d, centre);
        for (int c = 0; c + 1 < g.cols; ++c) {
            const std::array<float, 4> v = {g.at(r, c), g.at(r, c + 1), g.at(r + 1, c),
                                            g.at(r + 1, c + 1)};
            if (!valid(v[0]) || !valid(v[1]) || !valid(v[2]) || !valid(v[3])) continue;
            const std::array<FramePoint, 4> p = {lower[c], lower[c + 1], upper[c], upper[c + 1]};
            const FramePoint m = centre[static_cast<std::size_t>(c)];
            // Corner k of the cell; k ^ 1 is its neighbour in the row, k ^ 2
            // in the column and k ^ 3 the opposite corner.
            for (std::size_t k = 0; k < 4; ++k) {
                const float h = (9 * v[k] + 3 * v[k ^ 1] + 3 * v[k ^ 2] + v[k ^ 3]) / 16;
                s.FillBox(p[k].x, p[k].y, m.x, m.y, topocolor(h));
            }
        }
        lower.swap(upper);
        if (abortrequested(d.host, d.abortflag)) return false;
    }
    return true;
}

bool drawtopocontours(const TopoGrid& g, int interval, TopoDrawing& d) {
    Surface& s = d.pc.surface();
    const float step = 10.0f * static_cast<float>(interval);
    std::vector<FramePoint> lower, upper;
    if (g.rows > 0) projectrow(g, 0, d, lower);
    for (int r = 0; r + 1 < g.rows; ++r) {
        projectrow(g, r + 1, d, upper);
        for (int c = 0; c + 1 < g.cols; ++c) {
            // Corners in order around the cell: the four edges are (k, k + 1).
            const std::array<float, 4> v = {g.at(r, c), g.at(r, c + 1), g.at(r + 1, c + 1),
                                            g.at(r + 1, c)};
            const std::array<FramePoint, 4> p = {lower[c], lower[c + 1], upper[c + 1], upper[c]};
            float lo = 0, hi = 0;
            bool any = false, gap = false;
            for (float h : v) {
                if (!valid(h)) {
                    gap = true;
                    continue;
                }
                lo = any ? std::min(lo, h) : h;
                hi = any ? std::max(hi, h) : h;
                any = true;
            }
            if (!any) continue;
            // A corner without data starts the levels at the first multiple.
            long first = gap ? 1 : static_cast<long>(std::ceil(lo / step));
            const long last = static_cast<long>(std::floor(hi / step));
            for (long m = first; m <= last; ++m) {
                if (m == 0) continue;
                const float level = static_cast<float>(m) * step;
                std::array<FramePoint, 4> cross;
                std::size_t n = 0;
                for (std::size_t k = 0; k < 4; ++k) {
                    const float a = v[k], b = v[(k + 1) % 4];
                    if (!valid(a) || !valid(b) || (a < level) == (b < level)) continue;
                    cross[n++] = between(p[k], p[(k + 1) % 4], (level - a) / (b - a));
                }
                const Rgb color = m % kLevelsPerIndex == 0 ? kIndexContour : kContour;
                // A level through a corner only meets itself there: no line.
                if (n >= 2 && apart(cross[0], cross[1]))
                    s.Line(cross[0].x, cross[0].y, cross[1].x, cross[1].y, color);
                if (n == 4 && apart(cross[2], cross[3]))
                    s.Line(cross[2].x, cross[2].y, cross[3].x, cross[3].y, color);
            }
        }
        lower.swap(upper);
        if (abortrequested(d.host, d.abortflag)) return false;
    }
    return true;
}

void drawtopography(WorkState& ws, PlotContext& pc, Projection& proj, Host& host) {
    Surface& s = pc.surface();
    ws.abortflag = false;
    try {
        if (!setprojection(proj, ws)) return;
        const DemMesh& mesh = choosemesh(ws);
        const std::string label = mesh.label;
        host.setBusy(true);
        host.setStatus(" Reading DEM file(" + label + ")....");
        TopoGrid grid;
        const TopoRead read = readtopography(ws, mesh, grid);
        if (read == TopoRead::TooLarge) {
            host.setBusy(false);
            host.setStatus(" Map Range too Large for Topography(" + label + ")");
            return;
        }
        TopoDrawing d{pc, proj, ws.projection, host, ws.abortflag};
        s.drawMode = DrawMode::CopyPen;
        bool going = true;
        if (read == TopoRead::Read && ws.topocolor) {
            host.setStatus(" Drawing Color(" + label + ").... [Ctrl+Q to Abort]");
            going = drawtopocolor(grid, d);
        }
        if (read == TopoRead::Read && ws.topocontour && going) {
            host.setStatus(" Drawing Contour(" + label + ").... [Ctrl+Q to Abort]");
            drawtopocontours(grid, contourinterval(ws.flat2 - ws.flat1, ws.flon2 - ws.flon1), d);
        }
    } catch (const std::bad_alloc&) {
        // The layer ends; the rest of the picture is drawn.
    }
    // An abort ends this layer only.
    ws.abortflag = false;
    s.drawMode = DrawMode::MaskPen;
    host.setBusy(false);
    host.setStatus("");
}

}  // namespace crustex

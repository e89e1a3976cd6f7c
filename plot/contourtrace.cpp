#include "plot/contourtrace.h"

#include <algorithm>
#include <array>

#include "plot/contourlevels.h"
#include "plot/contourpeaks.h"
#include "plot/edgelabels.h"
#include "plot/plotmath.h"

namespace crustex {

namespace {

// One cell: its four corner values c0 (south-west), c1 (north-west), c2
// (north-east), c3 (south-east) and the frame lines it spans.
struct Cell {
    std::array<float, 4> c{};
    float xw = 0, xe = 0;  // node x(i), node x(i + 1)
    float ys = 0, yn = 0;  // node y(j), node y(j + 1)
};

// The crossing point of level t on edge e (0 west, 1 north, 2 east, 3 south).
void crossing(const Cell& cell, int e, float t, float& x, float& y) {
    const auto& c = cell.c;
    switch (e) {
        case 0:
            x = cell.xw;
            y = interpolate(c[0], c[1], cell.ys, cell.yn, t);
            break;
        case 1:
            y = cell.yn;
            x = interpolate(c[1], c[2], cell.xw, cell.xe, t);
            break;
        case 2:
            x = cell.xe;
            y = interpolate(c[2], c[3], cell.yn, cell.ys, t);
            break;
        default:
            y = cell.ys;
            x = interpolate(c[3], c[0], cell.xe, cell.xw, t);
            break;
    }
}

// Traces level t through the cell: emit(x1, y1, x2, y2) for each piece.
template <typename Emit>
void tracelevel(const Cell& cell, float t, Emit&& emit) {
    const auto& c = cell.c;
    std::array<bool, 4> marked{};
    for (int e = 0; e < 4; ++e) {
        const float a = c[static_cast<std::size_t>(e)];
        const float b = c[static_cast<std::size_t>((e + 1) % 4)];
        if (getmin(a, b) < t && t < getmax(a, b)) marked[static_cast<std::size_t>(e)] = true;
    }
    // A corner exactly on the level: a touching extreme or a flat stretch
    // marks both edges at it, a corner the level passes through only the
    // edge that ends there.
    for (int k = 0; k < 4; ++k) {
        const float before = c[static_cast<std::size_t>(k)];
        const float corner = c[static_cast<std::size_t>((k + 1) % 4)];
        const float after = c[static_cast<std::size_t>((k + 2) % 4)];
        if (corner != t) continue;
        marked[static_cast<std::size_t>(k)] = true;
        if ((corner - after) * (before - corner) <= 0)
            marked[static_cast<std::size_t>((k + 1) % 4)] = true;
    }

    float x[4], y[4];
    if (marked[0] && marked[1] && marked[2] && marked[3]) {
        // Saddle: west-north and east-south, no centre value consulted.
        for (int e = 0; e < 4; ++e) crossing(cell, e, t, x[e], y[e]);
        emit(x[0], y[0], x[1], y[1]);
        emit(x[2], y[2], x[3], y[3]);
        return;
    }
    int found = 0;
    int edges[2] = {0, 0};
    for (int e = 0; e < 4 && found < 2; ++e)
        if (marked[static_cast<std::size_t>(e)]) edges[found++] = e;
    if (found < 2) return;
    crossing(cell, edges[0], t, x[0], y[0]);
    crossing(cell, edges[1], t, x[1], y[1]);
    emit(x[0], y[0], x[1], y[1]);
}

// Loads cell (i, j) divided by `divisor`; false when a corner has no value
// or the divided values are not finite.
bool loadcell(const ContourGrid& g, int i, int j, float divisor, Cell& cell) {
    const float raw[4] = {g.values(i, j), g.values(i, j + 1), g.values(i + 1, j + 1),
                          g.values(i + 1, j)};
    for (int k = 0; k < 4; ++k) {
        if (!hasvalue(raw[k])) return false;
        const float v = divisor == 1.0f ? raw[k] : raw[k] / divisor;
        if (!std::isfinite(v)) return false;
        cell.c[static_cast<std::size_t>(k)] = v;
    }
    cell.xw = g.nodex[static_cast<std::size_t>(i)];
    cell.xe = g.nodex[static_cast<std::size_t>(i + 1)];
    cell.ys = g.nodey[static_cast<std::size_t>(j)];
    cell.yn = g.nodey[static_cast<std::size_t>(j + 1)];
    return true;
}

void startcontour(Host& host, bool& abortflag) {
    host.setBusy(true);
    host.setStatus(" Drawing Contours(Ctrl-Q to Abort)");
    abortflag = false;
    host.enableMenus(false);
}

void endcontour(PlotContext& pc, Host& host) {
    pc.surface().ForeColor = kBlack;
    host.setBusy(false);
    host.setStatus("");
}

float cellmin(const Cell& cell) {
    return getmin(getmin(cell.c[0], cell.c[1]), getmin(cell.c[2], cell.c[3]));
}
float cellmax(const Cell& cell) {
    return getmax(getmax(cell.c[0], cell.c[1]), getmax(cell.c[2], cell.c[3]));
}

// Every level through every usable cell, column by column:
// level(cell, t, value, kind) with t the level in the cell's loaded units and
// value in the grid's own; column(newlythinned) after each column, told
// whether that column thinned a cell's levels first; false stops. False
// when stopped.
template <typename Level, typename Column>
bool walklinear(const ContourGrid& g, float subinterval, int nsubline, bool& thinned, Level&& level,
                Column&& column) {
    Cell cell;
    for (int i = g.firstx; i < g.lastx; ++i) {
        const bool thinnedbefore = thinned;
        for (int j = g.firsty; j < g.lasty; ++j) {
            if (!loadcell(g, i, j, subinterval, cell)) continue;
            const LinearLevels levels = linearlevels(cellmin(cell), cellmax(cell));
            thinned = thinned || levels.thinned;
            for (int n = 0; n < levels.count; ++n) {
                const double k = levels.level(n);
                level(cell, static_cast<float>(k), static_cast<float>(k * subinterval),
                      linearlevelkind(k, nsubline));
            }
        }
        if (!column(thinned && !thinnedbefore)) return false;
    }
    return true;
}

template <typename Level, typename Column>
bool walklog(const ContourGrid& g, float minvalue, int nsubline, int scale, bool& thinned,
             Level&& level, Column&& column) {
    Cell cell;
    LevelList list;
    list.values.reserve(64);
    for (int i = g.firstx; i < g.lastx; ++i) {
        const bool thinnedbefore = thinned;
        for (int j = g.firsty; j < g.lasty; ++j) {
            if (!loadcell(g, i, j, 1.0f, cell)) continue;
            const float lo = cellmin(cell);
            const float hi = cellmax(cell);
            if (scale == kScaleSemiLog2)
                semilog2levels(lo, hi, minvalue, nsubline, list);
            else
                semilog1levels(lo, hi, minvalue, list);
            thinned = thinned || list.thinned;
            for (float v : list.values) level(cell, v, v, loglevelkind(v));
        }
        if (!column(thinned && !thinnedbefore)) return false;
    }
    return true;
}

// Draws each level in its colour.
auto drawlevel(PlotContext& pc) {
    return [&pc](const Cell& cell, float t, float, LevelKind kind) {
        const Rgb color = levelcolor(pc.palette, kind);
        pc.palette.contour = color;
        Surface& s = pc.surface();
        tracelevel(cell, t,
                   [&](float x1, float y1, float x2, float y2) { s.Line(x1, y1, x2, y2, color); });
    };
}

// The window's turn after each column: the thinned-levels notice the first
// time, then the abort question.
auto askabort(Host& host, bool& abortflag) {
    return [&host, &abortflag](bool newlythinned) {
        if (newlythinned) host.setStatus(kContourThinnedStatus);
        return !abortrequested(host, abortflag);
    };
}

// Linear lines; false when aborted.
bool linearlines(PlotContext& pc, Host& host, bool& abortflag, const ContourGrid& g,
                 float subinterval, int nsubline, bool& thinned) {
    return walklinear(g, subinterval, nsubline, thinned, drawlevel(pc), askabort(host, abortflag));
}

// Semi-logarithmic lines; false when aborted.
bool loglines(PlotContext& pc, Host& host, bool& abortflag, const ContourGrid& g, float minvalue,
              int nsubline, int scale, bool& thinned) {
    return walklog(g, minvalue, nsubline, scale, thinned, drawlevel(pc), askabort(host, abortflag));
}

ContourOutcome logbody(PlotContext& pc, Host& host, bool& abortflag, const ContourGrid& grid,
                       float minvalue, int nsubline, float fontsize, int scale, bool showpeaks) {
    ContourOutcome out;
    const ContourGrid g = usablepart(grid);
    if (!loglines(pc, host, abortflag, g, minvalue, nsubline, scale, out.thinned)) {
        out.aborted = true;
        return out;
    }
    pc.surface().ForeColor = kBlack;
    if (showpeaks) drawpeaks(pc, g, fontsize);
    if (drawlogedgelabels(pc, g, minvalue, fontsize)) out.thinned = true;
    return out;
}

}  // namespace

void setnodeframes(const PlotFrame& frame, float x0, float y0, float x1, float y1,
                   std::vector<float>& nodex, std::vector<float>& nodey, int nx, int ny) {
    const int cx = nx > 0 ? nx : 0;
    const int cy = ny > 0 ? ny : 0;
    nodex.assign(static_cast<std::size_t>(cx) + 1, toframex(frame, x0));
    nodey.assign(static_cast<std::size_t>(cy) + 1, toframey(frame, y0));
    const float fx0 = toframex(frame, x0);
    const float fy0 = toframey(frame, y0);
    const float fx1 = toframex(frame, x1);
    const float fy1 = toframey(frame, y1);
    for (int i = 1; i <= cx; ++i) nodex[static_cast<std::size_t>(i)] = fx0 + i * (fx1 - fx0) / cx;
    for (int j = 1; j <= cy; ++j) nodey[static_cast<std::size_t>(j)] = fy0 + j * (fy1 - fy0) / cy;
}

NodeRange usablenodes(std::initializer_list<const Grid2D*> grids, std::span<const float> nodex,
                      std::span<const float> nodey, NodeRange want) {
    NodeRange r = want;
    r.firstx = std::max(r.firstx, 0);
    r.firsty = std::max(r.firsty, 0);
    const bool empty = nodex.empty() || nodey.empty() ||
                       std::any_of(grids.begin(), grids.end(), [](auto g) { return g->empty(); });
    if (empty) {
        r.lastx = r.firstx - 1;
        r.lasty = r.firsty - 1;
        return r;
    }
    r.lastx = std::min(r.lastx, static_cast<int>(nodex.size()) - 1);
    r.lasty = std::min(r.lasty, static_cast<int>(nodey.size()) - 1);
    for (const Grid2D* g : grids) {
        r.lastx = std::min(r.lastx, g->nx());
        r.lasty = std::min(r.lasty, g->ny());
    }
    return r;
}

ContourGrid usablepart(const ContourGrid& grid) {
    const NodeRange r = usablenodes({&grid.values}, grid.nodex, grid.nodey,
                                    {grid.firstx, grid.lastx, grid.firsty, grid.lasty});
    ContourGrid g = grid;
    g.firstx = r.firstx;
    g.lastx = r.lastx;
    g.firsty = r.firsty;
    g.lasty = r.lasty;
    return g;
}

ContourOutcome drawcontour(PlotContext& pc, Host& host, bool& abortflag, const ContourGrid& grid,
                           float subinterval, float minvalue, int nsubline, float fontsize,
                           int scale, bool showpeaks) {
    startcontour(host, abortflag);
    ContourOutcome out;
    if (scale > 0) {
        out = logbody(pc, host, abortflag, grid, minvalue, nsubline, fontsize, scale, showpeaks);
    } else {
        const ContourGrid g = usablepart(grid);
        const bool uselines = std::isfinite(subinterval) && subinterval > 0;
        if (uselines && !linearlines(pc, host, abortflag, g, subinterval, nsubline, out.thinned)) {
            out.aborted = true;
        } else {
            pc.surface().ForeColor = kBlack;
            if (showpeaks) drawpeaks(pc, g, fontsize);
            if (uselines && drawlinearedgelabels(pc, g, subinterval, fontsize)) out.thinned = true;
        }
    }
    endcontour(pc, host);
    return out;
}

ContourOutcome drawlogcontour(PlotContext& pc, Host& host, bool& abortflag, const ContourGrid& grid,
                              float minvalue, int nsubline, float fontsize, int scale,
                              bool showpeaks) {
    startcontour(host, abortflag);
    const ContourOutcome out =
        logbody(pc, host, abortflag, grid, minvalue, nsubline, fontsize, scale, showpeaks);
    endcontour(pc, host);
    return out;
}

bool tracecontourpieces(const ContourGrid& grid, const ContourRule& rule,
                        const std::function<void(const ContourPiece&)>& sink) {
    const ContourGrid g = usablepart(grid);
    bool thinned = false;
    auto piece = [&sink](const Cell& cell, float t, float value, LevelKind kind) {
        tracelevel(cell, t, [&](float x1, float y1, float x2, float y2) {
            sink(ContourPiece{{x1, y1}, {x2, y2}, value, kind});
        });
    };
    auto go_on = [](bool) { return true; };
    if (rule.scale > 0) {
        walklog(g, rule.minvalue, rule.nsubline, rule.scale, thinned, piece, go_on);
    } else if (std::isfinite(rule.subinterval) && rule.subinterval > 0) {
        walklinear(g, rule.subinterval, rule.nsubline, thinned, piece, go_on);
    }
    return thinned;
}

}  // namespace crustex

#include "plot/contourtrace.h"

#include <algorithm>
#include <array>

#include "plot/contourcell.h"
#include "plot/contourlevels.h"
#include "plot/contourpeaks.h"
#include "plot/edgelabels.h"
#include "plot/plotmath.h"

namespace crustex {

namespace {

// Traces level t through the cell: emit(piece) for each straight piece.
template <typename Emit>
void tracelevel(const ContourCell& cell, float t, Emit&& emit) {
    std::array<LevelSegment, 2> pieces;
    const int n = levelsegments(cell, t, pieces);
    for (int k = 0; k < n; ++k) emit(pieces[static_cast<std::size_t>(k)]);
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

// Every level through every usable cell, column by column:
// level(cell, t, value, kind) with t the level in the cell's loaded units and
// value in the grid's own; column(newlythinned) after each column, told
// whether that column thinned a cell's levels first; false stops. False
// when stopped.
template <typename Level, typename Column>
bool walklinear(const ContourGrid& g, float subinterval, int nsubline, bool& thinned, Level&& level,
                Column&& column) {
    ContourCell cell;
    for (int i = g.firstx; i < g.lastx; ++i) {
        const bool thinnedbefore = thinned;
        for (int j = g.firsty; j < g.lasty; ++j) {
            if (!loadcontourcell(g, i, j, subinterval, cell)) continue;
            const LinearLevels levels = linearlevels(cell.lowest(), cell.highest());
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
    ContourCell cell;
    LevelList list;
    list.values.reserve(64);
    for (int i = g.firstx; i < g.lastx; ++i) {
        const bool thinnedbefore = thinned;
        for (int j = g.firsty; j < g.lasty; ++j) {
            if (!loadcontourcell(g, i, j, 1.0f, cell)) continue;
            const float lo = cell.lowest();
            const float hi = cell.highest();
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
    return [&pc](const ContourCell& cell, float t, float, LevelKind kind) {
        const Rgb color = levelcolor(pc.palette, kind);
        pc.palette.contour = color;
        Surface& s = pc.surface();
        tracelevel(cell, t,
                   [&](const LevelSegment& p) { s.Line(p.a.x, p.a.y, p.b.x, p.b.y, color); });
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

ContourOutcome drawcontourlines(PlotContext& pc, Host& host, bool& abortflag,
                                const ContourGrid& grid, float subinterval, float minvalue,
                                int nsubline, int scale) {
    startcontour(host, abortflag);
    ContourOutcome out;
    const ContourGrid g = usablepart(grid);
    bool done = true;
    if (scale > 0)
        done = loglines(pc, host, abortflag, g, minvalue, nsubline, scale, out.thinned);
    else if (std::isfinite(subinterval) && subinterval > 0)
        done = linearlines(pc, host, abortflag, g, subinterval, nsubline, out.thinned);
    out.aborted = !done;
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
    auto piece = [&sink](const ContourCell& cell, float t, float value, LevelKind kind) {
        tracelevel(cell, t, [&](const LevelSegment& p) {
            sink(ContourPiece{p.a, p.b, value, kind});
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

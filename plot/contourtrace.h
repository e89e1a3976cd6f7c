// Contour maps of one result grid, traced cell by cell.
//
// Every cell of the grid is treated on its own: each level that passes
// through it becomes one straight segment (two at a saddle), drawn at once
// in the level's colour; no line is followed from cell to cell. Cells that
// touch a node without value (kNoValue) are skipped. After the lines come
// the local maxima and minima ("H" / "L" with their values) and the values
// of the lines where they leave the grid on its right-hand side.
// tracecontourpieces hands the same pieces to the caller instead (the
// contour-line export).
//
// While drawing, the status strip shows " Drawing Contours(Ctrl-Q to
// Abort)"; after each column of cells the window may process events, and a
// Ctrl-Q (abortflag) asks "Abort?": OK stops at once with the columns drawn
// so far (no peaks, no edge labels), Cancel clears the flag and goes on.
// The five top menus are disabled at the start and left so: the picture
// composer that calls this enables them when the whole picture is done.
#pragma once

#include <cmath>
#include <functional>
#include <initializer_list>
#include <span>
#include <vector>

#include "model/grid2d.h"
#include "model/host.h"
#include "plot/contourlevels.h"
#include "plot/plotcontext.h"

namespace crustex {

// Fills the frame position of every node of the data area (x0, y0)-(x1, y1)
// (km) split into nx by ny intervals: nodex has nx + 1 entries, nodey
// ny + 1. A count below 1 gives a single node at the area's first corner.
void setnodeframes(const PlotFrame& frame, float x0, float y0, float x1, float y1,
                   std::vector<float>& nodex, std::vector<float>& nodey, int nx, int ny);

// The part of a grid to contour: nodes firstx..lastx by firsty..lasty, with
// their frame positions. Ranges beyond the grid or the node arrays are cut
// to what exists.
struct ContourGrid {
    const Grid2D& values;
    std::span<const float> nodex;
    std::span<const float> nodey;
    int firstx = 0;
    int firsty = 0;
    int lastx = 0;
    int lasty = 0;
};

// A node range firstx..lastx by firsty..lasty.
struct NodeRange {
    int firstx = 0;
    int lastx = -1;
    int firsty = 0;
    int lasty = -1;
};

// The range cut to the nodes that exist in every grid and in both node
// arrays (first >= 0, last <= each grid's last index and < the array's
// size). An empty grid or node array gives an empty range (last < first).
NodeRange usablenodes(std::initializer_list<const Grid2D*> grids, std::span<const float> nodex,
                      std::span<const float> nodey, NodeRange want);

// The grid cut to the nodes that exist in the values and in both node
// arrays (firstx >= 0, lastx <= values.nx() and < nodex.size(), likewise in
// y). An empty range gives lastx < firstx or lasty < firsty.
ContourGrid usablepart(const ContourGrid& grid);

// True when v is a usable node value (not the no-value marker, finite).
inline bool hasvalue(float v) { return v != kNoValue && std::isfinite(v); }

struct ContourOutcome {
    bool aborted = false;  // OK was answered to "Abort?"
    bool thinned = false;  // some cell had more than 1000 levels and was thinned
};

// The status text while the rest of a map is drawn once a cell's level list
// had to be thinned; the strip is cleared when the map is done.
inline constexpr const char* kContourThinnedStatus =
    " Drawing Contours(Ctrl-Q to Abort): over 1000 levels in one cell, only a thinned set is "
    "drawn";

// Draws the contour map. scale 0 is linear with the given sub-interval
// ("Main Contour" / ("No. of Sub-Contour" + 1)); scale 1 and 2 are the two
// semi-logarithmic scales (drawlogcontour). A sub-interval that is not a
// positive number draws no lines and no edge labels.
ContourOutcome drawcontour(PlotContext& pc, Host& host, bool& abortflag, const ContourGrid& grid,
                           float subinterval, float minvalue, int nsubline, float fontsize,
                           int scale, bool showpeaks);

// Only the lines of the map (no peaks, no edge labels), with the same
// status text, abort handling and level rules; the caller labels them.
ContourOutcome drawcontourlines(PlotContext& pc, Host& host, bool& abortflag,
                                const ContourGrid& grid, float subinterval, float minvalue,
                                int nsubline, int scale);

// The same for the semi-logarithmic scales (1 or 2), without a sub-interval.
ContourOutcome drawlogcontour(PlotContext& pc, Host& host, bool& abortflag, const ContourGrid& grid,
                              float minvalue, int nsubline, float fontsize, int scale,
                              bool showpeaks);

// Which lines a map has: the scale (0 linear, 1 and 2 semi-logarithmic),
// the linear sub-interval, "Min. Value" and "No. of Sub-Contour", as
// drawcontour takes them.
struct ContourRule {
    int scale = kScaleLinear;  // 0 linear, 1 semi-log 1, 2 semi-log 2
    float subinterval = 1;     // linear: "Main Contour" / ("No. of Sub-Contour" + 1)
    float minvalue = 0.0001f;  // semi-log: "Min. Value"
    int nsubline = 0;          // "No. of Sub-Contour"
};

// One straight piece of a traced line, in the units of the node positions,
// with its level in the grid's own unit and the level's kind.
struct ContourPiece {
    FramePoint a, b;
    float level = 0;
    LevelKind kind = LevelKind::Zero;
};

// Traces the same lines as drawcontour, cell by cell in drawing order,
// handing each piece to sink instead of drawing it. Returns true when some
// cell's levels were thinned.
bool tracecontourpieces(const ContourGrid& grid, const ContourRule& rule,
                        const std::function<void(const ContourPiece&)>& sink);

}  // namespace crustex

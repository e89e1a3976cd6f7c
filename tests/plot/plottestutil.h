// The recording canvases and the segment checks shared by the plot tests.
#pragma once

#include <cmath>
#include <functional>
#include <vector>

#include "plot/contourtrace.h"
#include "plot/plotcontext.h"
#include "plot/recordingsurface.h"
#include "support/scriptedhost.h"

namespace crustex::test {

// Width of one character and height of one line per point of font size.
inline constexpr float kCharW = RecordingSurface::kCharWidth;
inline constexpr float kLineH = RecordingSurface::kLineHeight;

// A recording surface as screen and drawing target, the palette of a colour
// mode and a scripted host. Not copied: the context points at the surface.
struct Canvas {
    RecordingSurface surface;
    PlotContext pc;
    ScriptedHost host;
    explicit Canvas(const char* mode = "nomap") {
        pc.screen = pc.target = &surface;
        setcolormode(pc.palette, mode);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
};

// A grid of values on a canvas: node x(i) = x0 + dx i and node y(j) =
// y0 - dy j (north up), values f(i, j) (all 0 without f).
struct GridCanvas : Canvas {
    bool abortflag = false;
    Grid2D values;
    std::vector<float> nodex, nodey;
    GridCanvas(int nx, int ny, float x0, float dx, float y0, float dy,
               const std::function<float(int, int)>& f = {})
        : values(nx, ny) {
        for (int i = 0; i <= nx; ++i) nodex.push_back(x0 + dx * static_cast<float>(i));
        for (int j = 0; j <= ny; ++j) nodey.push_back(y0 - dy * static_cast<float>(j));
        for (int i = 0; f && i <= nx; ++i)
            for (int j = 0; j <= ny; ++j) values(i, j) = f(i, j);
    }
    ContourGrid grid() const { return {values, nodex, nodey, 0, 0, values.nx(), values.ny()}; }
};

inline bool samepoint(float x1, float y1, float x2, float y2, float tol = 1e-4f) {
    return std::fabs(x1 - x2) < tol && std::fabs(y1 - y2) < tol;
}

// True when the segment joins the two points, in either direction.
inline bool joins(const RecordedOp& l, float ax, float ay, float bx, float by, float tol = 1e-4f) {
    return (samepoint(l.x1, l.y1, ax, ay, tol) && samepoint(l.x2, l.y2, bx, by, tol)) ||
           (samepoint(l.x1, l.y1, bx, by, tol) && samepoint(l.x2, l.y2, ax, ay, tol));
}

}  // namespace crustex::test

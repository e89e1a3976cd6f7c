// The recording canvas and the segment checks shared by the plot tests.
#pragma once

#include <cmath>

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

inline bool samepoint(float x1, float y1, float x2, float y2, float tol = 1e-4f) {
    return std::fabs(x1 - x2) < tol && std::fabs(y1 - y2) < tol;
}

// True when the segment joins the two points, in either direction.
inline bool joins(const RecordedOp& l, float ax, float ay, float bx, float by, float tol = 1e-4f) {
    return (samepoint(l.x1, l.y1, ax, ay, tol) && samepoint(l.x2, l.y2, bx, by, tol)) ||
           (samepoint(l.x1, l.y1, bx, by, tol) && samepoint(l.x2, l.y2, ax, ay, tol));
}

}  // namespace crustex::test

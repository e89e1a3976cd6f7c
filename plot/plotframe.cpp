#include "plot/plotframe.h"

#include <algorithm>
#include <cmath>

namespace crustex {

namespace {

// Scales follow the two rectangles only while the field window has an area;
// an empty window keeps the last usable scales instead of dividing by zero.
void recomputescales(PlotFrame& f) {
    if (f.fieldwidth != 0 && f.fieldheight != 0) {
        f.scalex = f.framewidth / f.fieldwidth;
        f.scaley = f.frameheight / f.fieldheight;
    }
}

}  // namespace

void setviewframe(PlotFrame& f, float x0, float y0, float x1, float y1) {
    f.framex0 = x0;
    f.framey0 = y0;
    f.framewidth = x1 - x0;
    f.frameheight = y1 - y0;
    recomputescales(f);
}

void setfieldframe(PlotFrame& f, float x0, float y0, float x1, float y1) {
    f.fieldx0 = x0;
    f.fieldy0 = y0;
    f.fieldwidth = x1 - x0;
    f.fieldheight = y1 - y0;
    recomputescales(f);
}

float toframex(const PlotFrame& f, float x) { return (x - f.fieldx0) * f.scalex + f.framex0; }

float toframey(const PlotFrame& f, float y) { return (y - f.fieldy0) * f.scaley + f.framey0; }

float fromframex(const PlotFrame& f, float x) {
    if (f.scalex == 0) return f.fieldx0;
    return (x - f.framex0) / f.scalex + f.fieldx0;
}

float fromframey(const PlotFrame& f, float y) {
    if (f.scaley == 0) return f.fieldy0;
    return (y - f.framey0) / f.scaley + f.fieldy0;
}

bool setplotframe(PlotFrame& f, float width) {
    if (!std::isfinite(width) || width <= 0) return false;
    const float height = width * 51 / 64;
    // A width so small that the scales overflow is as unusable as zero.
    const float sx = (kFrameRight - kFrameLeft) / width;
    const float sy = (kFrameTop - kFrameBottom) / height;
    if (!(height > 0) || !std::isfinite(sx) || !std::isfinite(sy)) return false;
    setviewframe(f, kFrameLeft, kFrameBottom, kFrameRight, kFrameTop);
    setfieldframe(f, 0, 0, width, height);
    return true;
}

namespace {

// The fit of a view into the nominal frame's place: nominal units per view
// unit and the offsets that centre it.
struct ViewFit {
    float units = 1, offx = 0, offy = 0;
};

ViewFit viewfit(const FrameView& view) {
    const FrameView nominal;
    ViewFit fit;
    if (!(view.width > 0) || !(view.height > 0)) return fit;
    fit.units = std::min(nominal.width / view.width, nominal.height / view.height);
    fit.offx = (nominal.width - view.width * fit.units) / 2;
    fit.offy = (nominal.height - view.height * fit.units) / 2;
    return fit;
}

}  // namespace

FrameView fitview(const FrameView& nominal, const FrameView& view) {
    const FrameView frame;
    const ViewFit fit = viewfit(view);
    return {view.left - (frame.left + fit.offx - nominal.left) / fit.units,
            view.top - (frame.top + fit.offy - nominal.top) / fit.units, nominal.width / fit.units,
            nominal.height / fit.units};
}

FramePoint nominaltoview(const FrameView& view, float x, float y) {
    const FrameView frame;
    const ViewFit fit = viewfit(view);
    return {view.left + (x - frame.left - fit.offx) / fit.units,
            view.top + (y - frame.top - fit.offy) / fit.units};
}

}  // namespace crustex

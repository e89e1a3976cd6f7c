// The plot frame record: how field kilometres map onto frame units.
#pragma once

#include "plot/surface.h"

namespace crustex {

struct PlotFrame {
    float framex0 = 0, framey0 = 0;         // frame point of field (fieldx0, fieldy0)
    float framewidth = 0, frameheight = 0;  // signed extents (frameheight < 0)
    float fieldx0 = 0, fieldy0 = 0;         // field lower-left corner (km)
    float fieldwidth = 0, fieldheight = 0;  // field window extents (km)
    float scalex = 0, scaley = 0;           // frame units per km
};

// Stores the frame rectangle; recomputes the scales only while the field
// window is non-empty.
void setviewframe(PlotFrame& f, float x0, float y0, float x1, float y1);
// Stores the field window and recomputes both scales. An empty field window
// (zero width or height) keeps the previous scales, so nothing divides by 0.
void setfieldframe(PlotFrame& f, float x0, float y0, float x1, float y1);
float toframex(const PlotFrame& f, float x);
float toframey(const PlotFrame& f, float y);
// Frame units back to field km; a frame with no scale yet gives the field
// origin rather than an infinity.
float fromframex(const PlotFrame& f, float x);
float fromframey(const PlotFrame& f, float y);

// The fixed frame rectangle of every plot: (0, 505.3) to (659.2, -20).
inline constexpr float kFrameLeft = 0.0f;
inline constexpr float kFrameBottom = 505.3f;
inline constexpr float kFrameRight = 659.2f;
inline constexpr float kFrameTop = -20.0f;

// A rectangle of frame units: the part of the frame a picture shows, or a
// surface's user scale (left, top, width, height as Surface::setScale takes
// them).
struct FrameView {
    float left = kFrameLeft, top = kFrameTop;
    float width = kFrameRight - kFrameLeft, height = kFrameBottom - kFrameTop;
    bool operator==(const FrameView&) const = default;
};

// The user scale that shows `view` where the user scale `nominal` shows the
// nominal frame (kFrameLeft..kFrameRight by kFrameTop..kFrameBottom): the
// view fitted into that place, aspect kept, centred. The nominal frame
// itself gives `nominal` back.
FrameView fitview(const FrameView& nominal, const FrameView& view);
// Where a point of the nominal frame lands in `view` fitted into its place
// (fitview): (x, y) of the nominal frame to frame units of the view.
FramePoint nominaltoview(const FrameView& view, float x, float y);

// The standard frame for a whole-window width W (km): frame (0, 505.3) to
// (659.2, -20) over the field window 0..W by 0..W*51/64. A W that is not a
// positive finite number is refused: the frame keeps the previous width's
// values and the result is false.
bool setplotframe(PlotFrame& f, float width);

}  // namespace crustex

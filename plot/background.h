// Painting a pasted background picture into the nominal 640 x 510 frame.
#pragma once

#include "model/host.h"
#include "plot/plotcontext.h"

namespace crustex {

// The size (frame units) a w x h picture is drawn at from frame (0, 0): 640
// wide when it is at least as wide as 64:51, else 510 high; the aspect is
// kept. An empty picture gives 0 x 0.
struct BackgroundFit {
    float width = 0;
    float height = 0;
};
BackgroundFit fitbackground(int w, int h);

// Draws the picture fitted at frame (0, 0) with the busy pointer and the
// status " Painting Background"; clears the status afterwards.
void paintbackground(PlotContext& pc, Host& host, const Picture& picture);

}  // namespace crustex

// What every drawing routine draws with: the current drawing target, the
// screen picture, the plot frame record and the palette.
#pragma once

#include <string>

#include "plot/palette.h"
#include "plot/plotframe.h"
#include "plot/surface.h"

namespace crustex {

struct PlotContext {
    Surface* screen = nullptr;  // the main plot picture
    Surface* target = nullptr;  // current drawing target (screen or printer)
    PlotFrame frame;
    Palette palette;
    std::string colormode = "nomap";  // the mode the palette was last set to

    Surface& surface() { return *target; }
};

}  // namespace crustex

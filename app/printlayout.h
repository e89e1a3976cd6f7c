// The printed page's user scale: the 640 x 510 picture fills the page
// inside the margins, aspect kept, equal offsets on both axes.
#pragma once

#include <optional>

namespace crustex {

struct PrintLayout {
    float left = 0, top = 0;                // user coordinates of the page's top-left corner
    float scalewidth = 0, scaleheight = 0;  // user units across the whole page
    bool widthlimits = false;               // the width was the tighter fit
};

// pagewidth, pageheight: the printable page in millimetres; margins in
// millimetres. Margins that leave no printable width or height (1 - 2r <= 0,
// or an empty page) give no layout.
std::optional<PrintLayout> printlayout(double pagewidth, double pageheight, int xmargin,
                                       int ymargin);

}  // namespace crustex

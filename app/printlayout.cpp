#include "app/printlayout.h"

#include <cmath>

namespace crustex {

std::optional<PrintLayout> printlayout(double w, double h, int xmargin, int ymargin) {
    if (!(w > 0) || !(h > 0) || !std::isfinite(w) || !std::isfinite(h)) return std::nullopt;
    const double a = (h - 2.0 * ymargin) / 51.0;
    const double b = (w - 2.0 * xmargin) / 64.0;
    PrintLayout l;
    if (b < a) {
        const double r = xmargin / w;
        const double room = 1.0 - 2.0 * r;
        if (!(room > 0)) return std::nullopt;
        l.scalewidth = float(640.0 / room);
        l.scaleheight = float(l.scalewidth * h / w);
        l.left = l.top = float(-640.0 * r / room);
        l.widthlimits = true;
    } else {
        const double r = ymargin / h;
        const double room = 1.0 - 2.0 * r;
        if (!(room > 0)) return std::nullopt;
        l.scaleheight = float(510.0 / room);
        l.scalewidth = float(l.scaleheight * w / h);
        l.left = l.top = float(-510.0 * r / room);
    }
    // The other axis must have room too: the picture may not start past the
    // far edge of the page.
    if (!(-l.left < l.scalewidth) || !(-l.top < l.scaleheight)) return std::nullopt;
    return l;
}

}  // namespace crustex

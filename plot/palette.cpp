#include "plot/palette.h"

namespace crustex {

namespace {

// One row of the colour table per mode; the current contour colour is not
// part of a mode and is left alone.
void fill(Palette& p, const Palette& mode) {
    const Rgb contour = p.contour;
    p = mode;
    p.contour = contour;
}

Palette mappalette() {
    Palette p;
    p.zerocontour = {63, 63, 63};
    p.maincontour = {127, 127, 127};
    p.negsubcontour = {63, 63, 159};
    p.possubcontour = {255, 95, 0};
    p.negative = {63, 63, 159};
    p.positive = {255, 95, 0};
    p.dataframe = {191, 191, 191};
    p.source = {95, 0, 0};
    p.earthquake = {0, 127, 0};
    p.mousemark = {0, 63, 0};
    p.area = {0, 0, 0};
    p.coast = {0, 31, 63};
    p.border = {255, 191, 0};
    p.graticule = {255, 255, 0};
    return p;
}

Palette nomappalette() {
    Palette p;
    p.zerocontour = {63, 63, 63};
    p.maincontour = {127, 127, 127};
    p.negsubcontour = {63, 63, 159};
    p.possubcontour = {255, 95, 0};
    p.negative = {63, 63, 159};
    p.positive = {255, 95, 0};
    p.dataframe = {127, 127, 127};
    p.source = {127, 0, 0};
    p.earthquake = {0, 0, 0};
    p.mousemark = {0, 63, 0};
    p.area = {0, 0, 0};
    p.coast = {0, 0, 0};
    p.border = {0, 0, 0};
    p.graticule = {0, 0, 0};
    return p;
}

Palette bnwpalette() {
    Palette p;
    p.zerocontour = {0, 0, 0};
    p.maincontour = {0, 0, 0};
    p.negsubcontour = {63, 63, 63};
    p.possubcontour = {223, 223, 223};
    p.negative = {191, 191, 191};
    p.positive = {127, 127, 127};
    p.dataframe = {191, 191, 191};
    p.source = {0, 0, 0};
    p.earthquake = {0, 0, 0};
    p.mousemark = {0, 0, 0};
    p.area = {0, 0, 0};
    p.coast = {0, 0, 0};
    p.border = {127, 127, 127};
    p.graticule = {127, 127, 127};
    return p;
}

}  // namespace

bool setcolormode(Palette& p, std::string_view mode) {
    if (mode == "map") {
        fill(p, mappalette());
    } else if (mode == "nomap") {
        fill(p, nomappalette());
    } else if (mode == "bnw") {
        fill(p, bnwpalette());
    } else {
        return false;
    }
    return true;
}

}  // namespace crustex

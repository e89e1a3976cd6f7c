// The fifteen palette colours and the three colour modes.
#pragma once

#include <string_view>

#include "plot/surface.h"

namespace crustex {

struct Palette {
    Rgb zerocontour{63, 63, 63};
    Rgb maincontour{127, 127, 127};
    Rgb negsubcontour{63, 63, 159};
    Rgb possubcontour{255, 95, 0};
    Rgb negative{63, 63, 159};     // contraction glyphs and "-" legends
    Rgb positive{255, 95, 0};      // expansion glyphs and "+" legends
    Rgb dataframe{127, 127, 127};  // data area frame, inclined-field lines
    Rgb source{127, 0, 0};         // source figures
    Rgb earthquake{0, 0, 0};
    Rgb mousemark{0, 63, 0};
    Rgb area{0, 0, 0};
    Rgb coast{0, 0, 0};
    Rgb border{0, 0, 0};
    Rgb graticule{0, 0, 0};
    Rgb contour{0, 0, 0};  // the current contour colour

    bool operator==(const Palette&) const = default;
};

// Fills the palette for "map", "nomap" or "bnw"; any other word leaves it
// unchanged. Returns true when the word was one of the three.
bool setcolormode(Palette& p, std::string_view mode);

}  // namespace crustex

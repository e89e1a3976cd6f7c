#include "plot/palette.h"

namespace crustex {

namespace {

// One row of the colour table per mode, in the order of the palette's
// fields: zero, main, negative and positive sub-contours, negative and
// positive glyphs, data frame, source, earthquake, mouse mark, area, coast,
// border, graticule.
const Palette kMapColors{{63, 63, 63}, {127, 127, 127}, {63, 63, 159}, {255, 95, 0}, {63, 63, 159},
                         {255, 95, 0}, {191, 191, 191}, {95, 0, 0},    {0, 127, 0},  {0, 63, 0},
                         {0, 0, 0},    {0, 31, 63},     {255, 191, 0}, {255, 255, 0}};
const Palette kNoMapColors{{63, 63, 63},  {127, 127, 127}, {63, 63, 159},   {255, 95, 0},
                           {63, 63, 159}, {255, 95, 0},    {127, 127, 127}, {127, 0, 0},
                           {0, 0, 0},     {0, 63, 0},      {0, 0, 0},       {0, 0, 0},
                           {0, 0, 0},     {0, 0, 0}};
const Palette kBnwColors{{0, 0, 0},       {0, 0, 0},       {63, 63, 63},    {223, 223, 223},
                         {191, 191, 191}, {127, 127, 127}, {191, 191, 191}, {0, 0, 0},
                         {0, 0, 0},       {0, 0, 0},       {0, 0, 0},       {0, 0, 0},
                         {127, 127, 127}, {127, 127, 127}};

}  // namespace

bool setcolormode(Palette& p, std::string_view mode) {
    const Palette* row = mode == "map"     ? &kMapColors
                         : mode == "nomap" ? &kNoMapColors
                         : mode == "bnw"   ? &kBnwColors
                                           : nullptr;
    if (row == nullptr) return false;
    // The current contour colour is not part of a mode and is left alone.
    const Rgb contour = p.contour;
    p = *row;
    p.contour = contour;
    return true;
}

}  // namespace crustex

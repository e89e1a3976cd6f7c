// The colour bar of a filled contour map: one block per band, from the
// lowest band with data at the bottom to the highest at the top, all of one
// height, so semi-logarithmic levels read as evenly as linear ones. Ticks
// mark the levels between the blocks; the main levels (multiples of "Main
// Contour", powers of ten, zero) get a label, from zero outwards as long as
// the labels keep clear of each other. Labels are the program's number
// text.
#pragma once

#include "plot/contourbands.h"
#include "plot/labelplacer.h"

namespace crustex {

// Where the bar goes: its blocks fill this box, the labels go right of it.
struct ColorBarPlace {
    float left = 0, top = 0, width = 0, height = 0;
};

// Draws the bar of a ready scale and takes its boxes in the placer;
// returns the number of labelled ticks.
int drawcolorbar(PlotContext& pc, const BandScale& scale, const ColorBarPlace& at,
                 LabelPlacer& placer, float fontsize);

}  // namespace crustex

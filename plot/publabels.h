// Peak and edge labels of the publication style, placed without overlap.
//
// Peaks are offered in order of falling magnitude, so the highest absolute
// peaks win: each label ("H 0.316", "L -7.96E-3") is tried right of its
// mark, then left, above, below and at the four corners; a label with no
// free place inside the plot is left out together with its mark. Edge
// labels (the values of the lines where they leave the grid on its right)
// come after the peaks, the zero line first, then by falling magnitude, and
// may move up or down by less than half a line height.
#pragma once

#include "plot/contourbands.h"
#include "plot/labelplacer.h"

namespace crustex {

// Returns the number of peaks labelled. `within` is the plot's box.
int placepeaklabels(PlotContext& pc, const ContourGrid& grid, LabelPlacer& placer,
                    const LabelBox& within, float fontsize);

// Returns the number of edge labels written. `within` bounds where they may
// go (right of the grid).
int placeedgelabels(PlotContext& pc, const ContourGrid& grid, const ContourRule& rule,
                    LabelPlacer& placer, const LabelBox& within, float fontsize);

}  // namespace crustex

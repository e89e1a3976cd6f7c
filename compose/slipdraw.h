// The slip model in the picture and its summary: the number of patches, the
// largest slip, the moment M0 = mu * sum(area * slip) and the moment
// magnitude Mw = 2/3 (log10 M0 - 9.1), mu the medium's shear modulus.
//
// The screen style shows the patches as outlines in the source colour
// (plot/patchglyphs.h) and the summary as two lines at the foot of the
// legend column. The publication style fills each patch by its slip with
// the sequential colour map (0 to the largest slip) under grey outlines,
// and shows a colour bar "Slip (m)" with the summary in the strip.
#pragma once

#include <cstddef>
#include <string>

#include "model/medium.h"
#include "model/slipmodel.h"
#include "plot/labelplacer.h"
#include "plot/plotcontext.h"

namespace crustex {

inline constexpr const char* kSlipBarTitle = "Slip (m)";

struct SlipStats {
    std::size_t patches = 0;
    float maxslip = 0;  // m
    double moment = 0;  // N m
    double mw = 0;      // moment magnitude (NaN without moment)
};

// Opening does not count towards the moment.
SlipStats slipstats(const SlipModel& model, const Medium& medium);

// "max slip 4.2 m, M0 = 1.23e+20 N·m, Mw = 7.32" (no moment: the slip
// only).
std::string slipmomenttext(const SlipStats& stats);
// "300 patches, " and the moment text.
std::string slipstatstext(const SlipStats& stats);

// The screen style's two lines at the foot of the legend column.
void drawsliplegend(PlotContext& pc, const SlipStats& stats);

// The lines of the patches over their fill in the publication style.
inline constexpr Rgb kPubPatchLine{90, 90, 90};

// The patches filled by their slip, outlined in kPubPatchLine; the box of
// each goes into the placer, so that labels keep off the model.
void drawslippatches(PlotContext& pc, const SlipModel& model, float maxslip, LabelPlacer& placer);

// Where the publication style puts the colour bar: its blocks fill the box,
// labels go right of it.
struct SlipBarPlace {
    float left = 0, top = 0, width = 0, height = 0;
    float fontsize = 0;
};
// The bar from 0 (bottom) to the largest slip (top), ticks at round values
// labelled right of it; the boxes it takes go into the placer.
void drawslipbar(PlotContext& pc, float maxslip, const SlipBarPlace& at, LabelPlacer& placer);

}  // namespace crustex

// The picture of a vertical section: the selected contour quantity on the
// section's plane with the contour levels, tracing and style of the main
// picture (the screen style's lines, or the publication style's filled
// bands under grey lines with a colour bar and labels placed without
// overlap), the traces of the sources and of the slip model's patches
// where they cut the plane, the earthquakes near the line projected onto
// it (circles of half the magnitude, as on the map), distance and depth
// axes, and the quantity's title, unit and legend in the strip on the
// right.
//
// Distance and depth share one scale when that leaves the section at least
// kMinSectionHeight frame units tall; a long shallow section is stretched
// downwards to that height and the strip gives its vertical exaggeration.
#pragma once

#include <vector>

#include "model/host.h"
#include "model/workstate.h"
#include "plot/labelplacer.h"
#include "plot/plotcontext.h"
#include "stress/sectiontraces.h"

namespace crustex {

// The box the section fills in the nominal frame, at most.
inline constexpr LabelBox kSectionBox{62, 50, 500, 440};
inline constexpr float kMinSectionHeight = 120;

struct SectionLayout {
    PlotFrame frame;  // distance to frame x, minus the depth to frame y
    LabelBox box;     // where the section lies (frame units)
    float exaggeration = 1;
};
SectionLayout sectionlayout(const SectionSpec& s);

// The part of the frame the picture takes: the nominal frame without what
// lies below the section, its axes and the strip's texts.
FrameView sectionview(const SectionSpec& s);

struct SectionPictureInputs {
    Section* section = nullptr;  // evaluated (stress/section.h)
    std::vector<SectionTrace> traces;
    std::vector<SectionEvent> events;
    float eventwithin = 0;  // km from the line the events were taken within
};

enum class SectionOutcome {
    Drawn,
    NotContoured,  // the quantity is not a contour quantity the work offers
    Aborted,       // Ctrl-Q while the contours were drawn
};

// Clears pc's current target and draws the section's picture of
// ws.quantitykey on it; pc.frame is left as it was.
SectionOutcome drawsectionpicture(WorkState& ws, PlotContext& pc, Host& host,
                                  SectionPictureInputs& in);

}  // namespace crustex

// The cross-section dialog's values: the section it proposes and the check
// of its boxes. The line's points are typed in field km or, while a map is
// on, in latitude and longitude (converted through the projection); then
// the depth range, one spacing for both directions and the distance from
// the line within which earthquakes are shown on the section.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "geo/projection.h"
#include "model/formcheck.h"
#include "model/workstate.h"
#include "plot/plotcontext.h"
#include "stress/section.h"

namespace crustex {

inline constexpr float kDefaultEventDistance = 10;  // km

struct SectionChoice {
    SectionSpec spec;
    float eventwithin = kDefaultEventDistance;  // km from the line

    bool operator==(const SectionChoice&) const = default;
};

// What the dialog proposes: the last section shown, else the model file's
// cross section, else a line across the middle of the field from its left
// to its right edge, down to kProposedDepth every field grid spacing.
inline constexpr float kProposedDepth = 20;  // km
SectionChoice proposesection(const WorkState& ws, const std::optional<SectionChoice>& last);

// Where the map projection places the line's points; null while no map is
// on (the points are then in km).
struct SectionGeo {
    const Projection& proj;
    const PlotFrame& frame;
};

// The texts of the dialog's boxes, by field: x0, y0, x1, y1 (km) or lat0,
// lon0, lat1, lon1 (degrees), top, bottom, step, within.
struct SectionFormText {
    std::string p0a, p0b, p1a, p1b;  // the two points' boxes in dialog order
    std::string top, bottom, step, within;
    bool geographic = false;  // the points are latitude, longitude

    // The text of a field's box, or nullptr when the dialog shows no such
    // box (the km boxes while the points are in degrees and the other way).
    const std::string* box(std::string_view field) const;
};

// The boxes for a choice: km as generalform writes them, degrees with
// "0.####".
SectionFormText sectionformtext(const SectionChoice& c, const std::optional<SectionGeo>& geo);

// Checks the boxes in the dialog's order; on success the choice is in
// `out`. A line of no length rejects the second point, a depth range upside
// down the lower depth, and a spacing that gives too many points the
// spacing (with the reason).
FormCheck checksectionform(const SectionFormText& text, const std::optional<SectionGeo>& geo,
                           SectionChoice& out);

}  // namespace crustex

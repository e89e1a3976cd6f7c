// What a section shows besides its values: where the sources and the slip
// model's patches cut its vertical plane, and the catalogue's earthquakes
// near its line, projected onto the plane.
//
// Positions on the section are (distance along the line from its first
// point, depth), km, depth positive down. The plane is the whole vertical
// plane through the line; a trace may lie beyond the line's ends (the
// picture cuts it to the section).
#pragma once

#include <cstdint>
#include <vector>

#include "geo/projection.h"
#include "model/eventtable.h"
#include "model/workstate.h"
#include "stress/section.h"

namespace crustex {

struct SectionPoint {
    float distance = 0, depth = 0;
    bool operator==(const SectionPoint&) const = default;
};

struct SectionTrace {
    SectionPoint a, b;
    bool patch = false;  // a slip-model patch (else a source of the table)
};

// The segments where each usable rectangular source (table order) and
// then each patch of the slip model cut the plane; a rectangle that lies
// in the plane gives its four edges.
std::vector<SectionTrace> sectiontraces(const WorkState& ws, const SectionSpec& s);

struct SectionEvent {
    SectionPoint at;
    float offset = 0;  // horizontal distance from the line (km), right of it positive
    int16_t mag = 0;   // magnitude times 10
};

// The events whose epicentre lies within `within` km of the line (between
// its ends), in table order. The projection and the frame place them in
// the field's km.
std::vector<SectionEvent> sectionevents(const EventTable& events, const SectionSpec& s,
                                        float within, const Projection& proj,
                                        const PlotFrame& frame);

}  // namespace crustex

// What a stress study adds to the model: the regional stress, the receiver
// faults on which the stress change is resolved, and a proposed vertical
// section. Plain data; model files fill it, the stress evaluation reads it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/slipmodel.h"

namespace crustex {

// One principal axis of the regional stress: compression positive.
struct PrincipalStress {
    float azimuth = 0;   // degrees clockwise from north
    float plunge = 0;    // degrees below the horizontal
    float surface = 0;   // magnitude at the surface (bar)
    float gradient = 0;  // increase with depth (bar/km)

    bool operator==(const PrincipalStress&) const = default;
};

// The regional stress as three principal axes in the order sigma1, sigma2,
// sigma3 (as a model file gives them once sorted by magnitude).
struct RegionalStress {
    bool given = false;
    std::array<PrincipalStress, 3> axis{};

    bool operator==(const RegionalStress&) const = default;
};

// A receiver fault: a plane of the source table's geometry (upper edge from
// the first end to the second, dipping to its right) on which the stress
// change is resolved. rake is NaN when the file gives none (a zero-slip
// element of a model file): the user's rake applies then.
struct ReceiverFault {
    float x0 = 0, y0 = 0;  // upper edge, first end (km)
    float x1 = 0, y1 = 0;  // upper edge, second end (km)
    float top = 0;         // depth of the upper edge (km)
    float width = 0;       // down-dip width (km)
    float dip = 0;         // degrees
    float rake = 0;        // degrees, or NaN
    std::string name;
    // Where the upper edge lies on the globe, for a receiver placed from
    // latitude and longitude: it is placed again when the map changes.
    std::optional<GeoEdge> geo;

    bool operator==(const ReceiverFault&) const = default;
};

// A vertical section proposed by a model file: from (x0, y0) to (x1, y1) km,
// points every `step` km along it, down to `depth` km every `dz` km.
struct SectionLine {
    bool given = false;
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    float step = 0;
    float depth = 0;
    float dz = 0;

    bool operator==(const SectionLine&) const = default;
};

}  // namespace crustex

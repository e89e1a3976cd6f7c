// The regional stress at a point: three principal axes, each with an
// azimuth (degrees clockwise from north), a plunge (degrees below the
// horizontal), a magnitude at the surface (bar) and its increase with
// depth (bar/km), compression positive as the model data keep them
// (model/stressmodel.h).
//
// The tensor comes back in the program's frame and sign: x east, y north
// (the field's axes), z up, bar, tension positive. With a map, north is
// not the field's Y axis everywhere: a conic projection turns the
// meridians across the map, and the azimuths are turned by the meridian's
// angle at each point. Without a map the azimuths are taken in the
// field's frame (north along Y).
#pragma once

#include <string>

#include "geo/projection.h"
#include "model/stressmodel.h"
#include "stress/principalaxes.h"

namespace crustex {

// Where north lies: the map's projection and the plot frame while the map
// is on; both null without a map.
struct NorthReference {
    const Projection* proj = nullptr;
    const PlotFrame* frame = nullptr;
};

// The angle (radians, clockwise) from the field's Y axis to north at map
// point (x, y) km; 0 without a map.
double northangle(const NorthReference& north, float x, float y);

// The unit vector (x east, y north, z up) of an axis, with north turned by
// `north` radians clockwise from Y.
Vec3 axisdirection(const PrincipalStress& a, double north);

// The regional stress tensor at `depth` km below the surface (bar, tension
// positive): each axis's magnitude is surface + gradient * depth.
SymTensor regionalstressat(const RegionalStress& r, double depth, double north);

// Why the regional stress cannot be used ("" when it can): not given, a
// value that is not a number, a plunge beyond +-90 degrees, or two axes
// further than kAxisTolerance degrees from perpendicular.
std::string regionalstressproblem(const RegionalStress& r);

inline constexpr double kAxisTolerance = 3;

}  // namespace crustex

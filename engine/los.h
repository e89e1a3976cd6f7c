// The line of sight of a radar satellite (InSAR): the displacement seen
// along it and the interferometric phase it makes.
//
// The satellite flies along the heading h (degrees clockwise from north)
// and looks to its right, down to the ground at the incidence angle i
// (degrees from the vertical). The unit vector from the ground toward the
// satellite is, in east, north and up,
//     (-cos h sin i,  sin h sin i,  cos i),
// and the LOS displacement is the displacement's component along it: a
// ground motion toward the satellite is positive. The phase of a repeat-pass
// interferogram is 4 pi los / wavelength (the path changes twice), so one
// colour cycle of wrapped fringes is half a wavelength of LOS change.
//
// The field's X and Y are east and north without the map; with it they are
// turned by the meridian angle at each node first (see calclosgrid).
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "model/workstate.h"

namespace crustex {

// A named viewing geometry the dialog offers.
struct LosPreset {
    std::string_view name;
    float heading;    // degrees clockwise from north
    float incidence;  // degrees from the vertical
};
inline constexpr std::array<LosPreset, 2> kLosPresets = {{
    {"Ascending", 350, 34},
    {"Descending", 190, 34},
}};
inline constexpr float kDefaultWavelength = 55.5f;  // mm, C band

// Values the program works with: a heading of -360..360 degrees, an
// incidence of 0 up to (not including) 90 degrees, a wavelength above 0 up
// to 1000 mm.
inline constexpr float kLosHeadingLimit = 360;
inline constexpr float kLosIncidenceLimit = 90;
inline constexpr float kLosLongestWavelength = 1000;

// Why a viewing geometry cannot be used, in words for the user ("incidence
// 95 is not within 0..90"), or "".
std::string losproblem(float heading, float incidence, float wavelength);

// The unit vector from the ground toward the satellite: east, north, up.
struct LosVector {
    double east = 0, north = 0, up = 0;
};
LosVector losvector(float heading, float incidence);

// The displacement (east, north, up) along the line of sight, toward the
// satellite positive, in the displacement's unit.
double losdisplacement(const LosVector& look, double east, double north, double up);

// Field axes to east and north: X and Y turned back by the meridian angle
// gamma (radians, clockwise from the frame's up to true north).
void fieldtoeastnorth(double x, double y, double gamma, double& east, double& north);

// The interferometric phase 4 pi los / wavelength wrapped into [-pi, pi)
// (los and wavelength in one unit): los = +-wavelength/4 gives -pi.
double wrappedphase(double los, double wavelength);

// Where los falls in its colour cycle of half a wavelength: 0 up to (not
// including) 1, 0 for every whole number of half wavelengths.
double fringecycle(double los, double wavelength);

// The meridian angle (radians) at the field point (x, y) in km.
using MeridianAngleAt = std::function<float(float x, float y)>;

// Fills g.los from g's ux, uy and uz with the work state's geometry: ux, uy
// turned from the field axes to east and north by meridian at each node's
// place (none: X is east, Y north), computed in 64-bit and stored as
// floats. A node without displacement keeps the no-value marker.
void calclos(const WorkState& ws, ResultGrids& g, const NodePlace& place,
             const MeridianAngleAt& meridian);

// The same over the field grid of the work state.
void calclosgrid(WorkState& ws, const MeridianAngleAt& meridian);

}  // namespace crustex

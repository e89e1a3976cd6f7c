// A source as the fits see it: a handful of named parameters in 64-bit, read
// from a source record or a slip-model patch and written back into one, its
// displacement at a point computed in 64-bit throughout (so that the misfit
// is a smooth function of the parameters, not a staircase of float
// roundings), and the bounds a parameter takes when the user gives none.
//
// Parameters and units (model frame: X east, Y north, km; depth down +):
//   east, north  centre of the fault's upper edge, or the point source (km)
//   depth        of the upper edge, or of the point source (km)
//   strike       degrees clockwise from the model's Y axis; the fault dips
//                to the right of it (the direction from edge 0 to edge 1)
//   dip, rake    degrees (rake 0 left-lateral, 90 reverse)
//   length       along strike (km); width down dip (km)
//   slip         net slip in the plane (m; a source record keeps mm)
//   opening      tensile opening (m; a source record keeps mm)
//   volume       volume change of an inflation point (10^6 m^3): a record's
//                piso is "Volume Change * 3", so volume = piso / 3
// A fault (a source of type 0 or a patch) has the first ten, an inflation
// point east, north, depth and volume.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "model/faultrec.h"
#include "model/slipmodel.h"

namespace crustex {

enum class FitParam { East, North, Depth, Strike, Dip, Rake, Length, Width, Slip, Opening, Volume };
inline constexpr std::size_t kFitParamCount = 11;

std::string_view fitparamname(FitParam p);
std::string_view fitparamunit(FitParam p);  // "km", "deg", "m" or "10^6 m^3"
std::optional<FitParam> findfitparam(std::string_view name);

// What a fit changes: source `index` of the source table (1..nfault) or
// patch `index` of the slip model (0-based).
struct FitTarget {
    enum class Kind { Source, Patch } kind = Kind::Source;
    int index = 1;

    bool operator==(const FitTarget&) const = default;
};

// One source in the fit's parameters.
struct FitSource {
    enum class Shape { Fault, Point } shape = Shape::Fault;
    bool patch = false;  // a slip-model patch (its dip is held to 0..90)
    std::array<double, kFitParamCount> v{};

    double& operator[](FitParam p) { return v[static_cast<std::size_t>(p)]; }
    double operator[](FitParam p) const { return v[static_cast<std::size_t>(p)]; }
    // Whether the shape has the parameter.
    bool has(FitParam p) const;
};

FitSource fitsourceof(const faultrec& f);
FitSource fitsourceof(const SlipPatch& p);
// Writes the parameters back; fields the parameters do not cover (the
// other type's fields of a record) are kept. The rake is brought into
// -180..180, a negative length or width is never written (the bounds
// keep them positive).
void storefitsource(const FitSource& s, faultrec& f);
void storefitsource(const FitSource& s, SlipPatch& p);

// The displacement (mm, map axes) of the source at (x, y, z), z up (km),
// for the medium constant alpha. False when the point is singular for the
// source or the source cannot be evaluated (a length or width not above 0).
bool fitdisplacement(const FitSource& s, double alpha, double x, double y, double z,
                     std::array<double, 3>& u);

// The values a parameter may take at all, and the bounds it gets when the
// user names none: around the start, and for east and north as far as
// `reach` (km, the farthest observation from the start; at least 20).
struct ParamRange {
    double lower = 0, upper = 0;
};
ParamRange paramdomain(const FitSource& s, FitParam p);
ParamRange defaultbounds(const FitSource& s, FitParam p, double reach);

}  // namespace crustex

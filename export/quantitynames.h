// The quantities by the names the window gives them: the captions of its
// "Execute" menu ("Displacement Z", "delta CFF", ...), the quantity keys they
// select, and the result grids that each one exports as grid variables.
//
// A name is matched by its caption without regard to letter case, or by the
// quantity key itself ("uz").
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "compose/picture.h"
#include "model/medium.h"
#include "model/resultgrids.h"
#include "model/workstate.h"

namespace crustex {

// One exported grid: its variable name (also the column stem of a CSV
// table), a descriptive name, its unit as CF units text and as a short
// column suffix, the grid it comes from and the evaluation that fills that
// grid beyond the field evaluation.
struct GridVariable {
    std::string_view name;      // "uz"
    std::string_view longname;  // "Displacement Z (up)"
    std::string_view units;     // "mm", "1e-6", "1e-6 rad"
    std::string_view csvunit;   // "mm", "microstrain", "microradian"
    Grid2D ResultGrids::*grid;
    ExtraEvaluation extra;
    // A stress in bar or MPa: the grid's values (stress / rigidity, 10^-6)
    // are scaled to the unit, and the variable's name carries it.
    bool stressunit = false;
};

// One "Execute" item: its caption, its key and the variables it exports
// (a contour quantity one, a vector quantity its two components, the
// principal strains the three horizontal strain components, a picture-only
// item none).
struct QuantityName {
    std::string_view caption;
    std::string_view key;
    std::vector<const GridVariable*> variables;
    bool contour = false;  // drawn as contour lines
};

// Every "Execute" item, in menu order.
std::span<const QuantityName> quantitynames();

// The line-of-sight items: "LOS Displacement" (los) and "Wrapped Fringes"
// (fringes, a picture only).
std::span<const QuantityName> losquantitynames();

// The item of a caption (any letter case) or key of either list; nullptr
// when none fits.
const QuantityName* findquantityname(std::string_view name);

// Splits a comma-separated list of names. Commas inside parentheses belong
// to the name ("Tilt (du/dz, dv/dz)"); blanks around names are dropped.
std::vector<std::string> splitnamelist(std::string_view list);

// The variable as the unit asks for it: a stress variable in bar or MPa
// ("cffpara_bar", units "bar"; CSV column "cffpara_bar"), anything else as
// it is.
const GridVariable* inunit(const GridVariable* v, StressUnit unit);

// The values of the variable's grid in its unit: a stress variable in bar or
// MPa scaled from stress / rigidity where the grid holds that.
void toexportunit(const GridVariable& v, const WorkState& ws, Grid2D& values);

// The netCDF variable name: the name, with the unit for a stress in bar or
// MPa ("cffpara_MPa").
std::string variablename(const GridVariable& v);

// The variables of a list of quantities, each once, in list order.
std::vector<const GridVariable*> gridvariables(std::span<const QuantityName* const> quantities);

// What "grid" exports when no list is given: the three displacements, the
// six strain components, dilatant, volumetric and maximum shear strain and
// delta CFF.
std::vector<const QuantityName*> defaultgridquantities();

}  // namespace crustex

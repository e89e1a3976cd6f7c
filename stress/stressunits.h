// The units stresses are shown and written in (model/medium.h's StressUnit):
//   Rigidity  stress / mu in 10^-6, the program's own delta CFF (default);
//   Bar       stress / mu * mu[bar] * 1e-6;
//   MPa       the value in bar / 10.
// A value in the default unit times the shear modulus (bar) is the value in
// bar, 10^-6 aside. Texts: the legend's unit line, the column suffix of the
// exports and the word the command line and the work file use.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/grid2d.h"
#include "model/medium.h"

namespace crustex {

// What a value in the default unit is multiplied by to give the unit is
// stressfactor (model/medium.h): 1, mu * 1e-6 or mu * 1e-7 (mu in bar).

// The value in the unit, rounded to a float; kNoValue stays kNoValue.
float tostressunit(float rigidityvalue, double factor);

// Every value of a grid times factor (kNoValue stays kNoValue).
void scalestressgrid(Grid2D& grid, double factor);

// "10E-6", "bar", "MPa": the word of the command line and the work file.
std::string_view stressunitword(StressUnit unit);
// The unit by its word (bar and MPa in any letter case); none for others.
std::optional<StressUnit> parsestressunit(std::string_view word);

// The legend's unit line of the screen style: "(10E-6)", "(bar)", "(MPa)".
std::string stressunitlegend(StressUnit unit);
// The publication style's unit line: "delta CFF / rigidity (10^-6)" for the
// default unit, else as the legend.
std::string stressunitpubtext(StressUnit unit);
// The column suffix of the exports: "1e-6", "bar", "MPa".
std::string_view stressunitcolumn(StressUnit unit);

}  // namespace crustex

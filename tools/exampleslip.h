// The made-up slip model of examples/: elliptical slip (4 m at the middle,
// falling off towards the edges, rake 100) on a thrust 84 km long and 42 km
// wide down its dip of 30 degrees, cut into 24 x 12 patches, inside the
// default map range (34-36 N, 134-137 E), with two receiver faults. It is
// written as a .inp file (Grid Parameters, Map info spanning the map range,
// a cross section) and as the program's patch CSV in degrees. Nothing in
// either file is a real earthquake; the first line of each says so.
#pragma once

#include <string>

#include "tools/convertmodes.h"

namespace crustex::tools {

inline constexpr const char* kExampleInpName = "slip-example.inp";
inline constexpr const char* kExampleSlipCsvName = "slip-example.csv";

struct ExampleSlipFiles {
    std::string inp;  // the .inp file's text
    std::string csv;  // the patch CSV's text
};

ExampleSlipFiles exampleslipfiles();

// crustex-convert example-slip DIRECTORY
int runexampleslip(ModeArgs args, std::ostream& err);

}  // namespace crustex::tools

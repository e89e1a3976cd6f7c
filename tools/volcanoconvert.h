// Converter from a CSV list of volcanoes with latitude and longitude columns
// (as the Smithsonian volcano lists export them, a title line above the
// header allowed) to the volcano list "jpnvolc.seq": the latitude in
// characters 1..10, the longitude in characters 11..20, then the name when
// the list has a name column (the program ignores it).
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "tools/convertmodes.h"

namespace crustex::tools {

struct VolcanoBuild {
    std::string text;  // the list, CR LF lines
    int volcanoes = 0;
    int skipped = 0;  // rows without a usable position
};

bool volcanocsvtolist(std::string_view csv, VolcanoBuild& out, std::ostream& err);

// crustex-convert volcanoes INPUT.csv OUTPUT (normally jpnvolc.seq)
int runvolcanoconvert(ModeArgs args, std::ostream& err);

}  // namespace crustex::tools

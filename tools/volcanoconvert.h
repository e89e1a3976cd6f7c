// Converter from a CSV list of volcanoes with latitude and longitude columns
// (as the Smithsonian volcano lists export them, a title line above the
// header allowed) to the volcano list "jpnvolc.seq": the latitude in
// characters 1..10, the longitude in characters 11..20, then the name when
// the list has a name column (the program ignores it).
#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "tools/convertmodes.h"

namespace crustex::tools {

struct VolcanoBuild {
    std::string text;  // the list, CR LF lines
    int volcanoes = 0;
    int skipped = 0;  // rows without a usable position
};

// Builds the list from the CSV; false with a message on `err` when the
// header lacks a column or a row cannot be read (named by its line).
bool volcanocsvtolist(std::istream& csv, VolcanoBuild& out, std::ostream& err);

// crustex-convert volcanoes INPUT.csv OUTPUT (normally jpnvolc.seq)
int runvolcanoconvert(ModeArgs args, std::ostream& err);

}  // namespace crustex::tools

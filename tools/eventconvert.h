// Converter from the CSV of an FDSN event service (the USGS earthquake
// catalogue exports "time,latitude,longitude,depth,mag,...", times in ISO
// form such as 2018-02-07T22:10:25.450Z) to the program's earthquake
// catalogue: the header record with the count, two ignored records, then
// one 20-byte record per event in ascending order of time (UTC).
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "tools/convertmodes.h"

namespace crustex::tools {

// An ISO date-time in minutes and seconds after 1920-01-01 00:00 UTC
// ("YYYY-MM-DDTHH:MM[:SS[.fff]]", a blank instead of the T, and a zone "Z",
// "+hh:mm" or "-hh:mm"; no zone is UTC). Nothing when it is not one.
std::optional<double> isoseconds(std::string_view text);

struct CatalogueBuild {
    std::string bytes;    // the catalogue file
    int64_t events = 0;   // records written
    int64_t skipped = 0;  // rows without a usable time, position, depth or magnitude
};

// Builds the catalogue from the CSV, keeping only the records it writes;
// false with a message on `err` when the header lacks a column, a row cannot
// be read (named by its line) or there are too many events for the count's
// float.
bool fdsncsvtocatalogue(std::istream& csv, CatalogueBuild& out, std::ostream& err);

// crustex-convert events INPUT.csv OUTPUT.ep
int runeventconvert(ModeArgs args, std::ostream& err);

}  // namespace crustex::tools

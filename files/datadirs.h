// Where the program finds the data it ships (the coast-line maps in "map/")
// and keeps the named map ranges ("area/"), so that a fresh installation
// draws a map without any set-up.
//
// The data directory is the first of these that holds a "map" directory with
// the coast-line file: the program's directory, its parent (a program built
// in "build/" inside the source tree), and the directory compiled into the
// program (CRUSTEX_DATA_DIR, for an installation). Names are matched without
// regard to letter case.
#pragma once

#include <string>
#include <vector>

namespace crustex {

// The data directory, or "" when no candidate holds the maps.
std::string finddatadir(const std::vector<std::string>& candidates);

// The candidates in the order above (empty ones left out).
std::vector<std::string> datadircandidates(const std::string& programdir,
                                           const std::string& builtin);

struct DataDirs {
    std::string mappath;   // "<data>/map/", or "" without a data directory
    std::string areapath;  // "<data>/area/", or the per-user one; "" likewise
    std::string vhyppath;  // "<data>/data/Vhyp102.ep" when it is there, else ""
};

// The default map and area directories (ending with '/') and the shipped
// earthquake catalogue, so that none depends on the working directory. The area
// directory is "area/" beside the maps when it can be written there (it is
// created when the list is first saved), else "area/" in the user's
// configuration directory, as for the settings file.
DataDirs defaultdatadirs(const std::vector<std::string>& candidates);

}  // namespace crustex

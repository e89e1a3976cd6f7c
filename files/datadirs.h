// Where the program finds the data it ships (the coast-line maps in "map/")
// and keeps the named map ranges ("area/"), so that a fresh installation
// draws a map without any set-up.
//
// The data directory is the first of these that holds a "map" directory with
// the coast-line file. Beside the program: the program's directory and its
// parent (a program built in "build/" inside the source tree, or an unpacked
// folder). Then an installation's: "<prefix>/share/crustex" for a program in
// "<prefix>/bin" (whatever prefix it was installed under), and the directory
// compiled into the program (CRUSTEX_DATA_DIR). Names are matched without
// regard to letter case.
#pragma once

#include <string>
#include <vector>

namespace crustex {

struct DataDirCandidates {
    std::vector<std::string> beside;     // the program's directory, its parent
    std::vector<std::string> installed;  // the installation's data directories
};

// The data directory, or "" when no candidate holds the maps.
std::string finddatadir(const DataDirCandidates& candidates);

// The candidates in the order above (empty ones left out).
DataDirCandidates datadircandidates(const std::string& programdir, const std::string& builtin);

// The data directory of an installation whose programs are in programdir
// ("<programdir>/../share/crustex" for the usual layout).
std::string installeddatadir(const std::string& programdir);

// True when the program in programdir is an installed one: its
// installation's data directory holds the maps. An installed program keeps
// its own files in the user's configuration directory (files/appdir.h).
bool installedprogram(const std::string& programdir);

struct DataDirs {
    std::string mappath;   // "<data>/map/", or "" without a data directory
    std::string areapath;  // "<data>/area/", or the per-user one; "" likewise
    std::string vhyppath;  // "<data>/data/Vhyp102.ep" when it is there, else ""
};

// The default map and area directories (ending with '/') and the shipped
// earthquake catalogue, so that none depends on the working directory. The area
// directory is "area/" beside the maps when the maps are beside the program
// and it can be written there (it is created when the list is first saved),
// else "area/" in the user's configuration directory, as for the settings
// file: an installation's data directory is never written.
DataDirs defaultdatadirs(const DataDirCandidates& candidates);

}  // namespace crustex

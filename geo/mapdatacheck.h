// Which background-map data files are present: decides what the map dialog
// offers. File names are matched without regard to letter case.
#pragma once

#include <array>

#include "model/workstate.h"

namespace crustex {

// Names of the map data files in the map directory.
inline constexpr const char* kCoastFileName = "japanv.map";
inline constexpr const char* kVolcanoFileName = "jpnvolc.seq";
// The earthquake catalogue shipped in the "data" directory beside the maps.
inline constexpr const char* kCatalogueFileName = "Vhyp102.ep";
inline constexpr std::array<const char*, 4> kActiveFaultFileNames = {"VActive1.20", "VActive2.20",
                                                                     "VActive3.20", "VActive.100"};
inline constexpr const char* kTopo1kmDirName = "1km";
inline constexpr const char* kTopo250mDirName = "250m";

struct MapDataPresence {
    bool coast = false;            // the coast file in mappath
    bool catalogue = false;        // the earthquake catalogue at vhyppath
    bool volcanoes = false;        // the volcano list in mappath
    std::array<bool, 4> faults{};  // the four active-fault files in mappath
    bool topography = false;       // the "1km" directory in mappath
};

// Looks the files up without changing anything.
MapDataPresence findmapdata(const WorkState& ws);

// Looks the files up and applies what a missing file means for the work
// state: no coast file switches the map off (needmap), no "1km" directory
// switches the topography contours off. The caller enables the map dialog's
// controls by the result.
MapDataPresence checkmapdata(WorkState& ws);

}  // namespace crustex

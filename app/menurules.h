// Which menu items are enabled when a top menu opens. The rules read only
// the work state and a few facts about files and the clipboard, so they are
// plain functions that tests can call without a window.
#pragma once

#include "model/workstate.h"

namespace crustex {

// Facts the rules need beyond the work state.
struct MenuFacts {
    bool lastworkexists = false;  // "lastwork.ini" in the program's directory
    bool clipboardhasimage = false;
    bool coastfileexists = false;    // "japanv.map" in the map directory
    bool seisprogramexists = false;  // "seis95.exe" in the Seis-PC directory
};

struct MenuEnabling {
    // File
    bool print = false;
    bool storestrains = false;
    bool storeobsstrains = false;
    bool storesourcemap = false;
    bool openobs = false;
    bool resume = false;
    bool slipmodel = false;  // "Export Slip Model..." and "Clear Slip Model"
    // Edit
    bool paste = false;
    // Parameter
    bool map = false;
    // Tool
    bool area = false;        // the "Area" submenu
    bool exportarea = false;  // "Export Area Data..."
    bool cleararea = false;   // "Clear Area"
    bool obssite = false;     // the "Observation Site" submenu
    bool redraw = false;
    // Stresses
    bool optimalcff = false;       // "delta CFF (optimal planes)" and its ticks
    bool sourcereceivers = false;  // "Sources as Receivers"
    bool receivers = false;        // "Export Receivers..." and "Clear Receivers"

    bool operator==(const MenuEnabling&) const = default;
};

// True while the displayed results are current: a quantity is selected, the
// grid is evaluated, and for delta CFF the CFF grid too.
bool resultscurrent(const WorkState& ws);

MenuEnabling menuenabling(const WorkState& ws, const MenuFacts& facts);

}  // namespace crustex

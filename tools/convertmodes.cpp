#include "tools/convertmodes.h"

#include "tools/demconvert.h"
#include "tools/eventconvert.h"
#include "tools/examplesites.h"
#include "tools/exampleslip.h"
#include "tools/gnssconvert.h"
#include "tools/mapconvert.h"
#include "tools/volcanoconvert.h"

namespace crustex::tools {

namespace {

// One row per mode; each converter adds its own.
const ConvertMode kModes[] = {
    {"map", "--region W/E/S/N --tile LATxLON --output FILE [--border] INPUT...",
     "tiled line-map file (coast lines and borders, or active faults) from GMT multi-segment text",
     runmapconvert},
    {"events", "INPUT.csv OUTPUT.ep",
     "earthquake catalogue from an FDSN event-service CSV (time,latitude,longitude,depth,mag,...)",
     runeventconvert},
    {"volcanoes", "INPUT.csv OUTPUT",
     "volcano list (jpnvolc.seq) from a CSV with latitude and longitude columns",
     runvolcanoconvert},
    {"dem", "1km|250m INPUT.xyz OUTPUT-DIRECTORY",
     "topography tiles (.tem or .sem) from a \"lon lat z\" grid in metres (gmt grd2xyz)",
     rundemconvert},
    {"gmtvelo", "INPUT OUTPUT.obs.txt [--up]",
     "GNSS velocities (lon lat ve vn se sn corr [vu su] name, mm) to an observation-site file",
     rungmtvelo},
    {"example-sites", "DIRECTORY",
     "writes the synthetic example model and its observation sites (sites-example.*)",
     runexamplesites},
    {"example-slip", "DIRECTORY",
     "writes the made-up example slip model as .inp and patch CSV (slip-example.*)",
     runexampleslip},
};

}  // namespace

std::span<const ConvertMode> convertmodes() { return kModes; }

}  // namespace crustex::tools

#include "tools/convertmodes.h"

#include "tools/mapconvert.h"

namespace crustex::tools {

namespace {

// One row per mode; each converter adds its own.
const ConvertMode kModes[] = {
    {"map", "--region W/E/S/N --tile LATxLON --output FILE [--border] INPUT...",
     "tiled line-map file (coast lines and borders, or active faults) from GMT multi-segment text",
     runmapconvert},
};

}  // namespace

std::span<const ConvertMode> convertmodes() { return kModes; }

}  // namespace crustex::tools

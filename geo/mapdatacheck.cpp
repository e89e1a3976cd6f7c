#include "geo/mapdatacheck.h"

#include "model/fsutil.h"

namespace crustex {

MapDataPresence findmapdata(const WorkState& ws) {
    MapDataPresence p;
    p.coast = !findfilenocase(ws.mappath, kCoastFileName).empty();
    p.catalogue = fileexists(ws.vhyppath);
    p.volcanoes = !findfilenocase(ws.mappath, kVolcanoFileName).empty();
    for (std::size_t i = 0; i < p.faults.size(); ++i)
        p.faults[i] = !findfilenocase(ws.mappath, kActiveFaultFileNames[i]).empty();
    p.topography = !finddirnocase(ws.mappath, kTopo1kmDirName).empty();
    return p;
}

MapDataPresence checkmapdata(WorkState& ws) {
    const MapDataPresence p = findmapdata(ws);
    if (!p.coast) ws.needmap = false;
    if (!p.topography) ws.topocontour = false;
    return p;
}

}  // namespace crustex

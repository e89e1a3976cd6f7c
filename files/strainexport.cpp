#include "files/strainexport.h"

#include "engine/cff.h"
#include "engine/fieldgrid.h"
#include "engine/inclinedlines.h"
#include "files/atomicfile.h"
#include "files/sourcefile.h"
#include "model/numtext.h"

namespace crustex {

namespace {

float nodevalue(const Grid2D& g, int i, int j) { return g.contains(i, j) ? g(i, j) : kNoValue; }

bool gridsfit(const WorkState& ws) {
    const Grid2D& g = ws.grids.ux;
    return !g.empty() && g.nx() == ws.xgrid && g.ny() == ws.ygrid;
}

}  // namespace

bool writestraintable(const WorkState& ws, const std::function<bool(std::string_view)>& out) {
    const ResultGrids& g = ws.grids;
    const Grid2D* const nine[] = {&g.ux,    &g.uy,    &g.uz,    &g.duxdx, &g.duydx, &g.duzdx,
                                  &g.duxdy, &g.duydy, &g.duzdy, &g.duxdz, &g.duydz, &g.duzdz};
    const Grid2D* const four[] = {&g.areal, &g.vol, &g.maxshear, &g.cff};
    if (ws.xgrid < 1 || ws.ygrid < 1) return true;
    const float dx = (ws.xview1 - ws.xview0) / ws.xgrid;
    const float dy = (ws.yview1 - ws.yview0) / ws.ygrid;
    const std::size_t linelength = ws.strformat9 ? kStrainLine9 + 2 : kStrainLine4 + 2;
    std::string column;
    column.reserve(linelength * static_cast<std::size_t>(ws.ygrid + 1));
    for (int i = 0; i <= ws.xgrid; ++i) {
        column.clear();
        for (int j = 0; j <= ws.ygrid; ++j) {
            column += expfield(ws.xview0 + i * dx);
            column += expfield(ws.yview0 + j * dy);
            if (ws.strformat9) {
                for (const Grid2D* grid : nine) column += expfield(nodevalue(*grid, i, j));
            } else {
                for (const Grid2D* grid : four) column += expfield(nodevalue(*grid, i, j));
            }
            column += "\r\n";
        }
        if (!out(column)) return false;
    }
    return true;
}

std::string straintext(const WorkState& ws) {
    std::string text;
    writestraintable(ws, [&text](std::string_view column) {
        text += column;
        return true;
    });
    return text;
}

StrainExport storestrains(WorkState& ws, Host& host, const std::string& path) {
    AtomicWriter file(path);
    if (!file.ok()) {
        openerrormessage(host);
        return StrainExport::Failed;
    }
    bool recomputed = false;
    if (ws.gridstale || !gridsfit(ws)) {
        if (ws.inclined) calcinclinedlines(ws);
        redimsub(ws);
        setfielddepth(ws);
        if (!calcgridstrain(ws, host) && ws.abortflag) return StrainExport::Aborted;
        calcgridcff(ws, host);
        recomputed = true;
    } else if (ws.cffstale) {
        calcgridcff(ws, host);
        // The picture of the other quantities is still current.
        if (ws.nsite == 0) ws.cffstale = false;
    }
    // With no sites to evaluate the grids are now what a picture would show;
    // with sites loaded the picture recomputes them together.
    if (recomputed && ws.nsite == 0) {
        ws.gridstale = false;
        ws.cffstale = false;
    }
    const bool written =
        writestraintable(ws, [&file](std::string_view column) { return file.write(column); }) &&
        file.commit();
    if (written) return StrainExport::Written;
    openerrormessage(host);
    return StrainExport::Failed;
}

}  // namespace crustex

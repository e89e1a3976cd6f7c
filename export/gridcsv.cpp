#include "export/gridcsv.h"

#include <cmath>

#include "plot/contourtrace.h"

namespace crustex {

namespace {

void cell(std::string& out, float v) {
    out += ',';
    if (hasvalue(v)) out += shortestfloat(v);
}

}  // namespace

std::string gridcsvtext(const FieldGridExport& grid) {
    std::string out = grid.xaxis.name + "_km," + grid.yaxis.name + "_km";
    for (const AxisVariable& a : grid.alongx) out += "," + a.name + "_" + a.units;
    const bool lonlat = grid.geographic() && grid.csvlonlat;
    if (lonlat) out += ",lon_deg,lat_deg";
    for (const ExportedVariable& v : grid.variables) {
        out += ',';
        out += v.info->name;
        out += '_';
        out += v.info->csvunit;
    }
    out += '\n';
    const int nx = static_cast<int>(grid.x.size()) - 1;
    const int ny = static_cast<int>(grid.y.size()) - 1;
    out.reserve(out.size() + static_cast<std::size_t>(nx + 1) * static_cast<std::size_t>(ny + 1) *
                                 (24 + 12 * grid.variables.size()));
    for (int j = 0; j <= ny; ++j) {
        for (int i = 0; i <= nx; ++i) {
            out += shortestfloat(static_cast<float>(grid.x[static_cast<std::size_t>(i)]));
            out += ',';
            out += shortestfloat(static_cast<float>(grid.y[static_cast<std::size_t>(j)]));
            for (const AxisVariable& a : grid.alongx)
                cell(out, static_cast<float>(a.values[static_cast<std::size_t>(i)]));
            if (lonlat) {
                cell(out, grid.lon(i, j));
                cell(out, grid.lat(i, j));
            }
            for (const ExportedVariable& v : grid.variables)
                cell(out, v.values.contains(i, j) ? v.values(i, j) : kNoValue);
            out += '\n';
        }
    }
    return out;
}

}  // namespace crustex

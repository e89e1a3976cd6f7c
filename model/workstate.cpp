#include "model/workstate.h"

namespace crustex {

faultrec defaultSource() {
    faultrec f;
    f.fx0 = 85;
    f.fy0 = 100;
    f.fx1 = 105;
    f.fy1 = 100;
    f.fdepth = 0;
    f.fwidth = 10;
    f.fdipangle = 45;
    f.slip = 1;
    f.rakeangle = 90;
    f.tensile = 0;
    f.px = 100;
    f.py = 100;
    f.pdepth = 1;
    f.piso = 100;
    f.sourcetype = 0;
    return f;
}

std::string joinpath(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    if (dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

void setdefaults(WorkState& ws, const std::string& curdir) {
    ResultGrids grids = std::move(ws.grids);
    ws = WorkState{};
    ws.grids = std::move(grids);
    ws.fault[1] = defaultSource();
    ws.nfault = 1;
    ws.curdir = curdir;
    ws.mappath = joinpath(curdir, "map/");
    ws.areapath = joinpath(curdir, "area/");
    ws.vhyppath = joinpath(curdir, "data/Vhyp102.ep");
    ws.seispath = joinpath(curdir, "");
    if (ws.seispath.empty() || ws.seispath.back() != '/') ws.seispath += '/';
}

void redimsub(WorkState& ws) {
    ResultGrids& g = ws.grids;
    const int nx = ws.xgrid;
    const int ny = ws.ygrid;
    for (int n = 1; n <= ResultGrids::kCount; ++n) g.byNumber(n)->resize(nx, ny);
    g.nodex.assign(static_cast<std::size_t>(nx < 0 ? 1 : nx + 1), 0.0f);
    g.nodey.assign(static_cast<std::size_t>(ny < 0 ? 1 : ny + 1), 0.0f);
}

}  // namespace crustex

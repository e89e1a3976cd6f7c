#include "files/areaexport.h"

#include <algorithm>

#include "files/printform.h"
#include "files/recordio.h"
#include "files/sourcefile.h"

namespace crustex {

namespace {

void geoline(RecordWriter& w, const Projection& p, float x, float y) {
    float lat = 0, lon = 0;
    unprojectxy(p, x, y, lat, lon);
    w.number(lat);
    w.number(lon);
    w.endline();
}

}  // namespace

std::string areaexporttext(const WorkState& ws, const Projection& p) {
    RecordWriter w;
    const int m = std::clamp<int>(ws.narea, 0, WorkState::kMaxAreaVertices);
    w.plainline(printform(2));
    w.plainline(printform(float(m)));
    for (int k = 1; k <= m; ++k) geoline(w, p, ws.areax[std::size_t(k)], ws.areay[std::size_t(k)]);
    geoline(w, p, ws.projx0, ws.projy0);
    geoline(w, p, ws.projx1, ws.projy1);
    return w.str();
}

bool exportarea(const WorkState& ws, const Projection& p, Host& host, const std::string& path) {
    return storetext(host, path, areaexporttext(ws, p));
}

}  // namespace crustex

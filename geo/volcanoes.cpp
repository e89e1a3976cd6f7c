#include "geo/volcanoes.h"

#include <string>

#include "geo/mapdatacheck.h"
#include "geo/maplayers.h"
#include "model/fsutil.h"
#include "model/inputcheck.h"
#include "plot/drawsymbol.h"

namespace crustex {

namespace {

constexpr Rgb kVolcanoRed{255, 0, 0};

// Characters first..first + count - 1 (1-based) of the line, or what of them
// the line has.
std::string_view columns(std::string_view line, std::size_t first, std::size_t count) {
    if (line.size() < first) return {};
    return line.substr(first - 1, count);
}

bool blank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

}  // namespace

VolcanoList parsevolcanoes(std::string_view text) {
    VolcanoList list;
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (blank(line)) continue;
        Volcano v;
        if (parsenumber(columns(line, 1, 10), v.lat) && parsenumber(columns(line, 11, 10), v.lon))
            list.volcanoes.push_back(v);
        else
            ++list.badlines;
    }
    return list;
}

void drawvolcanoes(WorkState& ws, PlotContext& pc, Projection& proj, Host& host) {
    const std::string path = findfilenocase(ws.mappath, kVolcanoFileName);
    std::string text;
    if (path.empty() || !readwholefile(path, text) || !setprojection(proj, ws)) return;
    const VolcanoList list = parsevolcanoes(text);
    Surface& s = pc.surface();
    s.ForeColor = kVolcanoRed;
    for (const Volcano& v : list.volcanoes) {
        if (!inmaprange(v.lat, v.lon, ws.flat1, ws.flat2, ws.flon1, ws.flon2)) continue;
        float x = 0, y = 0;
        projectgeo(proj, ws.projection, v.lat, v.lon, x, y);
        for (float size : {3.0f, 2.0f, 1.0f}) drawsymbol(pc, x, y, "rca", size);
    }
    s.ForeColor = kBlack;
    if (list.badlines > 0) {
        std::string text(" ");
        text += std::to_string(list.badlines);
        text += " Lines of ";
        text += kVolcanoFileName;
        text += " are not Numbers and were skipped";
        host.setStatus(text);
    }
}

}  // namespace crustex

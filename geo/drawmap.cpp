// The line map of the background: graticule, coast lines and borders, the
// active faults the map options ask for, and the scale bar of a conic map.
#include <string>
#include <vector>

#include "geo/graticule.h"
#include "geo/mapdatacheck.h"
#include "geo/mapdraw.h"
#include "geo/maplayers.h"
#include "geo/mapscalebar.h"
#include "model/fsutil.h"

namespace crustex {

namespace {

// Font size of the graticule and scale-bar labels.
constexpr float kMapLabelFontSize = 8;
// Where the scale bar of a conic map stands.
constexpr float kScaleBarX = 639 - 60;
constexpr float kScaleBarY = 420;

// Draws one map file of the map directory (name looked up without regard to
// letter case); a file that is missing, refused or damaged adds a line to
// the problems shown on the status strip.
void drawnamedfile(const std::string& dir, const char* name, const MapView& view, int color,
                   std::vector<std::string>& problems) {
    // An empty path (no such file) cannot be opened: the file is missing.
    const MapFileOutcome out = drawmapfile(findfilenocase(dir, name), view, color);
    switch (out.kind) {
        case MapFileOutcome::Kind::Missing:
            problems.push_back(std::string("Map file not found: ") + name);
            break;
        case MapFileOutcome::Kind::Refused:
            problems.push_back(std::string("Map file refused (") + out.reason + "): " + name);
            break;
        case MapFileOutcome::Kind::Drawn:
            if (out.damagedtiles > 0 || out.skippedsegments > 0)
                problems.push_back(std::string("Map file damaged, parts skipped: ") + name);
            break;
    }
}

}  // namespace

void drawmap(WorkState& ws, PlotContext& pc, Projection& proj, Host& host,
             const MapAnnotations& annotations) {
    const MapColors colors = initmapconst(pc.palette);
    const std::string mappath = ws.mappath;
    if (ws.nstep < 1) ws.nstep = 1;
    if (!setprojection(proj, ws)) {
        host.setStatus(" Map range not usable");
        return;
    }
    host.setBusy(true);
    host.setStatus(" Drawing Map");

    Surface& s = pc.surface();
    const float fontsize = s.FontSize();
    const bool italic = s.FontItalic();
    const Rgb forecolor = s.ForeColor;
    s.setFontSize(kMapLabelFontSize);
    s.setFontItalic(false);
    s.ForeColor = kBlack;

    const MapView view{
        proj,     s,           colors,   ws.flat1,           ws.flat2,         ws.flon1,
        ws.flon2, ws.linetype, ws.nstep, annotations.labels, annotations.frame};
    if (ws.dlat != 0) {
        const float lonstep = proj.kind == kConic ? (ws.flon2 - ws.flon1) / 40 : 360.0f;
        drawgraticule(view, ws.dlat, 180, lonstep);
    }
    std::vector<std::string> problems;
    drawnamedfile(mappath, kCoastFileName, view, kCoastColor, problems);
    for (std::size_t i = 0; i < kActiveFaultFileNames.size(); ++i)
        if (ws.faultclass[i])
            drawnamedfile(mappath, kActiveFaultFileNames[i], view, static_cast<int>(i) + 4,
                          problems);
    if (proj.kind == kConic && annotations.scalebar)
        drawmapscalebar(s, proj.s, kScaleBarY, kScaleBarX);

    s.setFontSize(fontsize);
    s.setFontItalic(italic);
    s.ForeColor = forecolor;
    host.setBusy(false);
    std::string status;
    for (const std::string& p : problems) status += (status.empty() ? " " : " / ") + p;
    host.setStatus(status);
}

}  // namespace crustex

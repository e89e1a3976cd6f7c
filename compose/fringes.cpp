#include "compose/fringes.h"

#include "engine/los.h"
#include "geo/projection.h"
#include "model/numtext.h"
#include "plot/fringeimage.h"
#include "plot/textplace.h"

namespace crustex {

namespace {

// The screen style's bar: in the strip, under the depth line.
constexpr CyclicBarPlace kScreenBar{588, 72, 12, 150};
constexpr float kScreenBarFont = 8;
const char* const kLambda = "\xCE\xBB";  // the wavelength's letter, in UTF-8

}  // namespace

MeridianAngleAt mapmeridian(const WorkState& ws, const GeoFrame* geo) {
    if (!ws.needmap || geo == nullptr) return {};
    return [geo](float x, float y) {
        float lat = 0, lon = 0;
        kmtogeo(geo->proj, geo->frame, x, y, lat, lon);
        return meridianangle(geo->proj, lon);
    };
}

void evaluatelos(WorkState& ws, const GeoFrame* geo) { calclosgrid(ws, mapmeridian(ws, geo)); }

std::vector<std::string> losgeometrylines(const WorkState& ws, const std::string& degree) {
    return {"Heading: " + generalform(ws.losheading) + degree,
            "Incidence: " + generalform(ws.losincidence) + degree,
            kLambda + (" = " + generalform(ws.loswavelength)) + " mm"};
}

bool drawfringeimage(WorkState& ws, PlotContext& pc, Host& host) {
    const ResultGrids& g = ws.grids;
    const CyclicGrid grid{g.los, g.nodex, g.nodey, ws.loswavelength / 2.0};
    return drawcyclicimage(pc, host, ws.abortflag, grid);
}

void drawfringelegend(const WorkState& ws, PlotContext& pc) {
    drawcyclicbar(pc.surface(), kScreenBar, ws.loswavelength / 2, kScreenBarFont);
    showlosgeometry(ws, pc);
}

void showlosgeometry(const WorkState& ws, PlotContext& pc) {
    pc.surface().ForeColor = kBlack;
    float y = 240;
    for (const std::string& line : losgeometrylines(ws)) {
        printtextright(pc, 635, y, line, 8);
        y += 15;
    }
}

}  // namespace crustex

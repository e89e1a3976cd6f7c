// A stand-in for the main window in dialog tests: owns a work state with the
// start-up defaults, a recording plot surface and a scripted host, and counts
// the redraws and keeps the pointing modes the dialogs ask for.
#pragma once

#include <QString>
#include <string>
#include <utility>
#include <vector>

#include "files/settingsfile.h"
#include "files/workfile.h"
#include "geo/projection.h"
#include "model/workstate.h"
#include "plot/plotcontext.h"
#include "plot/recordingsurface.h"
#include "support/scriptedhost.h"
#include "ui/workbench.h"

namespace crustex::test {

class FakeWorkbench : public Workbench {
public:
    FakeWorkbench() {
        setdefaults(ws, "/tmp/crustex-fake");
        ctx.screen = &surface;
        ctx.target = &surface;
        setplotframe(ctx.frame, ws.rwidth);
        setcolormode(ctx.palette, "nomap");
    }

    WorkState& state() override { return ws; }
    Host& host() override { return scripted; }
    PlotContext& plot() override { return ctx; }
    Projection& projection() override { return proj; }

    void drawPicture() override { ++pictures; }
    void drawOverlay() override { ++overlays; }
    void refreshPlot() override {}
    void startPointing(int mode, const QString& prompt) override {
        ws.mousemode = static_cast<int16_t>(mode);
        pointing.emplace_back(mode, prompt);
    }

    // What the program keeps of the work state (the texts of both files),
    // the shown quantity, the stale marks and the plot frame: the same
    // before and after a dialog that must store nothing.
    std::string stored() const {
        return settingstext(ws, {}) + workfiletext(ws, {proj, ctx.frame}) + ws.quantitykey +
               (ws.gridstale ? " grid stale" : "") + (ws.cffstale ? " cff stale" : "") +
               std::to_string(ctx.frame.fieldwidth) + "x" + std::to_string(ctx.frame.fieldheight);
    }
    int inputErrors() const {
        int n = 0;
        for (const auto& m : scripted.messages) n += m.text == "Input Error" && m.title == "Error";
        return n;
    }

    WorkState ws;
    RecordingSurface surface;
    PlotContext ctx;
    Projection proj;
    ScriptedHost scripted;
    int pictures = 0;
    int overlays = 0;
    std::vector<std::pair<int, QString>> pointing;
};

}  // namespace crustex::test

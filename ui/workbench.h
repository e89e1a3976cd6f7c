// What the dialogs need from the main window: the work state, the host, the
// plot, the two redraws and the start of a pointing mode on the plot.
#pragma once

#include <QString>

#include "model/host.h"
#include "model/workstate.h"

namespace crustex {

struct PlotContext;
struct Projection;

class Workbench {
public:
    virtual ~Workbench() = default;

    virtual WorkState& state() = 0;
    virtual Host& host() = 0;
    virtual PlotContext& plot() = 0;
    // The map projection state kept beside the plot frame; the geographic
    // assistants convert latitude and longitude with it.
    virtual Projection& projection() = 0;

    // Draws the selected quantity on the screen (the whole picture).
    virtual void drawPicture() = 0;
    // Clears the plot back to its background and draws the field frame,
    // sources, area and sites again (quick redraw after an edit).
    virtual void drawOverlay() = 0;
    // Shows what was drawn directly on the plot surface.
    virtual void refreshPlot() = 0;
    // Enters a pointing mode of the plot: sets ws.mousemode, locks the top
    // menus and writes the prompt into the information strip. The dialog that
    // asks hides itself; the main window gives the result back to it and
    // shows it again when the mode ends.
    virtual void startPointing(int mousemode, const QString& prompt) = 0;
};

}  // namespace crustex

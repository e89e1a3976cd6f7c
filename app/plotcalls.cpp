#include "app/plotcalls.h"

#include "compose/picture.h"
#include "compose/pubpicture.h"
#include "plot/background.h"
#include "plot/griddataline.h"
#include "plot/modelglyphs.h"

namespace crustex {

PictureOutcome composepicture(WorkState& ws, PlotContext& pc, Host& host, Projection& proj,
                              Surface* printer, const Picture* background, SiteResults* sites,
                              const SiteGraphView* sitegraph, const ReceiverResults* receivers) {
    PictureInputs in;
    // On the screen the pasted picture and the map layers are the surface's
    // kept background, which the picture's Cls restores: only a printed
    // page draws them. The publication style draws its own map (in greys,
    // over the coloured bands, with latitude and longitude axes) on the
    // screen too.
    in.projection = printer || ws.publicationstyle ? &proj : nullptr;
    in.sites = sites;
    in.sitegraph = sitegraph;
    in.receivers = receivers;
    in.printer = printer;
    in.background = printer ? background : nullptr;
    return drawpicture(ws, pc, host, printer ? "printer" : "screen", in);
}

void composeoverlay(WorkState& ws, PlotContext& pc, Host& host, Projection& proj,
                    const std::function<void()>& clearsitegraph) {
    if (ws.publicationstyle)
        drawpublicationoverlay(ws, pc, host, &proj, clearsitegraph);
    else
        drawoverlay(pc, ws, clearsitegraph);
}

FrameView shownview(const WorkState& ws) { return pictureview(ws); }

void paintpasted(PlotContext& pc, Host& host, const Picture& picture) {
    paintbackground(pc, host, picture);
}

void pointermark(PlotContext& pc, float x, float y) { drawpointer(pc, x, y); }

void dataframe(PlotContext& pc, float x0, float y0, float x1, float y1) {
    drawdataframe(pc, x0, y0, x1, y1);
}

void areaoutline(WorkState& ws, PlotContext& pc) { drawarea(pc, ws); }

std::string nodetext(const WorkState& ws, int ix, int iy) { return griddatatext(ws, ix, iy); }

}  // namespace crustex

#include "geo/eventlayer.h"

#include <algorithm>

#include "geo/eventcatalogue.h"
#include "geo/maplayers.h"

namespace crustex {

namespace {
// Events drawn between two turns of the window.
constexpr std::size_t kEventsPerYield = 100;
}  // namespace

bool reloadevents(WorkState& ws, Host& host) {
    std::string why;
    if (readevents(ws.vhyppath, eventselection(ws), ws.eventtable, host, &why)) return true;
    host.messageBox("Open Error: " + ws.vhyppath + ": " + why, "Error", MsgIcon::Critical,
                    MsgButtons::Ok);
    return false;
}

float eventradius(int16_t magtimes10) { return std::max(0.0f, 0.05f * magtimes10); }

void drawevents(WorkState& ws, PlotContext& pc, Projection& proj, Host& host) {
    host.setBusy(true);
    host.setStatus(" Drawing Events(Ctrl+Q to Abort)");
    host.enableMenus(false);
    ws.abortflag = false;
    if (setprojection(proj, ws)) {
        Surface& s = pc.surface();
        const auto& events = ws.eventtable.events;
        for (std::size_t i = 0; i < events.size(); ++i) {
            const EventRecord& e = events[i];
            float x = 0, y = 0;
            projectgeo(proj, ws.projection, e.lat, e.lon, x, y);
            s.Circle(x, y, eventradius(e.mag), pc.palette.earthquake);
            if ((i + 1) % kEventsPerYield == 0 && abortrequested(host, ws.abortflag)) {
                // The abort ends this layer only; the rest of the picture goes on.
                ws.abortflag = false;
                break;
            }
        }
    }
    host.setBusy(false);
    // A full table keeps saying what it left out.
    host.setStatus(leftoutmessage(ws.eventtable));
}

}  // namespace crustex

// Reads arbitrary bytes as a source file, with or without the map.
#include <cstdint>
#include <string>

#include "files/sourcefile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const crustex::WorkState start = [] {
        crustex::WorkState ws;
        crustex::setdefaults(ws, "/nonexistent");
        return ws;
    }();
    crustex::WorkState ws = start;
    ws.needmap = data[0] & 1;
    crustex::SilentHost host;
    crustex::Projection proj;
    crustex::PlotFrame frame;
    crustex::setplotframe(frame, ws.rwidth);
    if (data[0] & 4) crustex::setprojection(proj, ws);
    crustex::SourceFileHooks hooks;
    const bool mapfiles = data[0] & 2;
    hooks.checkmapdata = [mapfiles](crustex::WorkState&) { return mapfiles; };
    hooks.showmapdialog = [&](float lat1, float lon1, float lat2, float lon2) {
        ws.needmap = true;
        crustex::setupprojection(proj, ws.projection, lat1, lon1, lat2, lon2);
    };
    crustex::readsourcetext(ws, host, {proj, frame},
                            std::string(reinterpret_cast<const char*>(data) + 1, size - 1), hooks);
    const std::string text = crustex::sourcemapfiletext(ws, {proj, frame});
    (void)text;
    return 0;
}

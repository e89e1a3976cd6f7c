// Reads arbitrary bytes as a work file.
#include <cstdint>
#include <string>

#include "files/workfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const crustex::WorkState start = [] {
        crustex::WorkState ws;
        crustex::setdefaults(ws, "/nonexistent");
        return ws;
    }();
    crustex::WorkState ws = start;
    crustex::SilentHost host;
    crustex::Projection proj;
    crustex::PlotFrame frame;
    crustex::setplotframe(frame, ws.rwidth);
    const bool mapfiles = data[0] & 1;
    crustex::readworktext(ws, host, proj, frame,
                          std::string(reinterpret_cast<const char*>(data) + 1, size - 1),
                          [mapfiles](crustex::WorkState&) { return mapfiles; });
    // Whatever was read can be written again.
    const std::string text = crustex::workfiletext(ws, {proj, frame});
    (void)text;
    return 0;
}

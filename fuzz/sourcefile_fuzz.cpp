// Reads arbitrary bytes as a source file, with or without the map.
#include <cstdint>
#include <string>

#include "files/sourcefile.h"
#include "fuzz/fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    crustex::fuzz::Reading in;
    in.ws.needmap = data[0] & 1;
    if (data[0] & 4) crustex::setprojection(in.proj, in.ws);
    crustex::SourceFileHooks hooks;
    const bool mapfiles = data[0] & 2;
    hooks.checkmapdata = [mapfiles](crustex::WorkState&) { return mapfiles; };
    hooks.showmapdialog = [&](float lat1, float lon1, float lat2, float lon2) {
        in.ws.needmap = true;
        crustex::setupprojection(in.proj, in.ws.projection, lat1, lon1, lat2, lon2);
    };
    crustex::readsourcetext(in.ws, in.host, in.geo(), crustex::fuzz::bytes(data + 1, size - 1),
                            hooks);
    const std::string text = crustex::sourcemapfiletext(in.ws, in.geo());
    (void)text;
    return 0;
}

// What the file-reader fuzz targets share: the start-up state every input
// is read into, a reader's surroundings, and the input bytes as text (the
// targets use the first byte as option bits).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "files/sourcefile.h"
#include "geo/projection.h"
#include "model/host.h"
#include "model/workstate.h"
#include "plot/plotframe.h"

namespace crustex::fuzz {

inline const WorkState& startstate() {
    static const WorkState start = [] {
        WorkState ws;
        setdefaults(ws, "/nonexistent");
        return ws;
    }();
    return start;
}

// A file reader's surroundings at start-up: state, a host that answers
// nothing, an unset projection and the standard plot frame.
struct Reading {
    WorkState ws = startstate();
    SilentHost host;
    Projection proj;
    PlotFrame frame;
    Reading() { setplotframe(frame, ws.rwidth); }
    GeoFrame geo() const { return {proj, frame}; }

    // For the readers of files that may carry a map range: the option bits
    // of the first byte switch the map on (1), make its data files present
    // (2) and set the projection up beforehand (4); a range in the file
    // switches the map on over that range, as the map dialog's OK does.
    SourceFileHooks maphooks(uint8_t options) {
        ws.needmap = options & 1;
        if (options & 4) setprojection(proj, ws);
        SourceFileHooks hooks;
        const bool mapfiles = options & 2;
        hooks.checkmapdata = [mapfiles](WorkState&) { return mapfiles; };
        hooks.showmapdialog = [this](float lat1, float lon1, float lat2, float lon2) {
            ws.needmap = true;
            setupprojection(proj, ws.projection, lat1, lon1, lat2, lon2);
        };
        return hooks;
    }
};

inline std::string bytes(const uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

}  // namespace crustex::fuzz

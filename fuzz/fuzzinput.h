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
};

inline std::string bytes(const uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

}  // namespace crustex::fuzz

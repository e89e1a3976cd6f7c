// Reads arbitrary bytes as a tiled line-map file and draws it over one of a
// few map ranges (the first byte picks the range, projection, line type and
// skip-data step). Every drawn coordinate must be a finite number.
#include <cstdint>
#include <sstream>

#include "fuzz/fuzzinput.h"
#include "geo/mapdraw.h"
#include "plot/palette.h"
#include "plot/recordingsurface.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace crustex;
    if (size == 0) return 0;
    const uint8_t options = data[0];
    struct Range {
        float lat1, lat2, lon1, lon2;
    };
    static const Range ranges[] = {{34, 36, 134, 137},
                                   {20, 46, 122, 150},
                                   {30, 40, 170, -170},
                                   {-89.5f, 89.5f, -179.5f, 179.5f}};
    Range r = ranges[options & 3];
    Projection proj;
    if (!setupprojection(proj, static_cast<int16_t>(1 + ((options >> 2) & 3)), r.lat1, r.lon1,
                         r.lat2, r.lon2))
        return 0;
    Palette palette;
    setcolormode(palette, "map");
    const MapColors colors = initmapconst(palette);
    RecordingSurface surface;
    const MapView view{proj,
                       surface,
                       colors,
                       r.lat1,
                       r.lat2,
                       r.lon1,
                       r.lon2,
                       static_cast<int16_t>(1 + ((options >> 4) & 3)),
                       static_cast<int16_t>(1 + (options >> 6))};
    std::istringstream in(fuzz::bytes(data + 1, size - 1));
    drawmapfile(in, view, static_cast<int>(options % 20));
    if (surface.hasnonfinite()) __builtin_trap();
    return 0;
}

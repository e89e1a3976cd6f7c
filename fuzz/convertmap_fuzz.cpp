// Reads arbitrary bytes as GMT multi-segment text through the map converter
// over one of a few layouts (the first byte picks it, and whether the lines
// are borders): a refusal says why; the program reads every tile of a map
// file it makes, with the points it was given.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "fuzz/fuzzinput.h"
#include "geo/mapfile.h"
#include "tools/mapconvert.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace crustex;
    if (size == 0) return 0;
    static const tools::MapLayout layouts[] = {{30, 40, 130, 140, 10, 10},
                                               {20, 56, 120, 156, 2, 1},
                                               {-90, 90, -180, 180, 10, 10},
                                               {-34, -16, -76, -64, 1, 1}};
    tools::MapBuilder builder;
    std::string error;
    if (!builder.start(layouts[data[0] & 3], error)) std::abort();
    std::istringstream in(fuzz::bytes(data + 1, size - 1));
    const auto take = [&](const tools::MapPiece& p) { return builder.add(p, error); };
    std::string bytes;
    tools::MapFileSummary sum;
    if (!tools::readgmtpieces(in, (data[0] & 4) != 0, take, error) ||
        !builder.finish(bytes, error, &sum)) {
        if (error.empty()) std::abort();
        return 0;
    }
    std::istringstream file(bytes);
    MapFile map;
    if (!map.open(file)) std::abort();
    int points = 0;
    MapTile tile;
    for (int k = 1; k <= map.header().rows * map.header().columns; ++k) {
        const MapFile::TileRead r = map.readtile(k, tile);
        if (r == MapFile::TileRead::Damaged) std::abort();
        if (r == MapFile::TileRead::Empty) continue;
        points += static_cast<int>(tile.lat.size());
        for (std::size_t i = 0; i < tile.lat.size(); ++i)
            if (!std::isfinite(tile.lat[i]) || !std::isfinite(tile.lon[i])) std::abort();
    }
    if (points != sum.points) std::abort();
    return 0;
}

// Reads arbitrary bytes as a topography tile of a small mesh or of the 1 km
// mesh (first byte): the tile always has N x N values, each one read from
// a field or the no-data mark.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "fuzz/fuzzinput.h"
#include "geo/demtiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace crustex;
    if (size == 0) return 0;
    const int n = data[0] & 1 ? kMesh1km.n : 4;
    const std::vector<float> tile = readdemfile(fuzz::bytes(data + 1, size - 1), n);
    if (tile.size() != static_cast<std::size_t>(n * n)) std::abort();
    for (float v : tile)
        if (!std::isfinite(v) || std::fabs(v) >= 1e6f) std::abort();  // 5 characters at most
    return 0;
}

// Reads arbitrary bytes as a "lon lat z" grid through the DEM converter,
// with a small mesh (the first byte picks 1 to 8 cells per tile side) so
// that many tiles stay cheap: each tile comes once, under the name of its
// codes, and reads back with heights in the range a tile holds.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>

#include "fuzz/fuzzinput.h"
#include "geo/demtiles.h"
#include "tools/demconvert.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace crustex;
    if (size == 0) return 0;
    const DemMesh mesh{1 + (data[0] & 7), "fuzz", ".tem", "fuzz"};
    std::istringstream in(fuzz::bytes(data + 1, size - 1));
    std::set<std::string> names;
    const auto take = [&](const std::string& name, std::string_view text) {
        if (!names.insert(name).second || name.size() < 6 || name.size() > 10) std::abort();
        for (float h : readdemfile(text, mesh.n))
            if (!(h == kNoHeight || (h >= 0 && h <= kMaxHeight))) std::abort();
        return true;
    };
    tools::DemBuild build;
    std::ostringstream err;
    if (!tools::xyztotiles(in, mesh, take, build, err) && err.str().empty()) std::abort();
    if (build.tiles != static_cast<long>(names.size())) std::abort();
    return 0;
}

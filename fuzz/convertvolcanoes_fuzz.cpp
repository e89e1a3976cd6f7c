// Reads arbitrary bytes as a volcano CSV through the volcanoes converter: a
// refusal says why; the program reads back every volcano of a list it makes.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <sstream>

#include "fuzz/fuzzinput.h"
#include "geo/volcanoes.h"
#include "tools/volcanoconvert.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace crustex;
    std::istringstream in(fuzz::bytes(data, size));
    tools::VolcanoBuild build;
    std::ostringstream err;
    if (!tools::volcanocsvtolist(in, build, err)) {
        if (err.str().empty()) std::abort();
        return 0;
    }
    const VolcanoList list = parsevolcanoes(build.text);
    if (list.badlines != 0 || list.volcanoes.size() != static_cast<std::size_t>(build.volcanoes))
        std::abort();
    for (const Volcano& v : list.volcanoes)
        if (!(std::fabs(v.lat) <= 90 && std::fabs(v.lon) <= 360)) std::abort();
    return 0;
}

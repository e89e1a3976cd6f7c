// Reads arbitrary bytes as the volcano list: every volcano kept has finite
// numbers, and no more volcanoes and bad lines than lines.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/fuzzinput.h"
#include "geo/volcanoes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace crustex;
    const std::string text = fuzz::bytes(data, size);
    const VolcanoList list = parsevolcanoes(text);
    std::size_t lines = 1;
    for (char c : text) lines += c == '\n';
    if (list.volcanoes.size() + static_cast<std::size_t>(list.badlines) > lines) std::abort();
    for (const Volcano& v : list.volcanoes)
        if (!std::isfinite(v.lat) || !std::isfinite(v.lon)) std::abort();
    return 0;
}

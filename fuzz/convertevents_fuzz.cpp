// Reads arbitrary bytes as an event-service CSV through the events
// converter: a refusal says why; a catalogue it makes holds the count it
// says and its records in order of time.
#include <cstdint>
#include <cstdlib>
#include <sstream>

#include "fuzz/fuzzinput.h"
#include "geo/eventcatalogue.h"
#include "tools/eventconvert.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace crustex;
    std::istringstream in(fuzz::bytes(data, size));
    tools::CatalogueBuild build;
    std::ostringstream err;
    if (!tools::fdsncsvtocatalogue(in, build, err)) {
        if (err.str().empty()) std::abort();
        return 0;
    }
    const auto records = static_cast<std::size_t>(build.events) + 3;
    if (build.bytes.size() != records * kEventRecordBytes) std::abort();
    const auto* bytes = reinterpret_cast<const unsigned char*>(build.bytes.data());
    if (decodeeventrecord(bytes).day != static_cast<float>(build.events + 4)) std::abort();
    for (std::size_t r = 4; r < records; ++r) {
        const EventRecord a = decodeeventrecord(bytes + (r - 1) * kEventRecordBytes);
        const EventRecord b = decodeeventrecord(bytes + r * kEventRecordBytes);
        if (b.day < a.day || (b.day == a.day && b.minute < a.minute)) std::abort();
        if (b.minute < 0 || b.minute >= 1440 || b.extra != 0) std::abort();
    }
    return 0;
}

// Selects from arbitrary catalogue bytes (after a 4-byte prefix that picks
// the time window): the scan must stay inside the bytes, and every event
// taken must lie inside the window and the ranges.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/fuzzinput.h"
#include "geo/eventcatalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace crustex;
    if (size < 4) return 0;
    const std::string bytes = fuzz::bytes(data + 4, size - 4);
    MemoryCatalogue source(bytes);
    EventSelection sel{
        {1920, 1, 1, 0, 0, 0}, {1920, 1, 1, 0, 0, 0}, -90, 90, -180, 180, 0, 1000, -5, 10};
    sel.start.day = static_cast<int16_t>(1 + data[0] % 28);
    sel.end.year = static_cast<int16_t>(1920 + data[1]);
    sel.end.minute = static_cast<int16_t>(data[2] % 60);
    if (data[3] & 1) sel.dep1 = 10;
    EventTable table;
    const EventScan scan = selectevents(source, sel, table);
    if (scan.first < 0 || scan.first > source.records()) std::abort();
    if (table.events.size() > kMaxEvents) std::abort();
    for (const EventRecord& e : table.events) {
        if (!(e.lat >= -90 && e.lat <= 90 && e.lon >= -180 && e.lon <= 180)) std::abort();
        if (e.depth < 0 || e.depth > 10 * sel.dep1 || e.mag < -50 || e.mag > 100) std::abort();
    }
    return 0;
}

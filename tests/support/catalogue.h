// Catalogue bytes and made-up events for the tests that read a catalogue.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "geo/eventcatalogue.h"
#include "support/scratchdir.h"

namespace crustex::test {

// A catalogue: the header with count n (by default the record count + 1,
// so that the data records are 4 .. n - 1), two
// ignored records, then the events.
inline std::string cataloguebytes(const std::vector<EventRecord>& events,
                                  std::optional<float> n = {}) {
    const float count = n ? *n : static_cast<float>(events.size() + 4);
    std::string out;
    auto put = [&out](const EventRecordBytes& b) { out.append(b.begin(), b.end()); };
    put(catalogueheader(count));
    put(catalogueheader(-1.0f));  // the ignored records hold anything
    put(catalogueheader(7.5e5f));
    for (const EventRecord& e : events) put(encodeeventrecord(e));
    return out;
}

// An event at (day, minute) with its own position, depth and magnitude.
inline EventRecord quake(float day, int16_t minute, float lat = 35.25f, float lon = 135.5f,
                         int16_t depth = 105, int16_t mag = 42) {
    EventRecord e;
    e.day = day;
    e.minute = minute;
    e.extra = 7;
    e.lat = lat;
    e.lon = lon;
    e.depth = depth;
    e.mag = mag;
    return e;
}

}  // namespace crustex::test

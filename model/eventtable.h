// The earthquakes selected from the catalogue: read when the map dialog is
// confirmed or a work file is loaded, and drawn on every redraw of the map
// from here, without reading the catalogue again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace crustex {

// One hypocentre, the fields of a 20-byte catalogue record.
struct EventRecord {
    float day = 0;       // whole days after 1920-01-01
    int16_t minute = 0;  // minute of the day, 0..1439
    int16_t extra = 0;   // carried along, not interpreted
    float lat = 0;       // degrees
    float lon = 0;       // degrees
    int16_t depth = 0;   // 0.1 km
    int16_t mag = 0;     // magnitude times 10

    bool operator==(const EventRecord&) const = default;
};

// The table holds at most this many events; a selection beyond it keeps
// the first ones in time and counts the rest.
inline constexpr std::size_t kMaxEvents = 100000;

struct EventTable {
    std::vector<EventRecord> events;  // in catalogue order
    int64_t leftout = 0;              // selected but beyond kMaxEvents
};

}  // namespace crustex

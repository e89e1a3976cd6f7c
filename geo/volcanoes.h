// The volcano layer: the list "jpnvolc.seq" in the map directory, one
// volcano per line with the latitude in characters 1..10 and the longitude
// in characters 11..20 (the rest of the line is ignored), drawn as red
// triangles of three nested sizes.
#pragma once

#include <string_view>
#include <vector>

namespace crustex {

struct Volcano {
    float lat = 0, lon = 0;
};

struct VolcanoList {
    std::vector<Volcano> volcanoes;
    int badlines = 0;  // lines whose columns are not numbers (skipped)
};

// Reads the list's text. Blank lines are passed over; a line whose two
// columns are not numbers is skipped and counted.
VolcanoList parsevolcanoes(std::string_view text);

// True when (lat, lon) lies in the range, limits included.
inline bool inmaprange(float lat, float lon, float lat1, float lat2, float lon1, float lon2) {
    return lat1 <= lat && lat <= lat2 && lon1 <= lon && lon <= lon2;
}

}  // namespace crustex

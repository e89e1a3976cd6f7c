// Observation sites: the site record and the site table.
#pragma once

#include <array>
#include <string>

namespace crustex {

inline constexpr int kMaxSites = 200;

struct siterec {
    std::string name;
    float x = 0;      // field X (km)
    float y = 0;      // field Y (km)
    float depth = 0;  // km, positive down; the evaluation uses z = -depth
    float obsdx = 0;
    float obsdy = 0;
    float obsdz = 0;
    float obstilt1x = 0;
    float obstilt1y = 0;
    float obstilt2x = 0;
    float obstilt2y = 0;
    float obsvstrain = 0;
};

// Positions 1..200; position 0 is never used.
using SiteTable = std::array<siterec, kMaxSites + 1>;

}  // namespace crustex

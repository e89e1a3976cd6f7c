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
    // One-sigma uncertainties of the observed displacement (mm) in the field
    // axes (turned with the observation when the file gives east and north),
    // and the correlation of the two horizontal components. A sigma of 0
    // means none was given.
    float sigdx = 0;
    float sigdy = 0;
    float sigdz = 0;
    float corrdxdy = 0;
};

// Positions 1..200; position 0 is never used.
using SiteTable = std::array<siterec, kMaxSites + 1>;

}  // namespace crustex

// One deformation source and the source table.
#pragma once

#include <array>
#include <cstdint>

namespace crustex {

// A source: a finite rectangular fault with uniform dislocation (sourcetype 0)
// or an inflation point source (sourcetype 1). Every record carries both the
// fault and the point fields; only the fields of its type are used.
struct faultrec {
    float fx0 = 0;           // edge 0 X (km, east+)
    float fy0 = 0;           // edge 0 Y (km, north+)
    float fx1 = 0;           // edge 1 X
    float fy1 = 0;           // edge 1 Y
    float fdepth = 0;        // depth of the fault's top (km, down+)
    float fwidth = 0;        // down-dip width (km)
    float fdipangle = 0;     // dip (degrees)
    float slip = 0;          // slip in the fault plane (mm)
    float rakeangle = 0;     // rake (degrees)
    float tensile = 0;       // opening (mm, extension+)
    float px = 0;            // point source X (km)
    float py = 0;            // point source Y (km)
    float pdepth = 0;        // point source depth (km)
    float piso = 0;          // isotropic component / rigidity (10^6 m^3)
    int16_t sourcetype = 0;  // 0 fault, 1 inflation point

    bool operator==(const faultrec&) const = default;
};

inline constexpr int kMaxSources = 20;

// Table positions 0..20; sources occupy 1..nfault, position 0 is never used.
using FaultTable = std::array<faultrec, kMaxSources + 1>;

}  // namespace crustex

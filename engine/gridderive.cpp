#include "engine/gridderive.h"

#include <cmath>

#include "engine/sourcenodes.h"

namespace crustex {

namespace {

struct Derived {
    float exy, eyz, ezx, areal, vol, maxshear;
};

// Each value is formed in 64-bit from the stored floats and stored as a
// float; later values use the stored float of earlier ones.
Derived derive(float duxdx, float duydx, float duzdx, float duxdy, float duydy, float duzdy,
               float duxdz, float duydz, float duzdz) {
    Derived d;
    d.exy = static_cast<float>((static_cast<double>(duydx) + duxdy) / 2.0);
    d.eyz = static_cast<float>((static_cast<double>(duydz) + duzdy) / 2.0);
    d.ezx = static_cast<float>((static_cast<double>(duzdx) + duxdz) / 2.0);
    d.areal = static_cast<float>(static_cast<double>(duydy) + duxdx);
    d.vol = static_cast<float>(static_cast<double>(d.areal) + duzdz);
    const double diff = static_cast<double>(duxdx) - duydy;
    const double exy = d.exy;
    d.maxshear = static_cast<float>(std::sqrt(diff * diff + exy * 4.0 * exy));
    return d;
}

}  // namespace

void derivestrains(PointValues& v) {
    if (v[0] == kNoValue) return;
    const Derived d = derive(v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11]);
    v[12] = d.exy;
    v[13] = d.eyz;
    v[14] = d.ezx;
    v[15] = d.areal;
    v[16] = d.vol;
    v[17] = d.maxshear;
}

void derivecolumn(ResultGrids& g, int i) {
    NodeRun nodes;
    nodes.n = g.ux.ny() + 1;
    for (int k = 0; k < 18; ++k) nodes.values[k] = g.byNumber(2 + k)->column(i);
    derivenodes(nodes);
}

}  // namespace crustex

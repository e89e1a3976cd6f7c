// Work states and comparisons shared by the field, site, CFF, composite and
// slip-model tests.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/fieldgrid.h"
#include "hwy/targets.h"
#include "model/resultgrids.h"
#include "model/workstate.h"

namespace crustex::test {

inline WorkState defaultwork() {
    WorkState ws;
    setdefaults(ws, "/tmp");
    return ws;
}

inline faultrec fault(float x0, float y0, float x1, float y1, float depth, float width, float dip,
                      float slip, float rake, float tensile = 0) {
    return {x0, y0, x1, y1, depth, width, dip, slip, rake, tensile, 0, 0, 0, 0, 0};
}

inline faultrec point(float x, float y, float depth, float piso) {
    return {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, x, y, depth, piso, 1};
}

inline void setsources(WorkState& ws, const std::vector<faultrec>& sources) {
    int k = 0;
    for (const faultrec& f : sources) ws.fault[static_cast<std::size_t>(++k)] = f;
    ws.nfault = static_cast<int16_t>(k);
}

// X 80..110 by 5 and Y 20..180 by 10: nodes every 5 km on the trace of the
// default fault (Y = 100, X 85..105), which breaks the surface.
inline WorkState tracework() {
    WorkState ws = defaultwork();
    ws.xview0 = 80;
    ws.xview1 = 110;
    ws.yview1 = 180;
    ws.xgrid = 6;
    ws.ygrid = 16;
    return ws;
}

// The default field made an inclined plane through (95, 95) at `depth`, a
// node of the default field.
inline WorkState inclinedwork(float strike, float dip, float depth = 10) {
    WorkState ws = defaultwork();
    ws.inclined = true;
    ws.obsincx = 95;
    ws.obsincy = 95;
    ws.obsincdpt = depth;
    ws.obsincs = strike;
    ws.obsincdip = dip;
    return ws;
}

// redimsub, setfielddepth and calcgridstrain with a silent host.
inline bool evaluate(WorkState& ws, int threads = 1) {
    SilentHost host;
    redimsub(ws);
    setfielddepth(ws);
    return calcgridstrain(ws, host, threads);
}

// Runs `body` once with each instruction set this processor can run forced.
template <class Body>
void oneverytarget(Body body) {
    struct Restore {
        ~Restore() { hwy::SetSupportedTargetsForTest(0); }
    } restore;
    for (int64_t target : hwy::SupportedAndGeneratedTargets()) {
        hwy::SetSupportedTargetsForTest(target);
        SCOPED_TRACE(hwy::TargetName(target));
        body();
    }
}

// Grids 2..19 of a and b hold the same bits.
inline ::testing::AssertionResult samegrids(const ResultGrids& a, const ResultGrids& b) {
    for (int n = 2; n <= 19; ++n) {
        const auto& va = a.byNumber(n)->values();
        const auto& vb = b.byNumber(n)->values();
        if (va.size() != vb.size() ||
            std::memcmp(va.data(), vb.data(), va.size() * sizeof(float)) != 0) {
            return ::testing::AssertionFailure() << "grid " << n << " differs";
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace crustex::test

// The line of sight of a radar satellite: the LOS displacement and the
// wrapped phase of its fringes.
#include "engine/los.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/fieldgrid.h"

namespace crustex {
namespace {

TEST(LineOfSight, DisplacementTowardTheSatellite) {
    // Flying north, looking east from 30 degrees: the satellite is west and
    // up, (-1/2, 0, sqrt(3)/2). Flying east, looking south from 60: north
    // and up, (0, sqrt(3)/2, 1/2).
    EXPECT_NEAR(losdisplacement(losvector(0, 30), 1, 2, 3), -0.5 + 3 * std::sqrt(3.0) / 2, 1e-12);
    EXPECT_NEAR(losdisplacement(losvector(90, 60), -4, 1.5, 2), 1.5 * std::sqrt(3.0) / 2 + 1,
                1e-12);

    // The "Ascending" start-up geometry on a grid node whose field axes are
    // turned by a meridian angle of 0.2 rad: (east, north, up) = (-12.5,
    // 3.25, 7.75) mm gives 12.99317582877514 mm.
    WorkState ws;
    ws.xgrid = ws.ygrid = 1;
    redimsub(ws);
    const double gamma = 0.2f, e = -12.5, n = 3.25;
    ws.grids.ux(1, 0) = static_cast<float>(e * std::cos(gamma) + n * std::sin(gamma));
    ws.grids.uy(1, 0) = static_cast<float>(-e * std::sin(gamma) + n * std::cos(gamma));
    ws.grids.uz(1, 0) = 7.75f;
    ws.grids.ux(0, 1) = kNoValue;
    calclosgrid(ws, [&](float x, float y) {
        return x == ws.xview1 && y == ws.yview0 ? 0.2f : 0.0f;  // only node (1, 0) is turned
    });
    EXPECT_NEAR(ws.grids.los(1, 0), 12.99317582877514, 2e-5);
    EXPECT_EQ(ws.grids.los(0, 1), kNoValue);
    EXPECT_EQ(ws.grids.los(0, 0), 0);
}

TEST(LineOfSight, WrappedPhaseAtTheCycleEdges) {
    const double lambda = 55.5f, quarter = lambda / 4, pi = std::numbers::pi;
    struct Case {
        double los, lo, hi;  // the phase lies in lo..hi
    };
    // A nanometre from the edges: the phase is within 1e-6 of them, on the
    // right side.
    const double d = 1e-6, near = 1e-6;
    const Case cases[] = {
        {quarter, -pi, -pi},
        {-quarter, -pi, -pi},
        {quarter - d, pi - near, std::nextafter(pi, 0.0)},
        {quarter + d, std::nextafter(-pi, 0.0), -pi + near},
        {-quarter - d, pi - near, std::nextafter(pi, 0.0)},
        {-quarter + d, std::nextafter(-pi, 0.0), -pi + near},
        {lambda / 2, 0, 0},  // a whole cycle
        {lambda / 8, pi / 2, pi / 2},
    };
    for (const Case& c : cases) {
        const double phase = wrappedphase(c.los, lambda);
        EXPECT_GE(phase, c.lo) << c.los;
        EXPECT_LE(phase, c.hi) << c.los;
    }
    // The colour cycle stays below 1 just under a whole cycle.
    EXPECT_LT(fringecycle(-1e-20, lambda), 1);
    EXPECT_DOUBLE_EQ(fringecycle(-quarter, lambda), 0.5);
}

}  // namespace
}  // namespace crustex

#include "model/sourcemodel.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <tuple>

#include "model/workstate.h"

namespace crustex {
namespace {

faultrec faultfrom(float x0, float y0, float x1, float y1) {
    faultrec f = defaultSource();
    f.fx0 = x0;
    f.fy0 = y0;
    f.fx1 = x1;
    f.fy1 = y1;
    return f;
}

TEST(FaultGeometry, LengthStrikeCosinesAndFaultFrame) {
    struct Case {
        faultrec f;
        float length;
        double c, s;
    };
    const float root2 = static_cast<float>(std::sqrt(2.0));
    const Case cases[] = {
        {defaultSource(), 20, 1, 0},            // 85,100 -> 105,100: strike east
        {faultfrom(0, 0, 3, 4), 5, 0.6, 0.8},   //
        {faultfrom(10, 10, 0, 10), 10, -1, 0},  // strike west
        {faultfrom(5, 9, 5, 1), 8, 0, -1},      // strike south
        // L is a 32-bit value; the cosines are taken in 64-bit against it.
        {faultfrom(0, 0, 1, 1), root2, 1.0 / root2, 1.0 / root2},
        {faultfrom(50, 50, 50, 50), 0, 0, 0},  // coinciding edges: nothing divided by 0
    };
    for (const Case& k : cases) {
        const FaultGeometry g = faultgeometry(k.f);
        EXPECT_EQ(g.length, k.length);
        EXPECT_NEAR(g.c, k.c, 1e-15) << k.length;
        EXPECT_NEAR(g.s, k.s, 1e-15) << k.length;
    }
    // xi along strike, eta across it: a fault striking north dips east, to -eta.
    struct Point {
        faultrec f;
        float x, y;
        double xi, eta;
    };
    const Point points[] = {
        {faultfrom(0, 0, 0, 10), 0, 10, 10, 0},
        {faultfrom(0, 0, 0, 10), 1, 5, 5, -1},
        {faultfrom(0, 0, 0, 10), -2, -3, -3, 2},
        {defaultSource(), 95, 90, 10, -10},  // strike east: south is on the dip side
    };
    for (const Point& p : points) {
        const FaultFramePoint q = tofaultframe(p.f, faultgeometry(p.f), p.x, p.y);
        EXPECT_NEAR(q.xi, p.xi, 1e-12) << p.x << "," << p.y;
        EXPECT_NEAR(q.eta, p.eta, 1e-12) << p.x << "," << p.y;
    }
}

TEST(FaultDislocation, RakeSplitsTheSlipWithTheProgramsPi) {
    faultrec f = defaultSource();
    f.slip = 2;
    f.tensile = -0.5f;
    const std::array<float, 3> cases[] = {
        {0, 2, 0},    {90, 0, 2},          {180, -2, 0},
        {-90, 0, -2}, {30, 1.7320508f, 1}, {-150, -1.7320508f, -1},
    };
    for (const auto& [rake, strike, dip] : cases) {
        f.rakeangle = rake;
        const FaultDislocation d = faultdislocation(f);
        EXPECT_NEAR(d.strikeslip, strike, 1e-6) << rake;
        EXPECT_NEAR(d.dipslip, dip, 1e-6) << rake;
        EXPECT_EQ(d.tensile, -0.5f);
    }
    // Reverse slip of 1 mm leaves a strike-slip residue of cos(pi/2) with pi
    // written to 15 digits: about 1.6e-15, not zero.
    const FaultDislocation d = faultdislocation(defaultSource());
    EXPECT_EQ(d.dipslip, 1.0f);
    EXPECT_GT(d.strikeslip, 1.5e-15f);
    EXPECT_LT(d.strikeslip, 1.7e-15f);
}

TEST(InflationPotency, ThousandTimesTheIsotropicComponent) {
    faultrec f = defaultSource();
    EXPECT_EQ(inflationpotency(f), 100000.0f);
    f.piso = -0.25f;
    EXPECT_EQ(inflationpotency(f), -250.0f);
}

TEST(SourceUsable, OnlySoundSourcesOfAKnownKind) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        int16_t type;
        float faultrec::*field;
        float value;
        bool usable;
    };
    // Faults ignore the point fields and points the fault fields.
    const Case cases[] = {
        {0, &faultrec::fx0, nan, false},       {0, &faultrec::slip, inf, false},
        {0, &faultrec::fdipangle, nan, false}, {0, &faultrec::piso, nan, true},
        {1, &faultrec::slip, nan, true},       {1, &faultrec::fx1, 85, true},
        {1, &faultrec::pdepth, nan, false},    {1, &faultrec::piso, -inf, false},
        {2, &faultrec::slip, 1, false},        {-1, &faultrec::slip, 1, false},
    };
    for (const Case& c : cases) {
        faultrec f = defaultSource();
        f.sourcetype = c.type;
        f.*c.field = c.value;
        EXPECT_EQ(sourceusable(f), c.usable) << c.type << " " << c.value;
    }
    EXPECT_TRUE(sourceusable(defaultSource()));
    EXPECT_FALSE(sourceusable(faultfrom(7, 7, 7, 7)));  // coinciding edges
    EXPECT_TRUE(sourceusable(faultfrom(7, 7, 7, 7.001f)));
    EXPECT_FALSE(sourceusable(faultfrom(-3e38f, 0, 3e38f, 0)));  // the edge difference overflows
}

// The start-up values are pinned by the recorded pictures and the shipped
// example files made from them; here what a fresh state must be to draw at
// all, the printed page's margins and where its folders are.
TEST(WorkState, DefaultsAreTheStartUpModel) {
    WorkState ws;
    setdefaults(ws, "/home/user/quake");
    EXPECT_EQ(ws.nfault, 1);
    EXPECT_EQ(ws.fault[1], defaultSource());
    EXPECT_EQ(ws.fault[2], faultrec{});
    EXPECT_EQ(
        std::tuple(ws.quantitykey, ws.gridstale, ws.cffstale, ws.abortflag, ws.nsite, ws.mousemode),
        std::tuple("", true, true, false, 0, 0));
    EXPECT_EQ(std::tuple(ws.xmargin, ws.ymargin), std::tuple(10, 10));
    // Directories derive from the start directory.
    EXPECT_EQ(ws.curdir, "/home/user/quake");
    EXPECT_EQ(ws.mappath, "/home/user/quake/map/");
    EXPECT_EQ(ws.areapath, "/home/user/quake/area/");
    EXPECT_EQ(ws.vhyppath, "/home/user/quake/data/Vhyp102.ep");
    EXPECT_EQ(ws.seispath, "/home/user/quake/");
}

TEST(WorkState, RedimsubAllocatesTwentyOneEmptyGridsAndNodeArrays) {
    WorkState ws;
    setdefaults(ws, "/");
    ws.xgrid = 4;
    ws.ygrid = 7;
    redimsub(ws);
    ws.grids.uz(4, 7) = 3.0f;
    redimsub(ws);
    for (int n = 1; n <= ResultGrids::kCount; ++n) {
        const Grid2D* g = ws.grids.byNumber(n);
        ASSERT_NE(g, nullptr);
        EXPECT_EQ(g->nx(), 4);
        EXPECT_EQ(g->ny(), 7);
        EXPECT_EQ(g->size(), 5u * 8u);
    }
    EXPECT_EQ(ws.grids.byNumber(0), nullptr);
    EXPECT_EQ(ws.grids.byNumber(ResultGrids::kCount + 1), nullptr);
    EXPECT_EQ(ws.grids.nodex.size(), 5u);
    EXPECT_EQ(ws.grids.nodey.size(), 8u);
    EXPECT_EQ(ws.grids.uz(4, 7), 0.0f) << "old contents are discarded";
}

}  // namespace
}  // namespace crustex

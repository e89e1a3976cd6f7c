#include "engine/fieldgrid.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/siteeval.h"
#include "gridfixture.h"
#include "support/scriptedhost.h"

namespace crustex {
namespace {

using test::defaultwork;
using test::evaluate;
using test::fault;
using test::point;
using test::samegrids;
using test::ScriptedHost;
using test::setfield;
using test::setsources;

TEST(FieldNodes, DefaultFieldRunsFrom20To170In7point5Steps) {
    WorkState ws = defaultwork();
    ASSERT_TRUE(fieldgridusable(ws));
    for (int i = 0; i <= 20; ++i) {
        EXPECT_EQ(gridnodex(ws, i), 20.0f + 7.5f * static_cast<float>(i)) << i;
        EXPECT_EQ(gridnodey(ws, i), 20.0f + 7.5f * static_cast<float>(i)) << i;
    }
    ASSERT_TRUE(evaluate(ws));
    EXPECT_EQ(ws.grids.ux.nx(), 20);
    EXPECT_EQ(ws.grids.ux.ny(), 20);
}

TEST(FieldNodes, FieldWithoutIntervalsIsRefusedWithoutCrash) {
    for (int nx : {0, -3, 1}) {
        WorkState ws = defaultwork();
        ws.xgrid = static_cast<int16_t>(nx);
        ws.ygrid = nx == 1 ? 0 : 4;  // a 1 x 0 field has no Y interval either
        SilentHost host;
        EXPECT_FALSE(calcgridstrain(ws, host)) << nx;
        EXPECT_FALSE(ws.abortflag);
        for (float v : ws.grids.uz.values()) EXPECT_EQ(v, kNoValue);
        for (float v : ws.grids.maxshear.values()) EXPECT_EQ(v, kNoValue);
    }
}

TEST(FieldNodes, GridsAllocatedForAnotherSizeAreReallocated) {
    WorkState ws = defaultwork();
    redimsub(ws);
    ws.xgrid = 7;
    ws.ygrid = 3;
    ws.obsdepth = 2;
    SilentHost host;
    ASSERT_TRUE(calcgridstrain(ws, host));
    for (int n = 1; n <= ResultGrids::kCount; ++n) {
        EXPECT_EQ(ws.grids.byNumber(n)->nx(), 7) << n;
        EXPECT_EQ(ws.grids.byNumber(n)->ny(), 3) << n;
    }
    EXPECT_EQ(ws.grids.nodez(7, 3), -2.0f);
}

TEST(FieldDepth, InclinedPlaneDipsToTheRightOfItsStrikeAndIsCutAtTheSurface) {
    struct Case {
        float strike, x, y;
        double along;  // distance down-dip from the reference point
    };
    // Reference (95, 95) at 10 km, dip 10: field nodes are every 7.5 km from 20.
    const Case cases[] = {
        {0, 140, 50, 45},     // strike north: dips east, Y does not matter
        {0, 50, 140, -45},    // up-dip: west of the reference point
        {90, 50, 50, 45},     // strike east: dips south
        {90, 140, 140, -45},  //
        {180, 50, 110, 45},   // strike south: dips west
        {0, 20, 95, -75},     // far up-dip: above the surface, cut to 0
    };
    for (const Case& c : cases) {
        WorkState ws = defaultwork();
        ws.inclined = true;
        ws.obsincx = 95;
        ws.obsincy = 95;
        ws.obsincdpt = 10;
        ws.obsincs = c.strike;
        ws.obsincdip = 10;
        setfielddepth(ws);
        const int i = static_cast<int>(std::lround((c.x - 20) / 7.5));
        const int j = static_cast<int>(std::lround((c.y - 20) / 7.5));
        const double want = std::min(0.0, -10 - c.along * std::tan(10 * kPi / 180));
        EXPECT_NEAR(ws.grids.nodez(i, j), want, 1e-4) << c.strike << " " << c.x << " " << c.y;
        EXPECT_LE(ws.grids.nodez(i, j), 0.0f);
    }
}

// A surface-breaking fault along Y = 100 from X = 85 to 105 with nodes every
// 5 km on its trace.
WorkState tracefield() {
    WorkState ws = defaultwork();
    setfield(ws, 80, 20, 110, 180, 6, 16);  // X 80..110 by 5, Y 20..180 by 10
    return ws;
}

TEST(FieldGrid, NodesOnTheTraceOfASurfaceFaultHaveNoValue) {
    WorkState ws = tracefield();
    ASSERT_TRUE(evaluate(ws));
    const int jtrace = 8;  // Y = 100
    for (int i = 0; i <= 6; ++i) {
        const bool ontrace = i >= 1 && i <= 5;  // X 85..105
        for (int n = 2; n <= 19; ++n) {
            const float v = (*ws.grids.byNumber(n))(i, jtrace);
            if (ontrace) {
                EXPECT_EQ(v, kNoValue) << "grid " << n << " i " << i;
            } else {
                EXPECT_NE(v, kNoValue) << "grid " << n << " i " << i;
                EXPECT_TRUE(std::isfinite(v));
            }
        }
    }
    // Off the trace every node has a value.
    for (int j = 0; j <= 16; ++j) {
        if (j != jtrace) {
            EXPECT_NE(ws.grids.vol(3, j), kNoValue) << j;
        }
    }
}

TEST(FieldGrid, APointSourceMarksTheNodeAtItsCentre) {
    WorkState ws = tracefield();
    ws.obsdepth = 4;
    setsources(ws, {point(95, 60, 4, 10)});
    ASSERT_TRUE(evaluate(ws));
    EXPECT_EQ(ws.grids.uz(3, 4), kNoValue);
    EXPECT_EQ(ws.grids.maxshear(3, 4), kNoValue);
    EXPECT_NE(ws.grids.uz(3, 5), kNoValue);
}

TEST(FieldGrid, SourcesThatCannotBeEvaluatedContributeNothing) {
    WorkState ref = tracefield();
    setsources(ref, {fault(82, 60, 102, 75, 2, 8, 60, 3, 30), point(90, 120, 5, 50)});
    ASSERT_TRUE(evaluate(ref));

    faultrec odd = fault(50, 50, 60, 70, 1, 5, 40, 2, 10);
    odd.sourcetype = 5;
    const faultrec zerolength = fault(95, 95, 95, 95, 1, 5, 40, 2, 10);
    WorkState ws = tracefield();
    setsources(ws,
               {odd, fault(82, 60, 102, 75, 2, 8, 60, 3, 30), zerolength, point(90, 120, 5, 50)});
    ASSERT_TRUE(evaluate(ws));
    EXPECT_TRUE(samegrids(ref.grids, ws.grids));

    WorkState none = tracefield();
    setsources(none, {odd, zerolength});
    ASSERT_TRUE(evaluate(none));
    for (int n = 2; n <= 19; ++n) {
        for (float v : none.grids.byNumber(n)->values()) ASSERT_EQ(v, 0.0f) << n;
    }
}

// The rotation into map axes: a fault turned by an angle about a point gives
// the displacement and the gradient turned by the same angle.
TEST(FieldGrid, TurningTheFaultTurnsDisplacementAndGradient) {
    const double c0x = 100, c0y = 100, half = 10;
    for (double deg : {30.0, 90.0, 135.0, 200.0, 315.0}) {
        const double a = deg * kPi / 180, ca = std::cos(a), sa = std::sin(a);
        WorkState east = defaultwork();
        setsources(east, {fault(float(c0x - half), float(c0y), float(c0x + half), float(c0y), 2, 8,
                                50, 1, 60, 0.3f)});
        // The same fault turned counter-clockwise by `deg` about (c0x, c0y):
        // its strike direction becomes (cos a, sin a).
        WorkState turned = defaultwork();
        setsources(turned,
                   {fault(float(c0x - half * ca), float(c0y - half * sa), float(c0x + half * ca),
                          float(c0y + half * sa), 2, 8, 50, 1, 60, 0.3f)});
        for (auto [px, py] : {std::pair{7.0, 3.0}, {-4.0, 9.0}, {15.0, -6.0}, {0.0, -12.0}}) {
            const PointValues u = calcsitestrain(east, float(c0x + px), float(c0y + py), 0);
            const PointValues v = calcsitestrain(turned, float(c0x + px * ca - py * sa),
                                                 float(c0y + px * sa + py * ca), 0);
            const double tol = 2e-4 * (std::fabs(u[0]) + std::fabs(u[1]) + std::fabs(u[2]));
            EXPECT_NEAR(v[0], ca * u[0] - sa * u[1], tol) << deg;
            EXPECT_NEAR(v[1], sa * u[0] + ca * u[1], tol) << deg;
            EXPECT_NEAR(v[2], u[2], tol) << deg;
            // G[a][b] = du_a/dx_b; grid order duxdx, duydx, duzdx, duxdy, ...
            double g[3][3], h[3][3];
            for (int b = 0; b < 3; ++b)
                for (int r = 0; r < 3; ++r) {
                    g[r][b] = u[3 + 3 * b + r];
                    h[r][b] = v[3 + 3 * b + r];
                }
            const double rot[3][3] = {{ca, -sa, 0}, {sa, ca, 0}, {0, 0, 1}};
            double gtol = 0;
            for (auto& row : g)
                for (double x : row) gtol += 2e-4 * std::fabs(x);
            for (int r = 0; r < 3; ++r)
                for (int b = 0; b < 3; ++b) {
                    double want = 0;  // (R G R^T)[r][b]
                    for (int p = 0; p < 3; ++p)
                        for (int q = 0; q < 3; ++q) want += rot[r][p] * g[p][q] * rot[b][q];
                    EXPECT_NEAR(h[r][b], want, gtol) << deg << " d u" << r << "/d x" << b;
                }
        }
    }
}

// Ctrl-Q pressed at the n-th yield, answered from the script.
struct AbortCase {
    int threads;
    MsgAnswer answer;
};

class FieldGridAbort : public ::testing::TestWithParam<AbortCase> {};

TEST_P(FieldGridAbort, OkAbandonsCancelGoesOnWithTheSameResults) {
    const AbortCase c = GetParam();
    WorkState plain = defaultwork();
    setsources(plain, {defaultSource(), point(60, 60, 3, 20)});
    setfield(plain, 20, 20, 170, 170, 40, 30);
    ASSERT_TRUE(evaluate(plain, 1));

    WorkState ws = plain;
    redimsub(ws);
    setfielddepth(ws);
    ws.abortflag = true;  // a stale request must not abort the new run
    ScriptedHost host;
    host.answers = {c.answer};
    host.onProcessEvents = [&ws](int call) {
        if (call == 5) ws.abortflag = true;
    };
    const bool done = calcgridstrain(ws, host, c.threads);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Abort?");
    EXPECT_EQ(host.messages[0].title, "Ctrl-Q Pressed");
    EXPECT_EQ(host.messages[0].buttons, MsgButtons::OkCancel);
    ASSERT_EQ(host.statuses.size(), 2u);
    EXPECT_EQ(host.statuses[0], " Calcurating Strains(Ctrl-Q to Abort)");
    EXPECT_EQ(host.statuses[1], "");
    EXPECT_EQ(host.busyChanges, (std::vector<bool>{true, false}));
    if (c.answer == MsgAnswer::Ok) {
        EXPECT_FALSE(done);
        EXPECT_TRUE(ws.abortflag);
        if (c.threads == 1) {
            EXPECT_EQ(host.processEventsCalls, 5);  // ends at once
        }
    } else {
        EXPECT_TRUE(done);
        EXPECT_FALSE(ws.abortflag);
        EXPECT_TRUE(samegrids(plain.grids, ws.grids));
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, FieldGridAbort,
                         ::testing::Values(AbortCase{1, MsgAnswer::Ok},
                                           AbortCase{1, MsgAnswer::Cancel},
                                           AbortCase{2, MsgAnswer::Ok},
                                           AbortCase{2, MsgAnswer::Cancel}));

}  // namespace
}  // namespace crustex

#include "engine/fieldgrid.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/siteeval.h"
#include "gridfixture.h"
#include "support/scriptedhost.h"

namespace crustex {
namespace {

using namespace test;

TEST(FieldGrid, DefaultNodesRunFrom20To170In7point5Steps) {
    const WorkState ws = defaultwork();
    for (int i = 0; i <= 20; ++i) {
        EXPECT_EQ(gridnodex(ws, i), 20.0f + 7.5f * static_cast<float>(i)) << i;
        EXPECT_EQ(gridnodey(ws, i), 20.0f + 7.5f * static_cast<float>(i)) << i;
    }
}

// A field without intervals is refused without a crash; grids allocated for
// another size are allocated again.
TEST(FieldGrid, RefusesEmptyFieldsAndReallocatesGrids) {
    struct Case {
        int nx, ny;
        bool ok;
    };
    for (const Case c : {Case{0, 4, false}, {-3, 4, false}, {1, 0, false}, {7, 3, true}}) {
        WorkState ws = defaultwork();
        redimsub(ws);
        ws.xgrid = static_cast<int16_t>(c.nx);
        ws.ygrid = static_cast<int16_t>(c.ny);
        ws.obsdepth = 2;
        SilentHost host;
        EXPECT_EQ(calcgridstrain(ws, host), c.ok) << c.nx;
        EXPECT_FALSE(ws.abortflag);
        for (float v : ws.grids.maxshear.values()) EXPECT_EQ(v == kNoValue, !c.ok) << c.nx;
        if (!c.ok) continue;
        for (int n = 1; n <= ResultGrids::kCount; ++n) {
            EXPECT_EQ(ws.grids.byNumber(n)->nx(), 7) << n;
            EXPECT_EQ(ws.grids.byNumber(n)->ny(), 3) << n;
        }
        EXPECT_EQ(ws.grids.nodez(7, 3), -2.0f);
    }
}

TEST(FieldGrid, InclinedPlaneDipsToTheRightOfItsStrikeAndIsCutAtTheSurface) {
    struct Case {
        float strike, x, y;
        double along;  // distance down-dip from the reference point
    };
    // Reference (95, 95) at 10 km, dip 10: field nodes are every 7.5 km from 20.
    const Case cases[] = {
        {0, 140, 50, 45},   {0, 50, 140, -45},    // strike north: dips east
        {90, 50, 50, 45},   {90, 140, 140, -45},  // strike east: dips south
        {180, 50, 110, 45},                       // strike south: dips west
        {0, 20, 95, -75},                         // far up-dip: above the surface, cut to 0
    };
    for (const Case& c : cases) {
        WorkState ws = inclinedwork(c.strike, 10);
        setfielddepth(ws);
        const int i = static_cast<int>(std::lround((c.x - 20) / 7.5));
        const int j = static_cast<int>(std::lround((c.y - 20) / 7.5));
        const double want = std::min(0.0, -10 - c.along * std::tan(10 * kPi / 180));
        EXPECT_NEAR(ws.grids.nodez(i, j), want, 1e-4) << c.strike << " " << c.x << " " << c.y;
    }
}

TEST(FieldGrid, NodesOnTheTraceOfASurfaceFaultHaveNoValue) {
    WorkState ws = tracework();
    ASSERT_TRUE(evaluate(ws));
    for (int i = 0; i <= 6; ++i) {
        for (int j = 0; j <= 16; ++j) {
            const bool ontrace = j == 8 && i >= 1 && i <= 5;  // Y = 100, X 85..105
            for (int n = 2; n <= 19; ++n) {
                const float v = (*ws.grids.byNumber(n))(i, j);
                EXPECT_EQ(v == kNoValue, ontrace) << "grid " << n << " at " << i << "," << j;
                EXPECT_TRUE(std::isfinite(v));
            }
        }
    }
}

TEST(FieldGrid, SourcesThatCannotBeEvaluatedContributeNothing) {
    const faultrec good = fault(82, 60, 102, 75, 2, 8, 60, 3, 30),
                   inflation = point(90, 120, 5, 50);
    faultrec odd = fault(50, 50, 60, 70, 1, 5, 40, 2, 10);
    odd.sourcetype = 5;
    const faultrec zerolength = fault(95, 95, 95, 95, 1, 5, 40, 2, 10);
    WorkState ref = tracework(), ws = tracework(), none = tracework();
    setsources(ref, {good, inflation});
    setsources(ws, {odd, good, zerolength, inflation});
    setsources(none, {odd, zerolength});
    ASSERT_TRUE(evaluate(ref) && evaluate(ws) && evaluate(none));
    EXPECT_TRUE(samegrids(ref.grids, ws.grids));
    for (int n = 2; n <= 19; ++n) {
        for (float v : none.grids.byNumber(n)->values()) ASSERT_EQ(v, 0.0f) << n;
    }
}

// The rotation into map axes: a fault turned by an angle about a point gives
// the displacement and the gradient turned by the same angle.
TEST(FieldGrid, TurningTheFaultTurnsDisplacementAndGradient) {
    const double c0 = 100, half = 10;
    for (double deg : {30.0, 90.0, 200.0, 315.0}) {
        const double a = deg * kPi / 180, ca = std::cos(a), sa = std::sin(a);
        const double rot[3][3] = {{ca, -sa, 0}, {sa, ca, 0}, {0, 0, 1}};
        // The fault striking east, and turned counter-clockwise about (c0, c0).
        auto work = [&](double c, double s) {
            WorkState ws = defaultwork();
            setsources(ws, {fault(float(c0 - half * c), float(c0 - half * s), float(c0 + half * c),
                                  float(c0 + half * s), 2, 8, 50, 1, 60, 0.3f)});
            return ws;
        };
        const WorkState east = work(1, 0), turned = work(ca, sa);
        for (auto [px, py] : {std::pair{7.0, 3.0}, {-4.0, 9.0}, {15.0, -6.0}, {0.0, -12.0}}) {
            const PointValues u = calcsitestrain(east, float(c0 + px), float(c0 + py), 0);
            const PointValues v = calcsitestrain(turned, float(c0 + px * ca - py * sa),
                                                 float(c0 + px * sa + py * ca), 0);
            double utol = 0, gtol = 0;
            for (int k = 0; k < 12; ++k) (k < 3 ? utol : gtol) += 2e-4 * std::fabs(u[k]);
            // u turns to R u; G[r][b] = du_r/dx_b (grid index 3 + 3b + r) to R G R^T.
            for (int r = 0; r < 3; ++r) {
                double want = 0;
                for (int p = 0; p < 3; ++p) want += rot[r][p] * u[p];
                EXPECT_NEAR(v[r], want, utol) << deg;
                for (int b = 0; b < 3; ++b) {
                    double g = 0;
                    for (int p = 0; p < 3; ++p)
                        for (int q = 0; q < 3; ++q) g += rot[r][p] * u[3 + 3 * q + p] * rot[b][q];
                    EXPECT_NEAR(v[3 + 3 * b + r], g, gtol) << deg << " d u" << r << "/d x" << b;
                }
            }
        }
    }
}

// Ctrl-Q pressed at the fifth yield, answered from the script.
class FieldGridAbort : public ::testing::TestWithParam<std::pair<int, MsgAnswer>> {};

TEST_P(FieldGridAbort, OkAbandonsCancelGoesOnWithTheSameResults) {
    const auto [threads, answer] = GetParam();
    WorkState plain = defaultwork();
    setsources(plain, {defaultSource(), point(60, 60, 3, 20)});
    plain.xgrid = 40;
    plain.ygrid = 30;
    ASSERT_TRUE(evaluate(plain, 1));

    WorkState ws = plain;
    ws.abortflag = true;  // a stale request must not abort the new run
    ScriptedHost host;
    host.answers = {answer};
    host.onProcessEvents = [&ws](int call) {
        if (call == 5) ws.abortflag = true;
    };
    const bool done = calcgridstrain(ws, host, threads);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Abort?");
    EXPECT_EQ(host.messages[0].title, "Ctrl-Q Pressed");
    EXPECT_EQ(host.messages[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(host.statuses,
              (std::vector<std::string>{" Calcurating Strains(Ctrl-Q to Abort)", ""}));
    EXPECT_EQ(host.busyChanges, (std::vector<bool>{true, false}));
    EXPECT_EQ(done, answer == MsgAnswer::Cancel);
    EXPECT_EQ(ws.abortflag, answer == MsgAnswer::Ok);
    if (answer == MsgAnswer::Cancel) {
        EXPECT_TRUE(samegrids(plain.grids, ws.grids));
    } else if (threads == 1) {
        EXPECT_EQ(host.processEventsCalls, 5);  // ends at once
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, FieldGridAbort,
                         ::testing::Values(std::pair{1, MsgAnswer::Ok},
                                           std::pair{1, MsgAnswer::Cancel},
                                           std::pair{2, MsgAnswer::Ok},
                                           std::pair{2, MsgAnswer::Cancel}));

}  // namespace
}  // namespace crustex

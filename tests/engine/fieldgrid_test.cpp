// The field grid, the depth lines of an inclined field and single sites.
#include "engine/fieldgrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine/cff.h"
#include "engine/inclinedlines.h"
#include "engine/siteeval.h"
#include "gridfixture.h"
#include "model/sourcemodel.h"
#include "support/scriptedhost.h"

namespace crustex {
namespace {

using namespace test;

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

// Ctrl-Q pressed at the fifth yield, answered from the script; the window
// hears how far the grid has come, column by column.
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
    struct : ScriptedHost {
        std::vector<std::pair<int, int>> steps;
        void showProgress(int done, int total) override { steps.push_back({done, total}); }
    } host;
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
    EXPECT_TRUE(std::is_sorted(host.steps.begin(), host.steps.end()));
    if (answer == MsgAnswer::Cancel) {
        EXPECT_TRUE(samegrids(plain.grids, ws.grids));
        EXPECT_EQ(host.steps.back(), std::make_pair(41, 41));
    } else if (threads == 1) {
        EXPECT_EQ(host.processEventsCalls, 5);  // ends at once
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, FieldGridAbort,
                         ::testing::Values(std::pair{1, MsgAnswer::Ok},
                                           std::pair{1, MsgAnswer::Cancel},
                                           std::pair{2, MsgAnswer::Ok},
                                           std::pair{2, MsgAnswer::Cancel}));

TEST(InclinedLines, NorthStrikeGivesNorthSouthLinesAndAHorizontalPlaneAPoint) {
    WorkState ws = inclinedwork(0, 10);
    calcinclinedlines(ws);
    const double r = 1 / std::tan(10 * kPi / 180);
    const double want[6] = {0, 95 - 10 * r, 95, std::min(170.0, 95 + 10 * r), 170, 170};
    for (std::size_t k = 1; k <= 5; ++k) {
        EXPECT_NEAR(ws.incx0[k], want[k], 1e-4) << k;
        EXPECT_EQ(ws.incx1[k], ws.incx0[k]) << k;
        EXPECT_EQ(ws.incy0[k], 20.0f);
        EXPECT_EQ(ws.incy1[k], 170.0f);
    }
    ws = inclinedwork(30, 0);
    calcinclinedlines(ws);
    for (std::size_t k = 1; k <= 5; ++k) {
        EXPECT_EQ(ws.incx0[k], 95.0f);
        EXPECT_EQ(ws.incy1[k], 95.0f);
        EXPECT_TRUE(std::isfinite(ws.incx1[k]));
    }
}

TEST(InclinedLines, EveryLineLiesAtItsDepthAndInsideTheArea) {
    for (float strike : {30.f, 45.f, 90.f, 120.f, 200.f, 300.f, -60.f}) {
        WorkState ws = inclinedwork(strike, 25, 15);
        calcinclinedlines(ws);
        const double s = strike * kPi / 180, tb = std::tan(25 * kPi / 180);
        for (std::size_t k = 1; k <= 5; ++k) {
            for (auto [x, y] : {std::pair{ws.incx0[k], ws.incy0[k]}, {ws.incx1[k], ws.incy1[k]}}) {
                // Depth of the plane at (x, y), not cut at the surface.
                const double depth = 15 + ((x - 95) * std::cos(s) - (y - 95) * std::sin(s)) * tb;
                EXPECT_NEAR(depth, 10.0 * double(k - 1), 1e-3) << strike << " line " << k;
                EXPECT_GE(y, 20.0f - 1e-3f);
                EXPECT_LE(y, 170.0f + 1e-3f);
            }
        }
    }
}

void mixedsources(WorkState& ws) {
    setsources(ws, {defaultSource(), fault(60, 120, 75, 140, 3, 12, 70, 2, -30, 0.2f),
                    point(130, 60, 4, -30)});
}

TEST(Sites, ObsDataFillsEverySiteAndMarksSingularOnes) {
    WorkState ws = defaultwork();
    mixedsources(ws);
    ws.nsite = 3;
    // On the trace of the surface fault; a surface site; the same 1 km down.
    const float sites[][3] = {{95, 100, 0}, {120, 80, 0}, {120, 80, 1}};
    for (std::size_t k = 1; k <= 3; ++k) {
        ws.site[k].x = sites[k - 1][0];
        ws.site[k].y = sites[k - 1][1];
        ws.site[k].depth = sites[k - 1][2];
    }
    SiteResults res;
    res.ux[4] = 7;  // beyond nsite: untouched
    ScriptedHost host;
    calcobsdata(ws, host, res);
    EXPECT_EQ(host.statuses,
              (std::vector<std::string>{" Calcurating Strains at Observation Sites", ""}));
    EXPECT_EQ(host.busyChanges, (std::vector<bool>{true, false}));
    const PointValues v2 = calcsitestrain(ws, 120, 80, 0);
    for (int n = 1; n <= 18; ++n) {
        EXPECT_EQ((*res.byNumber(n))[1], kNoValue) << n;
        EXPECT_EQ((*res.byNumber(n))[2], v2[std::size_t(n - 1)]) << n;
    }
    // z = -depth reaches the solutions: the buried site differs
    EXPECT_NE(res.duzdx[3], res.duzdx[2]);
    EXPECT_NE(res.vol[3], res.vol[2]);
    EXPECT_EQ(res.ux[4], 7.0f);

    ws.cffstrike = 45;
    ws.friction = 0.5f;
    ScriptedHost cffhost;
    calcobscff(ws, cffhost, res);
    EXPECT_EQ(cffhost.statuses,
              (std::vector<std::string>{" Calcurating CFF at Observation Sites", ""}));
    EXPECT_EQ(res.cff[1], kNoValue);
    const ReceiverAngles a = receiverangles(ws);
    EXPECT_EQ(res.cff[2],
              calcsitecff(res.duxdx[2], res.duydy[2], res.duzdz[2], res.exy[2], res.eyz[2],
                          res.ezx[2], res.vol[2], a.strike, a.dip, a.rake, 0.5f));
}

}  // namespace
}  // namespace crustex

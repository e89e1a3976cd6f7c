// Delta CFF and the weighted composites, at points and on the grid.
#include "engine/cff.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/composite.h"
#include "gridfixture.h"
#include "support/scriptedhost.h"

namespace crustex {
namespace {

using namespace test;

struct Strain {
    float exx, eyy, ezz, exy, eyz, ezx;
    float vol() const { return static_cast<float>(double(exx) + eyy + ezz); }
};

float degrees(float d) { return static_cast<float>(d * kPi / 180.0); }

TEST(Cff, ReceiverFormulas) {
    const Strain strains[] = {
        {1, 0, 0, 0, 0, 0},        {0, 0, 0, 1, 0, 0},      {0.3f, -0.7f, 0.2f, 0.5f, -0.4f, 0.9f},
        {-2, 1.5f, 0.5f, 0, 0, 0}, {0, 0, 0, 0, 1.25f, -3}, {12.5f, 3, -8, -6, 2, 1},
    };
    struct Receiver {
        float strike, dip, rake, friction;
        double (*want)(const Strain&);
    };
    const Receiver receivers[] = {
        // The default receiver: friction times the normal strain plus twice exy.
        {0, 90, 0, 0.3f,
         [](const Strain& e) { return 0.3 * (e.vol() + 2.0 * e.exx) + 2.0 * e.exy; }},
        // Without friction only the shear counts.
        {0, 90, 0, 0, [](const Strain& e) { return 2.0 * e.exy; }},
        {90, 90, 0, 0, [](const Strain& e) { return -2.0 * e.exy; }},
        {0, 90, 180, 0, [](const Strain& e) { return -2.0 * e.exy; }},
        {0, 45, 90, 0, [](const Strain& e) { return double(e.ezz) - e.exx; }},  // reverse, 45 E
        {90, 90, 90, 0, [](const Strain& e) { return -2.0 * e.eyz; }},  // E-W plane, slip up
    };
    const ReceiverAngles d = receiverangles(defaultwork());
    EXPECT_EQ(d.strike, 0.0f);
    EXPECT_EQ(d.dip, degrees(90));
    EXPECT_EQ(d.rake, 0.0f);
    for (const Receiver& r : receivers) {
        for (const Strain& e : strains) {
            const float got =
                calcsitecff(e.exx, e.eyy, e.ezz, e.exy, e.eyz, e.ezx, e.vol(), degrees(r.strike),
                            degrees(r.dip), degrees(r.rake), r.friction);
            const double want = r.want(e);
            EXPECT_NEAR(got, want, 1e-6 * (1 + std::fabs(want)))
                << r.strike << "/" << r.dip << "/" << r.rake << " friction " << r.friction;
        }
    }
}

TEST(Cff, IsotropicExpansionGivesFiveTimesFrictionForAnyReceiver) {
    const float e = 2.5f;
    for (float strike : {0.f, 37.f, 90.f, 215.f, -120.f}) {
        for (float dip : {0.f, 30.f, 90.f}) {
            for (float rake : {0.f, -90.f, 45.f, 180.f}) {
                for (float friction : {0.f, 0.4f, 1.f}) {
                    const float got = calcsitecff(e, e, e, 0, 0, 0, 3 * e, degrees(strike),
                                                  degrees(dip), degrees(rake), friction);
                    EXPECT_NEAR(got, 5 * friction * e, 1e-5);
                }
            }
        }
    }
}

// The delta CFF grid is the point form at every node; a unit weight gives
// its strain grid back and the displacement weights sum their grids
// exactly. Nodes on the fault trace keep the marker in each.
TEST(CffAndComposites, GridsFollowTheirNodesAndKeepTheMarker) {
    WorkState ws = tracework();
    setsources(ws, {defaultSource(), point(90, 150, 3, 40)});
    ASSERT_TRUE(evaluate(ws));
    ws.cffstrike = 30;
    ws.cffdip = 60;
    ws.cffrake = -45;
    ws.friction = 0.6f;
    ScriptedHost host;
    calcgridcff(ws, host);
    EXPECT_EQ(host.statuses, (std::vector<std::string>{" Calcurating CFF", ""}));
    EXPECT_EQ(host.busyChanges, (std::vector<bool>{true, false}));
    const ResultGrids& g = ws.grids;
    const ReceiverAngles a = receiverangles(ws);
    int markers = 0;
    for (int i = 0; i <= 6; ++i) {
        for (int j = 0; j <= 16; ++j) {
            const float want =
                calcsitecff(g.duxdx(i, j), g.duydy(i, j), g.duzdz(i, j), g.exy(i, j), g.eyz(i, j),
                            g.ezx(i, j), g.vol(i, j), a.strike, a.dip, a.rake, ws.friction);
            EXPECT_EQ(g.cff(i, j), g.duxdx(i, j) == kNoValue ? kNoValue : want);
            markers += g.cff(i, j) == kNoValue;
        }
    }
    EXPECT_EQ(markers, 5);

    using Weight = std::pair<float WorkState::*, const Grid2D ResultGrids::*>;
    const Weight strain[] = {
        {&WorkState::fxx, &ResultGrids::duxdx}, {&WorkState::fyy, &ResultGrids::duydy},
        {&WorkState::fzz, &ResultGrids::duzdz}, {&WorkState::fxy, &ResultGrids::exy},
        {&WorkState::fyz, &ResultGrids::eyz},   {&WorkState::fzx, &ResultGrids::ezx},
    };
    for (auto [weight, grid] : strain) {
        ws.fxx = ws.fyy = ws.fzz = ws.fxy = ws.fyz = ws.fzx = 0;
        ws.*weight = 1;
        composestrain(ws);
        EXPECT_EQ(g.composite.values(), (g.*grid).values());
    }
    ws.fx = 0.5f;
    ws.fy = -2;
    ws.fz = 3.25f;
    composedispl(ws);
    markers = 0;
    for (std::size_t q = 0; q < g.ux.size(); ++q) {
        const float ux = g.ux.values()[q], uy = g.uy.values()[q], uz = g.uz.values()[q];
        const float want = ux == kNoValue ? kNoValue : float(0.5 * ux - 2.0 * uy + 3.25 * uz);
        EXPECT_EQ(g.composite.values()[q], want);
        markers += ux == kNoValue;
    }
    EXPECT_EQ(markers, 5);
}

// Grids of another size give no values instead of reading outside them.
TEST(CffAndComposites, MismatchedGridsGiveNoValues) {
    Grid2D big(4, 4, 1.0f), narrow(2, 4, 1.0f), low(4, 2, 1.0f), out;
    SilentHost host;
    calcgridcff(big, big, big, big, narrow, big, big, out, 0, 1, 0, 0.3f, host, 1);
    EXPECT_EQ(out.nx(), 4);
    for (float v : out.values()) EXPECT_EQ(v, kNoValue);
    calcgridcff(Grid2D(), big, big, big, big, big, big, out, 0, 1, 0, 0.3f, host, 1);
    EXPECT_TRUE(out.empty());
    composedispl(big, low, big, out, 1, 1, 1);
    EXPECT_EQ(out.nx(), 4);
    for (float v : out.values()) EXPECT_EQ(v, kNoValue);
    composestrain(Grid2D(), big, big, big, big, big, out, 1, 1, 1, 1, 1, 1);
    EXPECT_TRUE(out.empty());
}

}  // namespace
}  // namespace crustex

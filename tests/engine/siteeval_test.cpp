#include "engine/siteeval.h"

#include <gtest/gtest.h>

#include <cstring>

#include "engine/cff.h"
#include "gridfixture.h"
#include "support/scriptedhost.h"

namespace crustex {
namespace {

using namespace test;

void mixedsources(WorkState& ws) {
    setsources(ws, {defaultSource(), fault(60, 120, 75, 140, 3, 12, 70, 2, -30, 0.2f),
                    point(130, 60, 4, -30)});
}

TEST(Sites, ASiteOnAGridNodeGivesTheNodesBits) {
    for (bool inclined : {false, true}) {
        WorkState ws = defaultwork();
        mixedsources(ws);
        ws.obsdepth = 1.5f;
        ws.inclined = inclined;
        ws.obsincs = 25;
        ASSERT_TRUE(evaluate(ws, 2));
        for (auto [i, j] : {std::pair{0, 0}, {9, 10}, {13, 7}, {20, 20}, {4, 17}}) {
            const PointValues v =
                calcsitestrain(ws, gridnodex(ws, i), gridnodey(ws, j), ws.grids.nodez(i, j));
            for (int n = 0; n < 18; ++n) {
                const float node = (*ws.grids.byNumber(n + 2))(i, j);
                EXPECT_EQ(std::memcmp(&v[static_cast<std::size_t>(n)], &node, sizeof(float)), 0)
                    << "grid " << n + 2 << " at " << i << "," << j << (inclined ? " inclined" : "");
            }
        }
    }
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

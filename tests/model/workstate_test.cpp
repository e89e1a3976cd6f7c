#include "model/workstate.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace crustex {
namespace {

TEST(WorkState, DefaultsAreTheStartUpModel) {
    WorkState ws;
    setdefaults(ws, "/home/user/quake");
    EXPECT_EQ(ws.nfault, 1);
    EXPECT_EQ(ws.fault[1], defaultSource());
    EXPECT_EQ(ws.fault[2], faultrec{});
    EXPECT_EQ(std::tuple(ws.xgrid, ws.ygrid, ws.xview0, ws.yview1, ws.obsdepth, ws.rwidth),
              std::tuple(20, 20, 20.0f, 170.0f, 0.0f, 240.0f));
    EXPECT_EQ(
        std::tuple(ws.quantitykey, ws.gridstale, ws.cffstale, ws.abortflag, ws.nsite, ws.mousemode),
        std::tuple("", true, true, false, 0, 0));
    EXPECT_EQ(std::tuple(ws.cline, ws.nsubline, ws.cminval, ws.scaletype, ws.peakvalue),
              std::tuple(0.01f, 9, 0.0001f, 1, true));
    EXPECT_EQ(std::tuple(ws.cffdip, ws.friction, ws.projection, ws.flat1, ws.flon2, ws.xmargin),
              std::tuple(90.0f, 0.3f, 3, 34.0f, 137.0f, 10));
    EXPECT_EQ(std::tuple(ws.bnwmode, ws.strformat9, ws.dep1, ws.mag0),
              std::tuple(false, true, 100.0f, 3.0f));
    EXPECT_EQ(ws.eventstart, (DateTime{1995, 1, 1, 0, 0, 0}));
    EXPECT_EQ(ws.eventend, (DateTime{1995, 12, 31, 23, 59, 0}));
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
    EXPECT_EQ(ws.grids.byNumber(22), nullptr);
    EXPECT_EQ(ws.grids.nodex.size(), 5u);
    EXPECT_EQ(ws.grids.nodey.size(), 8u);
    EXPECT_EQ(ws.grids.uz(4, 7), 0.0f) << "old contents are discarded";
}

}  // namespace
}  // namespace crustex

#include <gtest/gtest.h>

#include <cstring>

#include "model/workstate.h"

namespace crustex {
namespace {

TEST(WorkStateDefaults, FieldAndSourceAreTheStartUpModel) {
    WorkState ws;
    setdefaults(ws, "/home/user/quake");
    EXPECT_EQ(ws.nfault, 1);
    EXPECT_EQ(ws.fault[1], defaultSource());
    EXPECT_EQ(ws.fault[2], faultrec{});
    EXPECT_EQ(ws.xgrid, 20);
    EXPECT_EQ(ws.ygrid, 20);
    EXPECT_FLOAT_EQ(ws.xview0, 20);
    EXPECT_FLOAT_EQ(ws.yview1, 170);
    EXPECT_EQ(ws.obsdepth, 0.0f);
    EXPECT_EQ(ws.rwidth, 240.0f);
    EXPECT_TRUE(ws.quantitykey.empty());
    EXPECT_TRUE(ws.gridstale);
    EXPECT_TRUE(ws.cffstale);
    EXPECT_FALSE(ws.abortflag);
    EXPECT_EQ(ws.nsite, 0);
    EXPECT_EQ(ws.mousemode, 0);
}

TEST(WorkStateDefaults, ParameterGroups) {
    WorkState ws;
    setdefaults(ws, "/x");
    EXPECT_EQ(ws.cline, 0.01f);
    EXPECT_EQ(ws.nsubline, 9);
    EXPECT_EQ(ws.cminval, 0.0001f);
    EXPECT_EQ(ws.scaletype, 1);
    EXPECT_TRUE(ws.peakvalue);
    EXPECT_EQ(ws.cffdip, 90.0f);
    EXPECT_EQ(ws.friction, 0.3f);
    EXPECT_EQ(ws.projection, 3);
    EXPECT_EQ(ws.flat1, 34.0f);
    EXPECT_EQ(ws.flon2, 137.0f);
    EXPECT_EQ(ws.xmargin, 10);
    EXPECT_FALSE(ws.bnwmode);
    EXPECT_TRUE(ws.strformat9);
    EXPECT_EQ(ws.eventstart, (DateTime{1995, 1, 1, 0, 0, 0}));
    EXPECT_EQ(ws.eventend, (DateTime{1995, 12, 31, 23, 59, 0}));
    EXPECT_EQ(ws.dep1, 100.0f);
    EXPECT_EQ(ws.mag0, 3.0f);
}

TEST(WorkStateDefaults, DirectoriesDeriveFromTheStartDirectory) {
    WorkState ws;
    setdefaults(ws, "/home/user/quake");
    EXPECT_EQ(ws.curdir, "/home/user/quake");
    EXPECT_EQ(ws.mappath, "/home/user/quake/map/");
    EXPECT_EQ(ws.areapath, "/home/user/quake/area/");
    EXPECT_EQ(ws.vhyppath, "/home/user/quake/data/Vhyp102.ep");
    EXPECT_EQ(ws.seispath, "/home/user/quake/");
}

TEST(Redimsub, AllocatesTwentyOneGridsAndNodeArrays) {
    WorkState ws;
    setdefaults(ws, "/");
    ws.xgrid = 4;
    ws.ygrid = 7;
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
    ws.grids.uz(4, 7) = 3.0f;
    redimsub(ws);
    EXPECT_EQ(ws.grids.uz(4, 7), 0.0f) << "old contents are discarded";
}

TEST(NoValueMarker, IsTheFloatNearestTenToTheThirty) {
    uint32_t bits;
    std::memcpy(&bits, &kNoValue, sizeof bits);
    EXPECT_EQ(bits, 0x7149F2CAu);
    EXPECT_EQ(static_cast<double>(kNoValue), 1.0000000150474662e30);
}

}  // namespace
}  // namespace crustex

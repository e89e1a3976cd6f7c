// The map dialog's checks, its preview state and the rubber band's range.
#include "geo/mapform.h"

#include <gtest/gtest.h>

using namespace crustex;

TEST(MapForm, ChecksBoundsInOrderThenTheRangeDirections) {
    struct Case {
        MapFormText text;
        const char* bad;
    };
    const Case cases[] = {
        {{"361", "0", "35", "35", "134", "137"}, "dlat"},
        {{"1", "11", "91", "35", "134", "137"}, "nstep"},
        {{"1", "3", "35", "35", "134", "137"}, "flat1"},
        {{"1", "3", "36", "35", "134", "137"}, "flat1"},
        {{"1", "3", "34", "36", "137", "137"}, "flon1"},
        {{"1", "3", "34", "36", "134", "181"}, "flon2"},
        {{"0", "10", "-90", "90", "-180", "180"}, ""},
    };
    for (const Case& c : cases) {
        FieldValues v;
        EXPECT_EQ(checkmapform(c.text, v).badfield, c.bad) << c.text.flat1 << " " << c.text.dlat;
    }
    WorkState ws;
    FieldValues v;
    ASSERT_TRUE(checkmapform(MapFormText{"0.5", "2", "33.5", "35.25", "132", "136.5"}, v).ok());
    MapSwitches sw;
    sw.needmap = true;
    sw.projection = kMillur;
    sw.areatype = 2;
    sw.linetype = 3;
    ws.gridstale = false;
    storemapform(ws, v, sw);
    EXPECT_TRUE(ws.needmap && ws.gridstale);
    EXPECT_EQ(std::make_tuple(ws.projection, ws.areatype, ws.linetype, ws.nstep),
              std::make_tuple(kMillur, int16_t(2), int16_t(3), int16_t(2)));
    EXPECT_EQ(std::make_tuple(ws.dlat, ws.flat1, ws.flat2, ws.flon1, ws.flon2),
              std::make_tuple(0.5f, 33.5f, 35.25f, 132.0f, 136.5f));
}

TEST(MapForm, PreviewCopiesOnlyAcceptedBoxesAndLeavesTheStateAlone) {
    WorkState ws;
    ws.grids.ux.resize(3, 3, 7);
    const WorkState copy = previewstate(ws, MapFormText{"-1", "2", "33", "abc", "130", "200"}, {});
    EXPECT_EQ(
        std::make_tuple(copy.dlat, copy.nstep, copy.flat1, copy.flat2, copy.flon1, copy.flon2),
        std::make_tuple(1.0f, int16_t(2), 33.0f, 36.0f, 130.0f, 137.0f));
    EXPECT_TRUE(copy.grids.ux.empty());
    EXPECT_EQ(ws.grids.ux(2, 2), 7.0f);  // lent out and given back
    EXPECT_EQ(ws.flat1, 34.0f);
}

TEST(MapForm, RubberBandGivesTheSameRangeWhicheverWayItIsDrawn) {
    for (int16_t kind : {kMercator, kConic}) {
        WorkState ws;
        ws.projection = kind;
        Projection p;
        ASSERT_TRUE(setprojection(p, ws));
        float x1, y1, x2, y2;  // south-west and north-east corners
        projectgeo(p, kind, 34.5f, 134.75f, x1, y1);
        projectgeo(p, kind, 35.5f, 136.25f, x2, y2);
        const MapRange down = rubberbandrange(p, x1, y2, x2, y1);  // NW to SE
        for (const MapRange r :
             {rubberbandrange(p, x2, y1, x1, y2), rubberbandrange(p, x1, y1, x2, y2),
              rubberbandrange(p, x2, y2, x1, y1)}) {
            EXPECT_EQ(std::make_tuple(r.lat1, r.lon1, r.lat2, r.lon2),
                      std::make_tuple(down.lat1, down.lon1, down.lat2, down.lon2));
        }
        if (kind == kMercator) {  // the corners of a band on a cylinder
            EXPECT_NEAR(down.lat1, 34.5f, 1e-3);
            EXPECT_NEAR(down.lon1, 134.75f, 1e-3);
            EXPECT_NEAR(down.lat2, 35.5f, 1e-3);
            EXPECT_NEAR(down.lon2, 136.25f, 1e-3);
        }
    }
}

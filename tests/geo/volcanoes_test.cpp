// The volcano list read by character columns and its red triangles.
#include "geo/volcanoes.h"

#include <gtest/gtest.h>

#include "geo/maplayers.h"
#include "layertestutil.h"
#include "plot/plottestutil.h"

namespace crustex {
namespace {

TEST(Volcanoes, ColumnsBlankLinesAndBadLines) {
    const VolcanoList list = parsevolcanoes(
        "  35.3614 138.7278  Fuji (a made-up test line)\r\n"
        "\n"
        "34.5      139.4\n"
        "volcano   139.4\n"
        "   35.1\n"
        "-12.25    -77.5");
    ASSERT_EQ(list.volcanoes.size(), 3u);
    EXPECT_FLOAT_EQ(list.volcanoes[0].lat, 35.3614f);
    EXPECT_FLOAT_EQ(list.volcanoes[0].lon, 138.7278f);
    EXPECT_FLOAT_EQ(list.volcanoes[1].lon, 139.4f);
    EXPECT_FLOAT_EQ(list.volcanoes[2].lat, -12.25f);
    EXPECT_EQ(list.badlines, 2);
}

TEST(Volcanoes, BoundaryVolcanoDrawnAsThreeRedTriangles) {
    test::ScratchDir dir;
    // Made-up test positions: on the south-east corner of the range, and
    // just outside its west edge; one line is not a number.
    test::writefile(dir.file("JPNVOLC.SEQ"),
                    "34        137       \n"
                    "35        133.99    \n"
                    "??        ??        \n");
    WorkState ws;
    setdefaults(ws, dir.folder());
    ws.mappath = dir.folder();
    test::Canvas canvas("map");
    Projection proj;
    drawvolcanoes(ws, canvas.pc, proj, canvas.host);
    const auto red = canvas.surface.linesofcolor({255, 0, 0});
    ASSERT_EQ(red.size(), 12u);  // three triangles of four strokes
    float x = 0, y = 0;
    projectgeo(proj, ws.projection, 34, 137, x, y);
    EXPECT_TRUE(test::joins(red[0], x, y, x, y - 3));
    EXPECT_TRUE(test::joins(red[8], x, y, x, y - 1));
    EXPECT_EQ(canvas.surface.ForeColor, kBlack);
    EXPECT_EQ(canvas.host.statuses,
              std::vector<std::string>{" 1 Lines of jpnvolc.seq are not Numbers and were skipped"});
}

}  // namespace
}  // namespace crustex

// Elevation tiles, the mesh choice, colour classes by quarters and contours;
// the volcano list read by character columns and its red triangles.
#include <gtest/gtest.h>

#include "geo/demtiles.h"
#include "geo/maplayers.h"
#include "geo/topolayer.h"
#include "geo/volcanoes.h"
#include "plot/plottestutil.h"
#include "support/catalogue.h"

namespace crustex {
namespace {

// A tile line: row number r in characters 7..9, then the values.
std::string demline(int r, const std::vector<int>& values) {
    char head[16];
    std::snprintf(head, sizeof head, "      %3d", r);
    std::string line = head;
    for (int v : values) {
        char field[16];
        std::snprintf(field, sizeof field, "%5d", v);
        line += field;
    }
    return line + "\r\n";
}

TEST(DemTiles, RowsCountFromTheNorthAndMissingValuesStayEmpty) {
    const std::string text = "header line\r\n" + demline(1, {11, 12, 13, 14}) +
                             demline(3, {31, 32}) + demline(0, {1, 1, 1, 1}) +
                             demline(5, {5, 5, 5, 5}) + "      x  99999\r\n" +
                             "        2 9e30  -12\r\n";
    const std::vector<float> t = readdemfile(text, 4);
    const auto at = [&](int k, int c) { return t[static_cast<std::size_t>(k * 4 + c)]; };
    EXPECT_EQ(at(3, 0), 11);  // row 1 at index N - 1
    EXPECT_EQ(at(3, 3), 14);
    EXPECT_EQ(at(1, 1), 32);
    EXPECT_EQ(at(1, 2), kNoHeight);  // a short line fills what it has
    EXPECT_EQ(at(2, 0), kNoHeight);  // "9e30" is no height
    EXPECT_EQ(at(2, 1), -12);
    EXPECT_EQ(at(0, 0), kNoHeight);  // rows 0 and 5 are skipped
}

TEST(DemTiles, FineMeshOnlyForSmallRangesWithItsDirectory) {
    test::ScratchDir dir;
    WorkState ws;
    setdefaults(ws, dir.folder());
    ws.mappath = dir.folder();
    const struct {
        float lat1, lat2, lon1, lon2;
        bool fine;
    } cases[] = {{35.0f, 35.6f, 135.2f, 136.0f, true},
                 {36.0f, 36.6f, 139.0f, 139.8f, true},
                 {35.0f, 35.61f, 135.2f, 136.0f, false},
                 {35.0f, 35.6f, 135.2f, 136.01f, false}};
    for (bool with250m : {false, true}) {
        if (with250m) dir.mkdir("250M");
        for (const auto& c : cases) {
            ws.flat1 = c.lat1, ws.flat2 = c.lat2, ws.flon1 = c.lon1, ws.flon2 = c.lon2;
            EXPECT_EQ(choosemesh(ws).n, with250m && c.fine ? 320 : 80)
                << with250m << " " << c.lat2 - c.lat1;
        }
    }
}

TEST(Topography, ColourQuartersContoursAndGaps) {
    EXPECT_EQ(topocolor(199.9f), (Rgb{225, 250, 25}));
    EXPECT_EQ(topocolor(200), (Rgb{225, 240, 125}));
    EXPECT_EQ(topocolor(29999), (Rgb{250, 160, 20}));
    EXPECT_EQ(topocolor(30000), (Rgb{250, 100, 10}));

    // The range covers two mesh rows and three columns of tile 5135
    // (34 deg 0 min N is row 4080, 135 deg E column 2800).
    test::ScratchDir dir;
    dir.mkdir("1KM");
    std::string text = "tile 5135 (made-up test values)\r\n";
    for (int r = 1; r <= 80; ++r) {
        std::vector<int> row(80, 0);
        if (r == 80) row = std::vector<int>(80, 300);
        if (r == 80) row[2] = -9999;
        if (r == 79) row[0] = 100, row[1] = 1500, row[2] = 2600;
        text += demline(r, row);
    }
    test::writefile(dir.file("1KM/5135.TEM"), text);
    WorkState ws;
    setdefaults(ws, dir.folder());
    ws.mappath = dir.folder();
    ws.flat1 = 34.0f, ws.flat2 = 34.0f + 1.5f / 120.0f;
    ws.flon1 = 135.0f, ws.flon2 = 135.0f + 2.5f / 80.0f;
    ws.topocolor = ws.topocontour = true;
    TopoGrid grid;
    ASSERT_EQ(readtopography(ws, kMesh1km, grid), TopoRead::Read);
    ASSERT_EQ(grid.rows, 2);
    ASSERT_EQ(grid.cols, 3);
    EXPECT_EQ(grid.at(0, 0), 300);
    EXPECT_EQ(grid.at(1, 2), 2600);

    test::Canvas canvas("map");
    Projection proj;
    drawtopography(ws, canvas.pc, proj, canvas.host);
    const auto boxes = canvas.surface.ofkind(OpKind::FillBox);
    // Cell (0,0) has all four values: four quarters; cell (0,1) touches the
    // gap at (0,2) and stays unpainted.
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].color, (Rgb{225, 240, 125}));  // (9*300 + 3*300 + 3*100 + 1500) / 16
    EXPECT_EQ(boxes[3].color, (Rgb{250, 245, 240}));  // (9*1500 + 3*100 + 3*300 + 300) / 16
    EXPECT_EQ(boxes[0].mode, DrawMode::CopyPen);
    // Contours every 50 m (a range under 1 degree): 500 and 1000 (0.1 m)
    // cross cell (0,0), 1500 touches its corner only; cell (0,1) has no
    // line, as its edges to the gap take no part.
    const auto lines = canvas.surface.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].color, (Rgb{200, 200, 200}));
    EXPECT_EQ(canvas.surface.drawMode, DrawMode::MaskPen);
    EXPECT_EQ(canvas.host.statuses.front(), " Reading DEM file(1km)....");
    EXPECT_EQ(contourinterval(0.6f, 0.8f), 50);
    EXPECT_EQ(contourinterval(9, 12), 500);
}

TEST(Topography, AbortEndsTheLayerOnly) {
    test::ScratchDir dir;
    dir.mkdir("1km");
    WorkState ws;
    setdefaults(ws, dir.folder());
    ws.mappath = dir.folder();
    ws.topocolor = ws.topocontour = true;
    test::Canvas canvas("map");
    canvas.host.onProcessEvents = [&](int) { ws.abortflag = true; };
    Projection proj;
    drawtopography(ws, canvas.pc, proj, canvas.host);
    // One row of colour, then "Abort?" and OK: no contour step.
    EXPECT_EQ(canvas.host.processEventsCalls, 1);
    EXPECT_EQ(canvas.host.messages.size(), 1u);
    EXPECT_FALSE(ws.abortflag);
}

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

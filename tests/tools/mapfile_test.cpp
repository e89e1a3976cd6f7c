// Map files made by the converter, read back and drawn.
#include "geo/mapfile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "files/filetestutil.h"
#include "geo/mapdraw.h"
#include "geo/maplayers.h"
#include "geo/maptestutil.h"
#include "tools/mapconvert.h"

namespace crustex {
namespace {

using test::MapCanvas;
using tools::MapLayout;
using tools::MapPiece;

constexpr Rgb kCoast{0, 31, 63}, kBorder{255, 191, 0}, kCyan{0, 128, 128};

std::string buildmap(const MapLayout& layout, const std::vector<MapPiece>& pieces) {
    std::string bytes, error;
    EXPECT_TRUE(tools::buildmapfile(layout, pieces, bytes, error)) << error;
    return bytes;
}

// One 10-degree tile over 30..40 N, 130..140 E.
const MapLayout kOneTile{30, 40, 130, 140, 10, 10};
const MapLayout kGlobe{-90, 90, -180, 180, 10, 10};

// Little-endian values at byte offsets of a map file.
int16_t word(const std::string& b, std::size_t at) {
    int16_t v;
    std::memcpy(&v, b.data() + at, 2);
    return v;
}
void setword(std::string& b, std::size_t at, int16_t v) { std::memcpy(b.data() + at, &v, 2); }
void setfloat(std::string& b, std::size_t at, float v) { std::memcpy(b.data() + at, &v, 4); }
// Byte offset of tile k's segment record.
std::size_t tileat(const std::string& b, int k) {
    return static_cast<std::size_t>(word(b, 256 + 2 * (k - 1)) - 1) * 256;
}

TEST(MapConverter, CutsAtTileEdgesAndReadsBack) {
    // 2 x 1 degree tiles; the coast line crosses 135 E and then 36 N.
    const MapLayout layout{30, 40, 130, 140, 2, 1};
    const std::string bytes =
        buildmap(layout, {{false, {{35.5, 134.5}, {35.5, 135.25}, {36.25, 135.75}}},
                          {true, {{31.5, 139.5}, {31.25, 139.125}}}});
    std::istringstream in(bytes);
    MapFile f;
    ASSERT_TRUE(f.open(in)) << f.error();
    const MapHeader& h = f.header();
    EXPECT_EQ(h.indexrecords, 1);
    EXPECT_EQ(h.rows, 5);
    EXPECT_EQ(h.columns, 10);
    EXPECT_EQ((std::vector<float>{h.south, h.north, h.tileheight, h.west, h.east, h.tilewidth}),
              (std::vector<float>{30, 40, 2, 130, 140, 1}));

    const float edgelon = static_cast<float>(135.25 + (0.5 / 0.75) * 0.5);  // meets 36 N
    const struct {
        int k, coast;
        std::vector<float> lat, lon;
    } tiles[] = {
        {23, 1, {35.5f, 35.5f}, {134.5f, 135}},                // 34..36 N, 134..135 E
        {28, 1, {35.5f, 35.5f, 36}, {135, 135.25f, edgelon}},  // 34..36 N, 135..136 E
        {29, 1, {36, 36.25f}, {edgelon, 135.75f}},             // 36..38 N, 135..136 E
        {46, 0, {31.5f, 31.25f}, {139.5f, 139.125f}},          // 30..32 N, 139..140 E
    };
    MapTile t;
    for (const auto& want : tiles) {
        SCOPED_TRACE(want.k);
        ASSERT_EQ(f.readtile(want.k, t), MapFile::TileRead::Read);
        EXPECT_EQ(t.coastsegments, want.coast);
        ASSERT_EQ(t.segments.size(), 1u);
        EXPECT_EQ(t.segments[0].first, 1);
        EXPECT_EQ(t.segments[0].last, static_cast<int>(want.lat.size()));
        EXPECT_EQ(t.lat, want.lat);
        EXPECT_EQ(t.lon, want.lon);
    }
    EXPECT_EQ(f.readtile(24, t), MapFile::TileRead::Empty);
}

TEST(MapConverter, RefusesWhatDoesNotFit) {
    MapPiece crowded{false, {}};
    for (int i = 0; i <= 12000; ++i) crowded.points.push_back({35 + i * 1e-4, 135});
    std::string bytes, error;
    EXPECT_FALSE(tools::buildmapfile(kOneTile, {&crowded, 1}, bytes, error));
    EXPECT_NE(error.find("12001 points"), std::string::npos) << error;
    // Reading stops once a tile holds twice what it may.
    tools::MapBuilder builder;
    ASSERT_TRUE(builder.start(kOneTile, error));
    EXPECT_TRUE(builder.add(crowded, error));
    EXPECT_FALSE(builder.add(crowded, error));
    EXPECT_NE(error.find("more than 24000 points"), std::string::npos) << error;
    EXPECT_FALSE(tools::buildmapfile({30, 41, 130, 140, 10, 10}, {}, bytes, error));
    EXPECT_FALSE(tools::buildmapfile({-90, 90, -180, 180, 5, 10}, {}, bytes, error));  // 36 rows
}

TEST(MapConverter, ReadsGmtTextAndRunsAsAMode) {
    std::vector<MapPiece> pieces;
    std::string error;
    std::istringstream gmt(
        "# comment\n> Shore Bin # 1, Level 1\n135.5 35.25\r\n136.75\t35.5\n NaN NaN\n137 36\n"
        "137.5,36.5\n> Border Bin # 2\n138 34 extra\n139 33\n");
    ASSERT_TRUE(tools::readgmtpieces(gmt, false, pieces, error));
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_FALSE(pieces[0].border);
    EXPECT_EQ(pieces[0].points.size(), 2u);
    EXPECT_EQ(pieces[0].points[1].lat, 35.5);
    EXPECT_EQ(pieces[0].points[1].lon, 136.75);
    EXPECT_FALSE(pieces[1].border);
    EXPECT_TRUE(pieces[2].border);

    test::ScratchDir dir;
    test::writefile(dir.file("coast.txt"), "135 35\n136 36\n");
    test::writefile(dir.file("lines.txt"), "137 35\n138 36\n");
    std::ostringstream err;
    const std::vector<std::string> args{"--region",
                                        "130/140/30/40",
                                        "--tile",
                                        "10x10",
                                        "--output",
                                        dir.file("out.map"),
                                        dir.file("coast.txt"),
                                        "--border",
                                        dir.file("lines.txt")};
    ASSERT_EQ(tools::runmapconvert(args, err), 0) << err.str();
    std::istringstream in(test::readfile(dir.file("out.map")));
    MapFile f;
    MapTile t;
    ASSERT_TRUE(f.open(in));
    ASSERT_EQ(f.readtile(1, t), MapFile::TileRead::Read);
    EXPECT_EQ(t.coastsegments, 1);
    EXPECT_EQ(t.segments.size(), 2u);
    EXPECT_EQ(tools::runmapconvert(std::vector<std::string>{"--tile", "2x1"}, err), 2);
}

// Out of the range over its north edge and back in: two pieces, each ending
// exactly on the edge (the edge itself counts as outside).
TEST(MapDrawing, PolylineLeavingAndReenteringEndsOnTheEdge) {
    MapCanvas c(34, 36, 134, 137);
    const auto out =
        c.draw(buildmap(kOneTile, {{false, {{35.5, 135}, {36.5, 136}, {35.5, 136.5}}}}));
    EXPECT_EQ(out.kind, MapFileOutcome::Kind::Drawn);
    ASSERT_EQ(c.surface.lines().size(), 2u);
    EXPECT_TRUE(c.drew(0, 35.5f, 135, 36, 135.5f));
    EXPECT_TRUE(c.drew(1, 36, 136.25f, 35.5f, 136.5f));
    EXPECT_EQ(c.surface.lines()[0].color, kCoast);
}

TEST(MapDrawing, LineTypesPickCoastOrBorderSegments) {
    const std::string bytes = buildmap(
        kOneTile, {{false, {{35.5, 135}, {35.25, 135.5}}}, {true, {{34.5, 136}, {34.75, 136.5}}}});
    const struct {
        int16_t linetype;
        std::vector<Rgb> colors;
    } rows[] = {{1, {kCoast, kBorder}}, {2, {kCoast}}, {3, {kBorder}}};
    for (const auto& r : rows) {
        MapCanvas c(34, 36, 134, 137);
        c.draw(bytes, r.linetype);
        std::vector<Rgb> drawn;
        for (const auto& l : c.surface.lines()) drawn.push_back(l.color);
        EXPECT_EQ(drawn, r.colors) << r.linetype;
    }
}

TEST(MapDrawing, SkipDataKeepsTheLastPoint) {
    MapCanvas c(34, 36, 134, 137);
    c.draw(buildmap(kOneTile, {{false,
                                {{35, 134.5},
                                 {35.1, 134.75},
                                 {35.2, 135},
                                 {35.3, 135.25},
                                 {35.4, 135.5},
                                 {35.5, 135.75}}}}),
           1, 3);
    ASSERT_EQ(c.surface.lines().size(), 2u);
    EXPECT_TRUE(c.drew(0, 35, 134.5f, 35.3f, 135.25f));
    EXPECT_TRUE(c.drew(1, 35.3f, 135.25f, 35.5f, 135.75f));
}

// A range whose north edge lies on a tile boundary reads no tile above it:
// the tile above is damaged, and only a range reaching into it notices.
TEST(MapDrawing, NorthEdgeOnATileBoundaryReadsNoRowAbove) {
    std::string bytes =
        buildmap(kGlobe, {{false, {{35, 5}, {36, 6}}}, {false, {{45, 5}, {46, 6}}}});
    setword(bytes, tileat(bytes, 18 * 18 + 14) + 4, -1);  // column 19, row 14 (40..50 N)
    MapCanvas c(30.5f, 40, 0.5f, 9.5f);
    const auto out = c.draw(bytes);
    EXPECT_EQ(out.damagedtiles, 0);
    EXPECT_TRUE(c.drew(0, 35, 5, 36, 6));
    MapCanvas above(30.5f, 40.5f, 0.5f, 9.5f);
    EXPECT_EQ(above.draw(bytes).damagedtiles, 1);
}

// 170..190 E reads column 36 as it is and column 1 moved by +360.
TEST(MapDrawing, RangeAcrossTheDateLineWrapsColumnOne) {
    const std::string bytes = buildmap(
        kGlobe, {{false, {{35.25, 175}, {35.75, 176}}}, {false, {{35.5, -175}, {35.75, -174}}}});
    MapCanvas c(30, 40, 170, -170);
    ASSERT_EQ(c.lon2, 190);
    c.draw(bytes);
    ASSERT_EQ(c.surface.lines().size(), 2u);
    EXPECT_TRUE(c.drew(0, 35.25f, 175, 35.75f, 176));
    EXPECT_TRUE(c.drew(1, 35.5f, 185, 35.75f, 186));
}

// The coast file and the active faults through drawmap: file names in any
// letter case, "VActive3.20" border segments and "VActive.100" coast
// segments both in colour 7 (cyan); a refused file reaches the status strip
// and draws nothing; skip data 0 draws every point.
TEST(MapDrawing, DrawMapDrawsCoastAndActiveFaults) {
    test::ScratchDir dir;
    std::ofstream(dir.file("JAPANV.MAP"), std::ios::binary)
        << buildmap(kOneTile, {{false, {{35, 135}, {35.25, 135.5}, {35.5, 135.75}}}});
    std::ofstream(dir.file("vactive3.20"), std::ios::binary)
        << buildmap(kOneTile, {{true, {{34.5, 136}, {34.75, 136.5}}}});
    std::ofstream(dir.file("vactive.100"), std::ios::binary)
        << buildmap(kOneTile, {{false, {{34.25, 134.5}, {34.5, 134.75}}}});
    std::string refused = buildmap(kOneTile, {{false, {{35, 135}, {35.5, 135.5}}}});
    setfloat(refused, 16, -2);
    std::ofstream(dir.file("VActive1.20"), std::ios::binary) << refused;
    test::Canvas c("map");
    WorkState ws;
    setdefaults(ws, "/nonexistent");
    ws.mappath = dir.folder();
    ws.faultclass[0] = ws.faultclass[2] = ws.faultclass[3] = true;
    ws.dlat = 0;
    ws.nstep = 0;
    Projection proj;
    drawmap(ws, c.pc, proj, c.host);
    EXPECT_EQ(c.host.lastStatus(),
              " Map file refused (tile size is not a positive number of degrees): VActive1.20");
    std::vector<Rgb> drawn;
    for (const auto& l : c.surface.lines()) drawn.push_back(l.color);
    // Coast (two lines: every point), fault 3 border, fault 4 coast, then
    // the four lines of the scale bar.
    EXPECT_EQ(drawn,
              (std::vector<Rgb>{kCoast, kCoast, kCyan, kCyan, kBlack, kBlack, kBlack, kBlack}));
}

// Damaged files draw what is sound and never read outside the file.
TEST(MapDrawing, DamagedFilesAreSkippedOrRefused) {
    // Tile 1 of the globe file holds two segments, column 19 row 13 one.
    const std::string good = buildmap(kGlobe, {{false, {{35, 5}, {36, 6}}},
                                               {false, {{-85, -175}, {-84, -174}}},
                                               {false, {{-84.5, -179}, {-84.25, -178}}}});
    const std::size_t tile1 = tileat(good, 1);
    using K = MapFileOutcome::Kind;
    enum Change { Word, TileWord, Float, Cut };  // a value at a byte offset, or the size
    const struct {
        const char* what;
        Change change;
        std::size_t at;
        float value;
        K kind;
        int damaged, skipped, lines;
    } rows[] = {
        {"intact", Word, 0, float(word(good, 0)), K::Drawn, 0, 0, 3},
        {"index past the end", Word, 256, 30000, K::Drawn, 1, 0, 1},
        {"negative index", Word, 256, -3, K::Drawn, 1, 0, 1},
        {"index into the header", Word, 256, 1, K::Drawn, 1, 0, 1},
        {"12001 points", TileWord, 4, 12001, K::Drawn, 1, 0, 1},
        {"1001 segments", TileWord, 10, 1001, K::Drawn, 1, 0, 1},
        {"more coast than segments", TileWord, 6, 3, K::Drawn, 1, 0, 1},
        {"segment beyond the points", TileWord, 14, 5, K::Drawn, 0, 1, 2},
        {"segment ending before it starts", TileWord, 18, 2, K::Drawn, 0, 1, 2},
        {"points past the end", TileWord, 4, 200, K::Drawn, 1, 0, 1},
        {"truncated", Cut, 0, float(good.size() - 300), K::Drawn, 1, 0, 2},
        {"tile height 0", Float, 16, 0, K::Refused, 0, 0, 0},
        {"tile width -10", Float, 28, -10, K::Refused, 0, 0, 0},
        {"tile height 0.4", Float, 16, 0.4f, K::Refused, 0, 0, 0},
        {"south not a number", Float, 8, NAN, K::Refused, 0, 0, 0},
        {"90 rows", Float, 16, 2, K::Refused, 0, 0, 0},
        {"shorter than a record", Cut, 0, 200, K::Refused, 0, 0, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        std::string bytes = good;
        if (r.change == Float) setfloat(bytes, r.at, r.value);
        if (r.change == Cut) bytes.resize(std::size_t(r.value));
        if (r.change == Word || r.change == TileWord)
            setword(bytes, r.at + (r.change == TileWord ? tile1 : 0), int16_t(r.value));
        MapCanvas c(-89.5f, 89.5f, -179.5f, 179.5f);
        const auto out = c.draw(bytes);
        EXPECT_EQ(out.kind, r.kind);
        EXPECT_EQ(out.damagedtiles, r.damaged);
        EXPECT_EQ(out.skippedsegments, r.skipped);
        EXPECT_EQ(c.surface.lines().size(), static_cast<std::size_t>(r.lines));
        EXPECT_FALSE(c.surface.hasnonfinite());
    }
}

// The shipped maps read whole: every tile sound, every segment usable.
TEST(ShippedMaps, ReadWhole) {
    // The map folder of the source tree this test was built from.
    const std::string root =
        std::filesystem::path(__FILE__).parent_path().parent_path().parent_path();
    const struct {
        const char* path;
        float south, north, tileheight, west, east, tilewidth;
    } files[] = {{"/map/japanv.map", 20, 56, 2, 120, 156, 1},
                 {"/map/world/japanv.map", -90, 90, 10, -180, 180, 10}};
    for (const auto& f : files) {
        SCOPED_TRACE(f.path);
        std::ifstream in(root + f.path, std::ios::binary);
        MapFile file;
        ASSERT_TRUE(file.open(in)) << file.error();
        const MapHeader& h = file.header();
        EXPECT_EQ(
            (std::vector<float>{h.south, h.north, h.tileheight, h.west, h.east, h.tilewidth}),
            (std::vector<float>{f.south, f.north, f.tileheight, f.west, f.east, f.tilewidth}));
        MapTile t;
        int read = 0;
        for (int k = 1; k <= 18 * 36; ++k) {
            const auto r = file.readtile(k, t);
            EXPECT_NE(r, MapFile::TileRead::Damaged) << k;
            read += r == MapFile::TileRead::Read;
        }
        EXPECT_GT(read, 200);
        EXPECT_EQ(file.skippedsegments(), 0);
    }
}

}  // namespace
}  // namespace crustex

// Slip-model files: the .inp, .fsp, .param and patch CSV readers, the patch
// CSV writer and the placement of patches on the map. Every model here is
// made up.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "files/filetestutil.h"
#include "files/patchcsv.h"
#include "files/slipfile.h"
#include "geo/mapform.h"
#include "support/csvtext.h"

namespace crustex {
namespace {

// Lines joined by the given line end.
std::string joined(const std::vector<std::string>& lines, const std::string& end) {
    std::string text;
    for (const std::string& l : lines) text += l + end;
    return text;
}

const std::string kInpHeader =
    "  #   X-start    Y-start     X-fin      Y-fin   Kode  rt.lat    reverse   dip angle     top "
    "     bot";
const std::string kPlaceholder = "xxx xxxxxxxxxx xxxxxxxxxx xxxxxxxxxx xxxxxxxxxx xxx xxxxxxxxxx";

// A .inp file of every kind of line, written with bare CR line ends.
const std::string kInp =
    joined({"Made-up model for a test: 35\xB0N",  // Latin-1 degree sign
            "second title",
            "#reg1=  0  #reg2=  0   #fixed=  6  sym=  1",
            " PR1=       .260     PR2=       .250   DEPTH=      7.5",
            "  E1=   0.750000E+06   E2=  0.800000E+06",
            "XSYM=       .000     YSYM=       .000",
            "FRIC=          .400",
            "S1DR=    19.0001     S1DP=     -0.0001    S1IN=    100.000     S1GD=   .000000",
            "S3DR=    89.9999     S3DP=     89.999     S3IN=     30.000     S3GD=   .500000",
            "S2DR=   109.0001     S2DP=     -0.0001    S2IN=     -5.000     S2GD=   .000000",
            "",
            kInpHeader,
            kPlaceholder,
            "  1   -12.0    4.0    8.0    6.0  100   1.5   0.5   60.0   1.0   9.0",
            "  1    -5.0   -3.0    5.0   -3.0  100   0.0   0.0   45.0   0.0  10.0   receiver A",
            "  1     0.0   10.0    0.0   20.0  200   0.0   1.0   90.0   2.0   6.0",
            "  1     3.0    3.0   13.0    3.0  300   0.3  -0.7   30.0   4.0   8.0",
            "  1     1.0    1.0    1.0    1.0  400   0.0   0.0   90.0   5.0   5.0",
            "  1    -1.0    0.0    9.0    0.0  100   1.0   0.0   95.0   1.0   5.0",
            "",
            "     Grid Parameters",
            "  1  ----------------------------  Start-x =    -40.0000",
            "  2  ----------------------------  Start-y =    -30.0000",
            "  3  --------------------------   Finish-x =     40.0000",
            "  4  --------------------------   Finish-y =     30.0000",
            "  5  ------------------------  x-increment =      2.0000",
            "  6  ------------------------  y-increment =      1.5000",
            "     Size Parameters",
            "  1  --------------------------  Plot size =     2.0000",
            "     Cross section default",
            "  1  ----------------------------  Start-x =    -20.0000",
            "  2  ----------------------------  Start-y =      5.0000",
            "  3  --------------------------   Finish-x =     25.0000",
            "  4  --------------------------   Finish-y =     -4.0000",
            "  5  ------------------  Distant-increment =      1.0000",
            "  6  ----------------------------  Z-depth =     30.0000",
            "  7  ------------------------  Z-increment =      0.5000",
            "     Map infomation",
            "min. lon = 134.6",
            "max. lon = 135.6",
            "zero lon = 135.1",
            "min. lat = 34.4",
            "max. lat = 35.0",
            "zero lat = 34.7"},
           "\r");

// The start-up work state with its map (34..36 N, 134..137 E, conic) set up.
struct SlipFiles : test::FileFixture {
    void SetUp() override {
        test::FileFixture::SetUp();
        ws.needmap = true;
        ASSERT_TRUE(setprojection(proj, ws) && rebasefield(ws, proj, frame));
    }
    GeoFrame map() { return geo(); }
    // Reads and places a text; the summary goes to `summary`.
    PlacedModel load(const std::string& name, const std::string& text, bool withmap,
                     std::string* summary = nullptr, SlipFileRead* out = nullptr) {
        SlipFileRead r = readslipbuffer(text, name);
        PlacedModel placed;
        const GeoFrame g = geo();
        EXPECT_TRUE(placeslipfile(r, withmap ? &g : nullptr, placed)) << r.report.summary({});
        if (summary) *summary = slipsummary(r, placed);
        if (out) *out = std::move(r);
        return placed;
    }
};

void expectpatch(const SlipPatch& p, const SlipPatch& want, float tol = 1e-4f) {
    for (auto [got, expected] : {std::pair{p.x0, want.x0},
                                 {p.y0, want.y0},
                                 {p.x1, want.x1},
                                 {p.y1, want.y1},
                                 {p.top, want.top},
                                 {p.width, want.width},
                                 {p.dip, want.dip},
                                 {p.rake, want.rake},
                                 {p.slip, want.slip},
                                 {p.opening, want.opening}})
        EXPECT_NEAR(got, expected, tol);
}

TEST_F(SlipFiles, InpFileOfEveryKindOfLine) {
    std::string summary;
    SlipFileRead r;
    const PlacedModel m = load("a.inp", kInp, false, &summary, &r);
    EXPECT_EQ(summary,
              "a.inp: 3 patches, 1 receiver, 1 point source (Kode 400/500) left out, "
              "1 skipped (line 19: dip 95 outside 0..90)");
    const InpModel& inp = *r.inp;
    EXPECT_EQ(inp.title1, "Made-up model for a test: 35\xC2\xB0N");
    EXPECT_EQ(*inp.medium, (Medium{0.26f, 7.5e5f}));
    EXPECT_EQ(std::pair(*inp.depth, *inp.friction), std::pair(7.5f, 0.4f));
    // Sorted by label, not by line: S1, S2, S3.
    ASSERT_TRUE(inp.stress.given);
    EXPECT_EQ(inp.stress.axis[0], (PrincipalStress{19.0001f, -0.0001f, 100, 0}));
    EXPECT_EQ(inp.stress.axis[1], (PrincipalStress{109.0001f, -0.0001f, -5, 0}));
    EXPECT_EQ(inp.stress.axis[2], (PrincipalStress{89.9999f, 89.999f, 30, 0.5f}));
    EXPECT_EQ(inp.grid, (InpGrid{true, -40, -30, 40, 30, 2, 1.5f}));
    EXPECT_EQ(m.section, (SectionLine{true, -20, 5, 25, -4, 1, 30, 0.5f}));
    EXPECT_EQ(inp.map, (InpMapInfo{true, 134.6f, 135.6f, 135.1f, 34.4f, 35.0f, 34.7f}));
    // Right-lateral 1.5, reverse 0.5: left-lateral -1.5. A dike (Kode 200)
    // opens with no slip; Kode 300: opening 0.3, normal 0.7.
    ASSERT_EQ(m.model.size(), 3u);
    EXPECT_TRUE(m.model.geo.empty());
    expectpatch(m.model.patches[0], {-12, 4, 8, 6, 1, 9.237604f, 60, 161.56505f, 1.5811388f, 0});
    expectpatch(m.model.patches[1], {0, 10, 0, 20, 2, 4, 90, 0, 0, 1});
    expectpatch(m.model.patches[2], {3, 3, 13, 3, 4, 8, 30, -90, 0.7f, 0.3f});
    ASSERT_EQ(m.receivers.size(), 1u);
    EXPECT_EQ(m.receivers[0].name, "receiver A");
    EXPECT_TRUE(std::isnan(m.receivers[0].rake));
    EXPECT_NEAR(m.receivers[0].width, 14.142136f, 1e-4);
}

// The value columns of Kode 100 as the header names them.
TEST_F(SlipFiles, InpColumnHeadersDecideTheValueColumns) {
    const struct {
        const char* columns;
        float rake, slip;
    } cases[] = {{"rt.lat    reverse", 33.690067f, 1.4422205f},
                 {"shear     normal", 33.690067f, 1.4422205f},
                 {"rake      netslip", -1.2f, 0.8f}};
    for (const auto& c : cases) {
        const std::string text =
            joined({"t1", "t2",
                    "  #   X-start  Y-start  X-fin  Y-fin  Kode  " + std::string(c.columns) +
                        "  dip angle  top  bot",
                    kPlaceholder, "1  -10.0  5.0  12.0  5.0  100  -1.2  0.8  70.0  1.0  9.0"},
                   "\r\n");
        const PlacedModel m = load("b.inp", text, false);
        ASSERT_EQ(m.model.size(), 1u) << c.columns;
        EXPECT_NEAR(m.model.patches[0].rake, c.rake, 1e-4) << c.columns;
        EXPECT_NEAR(m.model.patches[0].slip, c.slip, 1e-6) << c.columns;
    }
}

// Regional stress axes far from perpendicular are left out, with the line
// that gave them and why.
TEST(InpRegionalStress, AxesFarFromPerpendicularAreLeftOutWithTheirLine) {
    const InpRead r =
        readinp(joined({"t1", "t2", "S1DR= 30 S1DP= 0 S1IN= 100 S1GD= 0",
                        "S2DR= 0 S2DP= 90 S2IN= 50 S2GD= 0", "S3DR= 100 S3DP= 0 S3IN= 10 S3GD= 0",
                        kInpHeader, kPlaceholder, "1 -12 4 8 6 100 1.5 0.5 60 1 9"},
                       "\n"),
                "a.inp");
    EXPECT_FALSE(r.model.stress.given);
    EXPECT_EQ(r.model.patches.size(), 1u);
    ASSERT_FALSE(r.report.notes().empty());
    EXPECT_EQ(r.report.notes().front(),
              (ReadNote{3,
                        "regional stress: S1 and S3 are 70 degrees apart, not perpendicular, "
                        "not used"}));
}

// Map info stretches the file's km over the grid: Start-x..Finish-x spans
// min. lon..max. lon. The elements keep their length on the map.
TEST_F(SlipFiles, InpElementsArePlacedOnTheMapByTheStretch) {
    const PlacedModel m = load("a.inp", kInp, true);
    ASSERT_EQ(m.model.geo.size(), 3u);
    const SlipPatch& p = m.model.patches[0];
    float lat = 0, lon = 0;
    kmtogeo(proj, frame, p.x0, p.y0, lat, lon);
    EXPECT_NEAR(lon, 134.6 + 28.0 / 80.0, 1e-4);       // x = -12 on -40..40
    EXPECT_NEAR(lat, 34.4 + 0.6 * 34.0 / 60.0, 1e-4);  // y = 4 on -30..30
    EXPECT_NEAR(std::hypot(p.x1 - p.x0, p.y1 - p.y0), std::hypot(20.0, 2.0), 1e-4);
    ASSERT_EQ(m.receivers.size(), 1u);
    EXPECT_TRUE(m.receivers[0].geo.has_value());
}

TEST_F(SlipFiles, MultiSegmentFspTakesEachSegmentsOrientation) {
    const std::string text =
        joined({"% Made-up model for a test.", "% Loc  : LAT = 35.1 LON = 135.2 DEP = 12.0",
                "% Mech : STRK = 45 DIP = 80 RAKE = 170 Htop = 0.5 km",
                "% Invs : Nx = 6 Nz = 2 Fmin = 0.1 Hz", "% Invs : Dx = 5.00 km Dz = 6.00 km",
                "% Coordinates are given for center of each subfault or segment: |'|",
                "% SEGMENT # 1: STRIKE = 40 deg DIP = 85 deg", "%   LEN = 15 km WID = 12 km",
                "% LAT LON X==EW Y==NS Z SLIP RAKE TRUP RISE SF_MOMENT",
                "35.10 135.20 0.0 0.0 5.0 1.25 165 0.0 1.0 1e18",
                "35.13 135.24 3.0 3.0 5.5 0.75 175 1.0 1.0 1e18",
                "% SEGMENT # 2: STRIKE = 230 deg DIP = 70 deg", "% LAT LON X==EW Y==NS Z SLIP TRUP",
                "35.05 135.15 -4.0 -5.0 7.5 2.0 3.0"},
               "\n");
    const SlipFileRead r = readslipbuffer(text, "c.fsp");
    ASSERT_FALSE(r.report.failed()) << r.report.summary({});
    const auto& p = r.table.patches;
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0], (CentredPatch{135.2f, 35.1f, 5, 40, 85, 165, 5, 6, 1.25f, 0, 10}));
    EXPECT_EQ(p[1], (CentredPatch{135.24f, 35.13f, 5.5f, 40, 85, 175, 5, 6, 0.75f, 0, 11}));
    // No RAKE column: the Mech rake holds.
    EXPECT_EQ(p[2], (CentredPatch{135.15f, 35.05f, 7.5f, 230, 70, 170, 5, 6, 2, 0, 14}));
    const GeoBox box = *slipgeobox(r);
    EXPECT_EQ(std::tuple(box.lat1, box.lon1, box.lat2, box.lon2),
              std::tuple(35.05f, 135.15f, 35.13f, 135.24f));
}

// A model across 180 degrees gets the narrow box, east of 180 in 180..360.
TEST(SlipGeoBox, ModelAcrossTheDateLine) {
    SlipFileRead r;
    r.table.patches = {{179.5f, -17}, {-179.25f, -16}};
    const GeoBox box = *slipgeobox(r);
    EXPECT_EQ(std::tuple(box.lat1, box.lon1, box.lat2, box.lon2),
              std::tuple(-17.0f, 179.5f, -16.0f, 180.75f));
}

// A subfault given by its top-centre: the upper edge's middle lies there.
TEST_F(SlipFiles, FspTopCentreCoordinatesPlaceThePatchDownDip) {
    const std::string text =
        joined({"% Made-up model for a test.", "% Mech : STRK = 120 DIP = 30 RAKE = 90",
                "% Invs : Dx = 4.0 km Dz = 3.0 km",
                "% Coordinates are given for top-center of each subfault", "% LAT LON Z SLIP",
                "35.20 135.70 2.0 1.5"},
               "\n");
    const PlacedModel m = load("d.fsp", text, true);
    ASSERT_EQ(m.model.size(), 1u);
    const SlipPatch& p = m.model.patches[0];
    float x = 0, y = 0;
    geotokm(proj, frame, 35.2f, 135.7f, x, y);
    EXPECT_NEAR((p.x0 + p.x1) / 2, x, 0.02);
    EXPECT_NEAR((p.y0 + p.y1) / 2, y, 0.02);
    EXPECT_NEAR(p.top, 2.0, 1e-4);
    EXPECT_NEAR(p.width, 3.0, 1e-6);
}

TEST_F(SlipFiles, ParamSlipInCentimetresPerSegment) {
    const std::string text = joined(
        {"#Total number of fault_segments=     2",
         "#Fault_segment =   1 nx(Along-strike)=    2 Dx=  6.00km ny(downdip)=    1 Dy=  4.00km",
         "#Boundary of Fault_segment     1. EQ in cell 1,1. Lon: 135.3   Lat: 34.9",
         "#Lon.  Lat.  Depth", "  135.25   34.88   2.0", "  135.35   34.92   2.0",
         "#Lat. Lon. depth slip rake strike dip t_rup t_ris t_fal mo",
         " 34.89  135.28  3.5  150.0  95.0  65.0  40.0  1.0  1.0  1.0  1e24",
         " 34.91  135.33  3.5  -20.0  80.0  66.0  41.0  1.0  1.0  1.0  1e24",
         "Fault_segment =   2 nx(Along-strike)=    1 Dx=  3.00km ny(downdip)=    1 Dy=  2.50km",
         "#Lon.  Lat.  Depth", "  135.40   34.95   1.0",
         "#Lat. Lon. depth slip rake strike dip t_rup t_ris t_fal mo",
         " 34.95  135.41  2.5  42.0  100.0  70.0  50.0  1.0  1.0  1.0  1e24"},
        "\n");
    const SlipFileRead r = readslipbuffer(text, "basic_inversion.param");
    EXPECT_EQ(r.report.skipped(), 0u);
    const auto& p = r.table.patches;
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0], (CentredPatch{135.28f, 34.89f, 3.5f, 65, 40, 95, 6, 4, 1.5f, 0, 8}));
    EXPECT_EQ(p[1].slip, -0.2f);
    EXPECT_EQ(p[2], (CentredPatch{135.41f, 34.95f, 2.5f, 70, 50, 100, 3, 2.5f, 0.42f, 0, 14}));
}

// The columns of a CSV line rearranged: field k of the result is field
// order[k] of the line.
std::string reordered(const std::string& text, const std::vector<int>& order) {
    std::string out;
    for (const auto& f : test::csvrows(text)) {
        for (std::size_t k = 0; k < order.size(); ++k) out += (k ? "," : "") + f[order[k]];
        out += "\r\n";
    }
    return out;
}

TEST_F(SlipFiles, PatchCsvWrittenAndReadBackInAnyColumnOrder) {
    PatchTable table;
    table.patches = {{135.31f, 35.17f, 6.5f, 32, 61, 118, 7.5f, 3.25f, 1.75f, 0.125f, 1},
                     {135.9f, 34.72f, 12, 251, 17, -35, 4, 2.5f, 0.5f, 0, 2}};
    const GeoFrame g = map();
    ReadReport report("t");
    for (const bool geographic : {true, false}) {
        table.geographic = geographic;
        SlipModel model;
        ASSERT_TRUE(placepatchtable(table, &g, model, report));
        const std::string text = patchcsvtext(model, &g);
        EXPECT_EQ(text.substr(0, text.find('\n')),
                  geographic ? kPatchCsvGeoHeader : kPatchCsvKmHeader);
        const SlipFileRead r =
            readslipbuffer(reordered(text, {9, 3, 1, 7, 2, 8, 0, 5, 4, 6}), "e.CSV");
        SlipModel back;
        ASSERT_TRUE(placepatchtable(r.table, &g, back, report)) << r.report.summary({});
        ASSERT_EQ(back.size(), 2u);
        for (std::size_t i = 0; i < 2; ++i) expectpatch(back.patches[i], model.patches[i], 2e-3f);
    }
}

// A patch striking true north stays on its meridian wherever it lies on the
// conic map; its ends go back to the same degrees, also after the map moved.
TEST_F(SlipFiles, GeographicPatchIsPlacedThroughTheProjection) {
    PatchTable table;
    table.patches = {{136.8f, 35.3f, 10, 0, 90, 0, 20, 8, 1, 0, 1}};
    SlipModel model;
    ReadReport report("t");
    const GeoFrame g = map();
    ASSERT_TRUE(placepatchtable(table, &g, model, report));
    const auto check = [&] {
        const SlipPatch& p = model.patches[0];
        const GeoEdge& edge = model.geo[0];
        std::array<float, 4> e{};
        kmtogeo(proj, frame, p.x0, p.y0, e[0], e[1]);
        kmtogeo(proj, frame, p.x1, p.y1, e[2], e[3]);
        for (auto [got, want] : {std::pair{e[0], edge.lat0},
                                 {e[1], edge.lon0},
                                 {e[2], edge.lat1},
                                 {e[3], edge.lon1},
                                 {e[1], 136.8f},
                                 {e[3], 136.8f}})
            EXPECT_NEAR(got, want, 1e-4);
        // Field km are the map's km within a few per cent.
        EXPECT_NEAR(e[2] - e[0], 20 / 111.2, 0.008);
        EXPECT_NEAR(std::hypot(p.x1 - p.x0, p.y1 - p.y0), 20, 1e-4);
    };
    check();
    // The map moves east and south; the patch goes with the globe.
    ws.flat1 = 33.5f;
    ws.flon1 = 135;
    ws.flon2 = 138.5f;
    ASSERT_TRUE(setprojection(proj, ws) && rebasefield(ws, proj, frame));
    ASSERT_TRUE(replaceslipmodel(model, g));
    check();
}

TEST_F(SlipFiles, DamagedFilesSayWhereAndWhyAndGiveNothing) {
    const std::string inphead = "t1\nt2\n" + kInpHeader + "\n" + kPlaceholder + "\n";
    const std::string csvhead = std::string(kPatchCsvGeoHeader) + "\n";
    const struct {
        const char* name;
        std::string text;
        const char* summary;
    } cases[] = {
        {"a.inp", "t1\r\nt2\r\nPR1= .25\r\n",
         "a.inp: no element table (a line naming X-start and Kode)"},
        {"b.inp", inphead + "1 0 0 10 0 100 1 0 45 3 2\n1 0 0 1 1 400 0 0 90 1 1\n",
         "b.inp: no usable element, 1 point source (Kode 400/500) left out, 1 skipped (line 5: "
         "bottom 2 not below top 3)"},
        {"c.fsp", "% Mech : STRK = 10 DIP = 20 RAKE = 30\n35 135 5 1\n",
         "c.fsp, line 2: no column line (% LAT LON ... SLIP) before the first subfault"},
        {"d.fsp", "% LAT LON Z SLIP\n35 135 5 1\n",
         "d.fsp, line 2: no subfault size (Dx and Dz) before the first subfault"},
        {"e.param", "#Fault_segment = 1 Dx= 2km Dy= 2km\n 34 135 3 100 90 10 45\n",
         "e.param: no subfault column line (#Lat. Lon. depth slip rake strike dip)"},
        {"f.csv", "lon,lat,depth,strike,dip,rake,length,width\n1,2,3,4,5,6,7,8\n",
         "f.csv, line 1: no column slip_m"},
        {"g.csv", csvhead + "135,35,5,10,45,90,abc,3,1,0\n135,35,5,10,45,90,2,nan,1,0\n",
         "g.csv: no usable patch, 2 skipped (line 2: \"abc\" is not a number)"},
        {"h.csv", csvhead + "135,35,0.5,10,45,90,2,3,1,0\n",
         "h.csv: no usable patch, 1 skipped (line 2: upper edge 0.5606602 km above the surface)"},
        {"i.txt", "hello\n", "i.txt: not a slip model file (.inp, .fsp, .param or .csv)"},
    };
    const GeoFrame g = map();
    for (const auto& c : cases) {
        SlipFileRead r = readslipbuffer(c.text, c.name);
        PlacedModel placed;
        EXPECT_FALSE(placeslipfile(r, &g, placed)) << c.name;
        EXPECT_EQ(slipsummary(r, placed), c.summary);
        EXPECT_TRUE(r.table.patches.empty() && !r.inp && placed.model.empty()) << c.name;
    }
}

// The work state changes only when a file is usable.
TEST_F(SlipFiles, LoadingKeepsTheModelOfAFileThatCannotBeUsed) {
    test::ScratchDir dir;
    ws.slipmodel.patches = {SlipPatch{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}};
    ws.slipmodel.file = "old.csv";
    const SlipModel old = ws.slipmodel;
    const GeoFrame g = map();
    std::string summary;
    test::writefile(dir.file("bad.fsp"), "% LAT LON Z SLIP\n");
    EXPECT_FALSE(loadslipfile(ws, &g, dir.file("bad.fsp"), summary));
    EXPECT_EQ(summary, dir.file("bad.fsp") + ": no usable subfault");
    EXPECT_FALSE(loadslipfile(ws, &g, dir.file("none.csv"), summary));
    EXPECT_EQ(summary, dir.file("none.csv") + ": no such file");
    EXPECT_EQ(ws.slipmodel.patches, old.patches);
    EXPECT_EQ(ws.slipmodel.file, old.file);
    // A .inp file brings its medium, stress, receivers and section.
    ws.gridstale = false;
    test::writefile(dir.file("a.INP"), kInp);
    EXPECT_TRUE(loadslipfile(ws, &g, dir.file("a.INP"), summary));
    EXPECT_EQ(ws.slipmodel.size(), 3u);
    EXPECT_EQ(ws.slipmodel.file, dir.file("a.INP"));
    EXPECT_EQ(ws.medium.poisson, 0.26f);
    EXPECT_EQ(ws.receivers.size(), 1u);
    EXPECT_TRUE(ws.regionalstress.given && ws.sectiondefault.given && ws.gridstale);
    // Placed on the map, it is stored with its degrees and read back.
    ASSERT_TRUE(storepatchcsv(dir.file("back.csv"), ws.slipmodel, &g));
    EXPECT_TRUE(loadslipfile(ws, &g, dir.file("back.csv"), summary));
    EXPECT_EQ(summary, dir.file("back.csv") + ": 3 patches");
    EXPECT_EQ(ws.slipmodel.geo.size(), 3u);
}

TEST(SlipFormat, ByExtensionElseByContents) {
    const struct {
        const char* name;
        const char* text;
        SlipFormat format;
    } cases[] = {
        {"M.INP", "", SlipFormat::Inp},
        {"basic_inversion.param", "", SlipFormat::Param},
        {"model.Fsp", "", SlipFormat::Fsp},
        {"patches.csv", "", SlipFormat::Csv},
        {"model.txt", "% Made-up\n% LAT LON Z SLIP\n", SlipFormat::Fsp},
        {"model.txt", "title\ntitle\n#reg1= 0 #reg2= 0 #fixed= 2 sym= 1\n", SlipFormat::Inp},
        {"model", "#Fault_segment = 1 nx(Along-strike)= 2 Dx= 6.00km\n", SlipFormat::Param},
        {"model", "x_km,y_km,depth_km,slip_m\n", SlipFormat::Csv},
        {"model", "1 2 3\n", SlipFormat::Unknown},
    };
    for (const auto& c : cases) EXPECT_EQ(slipformatof(c.name, c.text), c.format) << c.text;
}

}  // namespace
}  // namespace crustex

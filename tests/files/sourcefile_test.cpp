#include "files/sourcefile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "files/filetestutil.h"
#include "files/sitefile.h"

namespace crustex {
namespace {

using test::crlflines;

struct SourceFile : test::FileFixture {
    SourceReadResult read(const std::string& text, const SourceFileHooks& hooks = {}) {
        return readsourcetext(ws, host, geo(), text, hooks);
    }
    static SourceFileHooks mapfilespresent() {
        SourceFileHooks hooks;
        hooks.checkmapdata = [](WorkState&) { return true; };
        return hooks;
    }
};

TEST_F(SourceFile, PlainFileWithThreeSources) {
    ws.nfault = 3;
    ws.fault[2] = defaultSource();
    ws.fault[2].fx0 = 10.5f;
    ws.fault[2].slip = 2;
    ws.fault[2].rakeangle = 0;
    ws.fault[2].tensile = -0.25f;
    ws.fault[3] = defaultSource();
    ws.fault[3].sourcetype = 1;
    ws.fault[3].piso = -1e-5f;
    const std::vector<std::string> expected = {
        "\"fltxy2\",3",
        "85,100,105,100,0,10,45,1,1.615545E-15,0,100,100,1,100,0",
        "10.5,100,105,100,0,10,45,0,2,-.25,100,100,1,100,0",
        "85,100,105,100,0,10,45,1,1.615545E-15,0,100,100,1,-1E-05,1",
    };
    const std::string text = sourcefiletext(ws);
    EXPECT_EQ(text.substr(0, 12), "\"fltxy2\",3\r\n");
    EXPECT_EQ(crlflines(text), expected);
}

// Also behind the byte-order mark an editor may put at the start.
TEST_F(SourceFile, KeywordsAreReadWithoutRegardToCase) {
    for (const char* kw : {"\"FLTXY2\"", "\"fltxy2\"", "\xEF\xBB\xBF\"FltXy2\""}) {
        ws.nfault = 1;
        host.messages.clear();
        const auto result =
            read(std::string(kw) + ",2\r\n" + "1,1,21,1,0,10,45,0,0,0,1,1,1,1,1\r\n" +
                 "5,5,25,5,0,10,45,0,0,0,1,1,1,1,0\r\n");
        EXPECT_TRUE(host.messages.empty()) << kw;
        EXPECT_EQ(result.nsources, 2) << kw;
        EXPECT_EQ(ws.nfault, 2) << kw;
        EXPECT_EQ(ws.fault[2].fx0, 5) << kw;
        EXPECT_EQ(ws.fault[1].sourcetype, 1) << kw;
    }
}

TEST_F(SourceFile, OldTenValueRecordsGetPointDefaults) {
    read("\"fltxy\",1\r\n1,1,21,1,3,10,45,-2,0,.5\r\n");
    ASSERT_EQ(ws.nfault, 1);
    const faultrec& f = ws.fault[1];
    EXPECT_EQ(std::tuple(f.fdepth, f.slip, f.rakeangle, f.tensile), std::tuple(3, 2, -90, 0.5f));
    EXPECT_EQ(std::tuple(f.px, f.py, f.pdepth, f.piso, f.sourcetype),
              std::tuple(100, 100, 1, 100, 0));
}

TEST_F(SourceFile, MessagesOfTheFailureTable) {
    const std::string rec = "1,1,21,1,0,10,45,1,0,0,100,100,1,100,0\r\n";
    struct Case {
        std::string text;
        std::vector<std::string> messages;
    } cases[] = {
        {"", {"Input Error"}},
        {"\r\n\r\n", {"Input Error"}},
        {"\"fltxy2\",0\r\n", {"No Fault"}},
        {"\"something\",\"else\"\r\n", {"No Fault"}},
        {"\"fltga2\",1\r\n35,135,0,90,45,90,20,10,1,0,35,135,1,100,0\r\n", {"No Map", "No Fault"}},
        {"\"fltxy2\",2\r\n" + rec + "1,2,3", {"Input Error"}},
        {"\"fltxy2\",1\r\n" + rec + "\"fltxy2\",0\r\n", {"No Fault"}},
        {"\"maparea\",34,134,36,137\r\n\"fltxy2\",1\r\n" + rec,
         {"Map File not Exist in /nowhere/"}},
    };
    for (const Case& c : cases) {
        ws.mappath = "/nowhere/";
        ws.nfault = 9;
        host.messages.clear();
        read(c.text);
        EXPECT_EQ(texts(), c.messages) << c.text;
        EXPECT_EQ(ws.nfault, 9) << c.text;  // the old sources stay
    }
}

TEST_F(SourceFile, MapAreaShowsTheMapDialogThenGeographicSourcesFollowIt) {
    SourceFileHooks hooks = mapfilespresent();
    std::vector<float> corners;
    hooks.showmapdialog = [&](float a, float b, float c, float d) {
        corners = {a, b, c, d};
        ws.flat1 = a;
        ws.flon1 = b;
        ws.flat2 = c;
        ws.flon2 = d;
        ws.needmap = true;
        ASSERT_TRUE(setprojection(proj, ws));
    };
    const auto result = read(
        "\"maparea\",34,134,36,137\r\n"
        "\"fltga2\",1\r\n35,135,5,90,45,90,20,10,1,0,35.5,135.5,2,100,0\r\n"
        "\"fltgd\",1\r\n35,135,5,0,45,20,10,0,-3,0\r\n",
        hooks);
    EXPECT_EQ(corners, (std::vector<float>{34, 134, 36, 137}));
    EXPECT_TRUE(host.messages.empty());
    ASSERT_EQ(result.nsources, 1);
    // The last list read wins: the "fltgd" fault strikes north, right-lateral.
    const faultrec& f = ws.fault[1];
    float lat = 0, lon = 0;
    kmtogeo(proj, frame, f.fx0, f.fy0, lat, lon);
    EXPECT_NEAR(lat, 35, 1e-4);
    EXPECT_NEAR(lon, 135, 1e-4);
    EXPECT_NEAR(std::hypot(f.fx1 - f.fx0, f.fy1 - f.fy0), 20, 1e-3);
    EXPECT_GT(f.fy1, f.fy0 + 19);
    EXPECT_EQ(f.slip, 3);
    EXPECT_EQ(f.rakeangle, 180);
    EXPECT_EQ(f.px, 100);
    // Written back: the map range, then the sources in degrees (their round
    // trip is the work-file test's).
    const std::string text = sourcemapfiletext(ws, geo());
    EXPECT_EQ(text.substr(0, 37), "\"maparea\",34,134,36,137\r\n\"fltga2\",1\r\n");
    EXPECT_EQ(read(text, hooks).nsources, 1);
}

// The map on over the default range (conic, central meridian 135.5 E).
struct SiteFile : test::FileFixture {
    void SetUp() override {
        test::FileFixture::SetUp();
        ws.needmap = true;
        ASSERT_TRUE(setprojection(proj, ws));
    }
    SiteReadResult read(const std::string& text, const SourceFileHooks& hooks = {}) {
        return readsitetext(ws, host, geo(), text, hooks);
    }
    const siterec& site(int k) const { return ws.site[static_cast<std::size_t>(k)]; }
};

TEST_F(SiteFile, EachBlockReplacesTheListAndItsKind) {
    const auto r = read(
        "\"obd\",3\r\n\"A\",35,135,0,1,2\r\n\"B\",35,136,0,3,4\r\n\"C\",35,134,0,5,6\r\n"
        "\"obz\",2\r\n\"D\",34.5,135.5,0.5,-7\r\n\"E\",35.5,135,0,8\r\n");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(r.settled);
    EXPECT_EQ(ws.nsite, 2);
    EXPECT_EQ(ws.obskind, "uz");
    EXPECT_EQ(site(1).name, "D");
    EXPECT_EQ(site(1).obsdz, -7);
    EXPECT_EQ(site(2).obsdz, 8);
    // Nothing of the displacement block is carried over.
    for (int k : {1, 2}) {
        EXPECT_EQ(site(k).obsdx, kNoValue);
        EXPECT_EQ(site(k).obsdy, kNoValue);
    }
    EXPECT_EQ(site(1).depth, -0.5f);
    float x = 0, y = 0;
    geotokm(proj, frame, 34.5f, 135.5f, x, y);
    EXPECT_EQ(site(1).x, x);
    EXPECT_EQ(site(1).y, y);
    EXPECT_TRUE(ws.showobsdatachecked);
    EXPECT_TRUE(ws.gridstale);
}

// "Input Error" for a block read in part: a count beyond the records present
// (an upper-case keyword), garbage (which ends the reading), a site at
// latitude 95 or 1000 km high (left out, the others read). The sites read
// stay and are shown.
TEST_F(SiteFile, InputErrorKeepsTheSitesRead) {
    const struct {
        const char* text;
        const char* kind;
        float siterec::*value;
        float last;  // of the second site, the last one read
    } cases[] = {
        {"OBD3,5\r\n\"A\",35,135.5,0,1.5,-2,3\r\n\"B\",35,135.5,0,0,0,-4\r\n", "displacement3",
         &siterec::obsdz, -4},
        {"obv,3\r\nA,35,135,0,0.25\r\nB,35,135,0,-1\r\nC,35,abc,0,2\r\n", "vstrain",
         &siterec::obsvstrain, -1},
        {"obz,4\r\nA,35,135,0,1\r\nB,95,135,0,2\r\nC,35,135,1000,3\r\nD,35,136,-2,4\r\n", "uz",
         &siterec::obsdz, 4},
    };
    for (const auto& c : cases) {
        host.messages.clear();
        ws.showobsdatachecked = false;
        const auto r = read(c.text);
        EXPECT_EQ(texts(), std::vector<std::string>{"Input Error"}) << c.kind;
        EXPECT_TRUE(r.inputerror && r.settled) << c.kind;
        ASSERT_EQ(ws.nsite, 2) << c.kind;
        EXPECT_EQ(ws.obskind, c.kind);
        EXPECT_EQ(site(2).*c.value, c.last) << c.kind;
        EXPECT_TRUE(ws.showobsdatachecked) << c.kind;
    }
}

// On the central meridian the meridian angle is 0 and east and north go
// unchanged to x and y. East of it the meridians lean towards the pole,
// up and to the left on the plot: a northward displacement must get a
// negative x. Checked against the plot itself: the field vector of 1 mm
// north points from the site to a point a little north of it, and 1 mm
// east at right angles clockwise from that, both keeping their length.
TEST_F(SiteFile, EastAndNorthAreTurnedIntoTheFieldAxes) {
    read("obd,3\r\nM,35,135.5,0,1.5,-2\r\nN,35,136.8,0,0,1\r\nE,35,136.8,0,1,0\r\n");
    EXPECT_EQ(meridianangle(proj, 135.5f), 0.0f);
    EXPECT_EQ(site(1).obsdx, 1.5f);
    EXPECT_EQ(site(1).obsdy, -2.0f);

    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    geotokm(proj, frame, 35, 136.8f, x0, y0);
    geotokm(proj, frame, 35.01f, 136.8f, x1, y1);
    const double len = std::hypot(x1 - x0, y1 - y0);
    const double nx = (x1 - x0) / len, ny = (y1 - y0) / len;
    EXPECT_LT(site(2).obsdx, -0.005f);
    EXPECT_NEAR(site(2).obsdx, nx, 1e-4);
    EXPECT_NEAR(site(2).obsdy, ny, 1e-4);
    EXPECT_NEAR(site(3).obsdx, ny, 1e-4);
    EXPECT_NEAR(site(3).obsdy, -nx, 1e-4);
}

TEST_F(SiteFile, NoValueTextsAreMissingAndOneMissingComponentTakesBoth) {
    read(
        "obd3,2\r\nA,35,135,0,nan,2,inf\r\nB,35,135,0,1e39,-Infinity,9.999E+99\r\n"
        "obt1,1\r\nT,35,135,0,3,NaN\r\n");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(ws.nsite, 1);
    EXPECT_EQ(site(1).obstilt1x, kNoValue);
    EXPECT_EQ(site(1).obstilt1y, kNoValue);
    read("obd3,2\r\nA,35,135,0,nan,2,inf\r\nB,35,135,0,1e39,-Infinity,-1E30\r\n");
    for (int k : {1, 2}) {
        EXPECT_EQ(site(k).obsdx, kNoValue) << k;
        EXPECT_EQ(site(k).obsdy, kNoValue) << k;
        EXPECT_EQ(site(k).obsdz, kNoValue) << k;
    }
}

// A count of 30000 stops at 200 sites with one warning; the records it has
// no room for are passed over, not taken for keywords (the 201st is named
// like a block).
TEST_F(SiteFile, TwoHundredSitesAtMost) {
    std::string text = "obd,30000\r\n";
    for (int k = 1; k <= 203; ++k) {
        text.append(k == 201 ? "obz" : "S").append(k == 201 ? "" : std::to_string(k));
        text += ",35,135,0,1,2\r\n";
    }
    read(text);
    EXPECT_EQ(texts(), std::vector<std::string>{"You can Take only 200 Sites"});
    EXPECT_EQ(host.messages[0].title, "Warning");
    EXPECT_EQ(ws.nsite, 200);
    EXPECT_EQ(ws.obskind, "displacement");
    EXPECT_EQ(site(200).name, "S200");
}

TEST_F(SiteFile, MapOffNoSiteAndMapArea) {
    ws.nsite = 1;
    ws.site[1].name = "old";
    ws.needmap = false;
    auto r = read("\"Made up for a test\",obs,1\r\nA,35,135,0\r\n");
    EXPECT_TRUE(r.nomap);
    EXPECT_FALSE(r.settled);
    EXPECT_EQ(ws.nsite, 1);
    EXPECT_EQ(host.messages.at(0).text, "No Map");
    EXPECT_EQ(host.messages.at(0).title, "Error");

    // "maparea" shows the map dialog, whose OK switches the map on.
    host.messages.clear();
    std::vector<float> corners;
    SourceFileHooks hooks = SourceFile::mapfilespresent();
    hooks.showmapdialog = [&](float a, float b, float c, float d) {
        corners = {a, b, c, d};
        ws.needmap = true;
    };
    ws.showgriddatachecked = true;
    r = read("maparea,34.5,135,35.5,136.5\r\nobs,0\r\n", hooks);
    EXPECT_EQ(corners, (std::vector<float>{34.5f, 135, 35.5f, 136.5f}));
    EXPECT_EQ(texts(), std::vector<std::string>{"No Site"});
    EXPECT_EQ(host.messages[0].title, "Waring");
    EXPECT_TRUE(r.settled);
    EXPECT_EQ(ws.nsite, 0);
    EXPECT_FALSE(ws.showobsdatachecked);
    EXPECT_FALSE(ws.showgriddatachecked);
}

}  // namespace
}  // namespace crustex

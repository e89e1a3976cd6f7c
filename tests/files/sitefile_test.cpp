#include "files/sitefile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "files/filetestutil.h"

namespace crustex {
namespace {

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

// Upper-case keywords; a count beyond the records present ends the block
// at the end of the file without a message.
TEST_F(SiteFile, UpperCaseKeywordAndShortBlock) {
    read("OBD3,5\r\n\"A\",35,135.5,0,1.5,-2,3\r\n\"B\",35,135.5,0,0,0,-4\r\n");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(ws.nsite, 2);
    EXPECT_EQ(ws.obskind, "displacement3");
    EXPECT_EQ(site(1).obsdz, 3);
    EXPECT_EQ(site(2).obsdz, -4);
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

// Garbage ends the reading with "Input Error"; the sites read so far stay
// and are shown.
TEST_F(SiteFile, GarbageKeepsTheSitesReadSoFar) {
    const auto r = read("obv,3\r\nA,35,135,0,0.25\r\nB,35,135,0,-1\r\nC,35,abc,0,2\r\n");
    EXPECT_EQ(texts(), std::vector<std::string>{"Input Error"});
    EXPECT_TRUE(r.inputerror);
    EXPECT_TRUE(r.settled);
    EXPECT_EQ(ws.nsite, 2);
    EXPECT_EQ(ws.obskind, "vstrain");
    EXPECT_EQ(site(2).obsvstrain, -1);
    EXPECT_TRUE(ws.showobsdatachecked);
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
    SourceFileHooks hooks;
    hooks.checkmapdata = [](WorkState&) { return true; };
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

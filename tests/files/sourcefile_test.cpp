#include "files/sourcefile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "files/filetestutil.h"

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
        // Both components 0: slip 0 and a rake of a quarter turn.
        EXPECT_EQ(ws.fault[1].slip, 0) << kw;
        EXPECT_EQ(ws.fault[1].rakeangle, 90) << kw;
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
        {"\"fltxy2\",1\r\n1,1,21,1,0,10,45,1,0,0,100,100,1,100,2\r\n", {"Input Error"}},
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
}

TEST_F(SourceFile, MapFileLayoutAndReadBack) {
    ws.needmap = true;
    ASSERT_TRUE(setprojection(proj, ws));
    ws.fault[1].fy1 = 110;
    const std::string text = sourcemapfiletext(ws, geo());
    EXPECT_EQ(text.substr(0, 37), "\"maparea\",34,134,36,137\r\n\"fltga2\",1\r\n");
    ws.fault[1] = faultrec{};
    EXPECT_EQ(read(text, mapfilespresent()).nsources, 1);
    EXPECT_NEAR(ws.fault[1].fy1, 110, 0.01);  // 7 digits of a longitude: about 5 m
}

TEST(MapData, CoastFileIsFoundWithoutRegardToCase) {
    test::ScratchDir dir;
    WorkState ws;
    setdefaults(ws, dir.str());
    ws.mappath = dir.str() + "/";
    ws.needmap = true;
    EXPECT_FALSE(coastfilepresent(ws));
    EXPECT_FALSE(ws.needmap);
    test::writefile(dir.file("JapanV.MAP"), "x");
    ws.needmap = true;
    EXPECT_TRUE(coastfilepresent(ws));
    EXPECT_TRUE(ws.needmap);
}

}  // namespace
}  // namespace crustex

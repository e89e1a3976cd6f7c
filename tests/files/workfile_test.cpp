#include "files/workfile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/filetestutil.h"
#include "support/scriptedhost.h"

namespace crustex {
namespace {

using test::crlflines;
using test::ScratchDir;
using test::ScriptedHost;

faultrec planesource(float x0, float slip, float rake, int16_t type = 0) {
    faultrec f = defaultSource();
    f.fx0 = x0;
    f.fx1 = x0 + 20;
    f.slip = slip;
    f.rakeangle = rake;
    f.sourcetype = type;
    return f;
}

struct Fixture : ::testing::Test {
    WorkState ws;
    Projection proj;
    PlotFrame frame;
    ScriptedHost host;
    void SetUp() override {
        setdefaults(ws, "/data/crustex");
        ASSERT_TRUE(setplotframe(frame, ws.rwidth));
    }
    GeoFrame geo() { return {proj, frame}; }
    WorkReadResult read(const std::string& text, const MapDataCheck& check = coastfilepresent) {
        return readworktext(ws, host, proj, frame, text, check);
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> t;
        for (const auto& m : host.messages) t.push_back(m.text);
        return t;
    }
};

using WorkFile = Fixture;

TEST_F(WorkFile, StartUpStateLayoutLineByLine) {
    const std::vector<std::string> expected = {
        "//// This is a work-file for CRUSTEX. You should not edit this. ////",
        "\"vhyppath\",\"/data/crustex/data/Vhyp102.ep\"",
        "\"maparea\",34,134,36,137",
        "\"mapextra\",#FALSE#,#FALSE#,1,3,1,3,1,#FALSE#,#FALSE#,#FALSE#,#FALSE#,#FALSE#",
        "\"eventpara\",#1995-01-01#,#1995-12-31 23:59:00#,0,100,3,9",
        "\"cffpara\",.3",
        "\"cffextra\",0,90,0",
        "\"visualpara\",.01,9,.0001,7,1,#TRUE#,.1,.1,.1",
        "\"custompara\",0,0,0,0,0,0,0,0,0",
        "\"fieldpara\",20,170,20,170,240,20,20,0,#FALSE#,100,100,10,0,10",
        "\"fltxy\",1",
        "85,100,105,100,0,10,45,1,1.615545E-15,0,100,100,1,100,0",
    };
    ws.fyz = 5;  // never written: the eighth custom value stays 0
    EXPECT_EQ(crlflines(workfiletext(ws, geo())), expected);
}

TEST_F(WorkFile, EveryValueReadsBackAsWritten) {
    WorkState written;
    setdefaults(written, "/data/crustex");
    written.vhyppath = "/cat, with comma/v.ep";
    written.flat1 = 33.5f;
    written.flon2 = 139.25f;
    written.needevent = true;
    written.projection = 2;
    written.faultclass = {true, false, true, false};
    written.dlat = 0.5f;
    written.eventend = {2001, 3, 4, 5, 6, 7};
    written.friction = 0.4f;
    written.cffstrike = -30;
    written.cline = 0.25f;
    written.peakvalue = false;
    written.scaletype = 0;
    written.fx = 1.5f;
    written.fzx = -2;
    written.xview0 = 10;
    written.ygrid = 33;
    written.inclined = true;
    written.obsincdip = 30;
    written.nfault = 3;
    written.fault[1] = planesource(10, 2, 90);
    written.fault[2] = planesource(30, 1.5f, -45);
    written.fault[3] = planesource(50, 3, 180, 1);
    const std::string text = workfiletext(written, {proj, frame});
    const auto result = read(text);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(result.nsources, 3);
    EXPECT_TRUE(result.fieldframe);
    EXPECT_EQ(result.colormode, "nomap");
    EXPECT_EQ(ws.vhyppath, written.vhyppath);
    EXPECT_EQ(ws.flat1, written.flat1);
    EXPECT_EQ(ws.flon2, written.flon2);
    EXPECT_EQ(ws.needevent, true);
    EXPECT_EQ(ws.projection, 2);
    EXPECT_EQ(ws.faultclass, written.faultclass);
    EXPECT_EQ(ws.dlat, 0.5f);
    EXPECT_EQ(ws.eventend, written.eventend);
    EXPECT_EQ(ws.friction, 0.4f);
    EXPECT_EQ(ws.cffstrike, -30);
    EXPECT_EQ(ws.cline, 0.25f);
    EXPECT_FALSE(ws.peakvalue);
    EXPECT_EQ(ws.scaletype, 0);
    EXPECT_EQ(ws.fx, 1.5f);
    EXPECT_EQ(ws.fzx, -2);
    EXPECT_EQ(ws.xview0, 10);
    EXPECT_EQ(ws.ygrid, 33);
    EXPECT_TRUE(ws.inclined);
    EXPECT_EQ(ws.obsincdip, 30);
    EXPECT_EQ(ws.nfault, 3);
    for (int k = 1; k <= 3; ++k) {
        const faultrec& a = written.fault[k];
        const faultrec& b = ws.fault[k];
        EXPECT_EQ(b.fx0, a.fx0);
        EXPECT_EQ(b.fx1, a.fx1);
        EXPECT_EQ(b.fdipangle, a.fdipangle);
        EXPECT_FLOAT_EQ(b.slip, a.slip);
        EXPECT_NEAR(b.rakeangle, a.rakeangle, 1e-4);
        EXPECT_EQ(b.sourcetype, a.sourcetype);
    }
    // Reading a work file leaves nothing to display and every result stale.
    EXPECT_EQ(ws.quantitykey, "");
    EXPECT_TRUE(ws.gridstale && ws.cffstale);
    EXPECT_EQ(host.menuChanges, (std::vector<bool>{false, true}));
}

TEST_F(WorkFile, PlaneRecordSlipAndRake) {
    struct Case {
        float slip, rake;
        float wantslip, wantrake;
    } cases[] = {{2, 90, 2, 90}, {2, 0, 2, 0}, {2, -90, 2, -90}, {0, 30, 0, 90}, {1, 180, 1, 180}};
    for (const Case& c : cases) {
        ws.nfault = 1;
        ws.fault[1] = planesource(10, c.slip, c.rake);
        const std::string text = workfiletext(ws, geo());
        ws.fault[1] = faultrec{};
        read(text);
        EXPECT_FLOAT_EQ(ws.fault[1].slip, c.wantslip) << c.slip << " " << c.rake;
        EXPECT_NEAR(ws.fault[1].rakeangle, c.wantrake, 1e-4) << c.slip << " " << c.rake;
    }
}

TEST_F(WorkFile, SourceListCounts) {
    const std::string rec = "1,1,21,1,0,10,45,1,0,0,100,100,1,100,0\r\n";
    auto list = [&](int count, int records) {
        std::string t = "\"fltxy\"," + std::to_string(count) + "\r\n";
        for (int i = 0; i < records; ++i) t += rec;
        return t;
    };
    struct Case {
        std::string text;
        int16_t nfault;
        std::vector<std::string> messages;
    } cases[] = {
        {list(25, 25), 20, {"You can Take only 20 Faults"}},
        {list(5, 3), 3, {}},
        {list(30000, 2), 2, {}},
        {list(20, 20), 20, {}},
        {list(0, 0), 7, {"No Fault"}},
        {list(-3, 0), 7, {"No Fault"}},
        {"\"FLTXY\",2\r\n" + rec + rec, 7, {"No Fault"}},  // keywords are case-sensitive here
        {"\"fltxy2\",2\r\n" + rec + rec, 7, {"No Fault"}},
        {"", 7, {"No Fault"}},
    };
    for (const Case& c : cases) {
        host.messages.clear();
        ws.nfault = 7;
        read(c.text);
        EXPECT_EQ(ws.nfault, c.nfault) << c.text.substr(0, 20);
        EXPECT_EQ(texts(), c.messages) << c.text.substr(0, 20);
    }
}

// Damaged files: "Input Error", the old sources stay, records before the
// damage are applied, the damaged record is not.
TEST_F(WorkFile, DamagedFilesKeepTheSources) {
    const std::string good = "\"maparea\",30,130,40,140\r\n";
    const std::string cases[] = {
        "\"fltxy\",2\r\n1,1,21,1,0,10,45,1,0,0,100,100,1,100,0\r\n1,1,21",
        "\"fltxy\",1\r\n1,1,21,1,0,10,45,1,0,0,100,100,1,100,x\r\n",
        "\"fltxy\",1\r\n1,1,21,1,0,10,45,1e400,0,0,100,100,1,100,0\r\n",
        "\"fltxy\",1e9\r\n",
        "\"eventpara\",#2023-13-45#,#1995-12-31#,0,100,3,9\r\n",
        "\"fieldpara\",20,170,20,170,240,0,20,0,#FALSE#,100,100,10,0,10\r\n",
        "\"fieldpara\",20,170,20,170,0,20,20,0,#FALSE#,100,100,10,0,10\r\n",
        "\"fieldpara\",20,170,20,170,240,30000,30000,0,#FALSE#,100,100,10,0,10\r\n",
        "\"visualpara\",0,9,.0001,7,1,#TRUE#,.1,.1,.1\r\n",
        "\"visualpara\",.01,9,.0001,7,1,#MAYBE#,.1,.1,.1\r\n",
        "\"mapextra\",#FALSE#,#FALSE#,1,3,1,3,0,#FALSE#,#FALSE#,#FALSE#,#FALSE#,#FALSE#\r\n",
        "\"custompara\",1,2,3\r\n",
        "\"vhyppath\",\"unterminated\r\n",
        std::string("\"fltxy\",1\r\n\x01\x02\xff\xfe,\0\0", 18),
    };
    for (const std::string& bad : cases) {
        WorkState before;
        setdefaults(before, "/data/crustex");
        ws = before;
        ws.nfault = 2;
        ws.fault[2] = planesource(40, 3, 45);
        ws.quantitykey = "uz";
        host.messages.clear();
        const auto result = read(good + bad);
        ASSERT_EQ(texts(), std::vector<std::string>{"Input Error"}) << bad;
        EXPECT_TRUE(result.inputerror);
        EXPECT_EQ(result.nsources, 0);
        EXPECT_EQ(ws.nfault, 2) << bad;
        EXPECT_EQ(ws.fault[2], planesource(40, 3, 45)) << bad;
        EXPECT_EQ(ws.flat1, 30) << bad;
        EXPECT_EQ(ws.xgrid, before.xgrid) << bad;
        EXPECT_EQ(ws.rwidth, before.rwidth) << bad;
        EXPECT_EQ(ws.cline, before.cline) << bad;
        EXPECT_EQ(ws.eventstart, before.eventstart) << bad;
        EXPECT_EQ(ws.quantitykey, "");
        EXPECT_TRUE(host.menusEnabled);
    }
}

TEST_F(WorkFile, CustomYzWeightIsNeverRead) {
    ws.fyz = 4;
    read("\"custompara\",1,2,3,4,5,6,7,8,9\r\n");
    EXPECT_EQ(ws.fxy, 7);
    EXPECT_EQ(ws.fyz, 4);
    EXPECT_EQ(ws.fzx, 9);
}

TEST_F(WorkFile, FieldRecordSetsThePlotWindow) {
    read("\"fieldpara\",20,170,20,170,320,20,20,0,#FALSE#,100,100,10,0,10\r\n");
    EXPECT_EQ(frame.fieldwidth, 320);
    EXPECT_EQ(frame.fieldheight, 320.0f * 51 / 64);
}

TEST_F(WorkFile, InclinedFieldGetsItsDepthLines) {
    read("\"fieldpara\",20,170,20,170,240,20,20,0,#TRUE#,100,100,10,0,10\r\n");
    ASSERT_TRUE(ws.inclined);
    bool any = false;
    for (int i = 1; i <= 5; ++i) any = any || ws.incx0[i] != 0 || ws.incy0[i] != 0;
    EXPECT_TRUE(any);
}

TEST_F(WorkFile, GeographicSourcesRoundTripWithTheMap) {
    ws.needmap = true;
    ASSERT_TRUE(setprojection(proj, ws));
    ws.nfault = 2;
    ws.fault[1] = planesource(60, 2, 90);
    ws.fault[2] = planesource(90, 1, 30, 1);
    ws.fault[2].fy1 = 130;
    ws.fault[2].px = 70;
    ws.fault[2].py = 150;
    const WorkState written = ws;
    const std::string text = workfiletext(ws, geo());
    EXPECT_NE(text.find("\"fltga\",2\r\n"), std::string::npos);
    for (int k = 1; k <= 2; ++k) ws.fault[k] = faultrec{};
    proj = Projection{};
    const auto result = read(text, [](WorkState&) { return true; });
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(result.drawmap);
    EXPECT_TRUE(result.clearbackground);
    EXPECT_EQ(result.colormode, "map");
    ASSERT_EQ(result.nsources, 2);
    for (int k = 1; k <= 2; ++k) {
        const faultrec& a = written.fault[k];
        const faultrec& b = ws.fault[k];
        EXPECT_NEAR(b.fx0, a.fx0, 0.01);  // 7 digits of a longitude: about 5 m
        EXPECT_NEAR(b.fy0, a.fy0, 0.01);  // 7 digits of a longitude: about 5 m
        EXPECT_NEAR(b.fx1, a.fx1, 0.01);  // 7 digits of a longitude: about 5 m
        EXPECT_NEAR(b.fy1, a.fy1, 0.01);  // 7 digits of a longitude: about 5 m
        EXPECT_NEAR(b.px, a.px, 0.01);    // 7 digits of a longitude: about 5 m
        EXPECT_NEAR(b.py, a.py, 0.01);    // 7 digits of a longitude: about 5 m
        EXPECT_EQ(b.rakeangle, a.rakeangle);
        EXPECT_EQ(b.slip, a.slip);
        EXPECT_EQ(b.sourcetype, a.sourcetype);
    }
}

TEST_F(WorkFile, GeographicSourcesWithoutMapFilesStopTheReading) {
    ws.mappath = "/nowhere/map/";
    ws.needmap = true;
    const auto result =
        read("\"fltga\",1\r\n35,135,0,90,45,90,20,10,1,0,35,135,1,100,0\r\n\"cffpara\",.9\r\n");
    EXPECT_EQ(texts(), std::vector<std::string>{"Map File not Exist in /nowhere/map/"});
    EXPECT_EQ(host.messages[0].title, "Error");
    EXPECT_TRUE(result.mapmissing);
    EXPECT_EQ(result.colormode, "nomap");
    EXPECT_FALSE(result.drawmap);
    EXPECT_FALSE(ws.needmap);  // the coast-file check finds it missing
    EXPECT_EQ(ws.friction, 0.3f);
    EXPECT_EQ(ws.nfault, 1);
}

TEST_F(WorkFile, StoreAndReadThroughFiles) {
    ScratchDir dir;
    const std::string path = dir.file("a.wrk.txt");
    ws.cffdip = 60;
    ASSERT_TRUE(storework(ws, host, geo(), path));
    ws.cffdip = 10;
    const auto result = readworkfile(ws, host, proj, frame, path);
    EXPECT_TRUE(result.opened);
    EXPECT_EQ(ws.cffdip, 60);

    EXPECT_FALSE(storework(ws, host, geo(), dir.file("missing/dir/a.wrk.txt")));
    EXPECT_FALSE(readworkfile(ws, host, proj, frame, dir.file("none.wrk.txt")).opened);
    EXPECT_EQ(texts(), (std::vector<std::string>{"Open Error", "Open Error"}));
    EXPECT_TRUE(host.menusEnabled);
}

}  // namespace
}  // namespace crustex

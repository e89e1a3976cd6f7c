#include "files/workfile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/filetestutil.h"
#include "geo/eventcatalogue.h"

namespace crustex {
namespace {

using test::crlflines;
using test::planesource;

struct WorkFile : test::FileFixture {
    WorkReadResult read(const std::string& text, const MapDataCheck& check = coastfilepresent) {
        return readworktext(ws, host, proj, frame, text, check);
    }
};

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

// Written text read back gives the same text again: every written value is
// read into its own field. Both ways between the start-up state and one
// where a value of every record differs.
TEST_F(WorkFile, EveryValueReadsBackAsWritten) {
    const std::string starttext = workfiletext(ws, geo());
    ws.vhyppath = "/cat, with comma/v.ep";
    ws.flon2 = 139.25f;
    ws.faultclass = {true, false, true, false};
    ws.projection = 2;
    ws.eventend = {2001, 3, 4, 5, 6, 7};
    ws.friction = 0.4f;
    ws.cffstrike = -30;
    ws.peakvalue = false;
    ws.rstrain = 2;
    ws.fzx = -2;
    ws.rwidth = 320;
    ws.ygrid = 33;
    ws.inclined = true;
    ws.obsincdip = 30;
    // Slip, rake and the rake read back: both components 0 give a quarter turn.
    const float sources[][3] = {
        {2, 90, 90}, {1.5f, -90, -90}, {3, 180, 180}, {0, 30, 90}, {2, 0, 0}};
    ws.nfault = 5;
    for (int k = 1; k <= 5; ++k)
        ws.fault[k] = planesource(10.0f * k, sources[k - 1][0], sources[k - 1][1], k == 3);
    const std::string changedtext = workfiletext(ws, geo());

    read(starttext);
    EXPECT_EQ(workfiletext(ws, geo()), starttext);
    ws.fyz = -1;
    ws.quantitykey = "uz";
    host.menuChanges.clear();
    const auto result = read(changedtext);
    EXPECT_EQ(workfiletext(ws, geo()), changedtext);
    for (int k = 1; k <= 5; ++k) {
        EXPECT_FLOAT_EQ(ws.fault[k].slip, sources[k - 1][0]) << k;
        EXPECT_NEAR(ws.fault[k].rakeangle, sources[k - 1][2], 1e-4) << k;
    }
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(result.nsources, 5);
    EXPECT_EQ(result.colormode, "nomap");
    EXPECT_EQ(ws.fyz, -1);
    // The plot window follows the field width; the inclined field gets its lines.
    EXPECT_TRUE(result.fieldframe);
    EXPECT_EQ(frame.fieldwidth, 320);
    EXPECT_EQ(frame.fieldheight, 320.0f * 51 / 64);
    EXPECT_NE(ws.incx0[1], 0);
    // Reading a work file leaves nothing to display and every result stale.
    EXPECT_EQ(ws.quantitykey, "");
    EXPECT_TRUE(ws.gridstale && ws.cffstale);
    EXPECT_EQ(host.menuChanges, (std::vector<bool>{false, true}));
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

TEST_F(WorkFile, TwentyFiveSourcesKeepTheFirstTwentyAndReadOnFromTheTwentyFirst) {
    std::string text = "\"fltxy\",25\r\n";
    for (int i = 0; i < 20; ++i)
        text += std::to_string(i) + ",1,30,1,0,10,45,1,0,0,100,100,1,100,0\r\n";
    // The 21st record's first value is taken for the next keyword.
    text += "\"cffpara\",.45\r\n";
    const auto result = read(text);
    EXPECT_EQ(texts(), std::vector<std::string>{"You can Take only 20 Faults"});
    EXPECT_EQ(host.messages[0].title, "Warning");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(result.nsources, 20);
    EXPECT_EQ(ws.fault[20].fx0, 19);
    EXPECT_EQ(ws.friction, 0.45f);
}

// Damaged files: "Input Error", nothing crashes, the old sources stay,
// records before the damage are applied and the damaged one is not.
TEST_F(WorkFile, DamagedFilesKeepTheSources) {
    const std::string good = "\"maparea\",30,130,40,140\r\n";
    const std::string rec = "1,1,21,1,0,10,45,1,0,0,100,100,1,100,0\r\n";
    const std::string cases[] = {
        "\"fltxy\",2\r\n" + rec + "1,1,21",
        "\"fltxy\",30000\r\n" + rec + rec + "1,1,21,1,0",
        "\"fltxy\",1\r\n1,1,21,1,0,10,45,1,0,0,100,100,1,100,x\r\n",
        "\"fltxy\",1\r\n1,1,21,1,0,10,45,1e400,0,0,100,100,1,100,0\r\n",
        "\"fltxy\",1e9\r\n",
        std::string("\"fltxy\",1\r\n\x01\x02\xff\xfe,\0\0", 18),
        std::string(10 * 1024 * 1024, 'a') + "\r\n",
        "\"maparea\",95,130,40,140\r\n",
        "\"eventpara\",#2023-13-45#,#1995-12-31#,0,100,3,9\r\n",
        "\"eventpara\",#2000-01-01#,#1995-12-31#,0,100,3\r\n",
        "\"fieldpara\",20,170,20,170,240,0,20,0,#FALSE#,100,100,10,0,10\r\n",
        "\"fieldpara\",20,170,20,170,0,20,20,0,#FALSE#,100,100,10,0,10\r\n",
        "\"fieldpara\",20,170,20,170,240,30000,30000,0,#FALSE#,100,100,10,0,10\r\n",
        "\"visualpara\",0,9,.0001,7,1,#TRUE#,.1,.1,.1\r\n",
        "\"visualpara\",.01,9,.0001,7,1,#MAYBE#,.1,.1,.1\r\n",
        "\"mapextra\",#FALSE#,#FALSE#,1,3,1,3,0,#FALSE#,#FALSE#,#FALSE#,#FALSE#,#FALSE#\r\n",
        "\"custompara\",1,2,3\r\n",
        "\"cffextra\",5,5\r\n",
        "\"vhyppath\",\"unterminated\r\n",
    };
    for (const std::string& bad : cases) {
        const std::string what = bad.substr(0, 40);
        setdefaults(ws, "/data/crustex");
        ws.nfault = 2;
        ws.fault[2] = planesource(40, 3, 45);
        ws.quantitykey = "uz";
        WorkState expected = ws;
        expected.flat1 = 30;
        expected.flon1 = 130;
        expected.flat2 = 40;
        expected.flon2 = 140;
        host.messages.clear();
        const auto result = read(good + bad);
        ASSERT_EQ(texts(), std::vector<std::string>{"Input Error"}) << what;
        EXPECT_TRUE(result.inputerror) << what;
        EXPECT_EQ(result.nsources, 0) << what;
        EXPECT_EQ(workfiletext(ws, geo()), workfiletext(expected, geo())) << what;
        EXPECT_EQ(frame.fieldwidth, 240) << what;
        EXPECT_EQ(ws.quantitykey, "");
        EXPECT_TRUE(host.menusEnabled);
    }
}

TEST_F(WorkFile, GeographicSourcesRoundTripWithTheMap) {
    ws.needmap = true;
    // With earthquakes switched on, the catalogue is read for the window.
    test::ScratchDir dir;
    ws.needevent = true;
    ws.vhyppath = dir.file("cat.ep");
    EventRecord quake{static_cast<float>(eventinstant({1995, 6, 1, 0, 0, 0}).day),
                      75,
                      0,
                      35.5f,
                      135.25f,
                      100,
                      45};
    std::string bytes;
    for (const auto& r :
         {catalogueheader(5), EventRecordBytes{}, EventRecordBytes{}, encodeeventrecord(quake)})
        bytes.append(r.begin(), r.end());
    test::writefile(ws.vhyppath, bytes);
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
    EXPECT_EQ(ws.eventtable.events, std::vector<EventRecord>{quake});
    EXPECT_TRUE(result.clearbackground);
    EXPECT_EQ(result.colormode, "map");
    ASSERT_EQ(result.nsources, 2);
    for (int k = 1; k <= 2; ++k) {
        const faultrec &a = written.fault[k], &b = ws.fault[k];
        // 7 digits of a longitude: about 5 m.
        for (auto m : {&faultrec::fx0, &faultrec::fy0, &faultrec::fx1, &faultrec::fy1,
                       &faultrec::px, &faultrec::py})
            EXPECT_NEAR(b.*m, a.*m, 0.01) << k;
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

// Through files; the source file's store and open go through the same
// write and read routines, and so does every "Open Error".
TEST_F(WorkFile, StoreAndReadThroughFiles) {
    test::ScratchDir dir;
    const std::string path = dir.file("a.wrk.txt");
    ws.cffdip = 60;
    ASSERT_TRUE(storework(ws, host, geo(), path));
    ws.cffdip = 10;
    EXPECT_TRUE(readworkfile(ws, host, proj, frame, path).opened);
    EXPECT_EQ(ws.cffdip, 60);
    ASSERT_TRUE(storesource(ws, host, dir.file("m.flt.txt")));
    EXPECT_EQ(readsourcefile(ws, host, geo(), dir.file("m.flt.txt")).nsources, 1);

    EXPECT_FALSE(storework(ws, host, geo(), dir.file("missing/dir/a.wrk.txt")));
    EXPECT_FALSE(readworkfile(ws, host, proj, frame, dir.file("none.wrk.txt")).opened);
    EXPECT_FALSE(readsourcefile(ws, host, geo(), dir.file("none.flt.txt")).opened);
    EXPECT_EQ(texts(), (std::vector<std::string>{"Open Error", "Open Error", "Open Error"}));
    EXPECT_EQ(host.messages[0].title, "Error");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(host.menusEnabled);
}

}  // namespace
}  // namespace crustex

#include "files/workfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "files/arealist.h"
#include "files/filetestutil.h"
#include "files/receivercsv.h"
#include "files/settingsfile.h"
#include "files/sitefile.h"
#include "files/slipfile.h"
#include "geo/mapdraw.h"
#include "plot/recordingsurface.h"
#include "support/catalogue.h"

namespace crustex {
namespace {

using test::crlflines;
using test::planesource;

struct WorkFile : test::FileFixture {
    WorkReadResult read(const std::string& text, const MapDataCheck& check = coastfilepresent) {
        return readworktext(ws, host, proj, frame, text, check);
    }
};

// A state in which every value differs from the others of its record and
// from its default, so that two fields swapped in the writer or the reader
// cannot pass; Booleans alternate.
void distinctstate(WorkState& ws) {
    ws.vhyppath = "/cat, with comma/v.ep";
    ws.flat1 = 31.5f, ws.flon1 = 132.25f, ws.flat2 = 38.75f, ws.flon2 = 141.125f;
    ws.needmap = false, ws.needevent = true;
    ws.areatype = 2, ws.projection = 1, ws.linetype = 3, ws.nstep = 5, ws.dlat = 0.25f;
    ws.faultclass = {false, true, false, true};
    ws.volcano = false;
    ws.eventstart = {1996, 2, 3, 4, 5, 6};
    ws.eventend = {2001, 3, 4, 0, 0, 0};
    ws.dep0 = 1.5f, ws.dep1 = 60, ws.mag0 = 2.5f, ws.mag1 = 7.5f;
    ws.friction = 0.45f;
    ws.cffstrike = -30, ws.cffdip = 75, ws.cffrake = 120;
    ws.cline = 0.02f, ws.nsubline = 4, ws.cminval = 0.0005f, ws.fsize = 8, ws.scaletype = 2;
    ws.peakvalue = false, ws.rdispl = 0.2f, ws.rtilt = 0.3f, ws.rstrain = 0.4f;
    ws.fx = 0.1f, ws.fy = 0.2f, ws.fz = 0.3f, ws.fxx = 0.4f, ws.fyy = 0.5f, ws.fzz = 0.6f;
    ws.fxy = 0.7f, ws.fyz = 8, ws.fzx = 0.9f;  // the yz weight is never written
    ws.xview0 = -10, ws.xview1 = 150, ws.yview0 = 5, ws.yview1 = 165, ws.rwidth = 320;
    ws.xgrid = 30, ws.ygrid = 33, ws.obsdepth = 2.5f, ws.inclined = true;
    ws.obsincx = 60, ws.obsincy = 70, ws.obsincdpt = 12, ws.obsincs = 25, ws.obsincdip = 35;
    ws.fault[1] = {1.5f, 2.5f, 21.5f, 3.5f, 4.5f, 11, 60, 2, 30, 0.25f, 40, 50, 6, 7, 1};
}

// The layout line by line, then read back into the start-up state: the same
// text again, with everything the reading does besides.
TEST_F(WorkFile, EveryValueInItsPlaceAndReadBack) {
    distinctstate(ws);
    // Slip and rake read back from the components: both 0 give a quarter turn.
    const float sources[][3] = {{2, 90, 90}, {1.5f, -90, -90}, {3, 180, 180}, {0, 30, 90}};
    ws.nfault = 5;
    for (int k = 2; k <= 5; ++k)
        ws.fault[k] = planesource(10.0f * k, sources[k - 2][0], sources[k - 2][1]);
    const std::vector<std::string> expected = {
        "//// This is a work-file for CRUSTEX. You should not edit this. ////",
        "\"vhyppath\",\"/cat, with comma/v.ep\"",
        "\"maparea\",31.5,132.25,38.75,141.125",
        "\"mapextra\",#FALSE#,#TRUE#,2,1,3,5,.25,#FALSE#,#TRUE#,#FALSE#,#TRUE#,#FALSE#",
        "\"eventpara\",#1996-02-03 04:05:06#,#2001-03-04#,1.5,60,2.5,7.5",
        "\"cffpara\",.45",
        "\"cffextra\",-30,75,120",
        "\"visualpara\",.02,4,.0005,8,2,#FALSE#,.2,.3,.4",
        "\"custompara\",.1,.2,.3,.4,.5,.6,.7,0,.9",
        "\"fieldpara\",-10,150,5,165,320,30,33,2.5,#TRUE#,60,70,12,25,35",
        "\"fltxy\",5",
        "1.5,2.5,21.5,3.5,4.5,11,60,1,1.732051,.25,40,50,6,7,1",
        "20,100,40,100,0,10,45,2,3.231089E-15,0,100,100,1,100,0",
        "30,100,50,100,0,10,45,-1.5,2.423317E-15,0,100,100,1,100,0",
        "40,100,60,100,0,10,45,9.693267E-15,-3,0,100,100,1,100,0",
        "50,100,70,100,0,10,45,0,0,0,100,100,1,100,0",
    };
    const std::string text = workfiletext(ws, geo());
    EXPECT_EQ(crlflines(text), expected);

    setdefaults(ws, "/data/crustex");
    ws.fyz = -1;
    ws.quantitykey = "uz";
    const auto result = read(text);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(workfiletext(ws, geo()), text);
    for (int k = 2; k <= 5; ++k) {
        EXPECT_FLOAT_EQ(ws.fault[k].slip, sources[k - 2][0]) << k;
        EXPECT_NEAR(ws.fault[k].rakeangle, sources[k - 2][2], 1e-4) << k;
    }
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

// No graticule (interval 0) is a setting like any other; a data skip below 1
// is stored as 1.
TEST_F(WorkFile, MapExtraTakesGraticuleOffAndRaisesTheSkip) {
    for (const auto& [nstep, stored] : {std::pair(0, 1), std::pair(-2, 1), std::pair(7, 7)}) {
        host.messages.clear();
        read("\"mapextra\",#TRUE#,#FALSE#,1,2,1," + std::to_string(nstep) +
             ",0,#FALSE#,#FALSE#,#FALSE#,#FALSE#,#FALSE#\r\n\"fltxy\",0\r\n");
        EXPECT_EQ(texts(), std::vector<std::string>{"No Fault"}) << nstep;
        EXPECT_EQ(ws.nstep, stored);
        EXPECT_EQ(ws.dlat, 0);
        EXPECT_TRUE(ws.needmap);
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
        // A count beyond the records present keeps them, and says so.
        {list(5, 3), 3, {"Input Error"}},
        {list(30000, 2), 2, {"Input Error"}},
        {list(20, 20), 20, {}},
        {list(0, 0), 7, {"No Fault"}},
        {list(-3, 0), 7, {"No Fault"}},
        {"\"FLTXY\",2\r\n" + rec + rec, 7, {"No Fault"}},  // keywords are case-sensitive here
        {"\"fltxy2\",2\r\n" + rec + rec, 7, {"No Fault"}},
        {"", 7, {"No Fault"}},
        // Only faults (0) and inflation points (1) are computed: a list with
        // another type is refused whole, and a later list is still taken.
        {"\"fltxy\",2\r\n" + rec + "1,1,21,1,0,10,45,1,0,0,100,100,1,100,2\r\n",
         7,
         {"Input Error"}},
        {"\"fltxy\",1\r\n1,1,21,1,0,10,45,1,0,0,100,100,1,100,-1\r\n\"fltxy\",2\r\n" + rec + rec,
         2,
         {"Input Error"}},
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
    EXPECT_EQ(host.messages[0].buttons, MsgButtons::Ok);
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
        "\"eventpara\",#2023-13-45#,#1995-12-31#,0,100,3,9\r\n",
        "\"eventpara\",#2000-01-01#,#1995-12-31#,0,100,3\r\n",
        "\"visualpara\",.01,9,.0001,7,1,#MAYBE#,.1,.1,.1\r\n",
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
        const auto result = read(good + bad + "\"cffpara\",.45\r\n");
        ASSERT_EQ(texts(), std::vector<std::string>{"Input Error"}) << what;
        EXPECT_TRUE(result.inputerror) << what;
        EXPECT_EQ(result.nsources, 0) << what;
        EXPECT_EQ(workfiletext(ws, geo()), workfiletext(expected, geo())) << what;
        EXPECT_EQ(ws.quantitykey, "");
        EXPECT_TRUE(host.menusEnabled);
    }
}

// A record read whole whose values the program cannot work with is passed
// over: its values stay as they were, one "Input Error" is shown for the
// file, and what follows, sources included, is still read.
TEST_F(WorkFile, RefusedRecordsArePassedOver) {
    const std::string rest =
        "\"cffpara\",.45\r\n\"fltxy\",1\r\n7,8,27,9,0,10,45,1,0,0,100,100,1,100,0\r\n";
    const std::string refused[] = {
        "\"fieldpara\",20,170,20,170,240,0,20,0,#FALSE#,100,100,10,0,10\r\n",
        "\"fieldpara\",20,170,20,170,0,20,20,0,#FALSE#,100,100,10,0,10\r\n",
        "\"fieldpara\",20,170,20,170,240,30000,30000,0,#FALSE#,100,100,10,0,10\r\n",
        "\"visualpara\",0,9,.0001,7,1,#TRUE#,.1,.1,.1\r\n",
        "\"maparea\",95,130,40,140\r\n",
        "\"mapextra\",#TRUE#,#FALSE#,1,3,1,3,-1,#FALSE#,#FALSE#,#FALSE#,#FALSE#,#FALSE#\r\n",
        "\"mapextra\",#TRUE#,#FALSE#,1,3,1,3,400,#FALSE#,#FALSE#,#FALSE#,#FALSE#,#FALSE#\r\n",
        // Values the dialogs refuse: a field depth of -5, a reversed map
        // range (north below south, east below west), east more than a turn
        // past west, a reversed field area, a friction above 1, a negative
        // magnitude bound below -5.
        "\"fieldpara\",20,170,20,170,240,20,20,-5,#FALSE#,100,100,10,0,10\r\n",
        "\"fieldpara\",170,20,20,170,240,20,20,0,#FALSE#,100,100,10,0,10\r\n",
        "\"maparea\",40,140,30,130\r\n",
        "\"maparea\",30,140,40,130\r\n",
        "\"maparea\",30,-170,40,200\r\n",
        "\"cffpara\",1.5\r\n",
        "\"eventpara\",#1995-01-01#,#1995-12-31#,0,100,-6,9\r\n",
        // Sources the editor refuses: depth -20, a negative width, dip 1000,
        // a point source above the surface; a later list is still taken.
        "\"fltxy\",1\r\n1,1,21,1,-20,10,45,1,0,0,100,100,1,100,0\r\n",
        "\"fltxy\",2\r\n1,1,21,1,0,10,45,1,0,0,100,100,1,100,0\r\n1,1,21,1,0,-10,45,1,0,0,100,100,"
        "1,100,0\r\n",
        "\"fltxy\",1\r\n1,1,21,1,0,10,1000,1,0,0,100,100,1,100,0\r\n",
        "\"fltxy\",1\r\n1,1,21,1,0,10,45,1,0,0,100,100,-1,100,1\r\n",
    };
    setdefaults(ws, "/data/crustex");
    WorkState expected = ws;
    expected.friction = 0.45f;
    expected.fault[1] = planesource(7, 1, 90);
    expected.fault[1].fy0 = 8;
    expected.fault[1].fy1 = 9;
    std::vector<std::string> cases(std::begin(refused), std::end(refused));
    cases.push_back("");
    for (const std::string& bad : refused) cases.back() += bad;  // all of them
    for (const std::string& bad : cases) {
        setdefaults(ws, "/data/crustex");
        host.messages.clear();
        const auto result = read(bad + rest);
        const std::string what = bad.substr(0, 50);
        EXPECT_EQ(texts(), std::vector<std::string>{"Input Error"}) << what;
        EXPECT_TRUE(result.inputerror) << what;
        EXPECT_FALSE(result.fieldframe) << what;
        EXPECT_EQ(result.nsources, 1) << what;
        EXPECT_EQ(workfiletext(ws, geo()), workfiletext(expected, geo())) << what;
        EXPECT_EQ(frame.fieldwidth, 240) << what;
    }
}

TEST_F(WorkFile, GeographicSourcesRoundTripWithTheMap) {
    ws.needmap = true;
    // With earthquakes switched on, the catalogue is read for the window.
    test::ScratchDir dir;
    ws.needevent = true;
    ws.vhyppath = dir.file("cat.ep");
    const float day = float(eventinstant({1995, 6, 1, 0, 0, 0}).day);
    const EventRecord quake{day, 75, 0, 35.5f, 135.25f, 100, 45};
    test::writefile(ws.vhyppath, test::cataloguebytes({quake}));
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

// Through files (work files: below); the source file's store and open go
// through the same write and read routines, and so does every "Open Error".
TEST_F(WorkFile, StoreAndReadThroughFiles) {
    test::ScratchDir dir;
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

// Every bare message is explained with the file and the reason; the
// message box keeps the program's own words.
TEST_F(WorkFile, MessagesSayWhy) {
    test::ScratchDir dir;
    const std::string rec = "1,1,21,1,0,10,45,1,0,0,100,100,1,100,0\r\n";
    std::string twelve = "\"fltxy\",20\r\n";
    for (int k = 0; k < 12; ++k) twelve += rec;
    const struct {
        std::string content;
        std::string message, reason;
    } cases[] = {
        {"\"cffpara\",.4\r\n\"fieldpara\",20,170,20,170,240,2048,2048,0,#FALSE#,100,100,10,0,"
         "10\r\n",
         "Input Error", "line 2: \"fieldpara\" 2049 x 2049 nodes, at most 4,194,304"},
        {twelve, "Input Error", "line 13: the count promises 20 sources, 12 follow"},
        {"\"fltxy\",1\r\n" + rec + "\"fltxy\",32767\r\n" + rec, "Input Error",
         "line 4: the count promises 32767 sources, 1 follow"},
        {"\"cffpara\",.4\r\n\"cffextra\",5,x,5\r\n", "Input Error", "line 2 cannot be read"},
        {"\"cffpara\",.4\r\n\"cffextra\",5,", "Input Error", "the file ends inside a record"},
        {std::string("\x89PNG\r\n\x1a\n\0\0\x01\xff", 12), "No Fault", "no record of a work file"},
        {"\"cffpara\",.4\r\n", "No Fault", "no source list"},
        {"", "Open Error", "larger than 64 MiB"},
    };
    for (const auto& c : cases) {
        const std::string path = dir.file("w.wrk.txt");
        test::writefile(path, c.content);
        if (c.content.empty()) std::filesystem::resize_file(path, kMaxDataFileBytes + 1);
        host.messages.clear();
        readworkfile(ws, host, proj, frame, path);
        EXPECT_EQ(texts(), std::vector<std::string>{c.message}) << c.reason;
        EXPECT_EQ(host.lastStatus(), c.message + ": " + path + ": " + c.reason);
    }
}

// No reader waits on a FIFO or reads anything that is not a regular file:
// each refuses it at once as it refuses a file it cannot open.
TEST(Readers, RefuseWhatIsNotARegularFileWithoutWaiting) {
    test::ScratchDir dir;
    const std::string fifo = dir.file("fifo"), loop = dir.file("loop");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink(loop, loop);
    const std::string area = dir.mkdir("area");
    ASSERT_EQ(::mkfifo((area + "/fixarea.lst").c_str(), 0600), 0);
    // A reader that waited would be stopped here, failing the test.
    ::alarm(60);
    for (const std::string& path : {fifo, loop, dir.str(), std::string("/dev/null")}) {
        WorkState ws;
        setdefaults(ws, "/data/crustex");
        test::ScriptedHost host;
        Projection proj;
        PlotFrame frame;
        ASSERT_TRUE(setplotframe(frame, ws.rwidth));
        const GeoFrame geo{proj, frame};
        EXPECT_FALSE(readworkfile(ws, host, proj, frame, path).opened) << path;
        EXPECT_FALSE(readsourcefile(ws, host, geo, path).opened) << path;
        EXPECT_FALSE(readsitefile(ws, host, geo, path).opened) << path;
        EXPECT_EQ(host.messages.size(), 3u) << path;
        if (path == fifo) {
            EXPECT_EQ(host.lastStatus(), "Open Error: " + path + ": not a regular file (a FIFO)");
        }
        WindowPlaces places;
        EXPECT_NE(readsettings(ws, places, path), SettingsRead::Read) << path;
        std::string why;
        EXPECT_FALSE(readevents(path, eventselection(ws), ws.eventtable, host, &why)) << path;
        EXPECT_FALSE(why.empty()) << path;
        EXPECT_TRUE(readslipfile(path).report.failed()) << path;
        EXPECT_TRUE(readreceiverfile(path).report.failed()) << path;
        std::string content = "unchanged";
        EXPECT_FALSE(readwholefile(path, content)) << path;
        EXPECT_EQ(content, "unchanged") << path;
        RecordingSurface surface;
        const MapColors colors{};
        const MapView view{proj, surface, colors, 30, 40, 130, 140};
        EXPECT_EQ(drawmapfile(path, view, 0).kind, MapFileOutcome::Kind::Refused) << path;
    }
    EXPECT_TRUE(readarealist(area).empty());
    ::alarm(0);
}

// Records added later travel right after the record they belong with, and
// only while they hold something: the publication style after "visualpara"
// (in work files and the settings file alike), the topography switches after
// "mapextra" (colour before contour). A file without the record leaves the
// values as they are. A reader that does not know the record (its keyword
// renamed here) skips it and its values and reads everything else the same.
TEST_F(WorkFile, AddedRecordsFollowTheirRecord) {
    using Write = std::string (*)(const WorkState&);
    using Read = void (*)(WorkFile&, const std::string&);
    const Write work = [](const WorkState& w) {
        return workfiletext(w, {Projection{}, PlotFrame{}});
    };
    const Read readwork = [](WorkFile& f, const std::string& t) { f.read(t); };
    const struct {
        const char* name;
        Write write;
        Read read;
        const char *after, *record;
        bool WorkState::*on;   // set for the record to be written
        bool WorkState::*off;  // read back off (set before reading)
    } cases[] = {
        {"style, work file", work, readwork, "\"visualpara\"", "\"pubstyle\",#TRUE#",
         &WorkState::publicationstyle, nullptr},
        {"style, settings", [](const WorkState& w) { return settingstext(w, WindowPlaces{}); },
         [](WorkFile& f, const std::string& t) {
             WindowPlaces p;
             readsettingstext(f.ws, p, t);
         },
         "\"visualpara\"", "\"pubstyle\",#TRUE#", &WorkState::publicationstyle, nullptr},
        // Colour on, contour off: the two cannot be swapped.
        {"topography", work, readwork, "\"mapextra\"", "\"topography\",#TRUE#,#FALSE#",
         &WorkState::topocolor, &WorkState::topocontour},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string keyword =
            std::string(c.record).substr(0, std::string(c.record).find(','));
        setdefaults(ws, "/data/crustex");
        const std::string off = c.write(ws);
        EXPECT_EQ(off.find(keyword), std::string::npos);
        ws.*c.on = true;
        ws.friction = 0.55f;
        const std::string on = c.write(ws);
        const std::size_t at = on.find(c.after);
        ASSERT_NE(at, std::string::npos);
        EXPECT_EQ(on.find(std::string(c.record) + "\r\n"), on.find("\r\n", at) + 2);

        setdefaults(ws, "/data/crustex");
        if (c.off) ws.*c.off = true;
        c.read(*this, on);
        EXPECT_TRUE(ws.*c.on);
        EXPECT_FALSE(c.off && ws.*c.off);
        EXPECT_EQ(ws.friction, 0.55f);
        EXPECT_EQ(c.write(ws), on);
        c.read(*this, off);
        EXPECT_TRUE(ws.*c.on);
        std::string switchedoff = c.record;
        switchedoff.replace(switchedoff.find("#TRUE#"), 6, "#FALSE#");
        c.read(*this, switchedoff + "\r\n");
        EXPECT_FALSE(ws.*c.on);

        std::string older = on;
        older.replace(older.find(keyword) + 1, 3, "zzz");
        setdefaults(ws, "/data/crustex");
        host.messages.clear();
        c.read(*this, older);
        EXPECT_FALSE(ws.*c.on);
        EXPECT_EQ(ws.friction, 0.55f);
        EXPECT_TRUE(host.messages.empty());
        ws.*c.on = true;
        EXPECT_EQ(c.write(ws), on);
    }
}

// The map directory travels relative to the work file where the two move
// together: below the work file's directory, or in the "map" directory (with
// the coast file) of a tree that holds the work file. A map directory
// anywhere else writes no record and reading keeps the current one; so do a
// record whose directory is gone (shown), a record the caller does not
// follow and an older reader, which skips the record.
TEST_F(WorkFile, MapDirectoryRecordRelativeToTheWorkFile) {
    test::ScratchDir dir;
    dir.mkdir("tree/map/globe");
    test::writefile(dir.file("tree/map/japanv.map"), "");
    dir.mkdir("tree/examples/own/maps");
    dir.mkdir("elsewhere/map");
    const std::string work = dir.file("tree/examples/own/a.wrk.txt");
    const struct {
        const char* mapdir;
        const char* record;
    } cases[] = {
        {"tree/examples/own/maps", "maps/"},
        {"tree/examples/own", "./"},
        {"tree/map/globe", "../../map/globe/"},
        {"elsewhere/map", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mapdir);
        const std::string real = std::filesystem::canonical(dir.file(c.mapdir)).string() + "/";
        ws.mappath = dir.file(c.mapdir) + "/";
        ASSERT_TRUE(storework(ws, host, geo(), work));
        const std::string text = test::readfile(work);
        if (c.record == nullptr) {
            EXPECT_EQ(text.find("mapdir"), std::string::npos);
        } else {
            const std::size_t after = text.find("\r\n", text.find("\"vhyppath\"")) + 2;
            EXPECT_EQ(text.find("\"mapdir\",\"" + std::string(c.record) + "\"\r\n"), after);
        }
        ws.mappath = "/before/";
        readworkfile(ws, host, proj, frame, work, coastfilepresent, false);
        EXPECT_EQ(ws.mappath, "/before/");
        readworkfile(ws, host, proj, frame, work);
        EXPECT_EQ(ws.mappath, c.record ? real : "/before/");
    }
    EXPECT_TRUE(host.messages.empty());
    std::string text = test::readfile(work);
    text.insert(text.find("\"maparea\""), "\"mapdir\",\"gone/\"\r\n");
    test::writefile(work, text);
    EXPECT_EQ(readworkfile(ws, host, proj, frame, work).nsources, 1);  // read on to the end
    EXPECT_EQ(texts(), std::vector<std::string>{"Map File Directory not Exist: " +
                                                dir.file("tree/examples/own/gone/")});
    EXPECT_EQ(ws.mappath, "/before/");
    text.replace(text.find("mapdir"), 6, "zzzdir");
    test::writefile(work, text);
    host.messages.clear();
    readworkfile(ws, host, proj, frame, work);
    EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace crustex

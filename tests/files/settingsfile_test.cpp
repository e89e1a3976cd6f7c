#include "files/settingsfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "files/filetestutil.h"

namespace crustex {
namespace {

struct Settings : ::testing::Test {
    WorkState ws;
    WorkState defaults;
    WindowPlaces places;
    test::ScriptedHost host;
    void SetUp() override {
        setdefaults(ws, "/opt/crustex");
        setdefaults(defaults, "/opt/crustex");
    }
};

// The layout line by line, every value different from the others; read back
// it gives the same text (a quote in a path is written doubled). The yz
// weight is never carried and work-file records are skipped.
TEST_F(Settings, WrittenLinesInOrderReadBack) {
    ws.mappath = "/home/u/my \"maps\", japan/";
    ws.areapath = "/a/";
    ws.vhyppath = "/v.ep";
    ws.seispath = "/s/";
    ws.flat1 = 31, ws.flon1 = 132, ws.flat2 = 33, ws.flon2 = 134;
    ws.eventstart = {1996, 2, 3, 4, 5, 6};
    ws.dep0 = 5, ws.dep1 = 6, ws.mag0 = 7, ws.mag1 = 8;
    ws.friction = 0.45f;
    ws.cline = 0.02f, ws.nsubline = 3, ws.cminval = 0.5f, ws.fsize = 6, ws.scaletype = 2;
    ws.peakvalue = false, ws.rdispl = 0.2f, ws.rtilt = 0.3f, ws.rstrain = 0.4f;
    ws.fx = 1, ws.fy = 2, ws.fz = 3, ws.fxx = 4, ws.fyy = 5, ws.fzz = 6, ws.fxy = 7, ws.fzx = 9;
    ws.fyz = 8;
    ws.xmargin = 11, ws.ymargin = 12, ws.bnwmode = true;
    for (std::size_t i = 0; i < places.place.size(); ++i)
        places.place[i] = {float(10 * i + 1), float(10 * i + 2), float(10 * i + 3),
                           float(10 * i + 4)};
    places.folders = {"/work, dir", "/sources", "/strains"};
    const std::vector<std::string> expected = {
        "//// This is an initializing file for CRUSTEX. You should not edit this. ////",
        "\"mappath\",\"/home/u/my \"\"maps\"\", japan/\"",
        "\"areapath\",\"/a/\"",
        "\"vhyppath\",\"/v.ep\"",
        "\"seispath\",\"/s/\"",
        "\"maparea\",31,132,33,134",
        "\"eventpara\",#1996-02-03 04:05:06#,#1995-12-31 23:59:00#,5,6,7,8",
        "\"cffpara\",.45",
        "\"visualpara\",.02,3,.5,6,2,#FALSE#,.2,.3,.4",
        "\"custompara\",1,2,3,4,5,6,7,0,9",
        "\"printer\",11,12,#TRUE#",
        "\"mainform\",1,2,3,4",
        "\"faultform\",11,12",
        "\"fieldform\",21,22",
        "\"mapform\",31,32",
        "\"eventform\",41,42",
        "\"setfileform\",51,52",
        "\"setprnform\",61,62",
        "\"visualform\",71,72",
        "\"cffform\",81,82",
        "\"assistform\",91,92",
        "\"assist2form\",101,102",
        "\"assist3form\",111,112",
        "\"obsform\",121,122,123,124",
        "\"customform\",131,132",
        "\"workdir\",\"/work, dir\"",
        "\"sourcedir\",\"/sources\"",
        "\"straindir\",\"/strains\"",
    };
    const std::string text = settingstext(ws, places);
    EXPECT_EQ(test::crlflines(text), expected);

    WorkState back;
    setdefaults(back, "/other");
    back.fyz = -1;
    WindowPlaces read;
    ASSERT_EQ(readsettingstext(back, read, text), SettingsRead::Read);
    EXPECT_EQ(settingstext(back, read), text);
    EXPECT_EQ(back.fyz, -1);
    for (const WindowPlace& p : read.place) EXPECT_TRUE(p.found);
    EXPECT_EQ(readsettingstext(back, read, "\"fieldpara\",1,2\r\n\"cffextra\",5,5,5\r\n"),
              SettingsRead::Read);
    EXPECT_EQ(back.cffdip, 90);
}

// A byte-order mark does not hide the first record; a record with refused
// values is passed over and the rest read; a damaged field stops the reading
// with what came before it kept. Both count as damaged.
TEST_F(Settings, DamagedFileKeepsWhatWasRead) {
    EXPECT_EQ(readsettingstext(ws, places,
                               "\xEF\xBB\xBF\"printer\",20,21,#FALSE#\r\n\"printer\",150,20,#TRUE#"
                               "\r\n\"cffpara\",.4\r\n\"visualpara\",.01,9,.0001,7,1,#TRUE#\r\n"
                               "\"maparea\",1,2,3,4\r\n"),
              SettingsRead::Damaged);
    EXPECT_EQ(std::tuple(ws.xmargin, ws.ymargin, ws.bnwmode), std::tuple(20, 21, false));
    EXPECT_EQ(ws.friction, 0.4f);
    EXPECT_EQ(ws.flat1, defaults.flat1);
    EXPECT_EQ(ws.rdispl, defaults.rdispl);
    for (const WindowPlace& p : places.place) EXPECT_FALSE(p.found);
}

TEST_F(Settings, MissingFileKeepsDefaultsAndExitWritesAWholeFile) {
    test::ScratchDir dir;
    const std::string path = dir.file("crustex.ini");
    EXPECT_EQ(readsettings(ws, places, path), SettingsRead::Missing);
    EXPECT_EQ(settingstext(ws, places), settingstext(defaults, places));
    ASSERT_TRUE(storesettings(ws, places, host, path));
    EXPECT_EQ(test::readfile(path), settingstext(ws, places));
    EXPECT_EQ(readsettings(ws, places, path), SettingsRead::Read);

    EXPECT_FALSE(storesettings(ws, places, host, dir.file("gone/crustex.ini")));
    EXPECT_EQ(host.messages.size(), 1u);  // "Open Error"
}

// A file that could not be read whole is kept as "crustex.ini.bak" (beside
// the file a link leads to) before the new one is written.
TEST_F(Settings, DamagedFileIsKeptBesideTheNewOne) {
    test::ScratchDir dir, dotfiles;
    const std::string real = dotfiles.file("crustex.ini");
    test::writefile(real, "\"printer\",20,20,#FALSE#\r\n\"cffpara\",\"damaged\r\n");
    std::filesystem::create_symlink(real, dir.file("crustex.ini"));
    const std::string path = dir.file("crustex.ini");
    ASSERT_EQ(readsettings(ws, places, path), SettingsRead::Damaged);
    ASSERT_TRUE(storesettings(ws, places, host, path, true));
    EXPECT_EQ(test::readfile(settingsbackuppath(real)),
              "\"printer\",20,20,#FALSE#\r\n\"cffpara\",\"damaged\r\n");
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_EQ(readsettings(ws, places, path), SettingsRead::Read);
    EXPECT_EQ(ws.xmargin, 20);
    EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace crustex

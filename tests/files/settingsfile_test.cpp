#include "files/settingsfile.h"

#include <gtest/gtest.h>

#include <string>
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

TEST_F(Settings, OnlyAPrinterLineSetsTheMargins) {
    EXPECT_EQ(readsettingstext(ws, places, "\"printer\",25,30,#TRUE#\r\n"), SettingsRead::Read);
    EXPECT_EQ(ws.xmargin, 25);
    EXPECT_EQ(ws.ymargin, 30);
    EXPECT_TRUE(ws.bnwmode);
    ws.xmargin = defaults.xmargin;
    ws.ymargin = defaults.ymargin;
    ws.bnwmode = defaults.bnwmode;
    EXPECT_EQ(settingstext(ws, places), settingstext(defaults, WindowPlaces{}));
    for (const WindowPlace& p : places.place) EXPECT_FALSE(p.found);
}

// The layout line by line; read back it gives the same text. The yz weight
// is never carried and work-file records are skipped.
TEST_F(Settings, WrittenLinesInOrderReadBack) {
    ws.mappath = "/home/u/maps, japan/";
    ws.fxy = 3;
    ws.fyz = 8;
    places.find("mainform")->left = 10;
    places.find("mainform")->width = 800.5f;
    places.find("obsform")->height = 300;
    places.find("customform")->top = 7;
    const std::vector<std::string> expected = {
        "//// This is an initializing file for CRUSTEX. You should not edit this. ////",
        "\"mappath\",\"/home/u/maps, japan/\"",
        "\"areapath\",\"/opt/crustex/area/\"",
        "\"vhyppath\",\"/opt/crustex/data/Vhyp102.ep\"",
        "\"seispath\",\"/opt/crustex/\"",
        "\"maparea\",34,134,36,137",
        "\"eventpara\",#1995-01-01#,#1995-12-31 23:59:00#,0,100,3,9",
        "\"cffpara\",.3",
        "\"visualpara\",.01,9,.0001,7,1,#TRUE#,.1,.1,.1",
        "\"custompara\",0,0,0,0,0,0,3,0,0",
        "\"printer\",10,10,#FALSE#",
        "\"mainform\",10,0,800.5,0",
        "\"faultform\",0,0",
        "\"fieldform\",0,0",
        "\"mapform\",0,0",
        "\"eventform\",0,0",
        "\"setfileform\",0,0",
        "\"setprnform\",0,0",
        "\"visualform\",0,0",
        "\"cffform\",0,0",
        "\"assistform\",0,0",
        "\"assist2form\",0,0",
        "\"assist3form\",0,0",
        "\"obsform\",0,0,0,300",
        "\"customform\",0,7",
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

TEST_F(Settings, DamagedFileKeepsWhatWasRead) {
    const std::string text =
        "\"printer\",20,20,#FALSE#\r\n\"cffpara\",.4\r\n\"visualpara\",.01,9,.0001,7,1,"
        "#TRUE#\r\n\"maparea\",1,2,3,4\r\n";
    EXPECT_EQ(readsettingstext(ws, places, text), SettingsRead::Damaged);
    EXPECT_EQ(ws.xmargin, 20);
    EXPECT_EQ(ws.friction, 0.4f);
    EXPECT_EQ(ws.flat1, defaults.flat1);
    EXPECT_EQ(ws.rdispl, defaults.rdispl);
    EXPECT_EQ(readsettingstext(ws, places, "\"printer\",150,20,#FALSE#\r\n"),
              SettingsRead::Damaged);
    EXPECT_EQ(ws.xmargin, 20);
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

}  // namespace
}  // namespace crustex

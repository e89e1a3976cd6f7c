// The named-range list "fixarea.lst", the area export and where the shipped
// data is found.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "files/appdir.h"
#include "files/areaexport.h"
#include "files/arealist.h"
#include "files/datadirs.h"
#include "filetestutil.h"
#include "geo/projection.h"

using namespace crustex;
using crustex::test::crlflines;
using crustex::test::ScratchDir;

namespace {

NamedArea area(const std::string& name, float lat1, float lat2, float lon1, float lon2,
               int16_t step) {
    NamedArea a;
    a.name = name;
    a.flat1 = lat1, a.flat2 = lat2, a.flon1 = lon1, a.flon2 = lon2, a.nstep = step;
    return a;
}

std::string entries(int n) {
    std::string text = std::to_string(n).append("\r\n");
    for (int k = 1; k <= n; ++k)
        text.append("A").append(std::to_string(k)).append("\r\n 1 2 \r\n 3 4 \r\n 5 \r\n");
    return text;
}

}  // namespace

TEST(AreaList, WritesThePrintFormAndReadsItBack) {
    ScratchDir dir;
    const std::string areapath = dir.file("new/area/");  // created on saving
    const std::vector<NamedArea> list = {area("North, west", 10.5f, 11.25f, -20.75f, -19, 2),
                                         area("Second", -1.5f, 0.25f, 100, 101.5f, 7)};
    ASSERT_TRUE(savearealist(areapath, list));
    EXPECT_EQ(crlflines(test::readfile(dir.file("new/area/fixarea.lst"))),
              (std::vector<std::string>{" 2 ", "\"North, west\"", " 10.5          11.25 ",
                                        "-20.75        -19 ", " 2 ", "Second",
                                        "-1.5           0.25 ", " 100           101.5 ", " 7 "}));
    EXPECT_EQ(readarealist(areapath), list);
    // The name is found without regard to letter case.
    std::filesystem::rename(dir.file("new/area/fixarea.lst"), dir.file("new/area/FIXAREA.LST"));
    EXPECT_EQ(readarealist(areapath), list);
    EXPECT_TRUE(readarealist(dir.file("none")).empty());
}

TEST(AreaList, StopsAtTheFirstBadField) {
    EXPECT_EQ(parsearealist(entries(50)).back().name, "A50");
    // Line breaks only separate fields; a bad field ends the list there.
    const auto two = parsearealist(" 3 \r\nA\r\n 1\r\n2 3 4 5 \r\nB,6,7,8,9,10\r\nC\r\n 1 x 3 4 5");
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[1], area("B", 6, 7, 8, 9, 10));
    EXPECT_EQ(two[0].flon2, 4.0f);
    for (const char* bad : {"", "x", " -3 \r\nA\r\n1 2 3 4 5", " 1 \r\nA\r\n1 2 3 4 99999"})
        EXPECT_TRUE(parsearealist(bad).empty()) << bad;
}

// A list that was not read whole (cut, damaged midway, over 50 entries, junk
// after it) is kept as fixarea.lst.bak before a save rewrites it; a whole
// one is just replaced. A byte-order mark does not hide the count.
TEST(AreaList, ListNotReadWholeIsKeptOnSaving) {
    const struct {
        std::string text;
        std::size_t entries;
        bool whole;
    } cases[] = {
        {"\xEF\xBB\xBF" + entries(2), 2, true},
        {"", 0, true},
        {entries(50), 50, true},
        {entries(60), 50, false},
        {entries(3).substr(0, 40), 1, false},
        {entries(2) + "junk\r\n", 2, false},
        {" 2 \r\nA\r\n 1 2 \r\n x 4 \r\n 5 \r\nB\r\n 1 2 \r\n 3 4 \r\n 5 \r\n", 0, false},
    };
    for (const auto& c : cases) {
        bool whole = !c.whole;
        EXPECT_EQ(parsearealist(c.text, &whole).size(), c.entries) << c.text.substr(0, 12);
        EXPECT_EQ(whole, c.whole) << c.text.substr(0, 12);
        ScratchDir dir;
        test::writefile(dir.file("fixarea.lst"), c.text);
        ASSERT_TRUE(savearealist(dir.str(), {area("New", 1, 2, 3, 4, 5)}));
        EXPECT_EQ(readarealist(dir.str()).size(), 1u);
        EXPECT_EQ(std::filesystem::exists(dir.file("fixarea.lst.bak")), !c.whole);
        if (!c.whole) {
            EXPECT_EQ(test::readfile(dir.file("fixarea.lst.bak")), c.text);
        }
    }
    // A file over the size cap reads as empty and is kept too.
    ScratchDir dir;
    test::writefile(dir.file("fixarea.lst"), entries(2) + std::string(1024 * 1024, ' '));
    EXPECT_TRUE(readarealist(dir.str()).empty());
    ASSERT_TRUE(savearealist(dir.str(), {}));
    EXPECT_TRUE(std::filesystem::exists(dir.file("fixarea.lst.bak")));
}

TEST(AreaList, AddRefusesEmptyDuplicateAndFiftyFirstNames) {
    std::vector<NamedArea> list;
    EXPECT_EQ(addarea(list, area(" \"Kii\" ", 1, 2, 3, 4, 1)), AreaAdd::Added);
    EXPECT_EQ(list.back().name, "Kii");
    EXPECT_EQ(addarea(list, area("Kii", 5, 6, 7, 8, 1)), AreaAdd::Exists);
    EXPECT_EQ(addarea(list, area("  \t ", 5, 6, 7, 8, 1)), AreaAdd::NoName);
    EXPECT_EQ(list.size(), 1u);
    while (list.size() < 50) addarea(list, area(std::to_string(list.size()), 0, 1, 0, 1, 1));
    EXPECT_EQ(addarea(list, area("One more", 0, 1, 0, 1, 1)), AreaAdd::Full);
}

TEST(AreaExport, PolygonAndProjectionLineInLatitudeAndLongitude) {
    WorkState ws;
    ws.projection = kMercator;
    Projection p;
    ASSERT_TRUE(setprojection(p, ws));
    const float points[5][2] = {
        {34.2f, 135.1f}, {35.9f, 135.6f}, {34.5f, 136.7f}, {34.1f, 134.3f}, {35.8f, 136.9f}};
    ws.narea = 3;
    for (int k = 0; k < 3; ++k)
        projectgeo(p, p.kind, points[k][0], points[k][1], ws.areax[k + 1], ws.areay[k + 1]);
    projectgeo(p, p.kind, points[3][0], points[3][1], ws.projx0, ws.projy0);
    projectgeo(p, p.kind, points[4][0], points[4][1], ws.projx1, ws.projy1);
    const auto lines = crlflines(areaexporttext(ws, p));
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], " 2 ");
    EXPECT_EQ(lines[1], " 3 ");
    for (int k = 0; k < 5; ++k) {
        float lat = 0, lon = 0;
        ASSERT_EQ(std::sscanf(lines[k + 2].c_str(), "%f,%f", &lat, &lon), 2) << lines[k + 2];
        EXPECT_NEAR(lat, points[k][0], 1e-3) << k;
        EXPECT_NEAR(lon, points[k][1], 1e-3) << k;
    }
    // Written through the temporary file: a directory that is not there
    // gives "Open Error" and no file.
    ScratchDir dir;
    test::ScriptedHost host;
    EXPECT_TRUE(exportarea(ws, p, host, dir.file("Myarea5")));
    EXPECT_FALSE(exportarea(ws, p, host, dir.file("no/Myarea5")));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Open Error");
}

TEST(DataDirs, MapsFoundBesideTheProgramOrItsParentOrTheBuiltInDirectory) {
    ScratchDir dir;
    std::filesystem::create_directories(dir.file("src/Map"));
    std::filesystem::create_directories(dir.file("src/build"));
    const std::string bin = dir.file("src/build");
    EXPECT_EQ(finddatadir(datadircandidates(bin, dir.file("elsewhere"))), "");
    test::writefile(dir.file("src/Map/JAPANV.MAP"), "");
    EXPECT_EQ(finddatadir(datadircandidates(bin + "/", "")), dir.file("src"));
    EXPECT_EQ(finddatadir(datadircandidates("", dir.file("src"))), dir.file("src"));
    const DataDirs d = defaultdatadirs(datadircandidates(bin, ""));
    EXPECT_EQ(d.mappath, dir.file("src/Map/"));
    EXPECT_EQ(d.areapath, dir.file("src/area/"));  // made when the list is first saved
    EXPECT_EQ(d.vhyppath, "");                     // no catalogue shipped here
    std::filesystem::create_directories(dir.file("src/Data"));
    test::writefile(dir.file("src/Data/vhyp102.EP"), "");
    EXPECT_EQ(defaultdatadirs(datadircandidates(bin, "")).vhyppath,
              dir.file("src/Data/vhyp102.EP"));

    // An installation: the data under the prefix, found from the program's
    // directory, never written (the ranges go to the user's directory).
    const std::string prefixbin = dir.file("prefix/bin");
    const std::string shared = installeddatadir(prefixbin);
    std::filesystem::create_directories(shared + "/map");
    std::filesystem::create_directories(prefixbin);
    test::writefile(shared + "/map/japanv.map", "");
    EXPECT_TRUE(installedprogram(prefixbin));
    EXPECT_FALSE(installedprogram(bin));
    const DataDirs installed = defaultdatadirs(datadircandidates(prefixbin, dir.file("src")));
    EXPECT_EQ(installed.mappath, shared + "/map/");
    EXPECT_EQ(installed.areapath, userconfigdir() + "/area/");
    // Maps beside the program come first (a build tree inside an unpacked prefix).
    EXPECT_EQ(finddatadir(datadircandidates(bin, shared)), dir.file("src"));
}

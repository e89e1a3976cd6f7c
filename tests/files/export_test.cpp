#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "files/filetestutil.h"
#include "files/storenames.h"
#include "files/strainexport.h"
#include "files/workfile.h"
#include "support/scriptedhost.h"

namespace crustex {
namespace {

using test::crlflines;
using test::ScratchDir;
using test::ScriptedHost;

TEST(StoreNames, ChosenNameDecidesWhatIsWritten) {
    struct Case {
        const char* chosen;
        FileKind kind;
        const char* path;
    } cases[] = {
        {"model", FileKind::None, ""},
        {"model.flt", FileKind::Source, "model.flt.txt"},
        {"model.flt.txt", FileKind::Source, "model.flt.txt"},
        {"A.Flt.Txt", FileKind::Source, "A.Flt.Txt"},
        {"MODEL.WRK", FileKind::Work, "MODEL.WRK.txt"},
        {"m.wrk.txt", FileKind::Work, "m.wrk.txt"},
        {"m.txt", FileKind::None, ""},
        {"m.flt.txt.bak", FileKind::None, ""},
        {"/dir.flt/m", FileKind::None, ""},
        {"", FileKind::None, ""},
    };
    for (const Case& c : cases) {
        const StoreTarget t = storetarget(c.chosen);
        EXPECT_EQ(t.kind, c.kind) << c.chosen;
        EXPECT_EQ(t.path, c.path) << c.chosen;
    }
}

TEST(StoreNames, OpenLooksAtTheLastEightCharacters) {
    EXPECT_EQ(openkind("/x/A.FLT.TXT"), FileKind::Source);
    EXPECT_EQ(openkind("b.wrk.txt"), FileKind::Work);
    EXPECT_EQ(openkind("b.wrk"), FileKind::None);
    EXPECT_EQ(openkind("lastwork.ini"), FileKind::None);
}

TEST(StoreNames, StoreSourceCommandWritesTheRightFile) {
    ScratchDir dir;
    WorkState ws;
    setdefaults(ws, dir.str());
    Projection proj;
    PlotFrame frame;
    ScriptedHost host;
    const GeoFrame geo{proj, frame};
    EXPECT_EQ(storesourcecommand(ws, host, geo, dir.file("model"), false), FileKind::None);
    EXPECT_TRUE(std::filesystem::is_empty(dir.str()));
    EXPECT_EQ(storesourcecommand(ws, host, geo, dir.file("model.flt"), false), FileKind::Source);
    EXPECT_EQ(test::readfile(dir.file("model.flt.txt")).substr(0, 12), "\"fltxy2\",1\r\n");
    EXPECT_EQ(storesourcecommand(ws, host, geo, dir.file("MODEL.WRK"), false), FileKind::Work);
    EXPECT_EQ(crlflines(test::readfile(dir.file("MODEL.WRK.txt")))[0], kWorkFileHeader);
    EXPECT_EQ(storesourcecommand(ws, host, geo, dir.file("gone/x.flt"), false), FileKind::None);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Open Error");
}

struct Strains : ::testing::Test {
    WorkState ws;
    ScriptedHost host;
    void SetUp() override {
        setdefaults(ws, "/tmp");
        ws.xview0 = 10;
        ws.xview1 = 30;
        ws.yview0 = 100;
        ws.yview1 = 140;
        ws.xgrid = 2;
        ws.ygrid = 2;
        redimsub(ws);
        ws.gridstale = false;
        ws.cffstale = false;
    }
};

TEST_F(Strains, NineComponentLayout) {
    ws.grids.ux(0, 1) = -0.000012345f;
    ws.grids.duzdz(1, 0) = kNoValue;
    ws.grids.uz(2, 2) = 12.5f;
    const std::vector<std::string> lines = crlflines(straintext(ws));
    ASSERT_EQ(lines.size(), 9u);
    for (const std::string& l : lines) EXPECT_EQ(l.size(), 154u) << l;
    // Up the first column, then the next.
    EXPECT_EQ(lines[0].substr(0, 22), "     1.E+01     1.E+02");
    EXPECT_EQ(lines[1].substr(0, 22), "     1.E+01    1.2E+02");
    EXPECT_EQ(lines[3].substr(0, 22), "     2.E+01     1.E+02");
    EXPECT_EQ(lines[8].substr(0, 22), "     3.E+01    1.4E+02");
    EXPECT_EQ(lines[1].substr(22, 11), " -1.235E-05");
    EXPECT_EQ(lines[3].substr(143, 11), "  9.999E+99");
    EXPECT_EQ(lines[8].substr(44, 11), "   1.25E+01");
    EXPECT_EQ(lines[4].substr(22, 11), "     0.E+00");
}

TEST_F(Strains, FourColumnLayout) {
    ws.strformat9 = false;
    ws.grids.cff(2, 1) = 1e30f;
    ws.grids.maxshear(0, 0) = 3;
    const std::vector<std::string> lines = crlflines(straintext(ws));
    ASSERT_EQ(lines.size(), 9u);
    for (const std::string& l : lines) EXPECT_EQ(l.size(), 66u) << l;
    EXPECT_EQ(lines[7].substr(55, 11), "  9.999E+99");
    EXPECT_EQ(lines[0].substr(44, 11), "     3.E+00");
}

TEST_F(Strains, StaleGridsAreComputedBeforeWriting) {
    ScratchDir dir;
    setdefaults(ws, "/tmp");  // stale, 20 x 20 over the default thrust fault
    ws.xgrid = 4;
    ws.ygrid = 4;
    ASSERT_EQ(storestrains(ws, host, dir.file("g.txt")), StrainExport::Written);
    const std::vector<std::string> lines = crlflines(test::readfile(dir.file("g.txt")));
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_FALSE(ws.gridstale);
    EXPECT_FALSE(ws.cffstale);
    // The node above the fault moves: uz is not zero there.
    bool moved = false;
    for (const std::string& l : lines) moved = moved || l.substr(44, 11) != "     0.E+00";
    EXPECT_TRUE(moved);
}

TEST_F(Strains, CtrlQWithOkWritesNothing) {
    ScratchDir dir;
    ws.gridstale = true;
    host.onProcessEvents = [&](int) { ws.abortflag = true; };
    host.answers = {MsgAnswer::Ok};
    EXPECT_EQ(storestrains(ws, host, dir.file("g.txt")), StrainExport::Aborted);
    EXPECT_FALSE(test::fileexists(dir.file("g.txt")));
}

TEST_F(Strains, UnwritableFileIsReported) {
    ScratchDir dir;
    EXPECT_EQ(storestrains(ws, host, dir.file("no/g.txt")), StrainExport::Failed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Open Error");
}

}  // namespace
}  // namespace crustex

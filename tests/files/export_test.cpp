#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "files/filetestutil.h"
#include "files/storenames.h"
#include "files/strainexport.h"
#include "files/workfile.h"

namespace crustex {
namespace {

using test::crlflines;
using test::ScratchDir;

TEST(StoreNames, ChosenNameDecidesWhatIsWritten) {
    struct Case {
        const char* chosen;
        FileKind kind;
        const char* path;
        FileKind open;  // what "Open Source...." makes of the same name
    } cases[] = {
        {"model", FileKind::None, "", FileKind::None},
        {"model.flt", FileKind::Source, "model.flt.txt", FileKind::None},
        {"model.flt.txt", FileKind::Source, "model.flt.txt", FileKind::Source},
        {"/x/A.Flt.Txt", FileKind::Source, "/x/A.Flt.Txt", FileKind::Source},
        {"MODEL.WRK", FileKind::Work, "MODEL.WRK.txt", FileKind::None},
        {"m.wrk.txt", FileKind::Work, "m.wrk.txt", FileKind::Work},
        {"m.txt", FileKind::None, "", FileKind::None},
        {"m.flt.txt.bak", FileKind::None, "", FileKind::None},
        {"/dir.flt/m", FileKind::None, "", FileKind::None},
        {"", FileKind::None, "", FileKind::None},
    };
    for (const Case& c : cases) {
        const StoreTarget t = storetarget(c.chosen);
        EXPECT_EQ(t.kind, c.kind) << c.chosen;
        EXPECT_EQ(t.path, c.path) << c.chosen;
        EXPECT_EQ(openkind(c.chosen), c.open) << c.chosen;
    }
}

using StoreSource = test::FileFixture;

TEST_F(StoreSource, CommandWritesTheRightFile) {
    ScratchDir dir;
    auto store = [&](const char* name) {
        return storesourcecommand(ws, host, geo(), dir.file(name), false);
    };
    EXPECT_EQ(store("model"), FileKind::None);
    EXPECT_TRUE(std::filesystem::is_empty(dir.str()));
    EXPECT_EQ(store("model.flt"), FileKind::Source);
    EXPECT_EQ(test::readfile(dir.file("model.flt.txt")).substr(0, 12), "\"fltxy2\",1\r\n");
    EXPECT_EQ(store("MODEL.WRK"), FileKind::Work);
    EXPECT_EQ(crlflines(test::readfile(dir.file("MODEL.WRK.txt")))[0], kWorkFileHeader);
    EXPECT_EQ(store("gone/x.flt"), FileKind::None);
    EXPECT_EQ(texts(), std::vector<std::string>{"Open Error"});
}

struct Strains : ::testing::Test {
    WorkState ws;
    test::ScriptedHost host;
    ScratchDir dir;
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

TEST_F(Strains, NineAndFourColumnLayouts) {
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

    ws.strformat9 = false;
    ws.grids.cff(2, 1) = 1e30f;
    ws.grids.maxshear(0, 0) = 3;
    const std::vector<std::string> four = crlflines(straintext(ws));
    ASSERT_EQ(four.size(), 9u);
    for (const std::string& l : four) EXPECT_EQ(l.size(), 66u) << l;
    EXPECT_EQ(four[7].substr(55, 11), "  9.999E+99");
    EXPECT_EQ(four[0].substr(44, 11), "     3.E+00");
}

TEST_F(Strains, StaleGridsAreComputedBeforeWriting) {
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

TEST_F(Strains, AbortOrUnwritableFileWritesNothing) {
    ws.gridstale = true;
    host.onProcessEvents = [&](int) { ws.abortflag = true; };
    host.answers = {MsgAnswer::Ok};  // Ctrl-Q answered OK
    EXPECT_EQ(storestrains(ws, host, dir.file("g.txt")), StrainExport::Aborted);
    EXPECT_FALSE(std::filesystem::exists(dir.file("g.txt")));

    host = test::ScriptedHost{};
    ws.abortflag = false;
    EXPECT_EQ(storestrains(ws, host, dir.file("no/g.txt")), StrainExport::Failed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Open Error");
}

}  // namespace
}  // namespace crustex

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "files/filetestutil.h"
#include "files/storenames.h"
#include "files/strainexport.h"
#include "files/workfile.h"
#include "model/numtext.h"

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

// Every grid holds its own values (grid k: 100 k + 10 i + j at node (i, j)),
// so each column can only have come from its own grid.
TEST_F(Strains, NineAndFourColumnLayouts) {
    const ResultGrids& g = ws.grids;
    const Grid2D* const nine[] = {&g.ux,    &g.uy,    &g.uz,    &g.duxdx, &g.duydx, &g.duzdx,
                                  &g.duxdy, &g.duydy, &g.duzdy, &g.duxdz, &g.duydz, &g.duzdz};
    const Grid2D* const four[] = {&g.areal, &g.vol, &g.maxshear, &g.cff};
    auto fill = [](const Grid2D* grid, int k) {
        Grid2D& m = const_cast<Grid2D&>(*grid);
        for (int i = 0; i <= 2; ++i)
            for (int j = 0; j <= 2; ++j) m(i, j) = float(100 * k + 10 * i + j);
    };
    for (int k = 0; k < 12; ++k) fill(nine[k], k + 1);
    for (int k = 0; k < 4; ++k) fill(four[k], k + 13);
    ws.grids.ux(0, 1) = -0.000012345f;
    ws.grids.duzdz(1, 0) = kNoValue;
    for (const bool nineformat : {true, false}) {
        ws.strformat9 = nineformat;
        const std::vector<std::string> lines = crlflines(straintext(ws));
        ASSERT_EQ(lines.size(), 9u);
        for (int i = 0, n = 0; i <= 2; ++i) {
            for (int j = 0; j <= 2; ++j, ++n) {
                // Up the first column, then the next.
                const std::string& l = lines[std::size_t(n)];
                std::string want = expfield(10.0f + 10 * i) + expfield(100.0f + 20 * j);
                for (const Grid2D* grid : nineformat ? std::span<const Grid2D* const>(nine)
                                                     : std::span<const Grid2D* const>(four))
                    want += expfield((*grid)(i, j));
                EXPECT_EQ(l, want) << i << "," << j;
            }
        }
    }
    ws.strformat9 = true;
    const std::vector<std::string> lines = crlflines(straintext(ws));
    EXPECT_EQ(lines[1].substr(0, 33), "     1.E+01    1.2E+02 -1.235E-05");
    EXPECT_EQ(lines[3].substr(143, 11), "  9.999E+99");
    EXPECT_EQ(lines[0].size(), 154u);
    EXPECT_EQ(lines[8].substr(44, 11), "   3.22E+02");
    ws.strformat9 = false;
    EXPECT_EQ(crlflines(straintext(ws))[0].size(), 66u);

    // Handed over one column of nodes at a time.
    std::vector<std::size_t> pieces;
    EXPECT_TRUE(writestraintable(ws, [&](std::string_view column) {
        pieces.push_back(column.size());
        return true;
    }));
    EXPECT_EQ(pieces, std::vector<std::size_t>(3, 3 * 68));
}

TEST_F(Strains, StaleGridsAreComputedUnlessAbortedOrTheFileIsUnwritable) {
    ws.gridstale = true;
    host.onProcessEvents = [&](int) { ws.abortflag = true; };
    host.answers = {MsgAnswer::Ok};  // Ctrl-Q answered OK
    EXPECT_EQ(storestrains(ws, host, dir.file("g.txt")), StrainExport::Aborted);
    EXPECT_FALSE(std::filesystem::exists(dir.file("g.txt")));

    // A file that cannot be written is found before the grid is computed.
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0644), 0);
    for (const char* name : {"no/g.txt", "fifo"}) {
        host = test::ScriptedHost{};
        ws.abortflag = false;
        EXPECT_EQ(storestrains(ws, host, dir.file(name)), StrainExport::Failed);
        EXPECT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages.at(0).text, "Open Error");
        EXPECT_EQ(host.processEventsCalls, 0);
    }
    EXPECT_EQ(std::filesystem::status(dir.file("fifo")).type(), std::filesystem::file_type::fifo);

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

}  // namespace
}  // namespace crustex

#include "plot/contourtrace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <vector>

#include "plot/contourlevels.h"
#include "plot/drawsymbol.h"
#include "plot/plotframe.h"
#include "plot/recordingsurface.h"
#include "support/scriptedhost.h"

namespace crustex {
namespace {

// A contour map on a recording surface: node x(i) = 10 i, node y(j) = 100 - 10 j
// (north is up, as on the plot).
struct Fixture {
    RecordingSurface surface;
    PlotContext pc;
    test::ScriptedHost host;
    bool abortflag = false;
    Grid2D values;
    std::vector<float> nodex, nodey;

    Fixture(int nx, int ny, const std::function<float(int, int)>& f) : values(nx, ny) {
        pc.screen = pc.target = &surface;
        setcolormode(pc.palette, "nomap");
        for (int i = 0; i <= nx; ++i)
            for (int j = 0; j <= ny; ++j) values(i, j) = f(i, j);
        for (int i = 0; i <= nx; ++i) nodex.push_back(10.0f * i);
        for (int j = 0; j <= ny; ++j) nodey.push_back(100.0f - 10.0f * j);
    }
    ContourGrid grid() const { return {values, nodex, nodey, 0, 0, values.nx(), values.ny()}; }
    ContourOutcome linear(float sub, int nsub = 4, bool peaks = true) {
        return drawcontour(pc, host, abortflag, grid(), sub, 0.01f, nsub, 7, kScaleLinear, peaks);
    }
    ContourOutcome semilog(int scale, float minvalue, int nsub = 0, bool peaks = true) {
        return drawcontour(pc, host, abortflag, grid(), 1, minvalue, nsub, 7, scale, peaks);
    }
    std::vector<RecordedOp> lines() const { return surface.lines(); }
};

bool samepoint(float x1, float y1, float x2, float y2) {
    return std::fabs(x1 - x2) < 1e-4f && std::fabs(y1 - y2) < 1e-4f;
}

// True when the segment joins the two points, in either direction.
bool joins(const RecordedOp& l, float ax, float ay, float bx, float by) {
    return (samepoint(l.x1, l.y1, ax, ay) && samepoint(l.x2, l.y2, bx, by)) ||
           (samepoint(l.x1, l.y1, bx, by) && samepoint(l.x2, l.y2, ax, ay));
}

// One cell with corners c0 (SW), c1 (NW), c2 (NE), c3 (SE).
Fixture onecell(float c0, float c1, float c2, float c3) {
    return Fixture(1, 1, [=](int i, int j) {
        if (i == 0) return j == 0 ? c0 : c1;
        return j == 0 ? c3 : c2;
    });
}

TEST(ContourCell, SaddleGivesWestNorthAndEastSouthSegments) {
    // Normalized corners 0, 2, 0, 2: level 1 is a saddle.
    Fixture f = onecell(0, 2, 0, 2);
    f.linear(1, 1, false);  // period 2: level 1 is the only positive sub-line
    const auto l1 = f.surface.linesofcolor(f.pc.palette.possubcontour);
    ASSERT_EQ(l1.size(), 2u);
    // West side midpoint (0, 95) to north side midpoint (5, 90); east side
    // midpoint (10, 95) to south side midpoint (5, 100).
    EXPECT_TRUE(joins(l1[0], 0, 95, 5, 90));
    EXPECT_TRUE(joins(l1[1], 10, 95, 5, 100));
}

TEST(ContourCell, CornerRule) {
    struct Case {
        const char* what;
        float c0, c1, c2, c3;
        float ax, ay, bx, by;  // the one expected level-1 segment
    };
    const Case cases[] = {
        // Touching maximum at the SW corner: both edges at it are marked and
        // the segment shrinks to the corner.
        {"touching extreme", 1, 0, 0, 0, 0, 100, 0, 100},
        // The level passes through the NW and SE corners: one diagonal.
        {"pass-through corners", 0, 1, 2, 1, 0, 90, 10, 100},
        // Flat west side exactly on the level: the side itself is the line.
        {"flat side", 1, 1, 2, 2, 0, 100, 0, 90},
        // Ordinary crossing of the west and east sides.
        {"plain crossing", 0, 2, 2, 0, 0, 95, 10, 95},
    };
    for (const auto& c : cases) {
        Fixture f = onecell(c.c0, c.c1, c.c2, c.c3);
        f.linear(1, 0, false);
        std::vector<RecordedOp> level1;
        for (const auto& l : f.lines())
            if (l.color == f.pc.palette.maincontour) level1.push_back(l);
        // Level 2 (also a main line) may add segments only where a corner is 2.
        std::erase_if(level1, [&](const RecordedOp& l) {
            return !joins(l, c.ax, c.ay, c.bx, c.by) && (c.c2 == 2 || c.c1 == 2 || c.c3 == 2);
        });
        ASSERT_EQ(level1.size(), 1u) << c.what;
        EXPECT_TRUE(joins(level1[0], c.ax, c.ay, c.bx, c.by)) << c.what;
    }
}

TEST(ContourMap, ValuesBetweenTwoLevelsDrawNoLine) {
    std::mt19937 rng(3);
    std::uniform_real_distribution<float> d(2.05f, 3.95f);  // between levels 2 and 4 (sub 2)
    Fixture f(12, 9, [&](int, int) { return d(rng); });
    f.linear(2, 0, false);
    EXPECT_EQ(f.surface.count(OpKind::Line), 0u);
}

TEST(ContourMap, NoValueNodeRemovesItsFourCellsAndIsNoPeak) {
    // A cone with its top replaced by the no-value marker: every cell of the
    // 2 x 2 cell grid touches it.
    Fixture f(2, 2, [](int i, int j) { return i == 1 && j == 1 ? kNoValue : float(i + j); });
    f.linear(0.5f);
    EXPECT_EQ(f.surface.count(OpKind::Line), 0u);
    EXPECT_EQ(f.surface.findtext("H"), nullptr);
    EXPECT_FALSE(f.surface.hasnonfinite());

    // In a larger grid only the cells around the node go; a peak beside it
    // still counts (the no-value neighbour always loses).
    Fixture g(6, 6, [](int i, int j) {
        if (i == 3 && j == 3) return kNoValue;
        return 10.0f - std::fabs(i - 2.0f) - std::fabs(j - 2.0f);
    });
    g.linear(1);
    for (const auto& l : g.lines()) {
        if (l.color == kBlack) continue;  // the peak's cross
        for (float x : {l.x1, l.x2})
            for (float y : {l.y1, l.y2})
                EXPECT_FALSE(x > 20 && x < 40 && y < 80 && y > 60) << x << " " << y;
    }
    ASSERT_NE(g.surface.findtext("H"), nullptr);
    const RecordedOp* h = g.surface.findtext("H");
    EXPECT_NEAR(h->x1 + h->x2, 20 - 3, 1e-4);  // right edge 3 units left of node x(2)
    EXPECT_NEAR(h->y1 + h->y2 / 2, 80, 1e-4);  // centred on node y(2)
    EXPECT_NE(g.surface.findtext("10."), nullptr);
}

TEST(ContourMap, PeaksOnlyInsideAndBothKinds) {
    // On a gentle eastward ramp: a maximum at (2, 2), a minimum at (5, 3),
    // a larger maximum on the border (0, 4) that must not be marked.
    Fixture f(7, 6, [](int i, int j) {
        if (i == 2 && j == 2) return 5.2f;
        if (i == 5 && j == 3) return -4.5f;
        if (i == 0 && j == 4) return 50.0f;
        return 0.1f * i;
    });
    f.linear(1);
    const auto texts = f.surface.textstrings();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "H"), 1);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "L"), 1);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "50."), 0);
    const RecordedOp* low = f.surface.findtext("L");
    ASSERT_NE(low, nullptr);
    EXPECT_NEAR(low->x1 + low->x2, 50 - 3, 1e-4);
    // Each peak has its cross: two diagonals of 0.707 x 3 around the node.
    int crosses = 0;
    for (const auto& l : f.lines())
        if (l.color == kBlack && std::fabs(std::fabs(l.x2 - l.x1) - 2 * 0.707f * 3) < 1e-4f)
            ++crosses;
    EXPECT_EQ(crosses, 4);

    // Only six neighbours count: a higher node at (i + 1, j - 1) or
    // (i - 1, j + 1) does not stop a peak.
    Fixture six(4, 4, [](int i, int j) {
        if (i == 2 && j == 2) return 5.0f;
        if ((i == 3 && j == 1) || (i == 1 && j == 3)) return 9.0f;
        return 0.0f;
    });
    six.linear(1);
    const auto sixtexts = six.surface.textstrings();
    EXPECT_EQ(std::count(sixtexts.begin(), sixtexts.end(), "5."), 1);
    EXPECT_EQ(std::count(sixtexts.begin(), sixtexts.end(), "9."), 2);  // they are peaks too
    EXPECT_EQ(std::count(sixtexts.begin(), sixtexts.end(), "H"), 3);

    // Without "Show Peak Value" nothing is marked.
    Fixture g(7, 6, [](int i, int j) {
        return 5.0f * std::exp(-((i - 2.0f) * (i - 2.0f) + (j - 2.0f) * (j - 2.0f)));
    });
    g.linear(1, 4, false);
    EXPECT_EQ(g.surface.findtext("H"), nullptr);
}

TEST(ContourMap, LevelColoursByKind) {
    // A ramp from -6 to 6 along x, sub-interval 1.
    struct Case {
        int nsub;
        int zero, main, pos, neg;  // expected segment counts per colour
    };
    // Each level -6..5 runs along the west side of one cell; level 6 lies on
    // the east end and shrinks to points there.
    const Case cases[] = {
        {0, 1, 11, 0, 0},  // every non-zero line a main line
        {1, 1, 5, 3, 3},   // -6, +-2, +-4 main; +-1, +-3, +-5 sub
        {4, 1, 2, 4, 5},   // +-5 main; -6 a sub-line
    };
    for (const auto& c : cases) {
        Fixture f(12, 1, [](int i, int) { return float(i) - 6; });
        f.linear(1, c.nsub, false);
        auto count = [&](Rgb color) {
            // Full-height vertical segments at the level positions.
            int n = 0;
            for (const auto& l : f.surface.linesofcolor(color))
                if (std::fabs(l.y1 - l.y2) > 9) ++n;
            return n;
        };
        EXPECT_EQ(count(f.pc.palette.zerocontour), c.zero) << c.nsub;
        EXPECT_EQ(count(f.pc.palette.maincontour), c.main) << c.nsub;
        EXPECT_EQ(count(f.pc.palette.possubcontour), c.pos) << c.nsub;
        EXPECT_EQ(count(f.pc.palette.negsubcontour), c.neg) << c.nsub;
    }
}

TEST(ContourMap, RightEdgeLabels) {
    // Values rise along y at the last column: 0, 4, kNoValue, 12, 16 (sub 2).
    Fixture f(1, 4, [](int, int j) { return j == 2 ? kNoValue : 4.0f * j; });
    f.linear(2, 4, false);
    std::vector<std::pair<std::string, float>> labels;
    for (const auto& t : f.surface.texts()) {
        EXPECT_NEAR(t.x1, 10 + 5, 1e-4);
        labels.push_back({t.text, t.y1 + t.y2 / 2});
    }
    // Pair (0, 4): levels 0, 1, 2 -> "0", 2e0, 4e0; pairs with the missing
    // node are skipped; pair (12, 16): 12 and 14 round to 1e1, then 2e1.
    const std::vector<std::pair<std::string, float>> want = {{"0", 100},  {"2e0", 95}, {"4e0", 90},
                                                             {"1e1", 70}, {"1e1", 65}, {"2e1", 60}};
    ASSERT_EQ(labels.size(), want.size());
    for (std::size_t n = 0; n < want.size(); ++n) {
        EXPECT_EQ(labels[n].first, want[n].first);
        EXPECT_NEAR(labels[n].second, want[n].second, 1e-3);
    }
}

TEST(ContourMap, SemiLogLinesColoursAndLabels) {
    // One cell rising from 0 (south) to 100 (north), "Min. Value" 1.
    Fixture f = onecell(0, 100, 100, 0);
    f.semilog(kScaleSemiLog1, 1, 0, false);
    // Levels 1..9, 10..90 cross the cell as horizontal west-east segments.
    int inside = 0, mains = 0;
    for (const auto& l : f.lines()) {
        if (l.y1 < 99.99f && l.y1 > 90.01f) {
            ++inside;
            EXPECT_NEAR(l.y1, l.y2, 1e-4);
            if (l.color == f.pc.palette.maincontour) {
                ++mains;
                EXPECT_TRUE(std::fabs(l.y1 - 99.9f) < 1e-3f || std::fabs(l.y1 - 99.0f) < 1e-3f)
                    << l.y1;
            }
        }
    }
    EXPECT_EQ(inside, 18);
    EXPECT_EQ(mains, 2);  // 1 and 10
    // Edge labels: only 0 and 1 (10 and 100 do not end in 1).
    EXPECT_EQ(f.surface.textstrings(), (std::vector<std::string>{"0", "1E0"}));

    // Semi-log 2 with 2 sub-contours: 1, 2.154, 4.642, 10, 21.54, 46.42 inside.
    Fixture g = onecell(0, 100, 100, 0);
    g.semilog(kScaleSemiLog2, 1, 2, false);
    int inside2 = 0;
    for (const auto& l : g.lines())
        if (l.y1 < 99.99f && l.y1 > 90.01f) ++inside2;
    EXPECT_EQ(inside2, 6);
}

TEST(ContourMap, CtrlQThenCancelGoesOnThenOkStops) {
    auto cone = [](int i, int j) {
        return 20.0f - std::fabs(i - 4.0f) * 2 - std::fabs(j - 3.0f) * 3;
    };
    Fixture plain(8, 6, cone);
    plain.linear(1);
    ASSERT_GT(plain.surface.count(OpKind::Line), 20u);

    // Ctrl-Q during column 3, answered Cancel: the same picture.
    Fixture cancel(8, 6, cone);
    cancel.host.answers = {MsgAnswer::Cancel};
    cancel.host.onProcessEvents = [&](int n) {
        if (n == 3) cancel.abortflag = true;
    };
    EXPECT_FALSE(cancel.linear(1).aborted);
    EXPECT_FALSE(cancel.abortflag);
    ASSERT_EQ(cancel.host.messages.size(), 1u);
    EXPECT_EQ(cancel.host.messages[0].text, "Abort?");
    EXPECT_EQ(cancel.host.messages[0].title, "Ctrl-Q Pressed");
    EXPECT_EQ(cancel.host.messages[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(cancel.surface.ops().size(), plain.surface.ops().size());

    // Answered OK: only the first three columns, no peaks and no labels.
    Fixture ok(8, 6, cone);
    ok.host.answers = {MsgAnswer::Ok};
    ok.host.onProcessEvents = [&](int n) {
        if (n == 3) ok.abortflag = true;
    };
    EXPECT_TRUE(ok.linear(1).aborted);
    EXPECT_EQ(ok.host.processEventsCalls, 3);
    EXPECT_EQ(ok.surface.texts().size(), 0u);
    EXPECT_GT(ok.surface.count(OpKind::Line), 0u);
    for (const auto& l : ok.lines()) EXPECT_LE(std::max(l.x1, l.x2), 30.0001f);
    // The strip and pointer are restored either way.
    EXPECT_EQ(ok.host.lastStatus(), "");
    EXPECT_FALSE(ok.host.busy);
}

TEST(ContourMap, StartAndEndOfADrawing) {
    Fixture f(3, 3, [](int i, int j) { return float(i * j); });
    f.abortflag = true;  // a stale Ctrl-Q from before is forgotten
    f.linear(1);
    ASSERT_FALSE(f.host.statuses.empty());
    EXPECT_EQ(f.host.statuses.front(), " Drawing Contours(Ctrl-Q to Abort)");
    EXPECT_EQ(f.host.lastStatus(), "");
    EXPECT_EQ(f.host.busyChanges, (std::vector<bool>{true, false}));
    EXPECT_EQ(f.host.menuChanges, (std::vector<bool>{false}));
    EXPECT_TRUE(f.host.messages.empty());
    EXPECT_EQ(f.host.processEventsCalls, 3);  // once per column of cells
    EXPECT_EQ(f.surface.ForeColor, kBlack);
}

TEST(ContourMap, HugeLevelCountsAreThinnedAndSaidSo) {
    // A tiny "Main Contour" against large values: millions of levels per cell.
    Fixture f(4, 4, [](int i, int j) { return 1000.0f * i - 700.0f * j; });
    const ContourOutcome out = f.linear(1e-5f);
    EXPECT_TRUE(out.thinned);
    EXPECT_EQ(f.host.lastStatus(), kContourThinnedStatus);
    EXPECT_GT(f.surface.count(OpKind::Line), 0u);
    EXPECT_LE(f.surface.count(OpKind::Line), 16u * 2 * kMaxContourLevels);
    EXPECT_FALSE(f.surface.hasnonfinite());

    // Bad sub-intervals draw no lines and do not hang.
    for (float sub : {0.0f, -1.0f, std::nanf("")}) {
        Fixture g(4, 4, [](int i, int j) { return float(i - j); });
        EXPECT_FALSE(g.linear(sub, 4, false).thinned);
        EXPECT_EQ(g.surface.count(OpKind::Line), 0u);
    }
}

TEST(ContourMap, RangesBeyondTheGridAreCut) {
    Fixture f(3, 3, [](int i, int j) { return float(i + j); });
    ContourGrid g{f.values, f.nodex, f.nodey, -2, -1, 40, 50};
    drawcontour(f.pc, f.host, f.abortflag, g, 1, 0.01f, 0, 7, kScaleLinear, true);
    Fixture ref(3, 3, [](int i, int j) { return float(i + j); });
    ref.linear(1, 0);
    EXPECT_EQ(f.surface.ops().size(), ref.surface.ops().size());
    // Node arrays shorter than the grid limit the cells too.
    Fixture s(3, 3, [](int i, int j) { return float(i + j); });
    ContourGrid shortg{s.values, std::span<const float>(s.nodex).first(2), s.nodey, 0, 0, 3, 3};
    drawcontour(s.pc, s.host, s.abortflag, shortg, 1, 0.01f, 0, 7, kScaleLinear, true);
    for (const auto& l : s.lines()) EXPECT_LE(std::max(l.x1, l.x2), 10.0001f);
    // An empty grid draws nothing.
    Grid2D empty;
    std::vector<float> none;
    EXPECT_FALSE(drawcontour(s.pc, s.host, s.abortflag, {empty, none, none, 0, 0, 5, 5}, 1, 0.01f,
                             0, 7, 0, true)
                     .aborted);
}

TEST(NodeFrames, NodesSpanTheDataArea) {
    PlotFrame frame;
    ASSERT_TRUE(setplotframe(frame, 240));
    std::vector<float> nx, ny;
    setnodeframes(frame, 20, 20, 170, 170, nx, ny, 20, 10);
    ASSERT_EQ(nx.size(), 21u);
    ASSERT_EQ(ny.size(), 11u);
    EXPECT_FLOAT_EQ(nx.front(), toframex(frame, 20));
    EXPECT_NEAR(nx.back(), toframex(frame, 170), 1e-3);
    EXPECT_FLOAT_EQ(ny.front(), toframey(frame, 20));
    EXPECT_NEAR(ny.back(), toframey(frame, 170), 1e-3);
    EXPECT_NEAR(nx[1] - nx[0], 7.5f * 659.2f / 240, 1e-3);
    EXPECT_LT(ny[1], ny[0]);  // north is up
    setnodeframes(frame, 20, 20, 170, 170, nx, ny, 0, -3);
    EXPECT_EQ(nx.size(), 1u);
    EXPECT_EQ(ny.size(), 1u);
}

TEST(Symbols, NamedMarksInForeColor) {
    struct Seg {
        float x1, y1, x2, y2;
    };
    struct Case {
        const char* name;
        float size;
        std::vector<Seg> want;  // around (10, 20)
    };
    const float d = 0.707f * 3;
    const Case cases[] = {
        {"crs", 3, {{10 - d, 20 - d, 10 + d, 20 + d}, {10 - d, 20 + d, 10 + d, 20 - d}}},
        {"rca",
         2,
         {{10, 20, 10, 18},
          {10, 18, 10 - 1.732f, 21},
          {10 - 1.732f, 21, 10 + 1.732f, 21},
          {10 + 1.732f, 21, 10, 18}}},
        {"pls", 1, {{9, 20, 11, 20}, {10, 19, 10, 21}}},
        {"nothing", 3, {}},
    };
    for (const auto& c : cases) {
        RecordingSurface surface;
        PlotContext pc;
        pc.screen = pc.target = &surface;
        surface.ForeColor = Rgb{1, 2, 3};
        EXPECT_EQ(drawsymbol(pc, 10, 20, c.name, c.size), !c.want.empty()) << c.name;
        const auto lines = surface.lines();
        ASSERT_EQ(lines.size(), c.want.size()) << c.name;
        for (std::size_t n = 0; n < lines.size(); ++n) {
            EXPECT_TRUE(joins(lines[n], c.want[n].x1, c.want[n].y1, c.want[n].x2, c.want[n].y2))
                << c.name << " " << n << ": " << lines[n].x1 << "," << lines[n].y1 << " "
                << lines[n].x2 << "," << lines[n].y2;
            EXPECT_EQ(lines[n].color, (Rgb{1, 2, 3}));
        }
    }
}

}  // namespace
}  // namespace crustex

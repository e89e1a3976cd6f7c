#include "plot/contourtrace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <random>
#include <vector>

#include "plot/contourlevels.h"
#include "plot/drawsymbol.h"
#include "plot/plottestutil.h"

namespace crustex {
namespace {

using test::joins;

// A contour map on a recording surface: node x(i) = 10 i, node y(j) = 100 - 10 j
// (north is up, as on the plot).
struct Map : test::GridCanvas {
    Map(int nx, int ny, const std::function<float(int, int)>& f)
        : GridCanvas(nx, ny, 0, 10, 100, 10, f) {}
    ContourOutcome linear(float sub, int nsub = 4, bool peaks = true) {
        return drawcontour(pc, host, abortflag, grid(), sub, 0.01f, nsub, 7, kScaleLinear, peaks);
    }
    ContourOutcome semilog(int scale, float minvalue, int nsub = 0) {
        return drawcontour(pc, host, abortflag, grid(), 1, minvalue, nsub, 7, scale, false);
    }
    std::vector<RecordedOp> lines() const { return surface.lines(); }
    long textcount(const std::string& t) const {
        const auto texts = surface.textstrings();
        return std::count(texts.begin(), texts.end(), t);
    }
};

// One cell with corners c0 (SW), c1 (NW), c2 (NE), c3 (SE).
Map onecell(float c0, float c1, float c2, float c3) {
    return Map(1, 1, [=](int i, int j) {
        if (i == 0) return j == 0 ? c0 : c1;
        return j == 0 ? c3 : c2;
    });
}

// The level-1 segments of one cell (sub-interval 1, every line a main line).
TEST(ContourCell, SaddleAndCornerRule) {
    struct Case {
        const char* what;
        float c0, c1, c2, c3;
        std::vector<std::array<float, 4>> want;  // the expected level-1 segments
    };
    const Case cases[] = {
        // Normalized corners 0, 2, 0, 2: a saddle, west side midpoint to north
        // side midpoint and east side midpoint to south side midpoint.
        {"saddle", 0, 2, 0, 2, {{0, 95, 5, 90}, {10, 95, 5, 100}}},
        // Touching maximum at the SW corner: both edges at it are marked and
        // the segment shrinks to the corner.
        {"touching extreme", 1, 0, 0, 0, {{0, 100, 0, 100}}},
        // The level passes through the NW and SE corners: one diagonal.
        {"pass-through corners", 0, 1, 2, 1, {{0, 90, 10, 100}}},
        // Flat west side exactly on the level: the side itself is the line.
        {"flat side", 1, 1, 2, 2, {{0, 100, 0, 90}}},
        // Ordinary crossing of the west and east sides.
        {"plain crossing", 0, 2, 2, 0, {{0, 95, 10, 95}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Map f = onecell(c.c0, c.c1, c.c2, c.c3);
        f.linear(1, 0, false);
        auto expected = [&](const RecordedOp& l) {
            return std::any_of(c.want.begin(), c.want.end(),
                               [&](auto& w) { return joins(l, w[0], w[1], w[2], w[3]); });
        };
        // Level 2 (also a main line) may add segments only where a corner is 2.
        std::vector<RecordedOp> level1 = f.surface.linesofcolor(f.pc.palette.maincontour);
        const bool level2 = c.c1 == 2 || c.c2 == 2 || c.c3 == 2;
        std::erase_if(level1, [&](const RecordedOp& l) { return level2 && !expected(l); });
        ASSERT_EQ(level1.size(), c.want.size());
        for (std::size_t n = 0; n < c.want.size(); ++n) {
            const auto& w = c.want[n];
            EXPECT_TRUE(joins(level1[n], w[0], w[1], w[2], w[3])) << n;
        }
    }
}

TEST(ContourMap, ValuesBetweenTwoLevelsDrawNoLine) {
    std::mt19937 rng(3);
    std::uniform_real_distribution<float> d(2.05f, 3.95f);  // between levels 2 and 4 (sub 2)
    Map f(12, 9, [&](int, int) { return d(rng); });
    f.linear(2, 0, false);
    EXPECT_EQ(f.surface.count(OpKind::Line), 0u);
}

TEST(ContourMap, NoValueNodeRemovesItsFourCellsAndIsNoPeak) {
    // A cone with its top replaced by the no-value marker: every cell of the
    // 2 x 2 cell grid touches it.
    Map f(2, 2, [](int i, int j) { return i == 1 && j == 1 ? kNoValue : float(i + j); });
    f.linear(0.5f);
    EXPECT_EQ(f.surface.count(OpKind::Line), 0u);
    EXPECT_EQ(f.textcount("H"), 0);

    // In a larger grid only the cells around the node go; a peak beside it
    // still counts (the no-value neighbour always loses).
    Map g(6, 6, [](int i, int j) {
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
    const RecordedOp* h = g.surface.findtext("H");
    ASSERT_NE(h, nullptr);
    EXPECT_NEAR(h->x1 + h->x2, 20 - 3, 1e-4);  // right edge 3 units left of node x(2)
    EXPECT_NEAR(h->y1 + h->y2 / 2, 80, 1e-4);  // centred on node y(2)
    EXPECT_EQ(g.textcount("10."), 1);
    EXPECT_FALSE(g.surface.hasnonfinite());
}

TEST(ContourMap, PeaksOnlyInsideAndBothKinds) {
    // On a gentle eastward ramp: a maximum at (2, 2), a minimum at (5, 3),
    // a larger maximum on the border (0, 4) that must not be marked.
    auto ramp = [](int i, int j) {
        if (i == 2 && j == 2) return 5.2f;
        if (i == 5 && j == 3) return -4.5f;
        if (i == 0 && j == 4) return 50.0f;
        return 0.1f * i;
    };
    Map f(7, 6, ramp);
    f.linear(1);
    EXPECT_EQ(f.textcount("H"), 1);
    EXPECT_EQ(f.textcount("L"), 1);
    EXPECT_EQ(f.textcount("50."), 0);
    const RecordedOp* low = f.surface.findtext("L");
    ASSERT_NE(low, nullptr);
    EXPECT_NEAR(low->x1 + low->x2, 50 - 3, 1e-4);
    // Each peak has its cross: two diagonals of 0.707 x 3 around the node.
    const auto lines = f.lines();
    const auto crosses = std::count_if(lines.begin(), lines.end(), [](const auto& l) {
        return l.color == kBlack && std::fabs(std::fabs(l.x2 - l.x1) - 2 * 0.707f * 3) < 1e-4f;
    });
    EXPECT_EQ(crosses, 4);

    // Only six neighbours count: a higher node at (i + 1, j - 1) or
    // (i - 1, j + 1) does not stop a peak.
    Map six(4, 4, [](int i, int j) {
        if (i == 2 && j == 2) return 5.0f;
        if ((i == 3 && j == 1) || (i == 1 && j == 3)) return 9.0f;
        return 0.0f;
    });
    six.linear(1);
    EXPECT_EQ(six.textcount("5."), 1);
    EXPECT_EQ(six.textcount("9."), 2);  // they are peaks too
    EXPECT_EQ(six.textcount("H"), 3);

    // Without "Show Peak Value" nothing is marked.
    Map none(7, 6, ramp);
    none.linear(1, 4, false);
    EXPECT_EQ(none.textcount("H") + none.textcount("L"), 0);
}

TEST(ContourMap, LevelColoursByKind) {
    // A ramp from -6 to 6 along x, sub-interval 1. Each level -6..5 runs
    // along the west side of one cell; level 6 lies on the east end and
    // shrinks to points there.
    struct Case {
        int nsub;
        int zero, main, pos, neg;  // expected segment counts per colour
    };
    const Case cases[] = {
        {0, 1, 11, 0, 0},  // every non-zero line a main line
        {1, 1, 5, 3, 3},   // -6, +-2, +-4 main; +-1, +-3, +-5 sub
        {4, 1, 2, 4, 5},   // +-5 main; -6 a sub-line
    };
    for (const auto& c : cases) {
        Map f(12, 1, [](int i, int) { return float(i) - 6; });
        f.linear(1, c.nsub, false);
        auto count = [&](Rgb color) {
            const auto l = f.surface.linesofcolor(color);  // full-height vertical segments
            return std::count_if(l.begin(), l.end(),
                                 [](auto& s) { return std::fabs(s.y2 - s.y1) > 9; });
        };
        const Palette& p = f.pc.palette;
        EXPECT_EQ(count(p.zerocontour), c.zero) << c.nsub;
        EXPECT_EQ(count(p.maincontour), c.main) << c.nsub;
        EXPECT_EQ(count(p.possubcontour), c.pos) << c.nsub;
        EXPECT_EQ(count(p.negsubcontour), c.neg) << c.nsub;
    }
}

TEST(ContourMap, RightEdgeLabels) {
    // Values rise along y at the last column: 0, 4, kNoValue, 12, 16 (sub 2).
    Map f(1, 4, [](int, int j) { return j == 2 ? kNoValue : 4.0f * j; });
    f.linear(2, 4, false);
    // Pair (0, 4): levels 0, 1, 2 -> "0", 2e0, 4e0; pairs with the missing
    // node are skipped; pair (12, 16): 12 and 14 round to 1e1, then 2e1.
    const std::vector<std::pair<std::string, float>> want = {{"0", 100},  {"2e0", 95}, {"4e0", 90},
                                                             {"1e1", 70}, {"1e1", 65}, {"2e1", 60}};
    const auto texts = f.surface.texts();
    ASSERT_EQ(texts.size(), want.size());
    for (std::size_t n = 0; n < want.size(); ++n) {
        EXPECT_EQ(texts[n].text, want[n].first);
        EXPECT_NEAR(texts[n].x1, 10 + 5, 1e-4);
        EXPECT_NEAR(texts[n].y1 + texts[n].y2 / 2, want[n].second, 1e-3);
    }
}

TEST(ContourMap, SemiLogLinesColoursAndLabels) {
    // One cell rising from 0 (south) to 100 (north), "Min. Value" 1: levels
    // 1..9 and 10..90 cross it as west-east segments, 1 and 10 main lines.
    auto inside = [](const std::vector<RecordedOp>& lines) {
        std::vector<float> y;
        for (const auto& l : lines)
            if (l.y1 < 99.99f && l.y1 > 90.01f && std::fabs(l.y1 - l.y2) < 1e-4f) y.push_back(l.y1);
        return y;
    };
    Map f = onecell(0, 100, 100, 0);
    f.semilog(kScaleSemiLog1, 1);
    EXPECT_EQ(inside(f.lines()).size(), 18u);
    const auto mains = inside(f.surface.linesofcolor(f.pc.palette.maincontour));
    ASSERT_EQ(mains.size(), 2u);
    EXPECT_NEAR(mains[0], 99.9f, 1e-3);
    EXPECT_NEAR(mains[1], 99.0f, 1e-3);
    // Edge labels: only 0 and 1 (10 and 100 do not end in 1).
    EXPECT_EQ(f.surface.textstrings(), (std::vector<std::string>{"0", "1E0"}));

    // Semi-log 2 with 2 sub-contours: 1, 2.154, 4.642, 10, 21.54, 46.42 inside.
    Map g = onecell(0, 100, 100, 0);
    g.semilog(kScaleSemiLog2, 1, 2);
    EXPECT_EQ(inside(g.lines()).size(), 6u);
}

TEST(ContourMap, StatusAndCtrlQThenCancelGoesOnThenOkStops) {
    auto cone = [](int i, int j) {
        return 20.0f - std::fabs(i - 4.0f) * 2 - std::fabs(j - 3.0f) * 3;
    };
    Map plain(8, 6, cone);
    plain.abortflag = true;  // a stale Ctrl-Q from before is forgotten
    plain.linear(1);
    ASSERT_GT(plain.surface.count(OpKind::Line), 20u);
    EXPECT_EQ(plain.host.statuses.front(), " Drawing Contours(Ctrl-Q to Abort)");
    EXPECT_EQ(plain.host.lastStatus(), "");
    EXPECT_EQ(plain.host.busyChanges, (std::vector<bool>{true, false}));
    EXPECT_EQ(plain.host.menuChanges, (std::vector<bool>{false}));
    EXPECT_TRUE(plain.host.messages.empty());
    EXPECT_EQ(plain.host.processEventsCalls, 8);  // once per column of cells
    EXPECT_EQ(plain.surface.ForeColor, kBlack);

    for (MsgAnswer answer : {MsgAnswer::Cancel, MsgAnswer::Ok}) {
        Map f(8, 6, cone);
        f.host.answers = {answer};
        f.host.onProcessEvents = [&](int n) { f.abortflag = f.abortflag || n == 3; };
        const bool stopped = answer == MsgAnswer::Ok;
        EXPECT_EQ(f.linear(1).aborted, stopped);
        EXPECT_EQ(f.host.messages.size(), 1u);  // the shared "Abort?" prompt
        EXPECT_EQ(f.host.lastStatus(), "");
        EXPECT_FALSE(f.host.busy);
        if (!stopped) {  // Cancel: the same picture
            EXPECT_FALSE(f.abortflag);
            EXPECT_EQ(f.surface.ops().size(), plain.surface.ops().size());
            continue;
        }
        // OK: only the first three columns, no peaks and no labels.
        EXPECT_EQ(f.host.processEventsCalls, 3);
        EXPECT_EQ(f.surface.texts().size(), 0u);
        EXPECT_GT(f.surface.count(OpKind::Line), 0u);
        for (const auto& l : f.lines()) EXPECT_LE(std::max(l.x1, l.x2), 30.0001f);
    }
}

TEST(ContourMap, HugeLevelCountsAreThinnedAndSaidSo) {
    // A tiny "Main Contour" against large values: millions of levels per cell.
    Map f(4, 4, [](int i, int j) { return 1000.0f * i - 700.0f * j; });
    EXPECT_TRUE(f.linear(1e-5f).thinned);
    // Said while the rest is drawn, and cleared with the map.
    EXPECT_EQ(f.host.statuses, (std::vector<std::string>{" Drawing Contours(Ctrl-Q to Abort)",
                                                         kContourThinnedStatus, ""}));
    EXPECT_GT(f.surface.count(OpKind::Line), 0u);
    EXPECT_LE(f.surface.count(OpKind::Line), 16u * 2 * kMaxContourLevels);
    EXPECT_FALSE(f.surface.hasnonfinite());

    // Bad sub-intervals draw no lines and do not hang.
    for (float sub : {0.0f, -1.0f, std::nanf("")}) {
        Map g(4, 4, [](int i, int j) { return float(i - j); });
        EXPECT_FALSE(g.linear(sub, 4, false).thinned);
        EXPECT_EQ(g.surface.count(OpKind::Line), 0u);
    }
}

TEST(ContourMap, RangesBeyondTheGridAreCut) {
    auto sum = [](int i, int j) { return float(i + j); };
    Map f(3, 3, sum), ref(3, 3, sum), s(3, 3, sum);
    drawcontour(f.pc, f.host, f.abortflag, {f.values, f.nodex, f.nodey, -2, -1, 40, 50}, 1, 0.01f,
                0, 7, kScaleLinear, true);
    ref.linear(1, 0);
    EXPECT_EQ(f.surface.ops().size(), ref.surface.ops().size());
    // Node arrays shorter than the grid limit the cells too.
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
    EXPECT_EQ(nx.size() + ny.size(), 2u);
}

TEST(Symbols, NamedMarksInForeColor) {
    const float d = 0.707f * 3, h = 1.732f;
    const struct {
        const char* name;
        float size;
        std::vector<std::array<float, 4>> want;  // segments around (10, 20)
    } cases[] = {
        {"crs", 3, {{10 - d, 20 - d, 10 + d, 20 + d}, {10 - d, 20 + d, 10 + d, 20 - d}}},
        {"rca",
         2,
         {{10, 20, 10, 18}, {10, 18, 10 - h, 21}, {10 - h, 21, 10 + h, 21}, {10 + h, 21, 10, 18}}},
        {"pls", 1, {{9, 20, 11, 20}, {10, 19, 10, 21}}},
        {"nothing", 3, {}},
    };
    for (const auto& c : cases) {
        test::Canvas f;
        f.surface.ForeColor = Rgb{1, 2, 3};
        EXPECT_EQ(drawsymbol(f.pc, 10, 20, c.name, c.size), !c.want.empty()) << c.name;
        const auto lines = f.surface.lines();
        ASSERT_EQ(lines.size(), c.want.size()) << c.name;
        for (std::size_t n = 0; n < lines.size(); ++n) {
            const auto& w = c.want[n];
            EXPECT_TRUE(joins(lines[n], w[0], w[1], w[2], w[3])) << c.name << " " << n;
            EXPECT_EQ(lines[n].color, (Rgb{1, 2, 3}));
        }
    }
}

}  // namespace
}  // namespace crustex

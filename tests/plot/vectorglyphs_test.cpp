#include "plot/vectorglyphs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "plot/plottestutil.h"

namespace crustex {
namespace {

// Three nodes across by two down: node (i, j) at frame (100 + 100 i, 400 - 100 j).
struct Vectors : test::Canvas {
    Grid2D ax{2, 1}, ay{2, 1};
    std::vector<float> nodex{100, 200, 300}, nodey{400, 300};
    int draw(float scale) { return drawvectors(pc, host, ax, ay, nodex, nodey, 0, 2, 0, 1, scale); }
};

TEST(VectorGlyphs, BarFromEachNodeScaledByTheArrowScale) {
    const struct {
        float u, v, scale;
        float dx, dy;  // expected bar end relative to the node
    } cases[] = {
        {0.1f, 0, 0.1f, 48, 0},   // a displacement equal to the scale: the legend's 48 units
        {0, 0.1f, 0.1f, 0, -48},  // north is up on the frame
        {0.1f, 0, 0.05f, 96, 0},  // halving the scale doubles the arrow
        {-1, 2, 4, -12, -24},    {0.003f, -0.004f, 0.001f, 144, 192},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.u << " " << c.v << " / " << c.scale);
        Vectors f;
        f.ax.fill(kNoValue);
        f.ax(1, 1) = c.u;
        f.ay(1, 1) = c.v;
        EXPECT_EQ(f.draw(c.scale), 1);
        const auto lines = f.surface.lines();
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_TRUE(test::joins(lines[0], 200, 300, 200 + c.dx, 300 + c.dy, 1e-3f));
        EXPECT_TRUE(lines[0].x1 == 200 && lines[0].y1 == 300);  // from the node
        EXPECT_EQ(lines[0].color, f.pc.palette.negative);
        const auto dots = f.surface.ofkind(OpKind::Circle);
        ASSERT_EQ(dots.size(), 1u);
        EXPECT_FLOAT_EQ(dots[0].radius, 1.5f);
        EXPECT_EQ(dots[0].color, (Rgb{127, 127, 127}));
    }
}

TEST(VectorGlyphs, NodesWithoutValueAndUnusableScalesOrRanges) {
    Vectors f;
    f.ax.fill(1);
    f.ay.fill(1);
    f.ax(0, 0) = kNoValue;
    f.ay(2, 1) = kNoValue;       // a missing y component counts too
    f.ax(1, 0) = std::nanf("");  // and anything that is not a number
    EXPECT_EQ(f.draw(1), 3);
    EXPECT_EQ(f.surface.count(OpKind::Circle), 3u);
    EXPECT_EQ(f.surface.count(OpKind::Line), 3u);
    EXPECT_EQ(f.host.statuses, (std::vector<std::string>{" Drawing Vectors", ""}));
    EXPECT_FALSE(f.host.busy);

    for (float scale : {0.0f, -1.0f, INFINITY}) {
        Vectors g;
        g.ax.fill(1);
        g.ay.fill(1);
        EXPECT_EQ(g.draw(scale), 6);
        EXPECT_EQ(g.surface.count(OpKind::Line), 0u);
        EXPECT_FALSE(g.surface.hasnonfinite());
        // Ranges past the grid and a node array shorter than the grid.
        g.nodex.pop_back();
        EXPECT_EQ(drawvectors(g.pc, g.host, g.ax, g.ay, g.nodex, g.nodey, -3, 40, -1, 40, 1), 4);
    }
}

// The millimetre legend is pinned by the recorded pictures; the tilt one here.
TEST(VectorGlyphs, LegendArrowAndText) {
    Vectors f;
    showarrowlegend(f.pc, 2.5f, " micro rad");
    const auto lines = f.surface.lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(test::joins(lines[0], 590, 240, 590, 240 - kArrowLength));
    EXPECT_EQ(lines[0].color, f.pc.palette.negative);
    const RecordedOp* t = f.surface.findtext("2.5 micro rad");
    ASSERT_NE(t, nullptr);
    EXPECT_NEAR(t->x1 + t->x2, 635, 1e-3);  // right-aligned at 635
    EXPECT_FLOAT_EQ(t->y1, 242);
}

}  // namespace
}  // namespace crustex

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "plot/background.h"
#include "plot/modelglyphs.h"
#include "plot/plottestutil.h"
#include "plot/principalglyphs.h"
#include "plot/vectorglyphs.h"

namespace crustex {
namespace {

struct Glyphs : ::testing::Test {
    test::Canvas c;
    RecordingSurface& s = c.surface;
    PlotContext& pc = c.pc;
    WorkState ws;
    void SetUp() override {
        ASSERT_TRUE(setplotframe(pc.frame, 100));  // 6.592 frame units per km
        setdefaults(ws, "/tmp");
    }
    float fx(float x) const { return toframex(pc.frame, x); }
    float fy(float y) const { return toframey(pc.frame, y); }
    // The segment joins the two field points (km), in either direction.
    bool joins(const RecordedOp& l, float x1, float y1, float x2, float y2) const {
        return test::joins(l, fx(x1), fy(y1), fx(x2), fy(y2), 1e-3f);
    }
};

TEST_F(Glyphs, FaultDipsToTheRightOfItsStrike) {
    // Width 10 at dip 60 projects 5 km horizontally.
    const struct {
        float x0, y0, x1, y1;
        float ox, oy;  // expected down-dip offset (km)
    } rows[] = {
        {10, 50, 30, 50, 0, -5},  // strike east: dips south
        {30, 50, 10, 50, 0, 5},   // strike west: dips north
        {50, 10, 50, 30, 5, 0},   // strike north: dips east
        {50, 30, 50, 10, -5, 0},  // strike south: dips west
        {10, 10, 13, 14, 4, -3},  // 3-4-5 direction
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.x0 << "," << r.y0 << " -> " << r.x1 << "," << r.y1);
        s.clearlog();
        drawfault(pc, r.x0, r.y0, r.x1, r.y1, 10, 60, Rgb{1, 2, 3});
        const auto l = s.lines();
        ASSERT_EQ(l.size(), 4u);
        EXPECT_TRUE(joins(l[0], r.x0, r.y0, r.x1, r.y1));
        EXPECT_TRUE(joins(l[1], r.x0, r.y0, r.x0 + r.ox, r.y0 + r.oy));
        EXPECT_TRUE(joins(l[2], r.x1, r.y1, r.x1 + r.ox, r.y1 + r.oy));
        EXPECT_TRUE(joins(l[3], r.x0 + r.ox, r.y0 + r.oy, r.x1 + r.ox, r.y1 + r.oy));
        // The top edge is thick, the pen width is restored.
        EXPECT_EQ(std::vector<int>({l[0].width, l[1].width, l[2].width, l[3].width}),
                  std::vector<int>({2, 1, 1, 1}));
        for (const auto& op : l) EXPECT_EQ(op.color, (Rgb{1, 2, 3}));
        EXPECT_EQ(s.DrawWidth, 1);
    }
    // A vertical fault is its thick top edge only; a wider pen is doubled.
    s.clearlog();
    drawfault(pc, 10, 50, 30, 50, 10, 90, Rgb{});
    s.DrawWidth = 2;
    drawfault(pc, 10, 50, 30, 50, 10, 45, Rgb{});
    ASSERT_EQ(s.lines().size(), 5u);
    EXPECT_EQ(s.lines()[0].width, 2);
    EXPECT_EQ(s.lines()[1].width, 4);
    EXPECT_EQ(s.lines()[2].width, 2);
    EXPECT_EQ(s.DrawWidth, 2);
}

TEST_F(Glyphs, CoincidingEdgesDrawASmallMarkWithoutNaN) {
    drawfault(pc, 40, 40, 40, 40, 10, 45, Rgb{7, 7, 7});
    EXPECT_FALSE(s.hasnonfinite());
    const auto l = s.lines();
    ASSERT_EQ(l.size(), 2u);
    for (const auto& op : l) {
        EXPECT_EQ(op.width, 2);
        EXPECT_NEAR((op.x1 + op.x2) / 2, fx(40), 1e-3f);
        EXPECT_NEAR((op.y1 + op.y2) / 2, fy(40), 1e-3f);
        EXPECT_NEAR(std::abs(op.x2 - op.x1), 2 * kZeroLengthMark, 1e-3f);
    }
    EXPECT_EQ(s.DrawWidth, 1);
    // Through the source list too, and with non-finite input nothing at all.
    ws.fault[1].fx1 = ws.fault[1].fx0;
    ws.fault[1].fy1 = ws.fault[1].fy0;
    ws.nfault = 1;
    drawsources(pc, ws);
    drawfault(pc, NAN, 1, 2, 3, 4, 5, Rgb{});
    drawpoint(pc, 1, INFINITY, Rgb{});
    EXPECT_FALSE(s.hasnonfinite());
    EXPECT_EQ(s.lines().size(), 4u);
}

TEST_F(Glyphs, SourcesBeyondTwentyAreNotDrawn) {
    for (int k = 1; k <= kMaxSources; ++k) {
        ws.fault[k] = defaultSource();
        ws.fault[k].sourcetype = k % 4 == 0 ? 1 : 0;
    }
    for (int n : {25, 20, 3, 0, -1}) {
        SCOPED_TRACE(n);
        s.clearlog();
        ws.nfault = static_cast<int16_t>(n);
        drawsources(pc, ws);
        const int drawn = std::clamp(n, 0, 20), points = drawn / 4;
        EXPECT_EQ(s.count(OpKind::Circle), static_cast<size_t>(points));
        EXPECT_EQ(s.count(OpKind::PSet), static_cast<size_t>(points));
        const auto l = s.lines();
        EXPECT_EQ(std::count_if(l.begin(), l.end(), [](auto& op) { return op.width == 2; }),
                  drawn - points);
        for (const auto& op : s.ops()) EXPECT_EQ(op.color, pc.palette.source);
        // A point source's circle keeps 3 frame units whatever the zoom.
        for (const auto& c : s.ofkind(OpKind::Circle)) EXPECT_EQ(c.radius, 3);
    }
}

TEST_F(Glyphs, DataFrameAndDepthLines) {
    setcolormode(pc.palette, "map");
    drawdataframe(pc, 20, 20, 70, 60);
    for (int k = 1; k <= 5; ++k) {
        ws.incx0[k] = 10;
        ws.incy0[k] = 10.0f * k;
        ws.incx1[k] = 90;
        ws.incy1[k] = 10.0f * k + 5;
    }
    drawdepthlines(pc, ws);
    const auto l = s.lines();
    const auto t = s.texts();
    ASSERT_EQ(l.size(), 9u);
    ASSERT_EQ(t.size(), 5u);
    // The frame: one closed path.
    EXPECT_TRUE(joins(l[0], 20, 20, 20, 60) && joins(l[1], 20, 60, 70, 60) &&
                joins(l[2], 70, 60, 70, 20) && joins(l[3], 70, 20, 20, 20));
    for (const auto& op : l) EXPECT_EQ(op.color, pc.palette.dataframe);
    const char* labels[] = {"0", "10", "20", "30", "40"};
    for (int k = 0; k < 5; ++k) {
        EXPECT_TRUE(joins(l[4 + k], 10, 10.0f * (k + 1), 90, 10.0f * (k + 1) + 5));
        EXPECT_EQ(t[k].text, labels[k]);
        EXPECT_NEAR(t[k].x1 + t[k].x2, fx(10), 1e-3f);  // right-aligned at the start
        EXPECT_EQ(t[k].fontsize, 8);
    }
}

TEST_F(Glyphs, SiteMarksWithAndWithoutNames) {
    drawsitemarks(pc, ws, true);
    EXPECT_TRUE(s.ops().empty());  // no sites loaded
    ws.nsite = 2;
    ws.site[1] = {"TSK", 10, 20};
    ws.site[2] = {"KMK", 30, 40};
    drawsitemarks(pc, ws, false);
    EXPECT_EQ(s.count(OpKind::Circle), 2u);
    EXPECT_TRUE(s.texts().empty());
    drawsitemarks(pc, ws, true);
    const auto c = s.ofkind(OpKind::Circle);
    EXPECT_EQ(c[0].radius, 1.5f);
    EXPECT_EQ(c[0].color, (Rgb{255, 0, 0}));
    const RecordedOp* name = s.findtext("KMK");
    ASSERT_NE(name, nullptr);
    EXPECT_NEAR(name->x1, fx(30) + 4, 1e-3f);
    EXPECT_NEAR(name->y1, fy(40) - test::kLineH * 8 / 2, 1e-3f);
}

TEST_F(Glyphs, AreaIsNotXorThenMaskPen) {
    std::array<float, 51> xs{}, ys{};
    for (int k = 1; k <= 50; ++k) {
        xs[k] = 10.0f * k;
        ys[k] = 5.0f * k;
    }
    s.drawMode = DrawMode::CopyPen;
    drawarea(pc, xs, ys, 0, 1, 2, 3, 4);
    EXPECT_TRUE(s.ops().empty());
    EXPECT_EQ(s.drawMode, DrawMode::CopyPen);

    setcolormode(pc.palette, "map");
    for (bool closed : {false, true}) {
        s.clearlog();
        drawarea(pc, xs, ys, 3, 1, 2, 3, 4, closed);
        const auto l = s.lines();
        // Vertex to vertex, for a closed polygon back to vertex 1, then the
        // projection line.
        ASSERT_EQ(l.size(), closed ? 4u : 3u);
        EXPECT_TRUE(test::joins(l[0], 10, 5, 20, 10) && test::joins(l[1], 20, 10, 30, 15));
        EXPECT_EQ(test::joins(l[2], 30, 15, 10, 5), closed);
        EXPECT_TRUE(test::joins(l.back(), 1, 2, 3, 4));
        for (const auto& op : l) {
            EXPECT_EQ(op.mode, DrawMode::NotXorPen);
            EXPECT_EQ(op.color, pc.palette.area);
        }
        EXPECT_EQ(s.drawMode, DrawMode::MaskPen);
    }
    // A count beyond the arrays never reads past them.
    s.clearlog();
    drawarea(pc, xs, ys, 500, 0, 0, 0, 0);
    EXPECT_EQ(s.lines().size(), 50u);
}

TEST_F(Glyphs, OverlayClearsThenDrawsTheModel) {
    int cleared = 0;
    ws.nsite = 1;
    ws.site[1] = {"A", 50, 50};
    ws.narea = 2;
    ws.areax[1] = 1;
    ws.areax[2] = 2;
    for (bool inclined : {false, true})
        for (bool sites : {false, true}) {
            SCOPED_TRACE(testing::Message() << inclined << sites);
            s.clearlog();
            ws.inclined = inclined;
            ws.showobsdatachecked = sites;
            drawoverlay(pc, ws, [&cleared] { ++cleared; });
            ASSERT_FALSE(s.ops().empty());
            EXPECT_EQ(s.ops()[0].kind, OpKind::Cls);
            // Frame (4) + depth lines (5) + fault (4) + area (1 + projection).
            EXPECT_EQ(s.lines().size(), 4u + (inclined ? 5 : 0) + 4 + 2);
            EXPECT_EQ(s.count(OpKind::Circle), sites ? 1u : 0u);
            EXPECT_EQ(s.findtext("A") != nullptr, sites);
        }
    EXPECT_EQ(cleared, 2);
    drawoverlay(pc, ws);  // no hook: nothing to call
}

class FakePicture : public Picture {
public:
    FakePicture(int w, int h) : w_(w), h_(h) {}
    int width() const override { return w_; }
    int height() const override { return h_; }

private:
    int w_, h_;
};

TEST(Background, FitsTheNominalFrame) {
    const struct {
        int w, h;
        float fw, fh;
    } rows[] = {{1280, 512, 640, 256}, {510, 1020, 255, 510}, {640, 510, 640, 510},
                {64, 51, 640, 510},    {100, 100, 510, 510},  {1, 1000, 0.51f, 510},
                {0, 300, 0, 0}};
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.w << "x" << r.h);
        test::Canvas c;
        paintbackground(c.pc, c.host, FakePicture(r.w, r.h));
        const auto p = c.surface.ofkind(OpKind::Picture);
        ASSERT_EQ(p.size(), r.fw > 0 ? 1u : 0u);
        if (r.fw > 0) {
            EXPECT_TRUE(p[0].x1 == 0 && p[0].y1 == 0);
            EXPECT_FLOAT_EQ(p[0].x2, r.fw);
            EXPECT_FLOAT_EQ(p[0].y2, r.fh);
            EXPECT_EQ(c.host.statuses, (std::vector<std::string>{" Painting Background", ""}));
            EXPECT_EQ(c.host.busyChanges, (std::vector<bool>{true, false}));
        }
        EXPECT_EQ(c.host.lastStatus(), "");
        EXPECT_FALSE(c.host.busy);
    }
}

float maxshear(float xx, float xy, float yy) {
    return std::sqrt((xx - yy) * (xx - yy) + xy * 4 * xy);
}

// Any strain: the larger value lies along its eigenvector,
// [exx exy; exy eyy] (c, s) = e1 (c, s), and is not below the other.
TEST(PrincipalStrain, LargerStrainLiesAlongItsEigenvector) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<float> d(-5, 5);
    for (int n = 0; n < 1000; ++n) {
        const float exx = d(rng), exy = d(rng), eyy = d(rng);
        const PrincipalStrain p =
            principalstrain(exx, exy, eyy, exx + eyy, maxshear(exx, exy, eyy));
        const double c = std::cos(p.theta), s = std::sin(p.theta);
        EXPECT_NEAR(exx * c + exy * s, p.e1 * c, 1e-4) << exx << " " << exy << " " << eyy;
        EXPECT_NEAR(exy * c + eyy * s, p.e1 * s, 1e-4) << exx << " " << exy << " " << eyy;
        EXPECT_NEAR(p.e1 + p.e2, exx + eyy, 1e-4);  // e2 is the other eigenvalue
        EXPECT_GE(p.e1, p.e2);
    }
}

// Two nodes across by two down: node (i, j) at frame (100 + 100 i, 300 - 100 j).
struct Crosses : test::Canvas {
    Grid2D exx{1, 1}, exy{1, 1}, eyy{1, 1}, dil{1, 1}, ms{1, 1};
    std::vector<float> nodex{100, 200}, nodey{300, 200};

    Crosses() {
        for (Grid2D* g : {&exx, &exy, &eyy, &dil, &ms}) g->fill(kNoValue);
    }
    void set(int i, int j, float xx, float xy, float yy) {
        exx(i, j) = xx;
        exy(i, j) = xy;
        eyy(i, j) = yy;
        dil(i, j) = xx + yy;
        ms(i, j) = maxshear(xx, xy, yy);
    }
    int draw(float scale) {
        return drawprincipal(pc, host, exx, exy, eyy, dil, ms, nodex, nodey, 0, 1, 0, 1, scale);
    }
};

float length(const RecordedOp& l) { return std::hypot(l.x2 - l.x1, l.y2 - l.y1); }

TEST(PrincipalCrosses, BarsLengthsDirectionsAndColours) {
    const struct {
        const char* what;
        float xx, xy, yy;
        bool e1positive, e2positive;
        float len1, len2;  // full bar lengths for scale 1 (48 per unit of strain)
    } cases[] = {
        {"isotropic expansion", 0.5f, 0, 0.5f, true, true, 24, 24},
        {"pure contraction", -1, 0, -0.5f, false, false, 24, 48},
        {"extension and contraction", 1, 0, -1, true, false, 48, 48},
        {"zero strain counts as expansion", 0, 0, 0, true, true, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Crosses f;
        f.set(1, 0, c.xx, c.xy, c.yy);
        EXPECT_EQ(f.draw(1), 1);
        const auto l = f.surface.lines();
        ASSERT_EQ(l.size(), 2u);
        const Palette& p = f.pc.palette;
        EXPECT_EQ(l[0].color, c.e1positive ? p.positive : p.negative);
        EXPECT_EQ(l[1].color, c.e2positive ? p.positive : p.negative);
        EXPECT_NEAR(length(l[0]), c.len1, 1e-3);
        EXPECT_NEAR(length(l[1]), c.len2, 1e-3);
        for (const auto& b : l)
            EXPECT_TRUE(test::samepoint((b.x1 + b.x2) / 2, (b.y1 + b.y2) / 2, 200, 300, 1e-3f));
        // Perpendicular bars.
        EXPECT_NEAR(
            (l[0].x2 - l[0].x1) * (l[1].x2 - l[1].x1) + (l[0].y2 - l[0].y1) * (l[1].y2 - l[1].y1),
            0, 1e-2);
    }
    // North-south extension: the e1 bar is vertical on the frame.
    Crosses f;
    f.set(0, 1, -1, 0, 1);
    f.draw(2);
    const auto l = f.surface.lines();
    ASSERT_EQ(l.size(), 2u);
    EXPECT_TRUE(test::joins(l[0], 100, 212, 100, 188, 1e-3f));
}

TEST(PrincipalCrosses, NodesWithoutValueAndUnusableScales) {
    for (int which = 0; which < 5; ++which) {
        Crosses f;
        f.set(0, 0, 1, 0.5f, -1);
        f.set(1, 1, 1, 0.5f, -1);
        Grid2D* grids[] = {&f.exx, &f.exy, &f.eyy, &f.dil, &f.ms};
        (*grids[which])(1, 1) = kNoValue;
        EXPECT_EQ(f.draw(1), 1) << which;
        EXPECT_EQ(f.surface.count(OpKind::Line), 2u);
        EXPECT_FALSE(f.surface.hasnonfinite());
    }
    Crosses f;
    f.set(0, 0, 1, 0, 1);
    EXPECT_EQ(f.draw(0), 0);
    EXPECT_EQ(f.host.statuses, (std::vector<std::string>{" Drawing Principal Strains", ""}));
}

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

}  // namespace
}  // namespace crustex

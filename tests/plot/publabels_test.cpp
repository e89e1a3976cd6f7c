#include "plot/publabels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "plot/arrows.h"
#include "plot/colorbar.h"
#include "plot/plottestutil.h"
#include "plot/pubstyle.h"

namespace crustex {
namespace {

// A grid with node x(i) = 10 i, node y(j) = 200 - 10 j.
struct Labels : test::GridCanvas {
    LabelPlacer placer;
    explicit Labels(int n, const std::function<float(int, int)>& f = {})
        : GridCanvas(n, n, 0, 10, 200, 10, f) {}
    // Texts whose boxes overlap another text's box.
    int overlaps() const {
        const auto t = surface.texts();
        int n = 0;
        for (std::size_t a = 0; a < t.size(); ++a)
            for (std::size_t b = a + 1; b < t.size(); ++b)
                n += LabelBox{t[a].x1, t[a].y1, t[a].x1 + t[a].x2, t[a].y1 + t[a].y2}.overlaps(
                    {t[b].x1, t[b].y1, t[b].x1 + t[b].x2, t[b].y1 + t[b].y2});
        return n;
    }
};

TEST(PubLabels, TheHighestMagnitudeWinsAndNothingOverlaps) {
    // A maximum of 5 and a minimum of -8 three nodes apart, room for one
    // label only: the minimum's is written, the maximum is left out whole.
    Labels m(10);
    m.values(4, 5) = 5;
    m.values(7, 5) = -8;
    const LabelBox room{30, 135, 110, 165};
    EXPECT_EQ(placepeaklabels(m.pc, m.grid(), m.placer, room, 13), 1);
    EXPECT_NE(m.surface.findtext("L -8"), nullptr);
    EXPECT_EQ(m.surface.findtext("H 5"), nullptr);
    EXPECT_EQ(m.surface.lines().size(), 2u);  // one cross

    // Many peaks: each label that is written keeps clear of the others and
    // of what was taken before; the largest peaks are among them.
    std::mt19937 rng(3);
    std::uniform_real_distribution<float> v(-1, 1);
    Labels r(40, [&](int, int) { return v(rng); });
    r.values(20, 20) = 9;  // the one that must win its place
    r.placer.take({250, 0, 400, 400});
    const LabelBox all{0, -20, 400, 220};
    const int n = placepeaklabels(r.pc, r.grid(), r.placer, all, 13);
    EXPECT_GT(n, 5);
    EXPECT_EQ(r.overlaps(), 0);
    EXPECT_NE(r.surface.findtext("H 9"), nullptr);
    for (const auto& t : r.surface.texts()) EXPECT_LE(t.x1 + t.x2, 250) << t.text;
}

TEST(PubLabels, EdgeLabelsTakeZeroFirstAndStayNearTheirLines) {
    // Levels 0 and +-1 leave the right edge close together; 0 is written at
    // its line, the others only where they fit within half a line.
    Labels m(10, [](int, int j) { return 0.08f * (j - 5) + 0.001f; });
    const ContourRule rule{kScaleLinear, 0.1f, 1, 0};
    const LabelBox right{100, 0, 200, 220};
    const int n = placeedgelabels(m.pc, m.grid(), rule, m.placer, right, 13);
    const RecordedOp* zero = m.surface.findtext("0");
    ASSERT_NE(zero, nullptr);
    EXPECT_NEAR(zero->y1 + zero->y2 / 2, 150.125f, 0.01f);  // where level 0 crosses
    EXPECT_GE(n, 3);
    EXPECT_EQ(m.overlaps(), 0);
    for (const auto& t : m.surface.texts()) EXPECT_GE(t.x1, 100) << t.text;
}

TEST(PubLabels, ColourBarLabelsMainLevelsWithoutOverlap) {
    Labels m(10, [](int i, int) { return 3e-4f * std::pow(10.0f, 0.4f * i) - 0.02f; });
    const BandScale s = bandscalefor(m.grid(), {kScaleSemiLog1, 1, 1e-4f, 0}, true);
    ASSERT_EQ(s.status, BandStatus::Ready);
    const int n = drawcolorbar(m.pc, s, {300, 20, 10, 200}, m.placer, 13);
    EXPECT_EQ(m.surface.count(OpKind::FillBox), static_cast<std::size_t>(s.bandcount()));
    EXPECT_GE(n, 4);
    EXPECT_EQ(m.overlaps(), 0);
    for (const char* t : {"0", "0.01", "1", "-0.01"})
        EXPECT_NE(m.surface.findtext(t), nullptr) << t;
}

TEST(Arrows, HeadedArrowEndsInAFilledHead) {
    test::Canvas c;
    drawarrow(c.surface, 10, 50, 40, 10, Rgb{1, 2, 3}, ArrowStyle::Headed);
    ASSERT_EQ(c.surface.lines().size(), 1u);
    const auto heads = c.surface.ofkind(OpKind::FillPolygon);
    ASSERT_EQ(heads.size(), 1u);
    const auto& tip = heads[0].points;
    ASSERT_EQ(tip.size(), 3u);
    EXPECT_EQ(tip[0], (FramePoint{40, 10}));
    // The shaft stops at the middle of the head's base, kArrowHeadLength back.
    const RecordedOp shaft = c.surface.lines()[0];
    EXPECT_NEAR((tip[1].x + tip[2].x) / 2, shaft.x2, 1e-4);
    EXPECT_NEAR((tip[1].y + tip[2].y) / 2, shaft.y2, 1e-4);
    EXPECT_NEAR(std::hypot(40 - shaft.x2, 10 - shaft.y2), kArrowHeadLength, 1e-4);
    EXPECT_EQ(heads[0].color, (Rgb{1, 2, 3}));
    // Plain: the bar alone; a short headed arrow: a head 0.4 of its length.
    c.surface.clearlog();
    drawarrow(c.surface, 0, 0, 30, 40, kBlack, ArrowStyle::Plain);
    drawarrow(c.surface, 0, 0, 3, 4, kBlack, ArrowStyle::Headed);
    EXPECT_EQ(c.surface.count(OpKind::FillPolygon), 1u);
    EXPECT_NEAR(std::hypot(c.surface.lines()[1].x2, c.surface.lines()[1].y2), 3.0, 1e-4);
}

TEST(PubLabels, NumberTexts) {
    const struct {
        float v;
        const char* tick;
        const char* label;
    } cases[] = {
        {0, "0", "0"},
        {10 * 0.01f, "0.1", "0.1"},
        {0.09999999f, "0.1", "0.1"},
        {-0.0001f, "-0.0001", "-1E-4"},
        {1e-5f, "1E-5", "1E-5"},
        {-2.5e-7f, "-2.5E-7", "-2.5E-7"},
        {20, "20", "20"},
        {-0.05f, "-0.05", "-0.05"},
        {2.154435f, "2.15", "2.15"},
        {0.3162f, "0.3162", "0.316"},
        {-0.0665f, "-0.0665", "-0.0665"},
        {-8, "-8", "-8"},
        {7.96e-3f, "7.96E-3", "7.96E-3"},
        {12.5f, "12.5", "12.5"},
        {1500, "1500", "1.5E3"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(pubticktext(c.v), c.tick) << c.v;
        EXPECT_EQ(pubnumber(c.v), c.label) << c.v;
    }
    // The text sizes print at 6.5 points or more on a single column.
    EXPECT_GE(printedpoints(kPubTextSize, 8.5f), 6.5f);
    EXPECT_NEAR(printedpoints(12, 8.5f), 6.02, 0.01);
}

}  // namespace
}  // namespace crustex

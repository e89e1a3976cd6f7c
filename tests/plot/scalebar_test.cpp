#include "plot/scalebar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "plot/recordingsurface.h"

namespace crustex {
namespace {

TEST(ScaleBar, StepsAndLengths) {
    const struct {
        float width;
        float km;
        float length;
    } rows[] = {
        {100, 10, 64},   {40, 5, 80},       {20, 2, 64},       {240, 20, 640.0f / 12},
        {1000, 100, 64}, {10, 1, 64},       {2, 0.2f, 64},     {70, 10, 640.0f / 7},
        {1, 0.1f, 64},   {0.5f, 0.05f, 64}, {10000, 1000, 64}, {66.666664f, 0, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.width);
        ScaleBar bar;
        ASSERT_TRUE(scalebarfor(r.width, bar));
        if (r.length == 0) {
            // Just below a decade: 1 <= u < 10 still holds.
            EXPECT_GT(bar.length, 0);
            EXPECT_LE(bar.length, 96);
            continue;
        }
        EXPECT_FLOAT_EQ(bar.km, r.km);
        EXPECT_NEAR(bar.length, r.length, 1e-3f);
        // Always 640 / W frame units per km.
        EXPECT_NEAR(bar.length / bar.km, 640 / r.width, 1e-3f * 640 / r.width);
    }
}

TEST(ScaleBar, DrawsPathAndLabels) {
    const struct {
        float width;
        float length;
        const char* label;
    } rows[] = {{100, 64, "10km"}, {40, 80, "5km"}, {20, 64, "2km"}, {2, 64, "0.2km"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.width);
        RecordingSurface s;
        PlotContext pc;
        pc.screen = pc.target = &s;
        s.ForeColor = {1, 2, 3};
        drawscalebar(pc, r.width);
        const auto l = s.lines();
        ASSERT_EQ(l.size(), 3u);
        const float top = 440 - r.length;
        const float want[3][4] = {{595, 440, 590, 440}, {590, 440, 590, top}, {590, top, 595, top}};
        for (int k = 0; k < 3; ++k) {
            EXPECT_FLOAT_EQ(l[k].x1, want[k][0]);
            EXPECT_FLOAT_EQ(l[k].y1, want[k][1]);
            EXPECT_FLOAT_EQ(l[k].x2, want[k][2]);
            EXPECT_NEAR(l[k].y2, want[k][3], 1e-3f);
            EXPECT_EQ(l[k].color, kBlack);
        }
        const RecordedOp* zero = s.findtext("0");
        const RecordedOp* label = s.findtext(r.label);
        ASSERT_NE(zero, nullptr);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(zero->x1, 596);
        EXPECT_EQ(zero->y1, 434);
        EXPECT_EQ(label->x1, 596);
        EXPECT_NEAR(label->y1, top - 6, 1e-3f);
        EXPECT_EQ(label->fontsize, 10);
        EXPECT_EQ(label->color, kBlack);
    }
}

TEST(ScaleBar, UnusableWidthDrawsNothing) {
    for (float w : {0.0f, -10.0f, std::numeric_limits<float>::quiet_NaN(),
                    std::numeric_limits<float>::infinity()}) {
        SCOPED_TRACE(w);
        RecordingSurface s;
        PlotContext pc;
        pc.screen = pc.target = &s;
        drawscalebar(pc, w);
        EXPECT_TRUE(s.ops().empty());
    }
}

}  // namespace
}  // namespace crustex

#include "plot/scalebar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "plot/plottestutil.h"

namespace crustex {
namespace {

TEST(ScaleBar, StepsAndLengths) {
    const struct {
        float width, km, length;
    } rows[] = {
        {100, 10, 64},   {40, 5, 80},       {20, 2, 64},       {240, 20, 640.0f / 12},
        {1000, 100, 64}, {10, 1, 64},       {2, 0.2f, 64},     {70, 10, 640.0f / 7},
        {1, 0.1f, 64},   {0.5f, 0.05f, 64}, {10000, 1000, 64},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.width);
        ScaleBar bar;
        ASSERT_TRUE(scalebarfor(r.width, bar));
        EXPECT_FLOAT_EQ(bar.km, r.km);
        EXPECT_NEAR(bar.length, r.length, 1e-3f);
    }
    // Just below a decade: 1 <= u < 10 still holds.
    ScaleBar bar;
    ASSERT_TRUE(scalebarfor(66.666664f, bar));
    EXPECT_TRUE(bar.length > 0 && bar.length <= 96);
}

TEST(ScaleBar, DrawsPathAndLabels) {
    const struct {
        float width, length;
        const char* label;
    } rows[] = {{100, 64, "10km"}, {40, 80, "5km"}, {20, 64, "2km"}, {2, 64, "0.2km"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.width);
        test::Canvas c;
        c.surface.ForeColor = {1, 2, 3};
        drawscalebar(c.pc, r.width);
        const auto l = c.surface.lines();
        ASSERT_EQ(l.size(), 3u);
        const float top = 440 - r.length;
        EXPECT_TRUE(test::joins(l[0], 595, 440, 590, 440, 1e-3f));
        EXPECT_TRUE(test::joins(l[1], 590, 440, 590, top, 1e-3f));
        EXPECT_TRUE(test::joins(l[2], 590, top, 595, top, 1e-3f));
        for (const auto& op : l) EXPECT_EQ(op.color, kBlack);
        const RecordedOp* zero = c.surface.findtext("0");
        const RecordedOp* label = c.surface.findtext(r.label);
        ASSERT_NE(zero, nullptr);
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(zero->x1 == 596 && zero->y1 == 434);
        EXPECT_EQ(label->x1, 596);
        EXPECT_NEAR(label->y1, top - 6, 1e-3f);
        EXPECT_EQ(label->fontsize, 10);
        EXPECT_EQ(label->color, kBlack);
    }
    for (float w : {0.0f, -10.0f, std::numeric_limits<float>::quiet_NaN(),
                    std::numeric_limits<float>::infinity()}) {
        test::Canvas c;
        drawscalebar(c.pc, w);
        EXPECT_TRUE(c.surface.ops().empty()) << w;
    }
}

}  // namespace
}  // namespace crustex

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "plot/plotframe.h"
#include "plot/plotmath.h"

namespace crustex {
namespace {

TEST(PlotFrame, StandardFrameMapsCornersAndRoundTrips) {
    for (float w : {240.0f, 100.0f, 40.0f, 7.5f, 1000.0f}) {
        SCOPED_TRACE(w);
        PlotFrame f;
        ASSERT_TRUE(setplotframe(f, w));
        EXPECT_FLOAT_EQ(toframex(f, 0), 0.0f);
        EXPECT_FLOAT_EQ(toframey(f, 0), 505.3f);
        EXPECT_NEAR(toframex(f, w), 659.2f, 1e-3f);
        EXPECT_NEAR(toframey(f, w * 51 / 64), -20.0f, 1e-3f);
        // One kilometre is equally long in both directions.
        EXPECT_NEAR(f.scalex, -f.scaley, 1e-3f * f.scalex);
        for (float v : {0.1f, 0.37f, 0.999f, -0.06f}) {
            EXPECT_NEAR(fromframex(f, toframex(f, v * w)), v * w, 1e-4f * w);
            EXPECT_NEAR(fromframey(f, toframey(f, v * w)), v * w, 1e-4f * w);
        }
    }
}

TEST(PlotFrame, UnusableWidthIsRefusedAndKeepsThePreviousFrame) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (float w : {0.0f, -0.0f, -5.0f, inf, -inf, nan, 1e-44f}) {
        SCOPED_TRACE(w);
        PlotFrame f;
        ASSERT_TRUE(setplotframe(f, 100));
        const PlotFrame before = f;
        EXPECT_FALSE(setplotframe(f, w));
        EXPECT_EQ(f.fieldwidth, before.fieldwidth);
        EXPECT_EQ(f.scalex, before.scalex);
        EXPECT_EQ(f.scaley, before.scaley);
    }
}

TEST(PlotFrame, ViewFrameBeforeFieldKeepsScalesAndEmptyFieldKeepsThem) {
    // Start-up order: the frame rectangle is set while the field is empty.
    PlotFrame f;
    setviewframe(f, kFrameLeft, kFrameBottom, kFrameRight, kFrameTop);
    EXPECT_EQ(f.scalex, 0.0f);
    EXPECT_EQ(f.scaley, 0.0f);
    EXPECT_FLOAT_EQ(f.frameheight, -525.3f);
    // No scale yet: converting back gives the field origin, not infinity.
    EXPECT_EQ(fromframex(f, 100), 0.0f);
    EXPECT_EQ(fromframey(f, 100), 0.0f);
    setfieldframe(f, 0, 0, 100, 100 * 51.0f / 64);
    EXPECT_FLOAT_EQ(f.scalex, 6.592f);
    const float sx = f.scalex;
    setfieldframe(f, 0, 0, 0, 0);
    EXPECT_EQ(f.scalex, sx);
    EXPECT_TRUE(std::isfinite(f.scaley));
}

TEST(PlotMath, RoundupIsTheCeilingAsShort) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        float x;
        int16_t want;
    } rows[] = {{2.0f, 2},     {2.1f, 3},       {-2.5f, -2},  {-2.0f, -2},    {0.0f, 0},
                {-0.0f, 0},    {-0.9f, 0},      {0.0001f, 1}, {9.99999f, 10}, {32767.0f, 32767},
                {1e9f, 32767}, {-1e9f, -32768}, {nan, 0},     {inf, 32767}};
    for (const auto& r : rows) EXPECT_EQ(roundup(r.x), r.want) << r.x;
}

TEST(PlotMath, InterpolateAndLog10) {
    EXPECT_EQ(interpolate(3, 3, 7, 11, 100), 7.0f);  // equal ends
    EXPECT_EQ(interpolate(-1, -1, -5, 5, -1), -5.0f);
    EXPECT_FLOAT_EQ(interpolate(0, 10, 0, 100, 2.5f), 25.0f);
    EXPECT_FLOAT_EQ(interpolate(10, 0, 100, 0, 2.5f), 25.0f);
    EXPECT_FLOAT_EQ(interpolate(1, 3, 5, 1, 2), 3.0f);
    EXPECT_FLOAT_EQ(interpolate(0, 1, 2, 4, 1.5f), 5.0f);  // beyond b
    // Exact decades.
    for (int e = -7; e <= 7; ++e)
        EXPECT_EQ(std::floor(getlog10(static_cast<float>(std::pow(10.0, e)))), e) << e;
    EXPECT_FLOAT_EQ(getlog10(2.0f), 0.30103f);
    EXPECT_TRUE(std::isinf(getlog10(0.0f)));
}

}  // namespace
}  // namespace crustex

#include "plot/plotmath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace crustex {
namespace {

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

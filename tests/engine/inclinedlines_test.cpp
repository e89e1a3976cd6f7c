#include "engine/inclinedlines.h"

#include <gtest/gtest.h>

#include <cmath>

#include "gridfixture.h"
#include "model/sourcemodel.h"

namespace crustex {
namespace {

using test::inclinedwork;

TEST(InclinedLines, NorthStrikeGivesNorthSouthLinesClampedIntoTheArea) {
    WorkState ws = inclinedwork(0, 10);
    calcinclinedlines(ws);
    const double r = 1 / std::tan(10 * kPi / 180);
    const double want[6] = {0, 95 - 10 * r, 95, std::min(170.0, 95 + 10 * r), 170, 170};
    for (std::size_t k = 1; k <= 5; ++k) {
        EXPECT_NEAR(ws.incx0[k], want[k], 1e-4) << k;
        EXPECT_EQ(ws.incx1[k], ws.incx0[k]) << k;
        EXPECT_EQ(ws.incy0[k], 20.0f);
        EXPECT_EQ(ws.incy1[k], 170.0f);
    }
}

TEST(InclinedLines, EveryLineLiesAtItsDepthAndInsideTheArea) {
    for (float strike : {30.f, 45.f, 90.f, 120.f, 200.f, 300.f, -60.f}) {
        WorkState ws = inclinedwork(strike, 25, 15);
        calcinclinedlines(ws);
        const double s = strike * kPi / 180, tb = std::tan(25 * kPi / 180);
        for (std::size_t k = 1; k <= 5; ++k) {
            for (auto [x, y] : {std::pair{ws.incx0[k], ws.incy0[k]}, {ws.incx1[k], ws.incy1[k]}}) {
                // Depth of the plane at (x, y), not cut at the surface.
                const double depth = 15 + ((x - 95) * std::cos(s) - (y - 95) * std::sin(s)) * tb;
                EXPECT_NEAR(depth, 10.0 * double(k - 1), 1e-3) << strike << " line " << k;
                EXPECT_GE(y, 20.0f - 1e-3f);
                EXPECT_LE(y, 170.0f + 1e-3f);
            }
        }
    }
}

TEST(InclinedLines, HorizontalPlaneCollapsesToTheReferencePoint) {
    WorkState ws = inclinedwork(30, 0);
    calcinclinedlines(ws);
    for (std::size_t k = 1; k <= 5; ++k) {
        EXPECT_EQ(ws.incx0[k], 95.0f);
        EXPECT_EQ(ws.incy1[k], 95.0f);
        EXPECT_TRUE(std::isfinite(ws.incx1[k]));
    }
}

}  // namespace
}  // namespace crustex

#include "geo/mapmath.h"

#include <gtest/gtest.h>

namespace crustex {
namespace {

// Both operands are rounded halves to even, the quotient truncated to zero.
TEST(MapMath, TileDivisionRoundsOperandsFirst) {
    const struct {
        double a, b, q;
    } rows[] = {{14, 2, 7},  {7, 2.5, 3}, {7, 3.5, 1}, {-7, 2, -3},
                {2.5, 1, 2}, {3.5, 1, 4}, {13, 10, 1}, {130, 10, 13}};
    for (const auto& r : rows) EXPECT_EQ(integerdiv(r.a, r.b), r.q) << r.a << " div " << r.b;
}

}  // namespace
}  // namespace crustex

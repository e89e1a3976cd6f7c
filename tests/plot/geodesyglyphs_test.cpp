// The pictures of the geodesy quantities: the cyclic fringe image and the
// error ellipses of observed vectors.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <tuple>

#include "plot/colormaps.h"
#include "plot/errorellipse.h"
#include "plot/fringeimage.h"
#include "plot/plottestutil.h"

namespace crustex {
namespace {

TEST(FringeImage, CellsCutByTheFringesThatCrossThem) {
    // No fringe: the coarsest cut; 24 colours a cycle; sub-cells of 1.5 units at most.
    EXPECT_EQ(fringecuts(0, 1, 30), kFringeCoarsestCut);
    EXPECT_EQ(std::make_tuple(fringecuts(0.5, 1, 30), fringecuts(5, 1, 30), fringecuts(5, 1, 1)),
              std::make_tuple(12, 20, 1));

    // Two cells of 30 x 30 units; the second has a corner without value.
    Grid2D g(2, 1);
    g(1, 0) = 0.25f, g(0, 1) = 0.5f, g(1, 1) = 1.5f, g(2, 0) = 1, g(2, 1) = kNoValue;
    const float nodex[] = {100, 130, 160}, nodey[] = {200, 170};
    test::Canvas c;
    bool abortflag = false;
    ASSERT_TRUE(drawcyclicimage(c.pc, c.host, abortflag, {g, nodex, nodey, 1.0}));
    const auto boxes = c.surface.ofkind(OpKind::FillBox);
    ASSERT_EQ(boxes.size(), 20u * 20u);  // 1.5 cycles: 36 colours wanted, 20 cuts at most
    // The first sub-cell: its centre's bilinear value, wrapped.
    const double u = 0.5 / 20, v = u * (1 - u) * (0.25 + 0.5) + u * u * 1.5;
    EXPECT_EQ(boxes.front().color, cycliccolor(v + 3));
    EXPECT_EQ(std::make_pair(boxes.front().x1, boxes.front().y1), std::make_pair(100.0f, 200.0f));
    // Boxes reach a little into the next ones, but not past the grid; the
    // second cell is left empty.
    EXPECT_GT(boxes.front().x2, 101.5f);
    EXPECT_LT(boxes.back().x2, 131);
    EXPECT_EQ(boxes.back().y2, 170);
}

TEST(ErrorEllipse, AxesFromTheCovariance) {
    const double pi = std::numbers::pi;
    struct Case {
        double sx, sy, rho, major, minor, angle;
    } cases[] = {
        {3, 1, 0, 3, 1, 0},
        {1, 3, 0, 3, 1, pi / 2},
        // [[4, 2], [2, 4]]: eigenvalues 6 and 2 along the diagonals.
        {2, 2, 0.5, std::sqrt(6.0), std::sqrt(2.0), pi / 4},
        {2, 2, -0.5, std::sqrt(6.0), std::sqrt(2.0), -pi / 4},
    };
    for (const Case& c : cases) {
        const ErrorEllipse e = errorellipse(c.sx, c.sy, c.rho);
        EXPECT_NEAR(e.major, c.major, 1e-12) << c.sx << " " << c.rho;
        EXPECT_NEAR(e.minor, c.minor, 1e-12) << c.sx << " " << c.rho;
        EXPECT_NEAR(e.angle, c.angle, 1e-12) << c.sx << " " << c.rho;
    }
    // Drawn closed, the major axis up-right on the frame (y runs down).
    RecordingSurface s;
    drawerrorellipse(s, 50, 50, errorellipse(2, 2, 0.5), 10, kBlack);
    const auto lines = s.lines();
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kEllipseSegments));
    EXPECT_NEAR(lines.front().x1, 50 + 10 * std::sqrt(3.0), 1e-4);
    EXPECT_NEAR(lines.front().y1, 50 - 10 * std::sqrt(3.0), 1e-4);
    EXPECT_NEAR(lines.back().x2, lines.front().x1, 1e-4);
}

}  // namespace
}  // namespace crustex

#include "plot/principalglyphs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "plot/plottestutil.h"

namespace crustex {
namespace {

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

}  // namespace
}  // namespace crustex

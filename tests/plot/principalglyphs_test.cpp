#include "plot/principalglyphs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "plot/recordingsurface.h"
#include "support/scriptedhost.h"

namespace crustex {
namespace {

TEST(PrincipalStrain, AxesAndValues) {
    struct Case {
        const char* what;
        float exx, exy, eyy;
        double e1, e2, theta;
    };
    const double pi = std::acos(-1.0);
    const Case cases[] = {
        {"isotropic", 1, 0, 1, 1, 1, 0},
        {"pure contraction", -2, 0, -2, -2, -2, 0},
        {"east-west extension", 1, 0, -1, 1, -1, 0},
        {"north-south extension", -1, 0, 1, 1, -1, pi / 2},
        {"pure shear", 0, 1, 0, 1, -1, pi / 4},
        {"negative shear", 0, -1, 0, 1, -1, -pi / 4},
    };
    for (const auto& c : cases) {
        const float dil = c.exx + c.eyy;
        const float m = std::sqrt((c.exx - c.eyy) * (c.exx - c.eyy) + c.exy * 4 * c.exy);
        const PrincipalStrain p = principalstrain(c.exx, c.exy, c.eyy, dil, m);
        EXPECT_NEAR(p.e1, c.e1, 1e-6) << c.what;
        EXPECT_NEAR(p.e2, c.e2, 1e-6) << c.what;
        EXPECT_NEAR(p.theta, c.theta, 1e-6) << c.what;
    }
}

TEST(PrincipalStrain, LargerStrainLiesAlongItsEigenvector) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<float> d(-5, 5);
    for (int n = 0; n < 1000; ++n) {
        const float exx = d(rng), exy = d(rng), eyy = d(rng);
        const float dil = exx + eyy;
        const float m = std::sqrt((exx - eyy) * (exx - eyy) + exy * 4 * exy);
        const PrincipalStrain p = principalstrain(exx, exy, eyy, dil, m);
        const double c = std::cos(p.theta), s = std::sin(p.theta);
        // [exx exy; exy eyy] (c, s) = e1 (c, s)
        EXPECT_NEAR(exx * c + exy * s, p.e1 * c, 1e-4) << exx << " " << exy << " " << eyy;
        EXPECT_NEAR(exy * c + eyy * s, p.e1 * s, 1e-4) << exx << " " << exy << " " << eyy;
        EXPECT_GE(p.e1, p.e2);
    }
}

struct CrossFixture {
    RecordingSurface surface;
    PlotContext pc;
    test::ScriptedHost host;
    Grid2D exx{1, 1}, exy{1, 1}, eyy{1, 1}, dil{1, 1}, ms{1, 1};
    std::vector<float> nodex{100, 200}, nodey{300, 200};

    CrossFixture() {
        pc.screen = pc.target = &surface;
        setcolormode(pc.palette, "nomap");
        for (Grid2D* g : {&exx, &exy, &eyy, &dil, &ms}) g->fill(kNoValue);
    }
    void set(int i, int j, float xx, float xy, float yy) {
        exx(i, j) = xx;
        exy(i, j) = xy;
        eyy(i, j) = yy;
        dil(i, j) = xx + yy;
        ms(i, j) = std::sqrt((xx - yy) * (xx - yy) + xy * 4 * xy);
    }
    int draw(float scale) {
        return drawprincipal(pc, host, exx, exy, eyy, dil, ms, nodex, nodey, 0, 1, 0, 1, scale);
    }
};

float length(const RecordedOp& l) { return std::hypot(l.x2 - l.x1, l.y2 - l.y1); }

TEST(PrincipalCrosses, BarsLengthsDirectionsAndColours) {
    struct Case {
        const char* what;
        float xx, xy, yy;
        bool e1positive, e2positive;
        float len1, len2;  // full bar lengths for scale 1 (48 per unit of strain)
    };
    const Case cases[] = {
        {"isotropic expansion", 0.5f, 0, 0.5f, true, true, 24, 24},
        {"pure contraction", -1, 0, -0.5f, false, false, 24, 48},
        {"extension and contraction", 1, 0, -1, true, false, 48, 48},
        {"zero strain counts as expansion", 0, 0, 0, true, true, 0, 0},
    };
    for (const auto& c : cases) {
        CrossFixture f;
        f.set(1, 0, c.xx, c.xy, c.yy);
        EXPECT_EQ(f.draw(1), 1) << c.what;
        const auto lines = f.surface.lines();
        ASSERT_EQ(lines.size(), 2u) << c.what;
        EXPECT_EQ(lines[0].color, c.e1positive ? f.pc.palette.positive : f.pc.palette.negative)
            << c.what;
        EXPECT_EQ(lines[1].color, c.e2positive ? f.pc.palette.positive : f.pc.palette.negative)
            << c.what;
        EXPECT_NEAR(length(lines[0]), c.len1, 1e-3) << c.what;
        EXPECT_NEAR(length(lines[1]), c.len2, 1e-3) << c.what;
        for (const auto& l : lines) {  // centred on node (200, 300)
            EXPECT_NEAR((l.x1 + l.x2) / 2, 200, 1e-3);
            EXPECT_NEAR((l.y1 + l.y2) / 2, 300, 1e-3);
        }
        if (c.len1 > 0 && c.len2 > 0) {  // perpendicular
            const float dot = (lines[0].x2 - lines[0].x1) * (lines[1].x2 - lines[1].x1) +
                              (lines[0].y2 - lines[0].y1) * (lines[1].y2 - lines[1].y1);
            EXPECT_NEAR(dot, 0, 1e-2) << c.what;
        }
    }
    // North-south extension: the e1 bar is vertical on the frame.
    CrossFixture f;
    f.set(0, 1, -1, 0, 1);
    f.draw(2);
    const auto lines = f.surface.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NEAR(lines[0].x1, 100, 1e-3);
    EXPECT_NEAR(std::fabs(lines[0].y2 - lines[0].y1), 24, 1e-3);
}

TEST(PrincipalCrosses, NodesWithoutValueAreSkipped) {
    for (int which = 0; which < 5; ++which) {
        CrossFixture f;
        f.set(0, 0, 1, 0.5f, -1);
        f.set(1, 1, 1, 0.5f, -1);
        Grid2D* grids[] = {&f.exx, &f.exy, &f.eyy, &f.dil, &f.ms};
        (*grids[which])(1, 1) = kNoValue;
        EXPECT_EQ(f.draw(1), 1) << which;
        EXPECT_EQ(f.surface.count(OpKind::Line), 2u);
        EXPECT_FALSE(f.surface.hasnonfinite());
    }
    CrossFixture f;
    f.set(0, 0, 1, 0, 1);
    EXPECT_EQ(f.draw(0), 0);  // no usable scale
    EXPECT_EQ(f.host.statuses, (std::vector<std::string>{" Drawing Principal Strains", ""}));
}

TEST(PrincipalCrosses, Legend) {
    CrossFixture f;
    showprincipallegend(f.pc, 0.1f);
    const auto lines = f.surface.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].color, f.pc.palette.negative);
    EXPECT_FLOAT_EQ(lines[0].y1 - lines[0].y2, 48);
    EXPECT_EQ(lines[1].color, f.pc.palette.positive);
    struct Want {
        const char* text;
        float y;
        Rgb color;
    };
    const Want wants[] = {{"Expansion ", 257, f.pc.palette.positive},
                          {"Contraction", 272, f.pc.palette.negative},
                          {"0.1 micro str", 242, kBlack}};
    for (const auto& w : wants) {
        const RecordedOp* t = f.surface.findtext(w.text);
        ASSERT_NE(t, nullptr) << w.text;
        EXPECT_FLOAT_EQ(t->y1, w.y);
        EXPECT_NEAR(t->x1 + t->x2, 635, 1e-3);
        EXPECT_EQ(t->color, w.color) << w.text;
    }
    EXPECT_EQ(f.surface.ForeColor, kBlack);
}

}  // namespace
}  // namespace crustex

#include "model/sourcemodel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "model/workstate.h"

namespace crustex {
namespace {

faultrec faultfrom(float x0, float y0, float x1, float y1) {
    faultrec f = defaultSource();
    f.fx0 = x0;
    f.fy0 = y0;
    f.fx1 = x1;
    f.fy1 = y1;
    return f;
}

TEST(FaultGeometry, LengthAndStrikeCosines) {
    struct Case {
        faultrec f;
        float length;
        double c, s;
    };
    const std::vector<Case> cases = {
        {defaultSource(), 20, 1, 0},  // 85,100 -> 105,100: strike east
        {faultfrom(0, 0, 3, 4), 5, 0.6, 0.8},
        {faultfrom(10, 10, 0, 10), 10, -1, 0},  // strike west
        {faultfrom(5, 9, 5, 1), 8, 0, -1},      // strike south
    };
    for (const Case& k : cases) {
        FaultGeometry g = faultgeometry(k.f);
        EXPECT_EQ(g.length, k.length);
        EXPECT_NEAR(g.c, k.c, 1e-15);
        EXPECT_NEAR(g.s, k.s, 1e-15);
    }
    // L is a 32-bit value; the cosines are taken in 64-bit against it.
    FaultGeometry g = faultgeometry(faultfrom(0, 0, 1, 1));
    EXPECT_EQ(g.length, static_cast<float>(std::sqrt(2.0)));
    EXPECT_EQ(g.c, 1.0 / static_cast<double>(static_cast<float>(std::sqrt(2.0))));
}

TEST(FaultGeometry, CoincidingEdgesNeverDivideByZero) {
    FaultGeometry g = faultgeometry(faultfrom(50, 50, 50, 50));
    EXPECT_EQ(g.length, 0.0f);
    EXPECT_EQ(g.c, 0.0);
    EXPECT_EQ(g.s, 0.0);
}

TEST(FaultGeometry, FaultFrameAlongStrikeAndToTheDipSide) {
    // Strike north from (0, 0): the fault dips to the east, which is -eta.
    const faultrec f = faultfrom(0, 0, 0, 10);
    const FaultGeometry g = faultgeometry(f);
    struct Case {
        float x, y;
        double xi, eta;
    };
    const std::vector<Case> cases = {
        {0, 0, 0, 0},
        {0, 10, 10, 0},
        {1, 5, 5, -1},
        {-2, -3, -3, 2},
    };
    for (const Case& k : cases) {
        FaultFramePoint p = tofaultframe(f, g, k.x, k.y);
        EXPECT_NEAR(p.xi, k.xi, 1e-12) << k.x << "," << k.y;
        EXPECT_NEAR(p.eta, k.eta, 1e-12) << k.x << "," << k.y;
    }
    // The default fault (strike east from 85,100): a point south is on the dip side.
    const faultrec d = defaultSource();
    FaultFramePoint p = tofaultframe(d, faultgeometry(d), 95, 90);
    EXPECT_NEAR(p.xi, 10, 1e-12);
    EXPECT_NEAR(p.eta, -10, 1e-12);
}

TEST(FaultDislocation, RakeSplitsTheSlipWithTheProgramsPi) {
    struct Case {
        float rake;
        float strike, dip;
    };
    faultrec f = defaultSource();
    f.slip = 2;
    f.tensile = -0.5f;
    const std::vector<Case> cases = {
        {0, 2, 0},    {90, 0, 2},          {180, -2, 0},
        {-90, 0, -2}, {30, 1.7320508f, 1}, {-150, -1.7320508f, -1},
    };
    for (const Case& k : cases) {
        f.rakeangle = k.rake;
        FaultDislocation d = faultdislocation(f);
        EXPECT_NEAR(d.strikeslip, k.strike, 1e-6) << k.rake;
        EXPECT_NEAR(d.dipslip, k.dip, 1e-6) << k.rake;
        EXPECT_EQ(d.tensile, -0.5f);
    }
    // Reverse slip of 1 mm leaves a strike-slip residue of cos(pi/2) with pi
    // written to 15 digits: about 1.6e-15, not zero.
    f = defaultSource();
    FaultDislocation d = faultdislocation(f);
    EXPECT_EQ(d.dipslip, 1.0f);
    EXPECT_EQ(d.strikeslip, static_cast<float>(std::cos(90 * 3.14159265358979 / 180)));
    EXPECT_GT(d.strikeslip, 1.5e-15f);
    EXPECT_LT(d.strikeslip, 1.7e-15f);
}

TEST(InflationPotency, ThousandTimesTheIsotropicComponent) {
    faultrec f = defaultSource();
    EXPECT_EQ(inflationpotency(f), 100000.0f);
    f.piso = -0.25f;
    EXPECT_EQ(inflationpotency(f), -250.0f);
}

TEST(SourceUsable, OnlySoundSourcesOfAKnownKind) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    auto with = [](auto change) {
        faultrec f = defaultSource();
        change(f);
        return f;
    };
    struct Case {
        const char* what;
        faultrec f;
        bool usable;
    };
    const std::vector<Case> cases = {
        {"default fault", defaultSource(), true},
        {"coinciding edges", faultfrom(7, 7, 7, 7), false},
        {"edges differ in y only", faultfrom(7, 7, 7, 7.001f), true},
        {"NaN edge", with([&](faultrec& f) { f.fx0 = nan; }), false},
        {"infinite slip", with([&](faultrec& f) { f.slip = inf; }), false},
        {"NaN dip", with([&](faultrec& f) { f.fdipangle = nan; }), false},
        {"edge difference overflows", faultfrom(-3e38f, 0, 3e38f, 0), false},
        {"type 2", with([](faultrec& f) { f.sourcetype = 2; }), false},
        {"type -1", with([](faultrec& f) { f.sourcetype = -1; }), false},
        {"fault ignores point fields", with([&](faultrec& f) { f.piso = nan; }), true},
        {"point ignores fault fields", with([&](faultrec& f) {
             f.sourcetype = 1;
             f.fx1 = f.fx0;
             f.fy1 = f.fy0;
             f.slip = nan;
         }),
         true},
        {"point with NaN depth", with([&](faultrec& f) {
             f.sourcetype = 1;
             f.pdepth = nan;
         }),
         false},
        {"point with infinite piso", with([&](faultrec& f) {
             f.sourcetype = 1;
             f.piso = -inf;
         }),
         false},
    };
    for (const Case& k : cases) EXPECT_EQ(sourceusable(k.f), k.usable) << k.what;
}

}  // namespace
}  // namespace crustex

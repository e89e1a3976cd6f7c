// Moduli, stresses and receivers against hand calculations.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/cff.h"
#include "engine/gridfixture.h"
#include "engine/modelpoints.h"
#include "model/sourcemodel.h"
#include "stress/moduli.h"
#include "stress/receiverstress.h"
#include "stress/stressunits.h"

namespace crustex {
namespace {

// A displacement gradient with no symmetry: every component differs, and
// dux/dy differs from duy/dx (and so on), so a swapped index shows.
PointValues gradientpoint() {
    PointValues v{};
    const float g[9] = {1.5f, -0.25f, 0.75f, 2.25f, -3.0f, 0.5f, -1.25f, 4.0f, 0.125f};
    for (int k = 0; k < 9; ++k) v[static_cast<std::size_t>(3 + k)] = g[k];
    derivestrains(v);
    return v;
}

TEST(Stress, TensorFromTheStrainThroughTheModuli) {
    // dux/dx 1.5, duy/dx -0.25, duz/dx 0.75, dux/dy 2.25, duy/dy -3, duz/dy
    // 0.5, dux/dz -1.25, duy/dz 4, duz/dz 0.125: exy 1, eyz 2.25, ezx -0.25,
    // vol -1.375.
    const PointValues v = gradientpoint();
    const SymTensor e{v[3], v[7], v[11], v[12], v[13], v[14]};
    EXPECT_EQ(e, (SymTensor{1.5, -3.0, 0.125, 1.0, 2.25, -0.25}));
    struct Case {
        Medium medium;
        double mu, lamu;
    };
    for (const Case& c : {Case{{0.25f, 8e5f}, 3.2e5, 1.0}, Case{{0.3f, 6.5e5f}, 2.5e5, 1.5}}) {
        const double lamu = lameratio(c.medium);
        EXPECT_NEAR(shearmodulus(c.medium), c.mu, 1e-7 * c.mu);  // nu is a float
        EXPECT_NEAR(lamu, c.lamu, 1e-6);
        const SymTensor s = stresstensor(e, v[16], lamu);
        const double p = lamu * -1.375;
        EXPECT_NEAR(s.xx, p + 3.0, 1e-12);
        EXPECT_NEAR(s.yy, p - 6.0, 1e-12);
        EXPECT_NEAR(s.zz, p + 0.25, 1e-12);
        EXPECT_NEAR(s.xy, 2.0, 1e-12);
        EXPECT_NEAR(s.yz, 4.5, 1e-12);
        EXPECT_NEAR(s.zx, -0.5, 1e-12);
    }
    EXPECT_EQ(lameratio({0.25f, 8e5f}), 1.0);  // exactly: the program's own CFF
    EXPECT_FALSE(usablemedium({0.5f, 8e5f}));
}

// A receiver 2 km deep and 6 km wide of the given edge, dip and rake.
ReceiverFault receiver(float x0, float y0, float x1, float y1, float dip, float rake) {
    return {x0, y0, x1, y1, 2, 6, dip, rake, "", {}};
}

TEST(Stress, OneReceiverByHandInEveryUnit) {
    // exx 1, eyy 2, ezz 3, exy 0.5, eyz 0.25, ezx 0.125, vol 6.
    const PointValues v{0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0.5f, 0.25f, 0.125f, 0, 6, 0};
    struct Case {
        ReceiverFault r;
        double lamu, shear, normal;  // stress / mu by hand
    };
    const Case cases[] = {
        // Striking north, vertical, left-lateral: n = (1, 0, 0), l = (0, 1, 0).
        {receiver(0, 0, 0, 10, 90, 0), 1.0, 2 * 0.5, 6 + 2 * 1},
        // Striking east, vertical (dipping south), reverse: n = (0, -1, 0),
        // l = (0, 0, 1): enl = -eyz.
        {receiver(0, 0, 10, 0, 90, 90), 1.0, -2 * 0.25, 6 + 2 * 2},
        // The same in a medium of Poisson's ratio 0.3 (lambda / mu 1.5).
        {receiver(0, 0, 10, 0, 90, 90), 1.5, -2 * 0.25, 1.5 * 6 + 2 * 2},
    };
    const float friction = 0.4f;
    for (const Case& c : cases) {
        const std::vector<ReceiverPatch> p = splitreceivers({&c.r, 1}, {}, 0);
        ASSERT_EQ(p.size(), 1u);
        const double mu = 3.2e5;  // bar
        const double factors[] = {1, mu * 1e-6, mu * 1e-7};
        const ReceiverValue rigidity = resolvereceiver(p[0], v, friction, c.lamu, 1);
        for (const double f : factors) {
            const ReceiverValue got = resolvereceiver(p[0], v, friction, c.lamu, f);
            EXPECT_NEAR(got.shear, c.shear * f, 1e-6 * f);
            EXPECT_NEAR(got.normal, c.normal * f, 1e-6 * f);
            EXPECT_NEAR(got.cff, (c.shear + friction * c.normal) * f, 1e-6 * f);
            // The value in the default unit times the modulus is the value.
            EXPECT_NEAR(rigidity.cff * f, got.cff, 1e-6 * std::fabs(got.cff));
        }
    }
    EXPECT_EQ(stressfactor(StressUnit::Bar, {0.25f, 8e5f}), 3.2e5 * 1e-6);
    EXPECT_EQ(stressfactor(StressUnit::MPa, {0.25f, 8e5f}), 3.2e5 * 1e-7);
}

TEST(Stress, ReceiversSplitAlongStrikeFirstThenDownDip) {
    // Striking east, dipping 30 degrees to the south, 12 km long, 6 km wide,
    // split 3 along strike x 2 down dip; then a receiver without length and
    // one without width, both skipped.
    std::vector<ReceiverFault> list = {receiver(10, 20, 22, 20, 30, NAN),
                                       receiver(5, 5, 5, 5, 45, 0), receiver(0, 0, 1, 0, 45, 0)};
    list[2].width = 0;
    std::size_t skipped = 0;
    const std::vector<ReceiverPatch> p = splitreceivers(list, {3, 2}, 135, &skipped);
    EXPECT_EQ(skipped, 2u);
    ASSERT_EQ(p.size(), 6u);
    const double c30 = std::cos(kPi / 6);
    for (std::size_t k = 0; k < 6; ++k) {
        const double along = 2 + 4.0 * static_cast<double>(k % 3);
        const double down = 1.5 + 3.0 * static_cast<double>(k / 3);
        EXPECT_EQ(p[k].patch, k);
        EXPECT_NEAR(p[k].x, 10 + along, 1e-5) << k;
        EXPECT_NEAR(p[k].y, 20 - down * c30, 1e-5) << k;
        EXPECT_NEAR(p[k].depth, 2 + down * 0.5, 1e-5) << k;
        EXPECT_EQ(p[k].rake, 135);  // the user's
        EXPECT_FLOAT_EQ(p[k].strike, 90);
    }
    // The last patch's corners: upper edge at 3 km down dip, 8..12 km along.
    const ReceiverPatch& q = p[5];
    EXPECT_NEAR(q.cx[0], 18, 1e-5);
    EXPECT_NEAR(q.cx[1], 22, 1e-5);
    EXPECT_NEAR(q.cy[2], 20 - 6 * c30, 1e-5);
    EXPECT_NEAR(q.cdepth[0], 3.5, 1e-5);
    EXPECT_NEAR(q.cdepth[3], 5, 1e-5);
}

TEST(Stress, ReceiversAgreeWithTheProgramsDeltaCffAtTheSamePoint) {
    // One thrust source; a receiver striking N30E, dipping 60, whose centre
    // lies off the source. With the CFF dialog's receiver in the same
    // orientation the default unit gives the program's delta CFF there.
    WorkState ws = test::defaultwork();
    test::setsources(ws, {test::fault(40, 50, 60, 50, 3, 10, 40, 1000, 90)});
    ws.cffstrike = 30;
    ws.cffdip = 60;
    ws.cffrake = -45;
    ws.friction = 0.4f;
    const double s30 = 0.5, c30 = std::sqrt(3.0) / 2;
    const ReceiverFault r = receiver(30, 70, static_cast<float>(30 + 8 * s30),
                                     static_cast<float>(70 + 8 * c30), 60, NAN);
    ReceiverOptions o = receiveroptions(ws);
    ReceiverResults rigidity, bar;
    ASSERT_TRUE(evaluatereceivers(ws, {&r, 1}, o, rigidity));
    o.unit = StressUnit::Bar;
    ASSERT_TRUE(evaluatereceivers(ws, {&r, 1}, o, bar, {2, {}}));
    ASSERT_EQ(rigidity.values.size(), 1u);

    const ReceiverPatch& p = rigidity.patches[0];
    const float z = -p.depth;
    PointValues v{};
    ASSERT_TRUE(workpointvalues(ws, {&p.x, &p.y, &z, 1}, {&v, 1}));
    const ReceiverAngles a = receiverangles(ws);
    const float program = calcsitecff(v[3], v[7], v[11], v[12], v[13], v[14], v[16], a.strike,
                                      a.dip, a.rake, ws.friction);
    ASSERT_GT(std::fabs(program), 1e-3f);
    EXPECT_NEAR(rigidity.values[0].cff, program, 1e-5 * std::fabs(program));
    EXPECT_NEAR(bar.values[0].cff, rigidity.values[0].cff * 0.32, 1e-6 * std::fabs(program));
}

}  // namespace
}  // namespace crustex

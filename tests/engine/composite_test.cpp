#include "engine/composite.h"

#include <gtest/gtest.h>

#include "gridfixture.h"

namespace crustex {
namespace {

class Composite : public ::testing::Test {
protected:
    void SetUp() override {
        ws = test::defaultwork();
        test::setfield(ws, 80, 20, 110, 180, 6, 16);  // nodes on the fault trace
        test::setsources(ws, {defaultSource(), test::point(90, 150, 3, 40)});
        ASSERT_TRUE(test::evaluate(ws));
    }
    WorkState ws;
};

TEST_F(Composite, UnitWeightsReproduceTheirGridAndMarkersStay) {
    struct Case {
        std::array<float, 3> displ;
        const Grid2D ResultGrids::*want;
    };
    const Case displ[] = {{{1, 0, 0}, &ResultGrids::ux},
                          {{0, 1, 0}, &ResultGrids::uy},
                          {{0, 0, 1}, &ResultGrids::uz}};
    for (const Case& c : displ) {
        ws.fx = c.displ[0];
        ws.fy = c.displ[1];
        ws.fz = c.displ[2];
        composedispl(ws);
        EXPECT_EQ(ws.grids.composite.values(), (ws.grids.*c.want).values());
    }
    const Case strain[] = {{{1, 0, 0}, &ResultGrids::duxdx},
                           {{0, 1, 0}, &ResultGrids::duydy},
                           {{0, 0, 1}, &ResultGrids::duzdz}};
    for (const Case& c : strain) {
        ws.fxx = c.displ[0];
        ws.fyy = c.displ[1];
        ws.fzz = c.displ[2];
        composestrain(ws);
        EXPECT_EQ(ws.grids.composite.values(), (ws.grids.*c.want).values());
    }
    ws.fxx = ws.fyy = ws.fzz = 0;
    ws.fyz = 1;
    composestrain(ws);
    EXPECT_EQ(ws.grids.composite.values(), ws.grids.eyz.values());
}

TEST_F(Composite, WeightedSumsKeepTheMarker) {
    ws.fx = 0.5f;
    ws.fy = -2;
    ws.fz = 3.25f;
    composedispl(ws);
    const ResultGrids& g = ws.grids;
    int markers = 0;
    for (std::size_t q = 0; q < g.ux.size(); ++q) {
        const float ux = g.ux.values()[q], uy = g.uy.values()[q], uz = g.uz.values()[q];
        const float want = ux == kNoValue ? kNoValue : float(0.5 * ux - 2.0 * uy + 3.25 * uz);
        EXPECT_EQ(g.composite.values()[q], want);
        markers += ux == kNoValue;
    }
    EXPECT_EQ(markers, 5);
}

TEST(CompositeGrids, MismatchedInputsGiveNoValues) {
    Grid2D a(3, 3, 1), b(3, 2, 1), out;
    composedispl(a, b, a, out, 1, 1, 1);
    EXPECT_EQ(out.nx(), 3);
    for (float v : out.values()) EXPECT_EQ(v, kNoValue);
    composestrain(Grid2D(), a, a, a, a, a, out, 1, 1, 1, 1, 1, 1);
    EXPECT_TRUE(out.empty());
}

}  // namespace
}  // namespace crustex

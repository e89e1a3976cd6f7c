#include "engine/composite.h"

#include <gtest/gtest.h>

#include "gridfixture.h"

namespace crustex {
namespace {

using namespace test;

class Composite : public ::testing::Test {
protected:
    void SetUp() override {
        ws = tracework();  // nodes on the fault trace hold the marker
        setsources(ws, {defaultSource(), point(90, 150, 3, 40)});
        ASSERT_TRUE(evaluate(ws));
    }
    WorkState ws;
};

TEST_F(Composite, UnitWeightsReproduceTheirGrid) {
    using Weight = std::pair<float WorkState::*, const Grid2D ResultGrids::*>;
    const Weight displ[] = {
        {&WorkState::fx, &ResultGrids::ux},
        {&WorkState::fy, &ResultGrids::uy},
        {&WorkState::fz, &ResultGrids::uz},
    };
    const Weight strain[] = {
        {&WorkState::fxx, &ResultGrids::duxdx}, {&WorkState::fyy, &ResultGrids::duydy},
        {&WorkState::fzz, &ResultGrids::duzdz}, {&WorkState::fxy, &ResultGrids::exy},
        {&WorkState::fyz, &ResultGrids::eyz},   {&WorkState::fzx, &ResultGrids::ezx},
    };
    for (auto [weight, grid] : displ) {
        ws.fx = ws.fy = ws.fz = 0;
        ws.*weight = 1;
        composedispl(ws);
        EXPECT_EQ(ws.grids.composite.values(), (ws.grids.*grid).values());
    }
    for (auto [weight, grid] : strain) {
        ws.fxx = ws.fyy = ws.fzz = ws.fxy = ws.fyz = ws.fzx = 0;
        ws.*weight = 1;
        composestrain(ws);
        EXPECT_EQ(ws.grids.composite.values(), (ws.grids.*grid).values());
    }
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

// The reduced chi-square of the misfit, worked by hand.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <tuple>

#include "sites/misfit.h"

namespace crustex {
namespace {

TEST(MisfitChiSquare, WeightsTheResidualsByTheirSigmas) {
    auto ws = std::make_unique<WorkState>();
    auto res = std::make_unique<SiteResults>();
    ws->obskind = "displacement3";
    ws->nsite = 3;
    // Computed values are all 0: the residuals are the observations.
    const std::array<float, 7> sites[] = {
        // observed X, Y, Z; sigma X, Y, Z; rho
        {1, 2, 3, 1, 2, 3, 0.5f},   // X, Y with rho: (1 - 2 .5 + 1) / .75; Z: 1
        {2, -1, 4, 2, 0, 0, 0.9f},  // X alone (no Y sigma, so no pair): 1
        {3, 3, 3, 0, 0, 0, 0},      // no sigma: nothing
    };
    for (std::size_t i = 1; i <= 3; ++i) {
        siterec& r = ws->site[i];
        std::tie(r.obsdx, r.obsdy, r.obsdz, r.sigdx, r.sigdy, r.sigdz, r.corrdxdy) =
            std::tuple_cat(sites[i - 1]);
    }
    const auto m = computemisfit(*ws, *res);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->nsites, 3);
    EXPECT_EQ(m->weighted, 4);
    EXPECT_NEAR(m->chisquare, (1 / 0.75 + 1 + 1) / 4, 1e-12);
    EXPECT_NE(misfittext(*m).find("; reduced chi-square 0.8333 over 4 components (no parameters "
                                  "fitted)"),
              std::string::npos);
    // The same observations as tilts carry no sigma: no chi-square.
    ws->obskind = "tilt1";
    EXPECT_EQ(misfittext(*computemisfit(*ws, *res)).find("chi"), std::string::npos);
}

}  // namespace
}  // namespace crustex

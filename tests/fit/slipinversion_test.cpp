// Inverting made-up observations for the slip of a patch grid: neighbours
// found from the geometry, one and two rakes, the moment, refusals.
#include "fit/slipinversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "fit/fitsource.h"
#include "fit/patchneighbours.h"
#include "model/sourcemodel.h"

namespace crustex {
namespace {

// 4 x 3 patches of 4 km x 3 km on a plane striking 30 degrees and dipping
// 50, top 1 km down, listed in reverse order; made-up non-negative slips and
// rakes around 90.
std::vector<SlipPatch> patchgrid() {
    const double slips[12] = {0.0, 0.4, 1.3, 0.7, 0.2, 1.8, 2.5, 0.9, 0.0, 0.6, 1.1, 0.3};
    const double rakes[12] = {90, 75, 110, 95, 60, 80, 100, 120, 90, 70, 88, 105};
    const double phi = 30 * kPi / 180, dip = 50 * kPi / 180;
    const double c = std::sin(phi), s = std::cos(phi);
    std::vector<SlipPatch> out;
    for (int j = 0; j < 3; ++j) {
        for (int i = 0; i < 4; ++i) {
            const int k = j * 4 + i;
            // The upper edge of row j lies 3 j km down dip from the top.
            const double down = 3.0 * j, along = 4.0 * i;
            const double x0 = 90 + along * c + down * std::cos(dip) * s;
            const double y0 = 80 + along * s - down * std::cos(dip) * c;
            out.push_back({static_cast<float>(x0), static_cast<float>(y0),
                           static_cast<float>(x0 + 4 * c), static_cast<float>(y0 + 4 * s),
                           static_cast<float>(1 + down * std::sin(dip)), 3, 50,
                           static_cast<float>(rakes[k]), static_cast<float>(slips[k]), 0});
        }
    }
    std::reverse(out.begin(), out.end());
    return out;
}

// 8 x 8 sites observing the displacement of `patches` in 3-D.
std::unique_ptr<WorkState> observedslip(const std::vector<SlipPatch>& patches) {
    auto ws = std::make_unique<WorkState>();
    ws->nfault = 0;
    ws->obskind = "displacement3";
    for (int j = 0; j < 8; ++j) {
        for (int i = 0; i < 8; ++i) {
            siterec& s = ws->site[static_cast<std::size_t>(++ws->nsite)];
            s.x = 75.3f + 5.1f * i;
            s.y = 70.9f + 4.7f * j;
            std::array<double, 3> sum{}, u;
            for (const SlipPatch& p : patches) {
                EXPECT_TRUE(fitdisplacement(fitsourceof(p), 0.6666667f, s.x, s.y, 0, u));
                for (std::size_t a = 0; a < 3; ++a) sum[a] += u[a];
            }
            s.obsdx = static_cast<float>(sum[0]);
            s.obsdy = static_cast<float>(sum[1]);
            s.obsdz = static_cast<float>(sum[2]);
        }
    }
    ws->slipmodel.patches = patches;
    return ws;
}

TEST(SlipInversion, NeighboursComeFromTheGeometry) {
    std::vector<SlipPatch> p = patchgrid();
    EXPECT_EQ(patchneighbours(p).size(), 3u * 3 + 4 * 2);
    // A corner patch moved down, and an inner one turned, lose their
    // neighbours.
    p[0].top += 0.5f;
    p[5].dip = 60;
    EXPECT_EQ(patchneighbours(p).size(), 17u - 2 - 4);
}

TEST(SlipInversion, RecoversMadeUpSlipsWithWeakSmoothing) {
    for (bool two : {false, true}) {
        // One rake: the truth slips along 90 everywhere.
        std::vector<SlipPatch> truth = patchgrid();
        if (!two)
            for (SlipPatch& p : truth) p.rake = 90;
        double moment = 0;
        for (const SlipPatch& p : truth) moment += 12e6 * p.slip;
        moment *= 3.2e10;  // the default medium's rigidity (Pa)
        const auto ws = observedslip(truth);
        for (SlipPatch& p : ws->slipmodel.patches) {
            p.slip = 0.5f;
            p.rake = 90;
        }
        SlipInversionRequest req;
        req.rake = 90;
        req.tworakes = two;
        req.smoothing = 1e-3;
        const SlipInversionResult r = invertslip(*ws, req);
        ASSERT_TRUE(r.ok) << r.message;
        EXPECT_EQ(r.inverted, 12);
        EXPECT_EQ(r.neighbours, 17);
        EXPECT_EQ(r.observations, 192);
        EXPECT_GT(r.rmsbefore, 1);
        EXPECT_LT(r.rmsafter, 0.05);
        EXPECT_NEAR(r.moment, moment, 0.01 * moment);
        EXPECT_NEAR(r.mw, 2.0 / 3 * (std::log10(moment) - 9.1), 0.01);
        for (std::size_t k = 0; k < truth.size(); ++k) {
            EXPECT_NEAR(r.patches[k].slip, truth[k].slip, 0.01) << k;
            EXPECT_GE(r.patches[k].slip, 0);
            if (truth[k].slip > 0.3f) {
                EXPECT_NEAR(r.patches[k].rake, truth[k].rake, 1) << k;
            }
            EXPECT_EQ(r.patches[k].width, truth[k].width);
        }
        // Applying puts the slips into the model.
        EXPECT_EQ(applyslipinversion(*ws, r), "");
        EXPECT_EQ(ws->slipmodel.patches, r.patches);
    }
}

TEST(SlipInversion, BadInputIsRefused) {
    auto ws = observedslip(patchgrid());
    SlipInversionRequest req;
    req.smoothing = -1;
    EXPECT_NE(invertslip(*ws, req).message.find("smoothing"), std::string::npos);
    req.smoothing = 0;
    ws->obskind = "vstrain";
    EXPECT_NE(invertslip(*ws, req).message.find("not vstrain"), std::string::npos);
    ws->slipmodel.patches.clear();
    const SlipInversionResult r = invertslip(*ws, req);
    EXPECT_NE(r.message.find("no slip model"), std::string::npos);
    EXPECT_EQ(applyslipinversion(*ws, r), r.message);
}

}  // namespace
}  // namespace crustex

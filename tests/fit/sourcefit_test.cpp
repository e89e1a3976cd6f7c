// Fitting sources to made-up observations: the 64-bit forward model against
// the engine, recovery from a wrong start, bounds, noise and the stated
// uncertainties, refusals, cancelling and applying.
#include "fit/sourcefit.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <memory>
#include <random>

#include "engine/siteeval.h"
#include "fit/fitsource.h"
#include "model/sourcemodel.h"

namespace crustex {
namespace {

using P = FitParam;

FitSource fault(std::initializer_list<std::pair<P, double>> values) {
    FitSource s;
    for (auto [p, v] : values) s[p] = v;
    return s;
}

// A made-up fault and a made-up inflation point (not symmetric in anything).
FitSource truefault() {
    return fault({{P::East, 101.3},
                  {P::North, 87.6},
                  {P::Depth, 2.7},
                  {P::Strike, 37},
                  {P::Dip, 63},
                  {P::Rake, 118},
                  {P::Length, 21.4},
                  {P::Width, 9.3},
                  {P::Slip, 2.35},
                  {P::Opening, 0.4}});
}
FitSource truepoint() {
    FitSource s = fault({{P::East, 83.2}, {P::North, 104.7}, {P::Depth, 6.3}, {P::Volume, 4.1}});
    s.shape = FitSource::Shape::Point;
    return s;
}

// A work with one source of `start` and 6 x 5 sites (one of them 0.5 km
// down) observing the displacement of `truth` (3-D, or only Z), in floats.
std::unique_ptr<WorkState> observed(const std::vector<FitSource>& truth,
                                    const std::vector<FitSource>& start,
                                    const std::string& kind = "displacement3") {
    auto ws = std::make_unique<WorkState>();
    ws->nfault = static_cast<int16_t>(start.size());
    for (std::size_t k = 0; k < start.size(); ++k) {
        ws->fault[k + 1].sourcetype = start[k].shape == FitSource::Shape::Point ? 1 : 0;
        storefitsource(start[k], ws->fault[k + 1]);
    }
    ws->obskind = kind;
    const float alpha = 0.6666667f;
    for (int j = 0; j < 5; ++j) {
        for (int i = 0; i < 6; ++i) {
            siterec& s = ws->site[static_cast<std::size_t>(++ws->nsite)];
            s.x = 62.5f + 17.0f * i;
            s.y = 48.3f + 19.0f * j;
            s.depth = ws->nsite == 9 ? 0.5f : 0;
            std::array<double, 3> sum{}, u;
            for (const FitSource& t : truth) {
                EXPECT_TRUE(fitdisplacement(t, alpha, s.x, s.y, -s.depth, u));
                for (std::size_t a = 0; a < 3; ++a) sum[a] += u[a];
            }
            s.obsdx = static_cast<float>(sum[0]);
            s.obsdy = static_cast<float>(sum[1]);
            s.obsdz = static_cast<float>(sum[2]);
        }
    }
    return ws;
}

std::vector<FreeParam> freeparams(std::initializer_list<P> params, int source = 1) {
    std::vector<FreeParam> out;
    for (P p : params) out.push_back({{FitTarget::Kind::Source, source}, p, {}, {}});
    return out;
}

TEST(FitSource, SixtyFourBitModelMatchesTheEngineAndTheRecord) {
    // Fault and point through their records: the engine's float results
    // agree with the 64-bit model; the record round trip keeps the values.
    for (const FitSource& src : {truefault(), truepoint()}) {
        const auto ws = observed({src}, {src});
        const FitSource back = fitsourceof(ws->fault[1]);
        for (std::size_t k = 0; k < kFitParamCount; ++k)
            EXPECT_NEAR(back.v[k], src.v[k], 2e-5 * std::max(1.0, std::fabs(src.v[k]))) << k;
        for (int i = 1; i <= ws->nsite; ++i) {
            const siterec& s = ws->site[static_cast<std::size_t>(i)];
            const PointValues v = calcsitestrain(*ws, s.x, s.y, -s.depth);
            for (auto [o, c] : {std::pair{s.obsdx, v[0]}, {s.obsdy, v[1]}, {s.obsdz, v[2]}})
                EXPECT_NEAR(o, c, 1e-4 * std::max(1.0f, std::fabs(o))) << i;
        }
    }
    // The volume is a third of piso: the uplift above a point 2 km down in
    // a Poisson solid (nu 0.25) is (1 - nu) dV / (pi d^2).
    FitSource p = truepoint();
    p[P::Depth] = 2;
    p[P::Volume] = 1.5;
    std::array<double, 3> u;
    ASSERT_TRUE(fitdisplacement(p, 0.6666667f, p[P::East], p[P::North], 0, u));
    EXPECT_NEAR(u[2], 0.75 * 1.5e6 / (kPi * 2000.0 * 2000.0) * 1000, 1e-3);
    // Smooth in the dip up to vertical: the slope in a millionth of a degree
    // at 89.9999 is that at 89.99.
    FitSource f = truefault();
    const auto slope = [&](double dip) {
        std::array<double, 3> lo, hi;
        f[P::Dip] = dip - 1e-6;
        EXPECT_TRUE(fitdisplacement(f, 0.6666667f, 95, 93, 0, lo));
        f[P::Dip] = dip + 1e-6;
        EXPECT_TRUE(fitdisplacement(f, 0.6666667f, 95, 93, 0, hi));
        return (hi[0] - lo[0]) / 2e-6;
    };
    EXPECT_NEAR(slope(89.9999), slope(89.99), 1e-3 * std::fabs(slope(89.99)));
}

TEST(FitSource, NoiseFreeSourcesAreRecoveredFromAWrongStart) {
    FitSource wrongfault = truefault();
    for (auto [p, v] : {std::pair{P::East, 96.0},
                        {P::North, 91.0},
                        {P::Depth, 4.5},
                        {P::Strike, 30.0},
                        {P::Dip, 55.0},
                        {P::Rake, 100.0},
                        {P::Length, 17.0},
                        {P::Width, 11.0},
                        {P::Slip, 1.6}})
        wrongfault[p] = v;
    FitSource wrongpoint = truepoint();
    for (auto [p, v] :
         {std::pair{P::East, 79.0}, {P::North, 100.0}, {P::Depth, 4.0}, {P::Volume, 2.0}})
        wrongpoint[p] = v;
    struct Case {
        FitSource truth, start;
        std::vector<P> free;
    };
    const Case cases[] = {
        {truefault(),
         wrongfault,
         {P::East, P::North, P::Depth, P::Strike, P::Dip, P::Rake, P::Length, P::Width, P::Slip}},
        {truepoint(), wrongpoint, {P::East, P::North, P::Depth, P::Volume}},
    };
    for (const Case& c : cases) {
        const auto ws = observed({c.truth}, {c.start});
        FitRequest req;
        for (P p : c.free) req.free.push_back({{FitTarget::Kind::Source, 1}, p, {}, {}});
        const FitResult r = fitsources(*ws, req);
        ASSERT_TRUE(r.ok) << r.message;
        EXPECT_FALSE(r.sigmasgiven);
        EXPECT_EQ(r.observations, 90);
        EXPECT_GT(r.rmsbefore, 1);
        EXPECT_LT(r.rmsafter, 1e-5);
        EXPECT_GT(r.iterations, 0);
        for (const FittedParam& f : r.params) {
            EXPECT_NEAR(f.value, c.truth[f.param], 1e-6 * std::max(1.0, c.truth[f.param]))
                << fitparamname(f.param);
            EXPECT_NEAR(f.start, c.start[f.param], 1e-5 * std::max(1.0, c.start[f.param]));
        }
        // The model of the result holds the fitted values.
        const FitSource fitted = fitsourceof(r.fault[1]);
        EXPECT_NEAR(fitted[c.free[0]], c.truth[c.free[0]], 1e-4);
    }
    // Patch 2 of a slip model (as a .inp file brings it) behind an unusable
    // one; its degrees go when it moves.
    FitSource patch = truefault();
    patch.patch = true;
    auto ws = observed({patch}, {});
    ws->slipmodel.patches.resize(2);
    ws->slipmodel.geo.resize(2);
    FitRequest req;
    FitSource start = patch;
    for (auto [p, v] :
         {std::pair{P::East, 100.0}, {P::North, 89.0}, {P::Slip, 2.0}, {P::Rake, 110.0}}) {
        start[p] = v;
        req.free.push_back({{FitTarget::Kind::Patch, 1}, p, {}, {}});
    }
    storefitsource(start, ws->slipmodel.patches[1]);
    const FitResult r = fitsources(*ws, req);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(applyfit(*ws, r), "");
    EXPECT_TRUE(ws->slipmodel.geo.empty());
    EXPECT_EQ(ws->slipmodel.patches[0], SlipPatch{});
    const FitSource fitted = fitsourceof(ws->slipmodel.patches[1]);
    for (P p : {P::East, P::North, P::Slip, P::Rake}) EXPECT_NEAR(fitted[p], patch[p], 1e-4);
}

TEST(FitSource, BoundsHoldAndEveryStartStaysInside) {
    // The true depth 2.7 lies above the bounds: the fit ends on the bound.
    FitSource start = truefault();
    start[P::Depth] = 5;
    const auto ws = observed({truefault()}, {start});
    FitRequest req;
    req.free = freeparams({P::East, P::North, P::Depth, P::Slip});
    req.free[2].lower = 3.5;
    req.free[2].upper = 8;
    req.starts = 5;
    int starts = 0;
    req.progress = [&](const FitProgress& p) { starts = std::max(starts, p.start); };
    const FitResult r = fitsources(*ws, req);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.starts, 5);
    EXPECT_EQ(starts, 5);
    for (const FittedParam& f : r.params) {
        EXPECT_GE(f.value, f.lower);
        EXPECT_LE(f.value, f.upper);
        EXPECT_EQ(f.atbound, f.param == P::Depth) << fitparamname(f.param);
    }
    ASSERT_EQ(r.params.at(2).param, P::Depth);
    EXPECT_DOUBLE_EQ(r.params[2].value, 3.5);
    EXPECT_GT(r.rmsafter, 1e-3);
}

TEST(FitSource, NoisyDataAreRecoveredWithinTheStatedUncertainty) {
    // Noise of 2 mm (horizontal) and 4 mm (vertical), fixed seed, on the
    // fault and an inflation point fitted together.
    FitSource start = truefault();
    start[P::East] = 99;
    start[P::Depth] = 3.5;
    start[P::Slip] = 2;
    FitSource pstart = truepoint();
    pstart[P::Volume] = 3;
    auto ws = observed({truefault(), truepoint()}, {start, pstart});
    std::mt19937 random(7);
    std::normal_distribution<double> noise;
    double squares = 0;
    for (int i = 1; i <= ws->nsite; ++i) {
        siterec& s = ws->site[static_cast<std::size_t>(i)];
        s.sigdx = s.sigdy = 2;
        s.sigdz = 4;
        for (auto [o, sigma] : {std::pair{&s.obsdx, 2.0}, {&s.obsdy, 2.0}, {&s.obsdz, 4.0}}) {
            const double e = sigma * noise(random);
            *o += static_cast<float>(e);
            squares += e * e;
        }
    }
    const double noiserms = std::sqrt(squares / 90);
    FitRequest req;
    req.free = freeparams({P::East, P::North, P::Depth, P::Strike, P::Dip, P::Slip});
    for (FreeParam f : freeparams({P::East, P::Depth, P::Volume}, 2)) req.free.push_back(f);
    req.starts = 3;
    for (bool sigmas : {true, false}) {
        if (!sigmas) {
            for (int i = 1; i <= ws->nsite; ++i)
                ws->site[static_cast<std::size_t>(i)].sigdx =
                    ws->site[static_cast<std::size_t>(i)].sigdy =
                        ws->site[static_cast<std::size_t>(i)].sigdz = 0;
        }
        const FitResult r = fitsources(*ws, req);
        ASSERT_TRUE(r.ok) << r.message;
        EXPECT_EQ(r.sigmasgiven, sigmas);
        EXPECT_NEAR(r.rmsafter, noiserms, 0.15 * noiserms);
        // With a sigma of 1 mm the reduced chi-square is the mean square.
        const double chi2 = sigmas ? 1 : r.rmsafter * r.rmsafter * 90 / 81;
        EXPECT_NEAR(r.chi2reduced, chi2, sigmas ? 0.4 : 1e-9);
        for (const FittedParam& f : r.params) {
            const FitSource truth = f.target.index == 1 ? truefault() : truepoint();
            EXPECT_GT(f.sigma, 0);
            EXPECT_LT(std::fabs(f.value - truth[f.param]), 3 * f.sigma)
                << f.target.index << " " << fitparamname(f.param) << " " << f.value << " +- "
                << f.sigma;
        }
    }
}

TEST(FitSource, BadInputIsRefusedWithAMessage) {
    FitSource slipless = truefault();
    slipless[P::Slip] = 0;
    FitSource point2 = truepoint();
    struct Case {
        const char* why;  // a word of the message
        std::vector<FitSource> sources;
        std::string kind;
        std::vector<FreeParam> free;
        int nsite = 30;
    };
    std::vector<FreeParam> bounded = freeparams({P::Depth});
    bounded[0].lower = -1;
    std::vector<FreeParam> both = freeparams({P::Volume});
    both.push_back({{FitTarget::Kind::Source, 2}, P::Volume, {}, {}});
    const Case cases[] = {
        {"no observations", {truefault()}, "", freeparams({P::Slip})},
        {"not tilt1", {truefault()}, "tilt1", freeparams({P::Slip})},
        {"cannot determine",
         {truepoint()},
         "uz",
         freeparams({P::East, P::North, P::Depth, P::Volume}),
         3},
        {"rake has no influence", {slipless}, "displacement3", freeparams({P::Rake, P::Slip})},
        {"singular", {truepoint(), point2}, "displacement3", both},
        {"has no strike", {truepoint()}, "displacement3", freeparams({P::Strike})},
        {"no source 3", {truepoint()}, "displacement3", freeparams({P::East}, 3)},
        {"named twice", {truepoint()}, "displacement3", freeparams({P::East, P::East})},
        {"leave 0", {truepoint()}, "displacement3", bounded},
    };
    for (const Case& c : cases) {
        auto ws = observed(c.sources, c.sources, c.kind);
        ws->nsite = static_cast<int16_t>(c.nsite);
        FitRequest req;
        req.free = c.free;
        const FitResult r = fitsources(*ws, req);
        EXPECT_FALSE(r.ok) << c.why;
        EXPECT_NE(r.message.find(c.why), std::string::npos) << c.why << ": " << r.message;
        const FaultTable before = ws->fault;
        EXPECT_EQ(applyfit(*ws, r), r.message);
        EXPECT_EQ(ws->fault, before);
    }
}

TEST(FitSource, CancelStopsAndApplyChecksTheRecord) {
    const auto ws = observed({truefault()}, {truepoint()});
    ws->fault[1].sourcetype = 0;
    storefitsource(truefault(), ws->fault[1]);
    std::atomic<bool> cancel = false;
    FitRequest req;
    req.free = freeparams({P::East, P::North});
    req.starts = 4;
    req.cancel = &cancel;
    req.progress = [&](const FitProgress& p) { cancel = p.start == 2; };
    FitResult r = fitsources(*ws, req);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("cancelled"), std::string::npos);
    // A result whose edge would lie west of X = 0 is not applied.
    cancel = false;
    req.progress = {};
    r = fitsources(*ws, req);
    ASSERT_TRUE(r.ok) << r.message;
    r.fault[1].fx0 = -2;
    const FaultTable before = ws->fault;
    EXPECT_NE(applyfit(*ws, r).find("fx0"), std::string::npos);
    EXPECT_EQ(ws->fault, before);
    r.fault[1].fx0 = 2;
    ws->gridstale = false;
    EXPECT_EQ(applyfit(*ws, r), "");
    EXPECT_EQ(ws->fault[1].fx0, 2);
    EXPECT_TRUE(ws->gridstale);
}

}  // namespace
}  // namespace crustex

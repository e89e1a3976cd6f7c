// Fitting made-up models to made-up observations (nothing here is a real
// event): a fault of nine free parameters fitted to 30 or 120 sites of 3-D
// displacement from 1 or 8 starts; an inflation point of four; and the slip
// of 8 x 5 and 20 x 10 patches inverted from 120 sites, with weak smoothing.
// "Time" is the wall time of one whole fit.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "fit/fitsource.h"
#include "fit/slipinversion.h"
#include "fit/sourcefit.h"

namespace crustex {
namespace {

using P = FitParam;

FitSource madeupfault() {
    FitSource s;
    for (auto [p, v] : {std::pair{P::East, 101.3},
                        {P::North, 87.6},
                        {P::Depth, 2.7},
                        {P::Strike, 37.0},
                        {P::Dip, 63.0},
                        {P::Rake, 118.0},
                        {P::Length, 21.4},
                        {P::Width, 9.3},
                        {P::Slip, 2.35}})
        s[p] = v;
    return s;
}

// Sites on an n x n/2... lattice around (100, 90) observing `truth` plus a
// deterministic wobble of about a millimetre.
std::unique_ptr<WorkState> sitework(int nsite, const std::vector<FitSource>& truth) {
    auto ws = std::make_unique<WorkState>();
    ws->obskind = "displacement3";
    const int columns = nsite >= 120 ? 12 : 6;
    for (int k = 0; k < nsite; ++k) {
        siterec& s = ws->site[static_cast<std::size_t>(++ws->nsite)];
        s.x = 45.5f + 110.0f / static_cast<float>(columns) * static_cast<float>(k % columns);
        s.y =
            35.3f + 110.0f / static_cast<float>(nsite / columns) * static_cast<float>(k / columns);
        std::array<double, 3> sum{}, u;
        for (const FitSource& t : truth) {
            fitdisplacement(t, 0.6666667f, s.x, s.y, 0, u);
            for (std::size_t a = 0; a < 3; ++a) sum[a] += u[a];
        }
        s.obsdx = static_cast<float>(sum[0] + std::sin(7.1 * k));
        s.obsdy = static_cast<float>(sum[1] + std::cos(3.3 * k));
        s.obsdz = static_cast<float>(sum[2] + 2 * std::sin(1.9 * k));
    }
    return ws;
}

void BM_FaultFit(benchmark::State& state) {
    const FitSource truth = madeupfault();
    FitSource start = truth;
    for (auto [p, v] : {std::pair{P::East, 96.0},
                        {P::North, 91.0},
                        {P::Depth, 4.5},
                        {P::Strike, 30.0},
                        {P::Dip, 55.0},
                        {P::Rake, 100.0},
                        {P::Length, 17.0},
                        {P::Width, 11.0},
                        {P::Slip, 1.6}})
        start[p] = v;
    const auto ws = sitework(static_cast<int>(state.range(0)), {truth});
    ws->nfault = 1;
    storefitsource(start, ws->fault[1]);
    FitRequest req;
    for (P p :
         {P::East, P::North, P::Depth, P::Strike, P::Dip, P::Rake, P::Length, P::Width, P::Slip})
        req.free.push_back({{FitTarget::Kind::Source, 1}, p, {}, {}});
    req.starts = static_cast<int>(state.range(1));
    for (auto _ : state) benchmark::DoNotOptimize(fitsources(*ws, req));
}
BENCHMARK(BM_FaultFit)->Args({30, 1})->Args({30, 8})->Args({120, 8})->Unit(benchmark::kMillisecond);

void BM_PointFit(benchmark::State& state) {
    FitSource truth;
    truth.shape = FitSource::Shape::Point;
    for (auto [p, v] :
         {std::pair{P::East, 83.2}, {P::North, 104.7}, {P::Depth, 6.3}, {P::Volume, 4.1}})
        truth[p] = v;
    const auto ws = sitework(30, {truth});
    ws->nfault = 1;
    ws->fault[1].sourcetype = 1;
    FitSource start = truth;
    start[P::East] = 79;
    start[P::Volume] = 2;
    storefitsource(start, ws->fault[1]);
    FitRequest req;
    for (P p : {P::East, P::North, P::Depth, P::Volume})
        req.free.push_back({{FitTarget::Kind::Source, 1}, p, {}, {}});
    req.starts = 8;
    for (auto _ : state) benchmark::DoNotOptimize(fitsources(*ws, req));
}
BENCHMARK(BM_PointFit)->Unit(benchmark::kMillisecond);

void BM_SlipInversion(benchmark::State& state) {
    const int ncol = static_cast<int>(state.range(0)), nrow = static_cast<int>(state.range(1));
    const double phi = 30 * 3.14159265358979 / 180, dip = 50 * 3.14159265358979 / 180;
    const double size = 40.0 / ncol;
    std::vector<FitSource> truth;
    std::vector<SlipPatch> patches;
    for (int j = 0; j < nrow; ++j) {
        for (int i = 0; i < ncol; ++i) {
            const double x0 = 85 + size * (i * std::sin(phi) + j * std::cos(dip) * std::cos(phi));
            const double y0 = 75 + size * (i * std::cos(phi) - j * std::cos(dip) * std::sin(phi));
            SlipPatch p{static_cast<float>(x0),
                        static_cast<float>(y0),
                        static_cast<float>(x0 + size * std::sin(phi)),
                        static_cast<float>(y0 + size * std::cos(phi)),
                        static_cast<float>(1 + j * size * std::sin(dip)),
                        static_cast<float>(size),
                        50,
                        90,
                        static_cast<float>(1 + std::sin(0.7 * i) * std::cos(0.9 * j)),
                        0};
            truth.push_back(fitsourceof(p));
            patches.push_back(p);
        }
    }
    const auto ws = sitework(120, truth);
    ws->nfault = 0;
    ws->slipmodel.patches = patches;
    SlipInversionRequest req;
    req.smoothing = 0.01;
    int iterations = 0;
    for (auto _ : state) iterations = invertslip(*ws, req).iterations;
    state.counters["iterations"] = iterations;
}
BENCHMARK(BM_SlipInversion)->Args({8, 5})->Args({20, 10})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace crustex

// A vertical section of 200 x 100 points (every 0.5 km along 99.5 km and
// down to 49.5 km) across the made-up 1,000-patch slip model (40 x 25
// patches of 2 x 2 km dipping 30 degrees), evaluated whole on two threads:
// the block evaluation of every point, the derived strains, delta CFF for
// the receiver and delta CFF on optimally oriented planes under a regional
// stress. "Time" is the wall time of one evaluation; "us_per_point" the wall
// time per point. On a busy machine run it as `chrt -f 50 bench_section_bench`.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>

#include "madeupmodel.h"
#include "stress/section.h"

namespace crustex {
namespace {

void BM_SectionOfAThousandPatches(benchmark::State& state) {
    WorkState ws;
    setdefaults(ws, "/tmp");
    ws.nfault = 0;
    ws.slipmodel = madeupmodel(40, 25);
    ws.regionalstress.given = true;
    ws.regionalstress.axis = {{{125, 0, 100, 20}, {0, 90, 60, 15}, {35, 0, 20, 10}}};
    // Across the model's strike (N35E) through the middle of its length.
    const double pi = 3.14159265358979, strike = 35 * pi / 180;
    const double mx = 214.3 + 40 * std::sin(strike), my = 187.9 + 40 * std::cos(strike);
    const double rx = std::cos(strike), ry = -std::sin(strike);
    const SectionSpec spec{static_cast<float>(mx - 30 * rx),
                           static_cast<float>(my - 30 * ry),
                           static_cast<float>(mx + 69.5 * rx),
                           static_cast<float>(my + 69.5 * ry),
                           0,
                           49.5f,
                           0.5f,
                           0.5f};
    Section section;
    for (auto _ : state) {
        const bool done =
            evaluatesection(ws, spec, {}, section, {static_cast<int>(state.range(0)), {}});
        benchmark::DoNotOptimize(done);
    }
    const double points = static_cast<double>(section.grids.ux.size());
    state.counters["points"] = points;
    state.counters["us_per_point"] =
        benchmark::Counter(points * static_cast<double>(state.iterations()) * 1e-6,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SectionOfAThousandPatches)
    ->ArgName("threads")
    ->Arg(2)
    ->Arg(1)
    ->Unit(benchmark::kSecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(1);

}  // namespace
}  // namespace crustex

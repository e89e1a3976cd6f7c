// Whole field evaluation of a single source over 201 x 201 nodes on one
// thread: the cost per node of one finite fault and of one inflation point,
// everything included (node placement, the solution, the rotation into map
// axes, the sums and the derived strains). "per_node" (CPU time per node) is
// the figure to compare with a per-node call of a solution routine. The "on_" runs force
// one instruction set (those the processor lacks are skipped).
#include <benchmark/benchmark.h>

#include "engine/fieldgrid.h"
#include "hwy/targets.h"
#include "model/workstate.h"

namespace crustex {
namespace {

enum class Source { SlipFault, OpeningFault, Inflation };

WorkState onesource(Source kind, float depth) {
    WorkState ws;
    setdefaults(ws, "/tmp");
    ws.xgrid = 200;
    ws.ygrid = 200;
    ws.obsdepth = depth;
    faultrec& f = ws.fault[1];
    f = defaultSource();
    // A fault 20 km long crossing the middle of the field, striking N60E,
    // its top edge 1 km down, with strike- and dip-slip.
    f.fx0 = 86.3f;
    f.fy0 = 88.1f;
    f.fx1 = 103.62f;
    f.fy1 = 98.1f;
    f.fdepth = 1;
    f.fwidth = 12;
    f.fdipangle = 60;
    f.slip = 1;
    f.rakeangle = 30;
    if (kind == Source::OpeningFault) f.tensile = 0.3f;
    if (kind == Source::Inflation) {
        f.sourcetype = 1;
        f.px = 96.1f;
        f.py = 93.7f;
        f.pdepth = 4;
        f.piso = 100;
    }
    ws.nfault = 1;
    redimsub(ws);
    setfielddepth(ws);
    return ws;
}

void run(benchmark::State& state, WorkState& ws) {
    SilentHost host;
    for (auto _ : state) {
        const bool done = calcgridstrain(ws, host, 1);
        benchmark::DoNotOptimize(done);
    }
    const double nodes = static_cast<double>(ws.grids.ux.size());
    state.counters["per_node"] = benchmark::Counter(
        nodes, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_OneSource(benchmark::State& state, Source kind, float depth) {
    WorkState ws = onesource(kind, depth);
    run(state, ws);
}

// The same at the surface with one instruction set forced.
void BM_OneSourceOn(benchmark::State& state, Source kind, int64_t target) {
    if ((hwy::SupportedTargets() & target) == 0) {
        state.SkipWithError("not on this processor");
        return;
    }
    hwy::SetSupportedTargetsForTest(target);
    WorkState ws = onesource(kind, 0);
    run(state, ws);
    hwy::SetSupportedTargetsForTest(0);
}

BENCHMARK_CAPTURE(BM_OneSource, finite_surface, Source::SlipFault, 0.0f)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OneSource, finite_opening_surface, Source::OpeningFault, 0.0f)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OneSource, finite_depth1km, Source::SlipFault, 1.0f)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OneSource, inflation_surface, Source::Inflation, 0.0f)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OneSource, inflation_depth1km, Source::Inflation, 1.0f)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OneSourceOn, finite_on_AVX512, Source::SlipFault, HWY_AVX3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OneSourceOn, finite_on_AVX2, Source::SlipFault, HWY_AVX2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OneSourceOn, finite_on_SSE4, Source::SlipFault, HWY_SSE4)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OneSourceOn, inflation_on_AVX512, Source::Inflation, HWY_AVX3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OneSourceOn, inflation_on_AVX2, Source::Inflation, HWY_AVX2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OneSourceOn, inflation_on_SSE4, Source::Inflation, HWY_SSE4)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace crustex

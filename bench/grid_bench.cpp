// Whole field evaluation: 20 faults on a 500 x 500 grid (501 x 501 nodes) on
// one thread and spread over two worker threads. The counters show the
// speed-up is not bought with memory: besides the 21 result grids the run
// allocates only a few kilobytes (no per-thread copies of grids).
// "Time" is wall time; "CPU" is the CPU time of the whole process, all
// threads together, so equal CPU figures mean the workers add no work. On a
// machine busy with other jobs, run it as `chrt -f 50 bench_grid_bench` so
// that the workers get whole cores.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

#include "allocationcounter.h"
#include "engine/fieldgrid.h"
#include "model/workstate.h"

namespace crustex {
namespace {

WorkState twentyfaults() {
    WorkState ws;
    setdefaults(ws, "/tmp");
    ws.xgrid = 500;
    ws.ygrid = 500;
    ws.obsdepth = 0.5f;
    for (int k = 1; k <= kMaxSources; ++k) {
        faultrec& f = ws.fault[static_cast<std::size_t>(k)];
        const double a = 0.3 * k;
        f.fx0 = static_cast<float>(95 - 10 * std::cos(a) + 2 * k);
        f.fy0 = static_cast<float>(95 - 10 * std::sin(a));
        f.fx1 = static_cast<float>(95 + 10 * std::cos(a) + 2 * k);
        f.fy1 = static_cast<float>(95 + 10 * std::sin(a));
        f.fdepth = static_cast<float>(k % 5);
        f.fwidth = 8;
        f.fdipangle = static_cast<float>(30 + 3 * k);
        f.slip = 1;
        f.rakeangle = static_cast<float>(-90 + 9 * k);
        f.tensile = k % 3 == 0 ? 0.2f : 0.0f;
        f.sourcetype = 0;
    }
    ws.nfault = kMaxSources;
    redimsub(ws);
    setfielddepth(ws);
    return ws;
}

void BM_GridStrain(benchmark::State& state) {
    WorkState ws = twentyfaults();
    SilentHost host;
    const int threads = static_cast<int>(state.range(0));
    long long gridbytes = 0;
    for (int n = 1; n <= ResultGrids::kCount; ++n) {
        gridbytes += static_cast<long long>(ws.grids.byNumber(n)->size() * sizeof(float));
    }
    long long extra = 0;
    for (auto _ : state) {
        const benchalloc::Watch watch;
        const bool done = calcgridstrain(ws, host, threads);
        benchmark::DoNotOptimize(done);
        extra = std::max(extra, watch.extra());
    }
    state.counters["nodes"] = static_cast<double>(ws.grids.ux.size());
    state.counters["grid_MiB"] = static_cast<double>(gridbytes) / (1 << 20);
    state.counters["extra_alloc_bytes"] = static_cast<double>(extra);
    state.counters["calls_per_s"] =
        benchmark::Counter(static_cast<double>(ws.grids.ux.size()) * kMaxSources,
                           benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_GridStrain)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->MinTime(3.0);

}  // namespace
}  // namespace crustex

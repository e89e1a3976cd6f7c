// A slip model over the whole field: a made-up model of 40 x 25 patches of
// 2 x 2 km on a plane dipping 30 degrees, elliptical slip with a rake varying
// a little, evaluated on 501 x 501 nodes at 5 km depth with one and with two
// threads; the same model through the per-point routine, patch by patch, on
// a subsample of the nodes; and the memory a 100,000-patch model takes.
//
// Counters: "ns_per_pair" is wall time per node and patch, "cpu_ns_per_pair"
// the CPU time of all threads per node and patch, "bytes_per_patch" the most
// memory allocated during the run beyond the result grids, per patch. "Time"
// of the 1,000-patch grid is the wall time of the whole evaluation. On a
// machine busy with other jobs, run it as `chrt -f 50 bench_slipmodel_bench`.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

#include "allocationcounter.h"
#include "engine/fieldgrid.h"
#include "engine/modelpoints.h"
#include "madeupmodel.h"
#include "model/workstate.h"

namespace crustex {
namespace {

WorkState modelwork(SlipModel model, int nx, int ny) {
    WorkState ws;
    setdefaults(ws, "/tmp");
    ws.nfault = 0;
    ws.slipmodel = std::move(model);
    ws.xview0 = 0;
    ws.yview0 = 0;
    ws.xview1 = 500;
    ws.yview1 = 500;
    ws.xgrid = static_cast<int16_t>(nx);
    ws.ygrid = static_cast<int16_t>(ny);
    ws.obsdepth = 5;
    redimsub(ws);
    setfielddepth(ws);
    return ws;
}

// Seconds of wall time and of CPU time of the whole process.
double wallseconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
double cpuseconds() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

void pairs(benchmark::State& state, double count, double wall, double cpu) {
    const double n = count * static_cast<double>(state.iterations());
    state.counters["ns_per_pair"] = 1e9 * wall / n;
    state.counters["cpu_ns_per_pair"] = 1e9 * cpu / n;
}

void gridrun(benchmark::State& state, WorkState& ws, int threads) {
    SilentHost host;
    long long extra = 0;
    double wall = 0, cpu = 0;
    for (auto _ : state) {
        const benchalloc::Watch watch;
        const double w0 = wallseconds(), c0 = cpuseconds();
        const bool done = calcgridstrain(ws, host, threads);
        wall += wallseconds() - w0;
        cpu += cpuseconds() - c0;
        benchmark::DoNotOptimize(done);
        extra = std::max(extra, watch.extra());
    }
    const double patches = static_cast<double>(ws.slipmodel.size());
    pairs(state, static_cast<double>(ws.grids.ux.size()) * patches, wall, cpu);
    state.counters["bytes_per_patch"] = static_cast<double>(extra) / patches;
    state.counters["nodes"] = static_cast<double>(ws.grids.ux.size());
}

void BM_SlipModelGrid(benchmark::State& state) {
    WorkState ws = modelwork(madeupmodel(40, 25), 500, 500);
    gridrun(state, ws, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_SlipModelGrid)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kSecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(1);

// The same patches each turned on a plane of its own: no corner is shared.
void BM_SlipModelGridUnshared(benchmark::State& state) {
    WorkState ws = modelwork(madeupmodel(40, 25, true), 100, 100);
    gridrun(state, ws, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_SlipModelGridUnshared)
    ->ArgName("threads")
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// The per-point routine, patch by patch, at every 97th node of the field.
void BM_SlipModelPerPoint(benchmark::State& state) {
    const SlipModel model = madeupmodel(40, 25);
    std::vector<std::array<float, 3>> nodes;
    for (int k = 0; k < 501 * 501; k += 97) {
        nodes.push_back({static_cast<float>(k / 501), static_cast<float>(k % 501), -5.0f});
    }
    const float alpha = halfspacealpha(Medium{});
    double wall = 0, cpu = 0;
    for (auto _ : state) {
        const double w0 = wallseconds(), c0 = cpuseconds();
        for (const auto& n : nodes) {
            Vec12 total{};
            for (const SlipPatch& p : model.patches) {
                Vec12 one;
                benchmark::DoNotOptimize(patchatpoint(p, alpha, n[0], n[1], n[2], one));
                for (int i = 0; i < 12; ++i) total[i] += one[i];
            }
            benchmark::DoNotOptimize(total);
        }
        wall += wallseconds() - w0;
        cpu += cpuseconds() - c0;
    }
    pairs(state, static_cast<double>(nodes.size() * model.size()), wall, cpu);
}
BENCHMARK(BM_SlipModelPerPoint)->Unit(benchmark::kMillisecond);

// Points through the block evaluation: 10,000 receivers 10 km down from
// 10,000 patches (100 x 100) on two threads, and a vertical section of
// 200 x 100 points through the 1,000-patch model on two threads.
void pointsrun(benchmark::State& state, const SlipModel& model, const std::vector<float>& x,
               const std::vector<float>& y, const std::vector<float>& z) {
    const float alpha = halfspacealpha(Medium{});
    std::vector<PatchPointSums> out(x.size());
    double wall = 0, cpu = 0;
    for (auto _ : state) {
        const double w0 = wallseconds(), c0 = cpuseconds();
        std::fill(out.begin(), out.end(), PatchPointSums{});
        addpatchsums(PatchList{model.patches, {}}, alpha, {x.data(), y.data(), z.data(), x.size()},
                     out, {2, {}});
        wall += wallseconds() - w0;
        cpu += cpuseconds() - c0;
    }
    pairs(state, static_cast<double>(x.size() * model.size()), wall, cpu);
}

void BM_Receivers(benchmark::State& state) {
    std::vector<float> x, y, z;
    for (int k = 0; k < 10000; ++k) {
        x.push_back(150 + 0.173f * static_cast<float>(k % 997));
        y.push_back(150 + 0.0131f * static_cast<float>(k));
        z.push_back(-10);
    }
    pointsrun(state, madeupmodel(100, 100), x, y, z);
}
BENCHMARK(BM_Receivers)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

void BM_Section(benchmark::State& state) {
    std::vector<float> x, y, z;
    for (int i = 0; i < 200; ++i) {
        for (int j = 0; j < 100; ++j) {
            x.push_back(180 + 0.5f * static_cast<float>(i));
            y.push_back(260 - 0.4f * static_cast<float>(i));
            z.push_back(-0.3f * static_cast<float>(j));
        }
    }
    pointsrun(state, madeupmodel(40, 25), x, y, z);
}
BENCHMARK(BM_Section)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

// 100,000 patches (400 x 250 on one plane, or each on its own) on 6 x 6 nodes:
// the memory of the set-up, prepared chunk by chunk.
void BM_SlipModelMemory(benchmark::State& state) {
    WorkState ws = modelwork(madeupmodel(400, 250, state.range(0) != 0), 5, 5);
    gridrun(state, ws, 2);
}
BENCHMARK(BM_SlipModelMemory)
    ->ArgName("unshared")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(1);

}  // namespace
}  // namespace crustex

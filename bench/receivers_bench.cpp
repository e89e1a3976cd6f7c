// Stresses on receiver faults through the whole receiver path (split,
// block evaluation of every patch centre, resolution on each receiver):
// 10,000 source patches of a made-up slip model (100 x 100 patches of
// 1.5 x 1.5 km on a plane striking N20E and dipping 25 degrees, slip
// tapering to its edges) on 10,000 made-up receivers (a 100 x 100 array of
// 4 km receivers striking N110E and dipping 60 degrees, 5 to 9 km deep),
// on two threads. The target: at most 10 s.
//
// "Time" is the wall time of one evaluation; "ns_per_pair" the wall time
// per source patch and receiver, "cpu_ns_per_pair" the CPU time of both
// threads per pair (which a busy machine does not inflate). On a machine
// busy with other jobs, run it as `chrt -f 50 bench_receivers_bench`.
#include <benchmark/benchmark.h>
#include <time.h>

#include <chrono>
#include <cmath>
#include <vector>

#include "model/sourcemodel.h"
#include "stress/receiverstress.h"

namespace crustex {
namespace {

WorkState madeupwork(int n) {
    WorkState ws;
    setdefaults(ws, "/tmp");
    ws.nfault = 0;
    const double strike = 20 * kPi / 180, dip = 25 * kPi / 180, size = 1.5;
    const double ax = std::sin(strike), ay = std::cos(strike);  // along strike
    const double dx = ay * std::cos(dip), dy = -ax * std::cos(dip);
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            SlipPatch p;
            const double x0 = 100 + size * (i * ax + j * dx), y0 = 100 + size * (i * ay + j * dy);
            p.x0 = static_cast<float>(x0);
            p.y0 = static_cast<float>(y0);
            p.x1 = static_cast<float>(x0 + size * ax);
            p.y1 = static_cast<float>(y0 + size * ay);
            p.top = static_cast<float>(2 + j * size * std::sin(dip));
            p.width = static_cast<float>(size);
            p.dip = 25;
            const double u = std::sin(kPi * (i + 0.5) / n), v = std::sin(kPi * (j + 0.5) / n);
            p.slip = static_cast<float>(3 * u * v);
            p.rake = 95;
            ws.slipmodel.patches.push_back(p);
        }
    }
    return ws;
}

std::vector<ReceiverFault> madeupreceivers(int n) {
    std::vector<ReceiverFault> out;
    const double strike = 110 * kPi / 180, length = 4;
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            ReceiverFault r;
            r.x0 = static_cast<float>(40 + 2.7 * i);
            r.y0 = static_cast<float>(50 + 2.3 * j);
            r.x1 = static_cast<float>(r.x0 + length * std::sin(strike));
            r.y1 = static_cast<float>(r.y0 + length * std::cos(strike));
            r.top = static_cast<float>(5 + (i + j) % 5);
            r.width = 3;
            r.dip = 60;
            r.rake = NAN;
            out.push_back(r);
        }
    }
    return out;
}

double cpuseconds() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

void BM_ReceiverStress(benchmark::State& state) {
    const WorkState ws = madeupwork(100);
    const std::vector<ReceiverFault> receivers = madeupreceivers(100);
    ReceiverOptions options = receiveroptions(ws);
    options.unit = StressUnit::Bar;
    double wall = 0, cpu = 0;
    for (auto _ : state) {
        ReceiverResults out;
        const double c0 = cpuseconds();
        const auto t0 = std::chrono::steady_clock::now();
        const bool done = evaluatereceivers(ws, receivers, options, out, {2, {}});
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        cpu += cpuseconds() - c0;
        benchmark::DoNotOptimize(done);
        benchmark::DoNotOptimize(out.values.data());
    }
    const double pairs = 1e4 * 1e4 * static_cast<double>(state.iterations());
    state.counters["ns_per_pair"] = 1e9 * wall / pairs;
    state.counters["cpu_ns_per_pair"] = 1e9 * cpu / pairs;
}
BENCHMARK(BM_ReceiverStress)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

}  // namespace
}  // namespace crustex

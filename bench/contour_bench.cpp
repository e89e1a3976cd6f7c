// Cost of tracing a contour map: proportional to the number of cells.
//
// The same smooth field (two lobes of opposite sign, like a vertical
// displacement over a dipping fault) is sampled on 125 x 125, 250 x 250 and
// 500 x 500 cells and traced onto a surface that only counts what it is
// given, so the figures are the tracing itself.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "bench/countingsurface.h"
#include "model/host.h"
#include "plot/contourlevels.h"
#include "plot/contourtrace.h"

namespace {

using namespace crustex;

using bench::CountingSurface;

struct Field {
    Grid2D values;
    std::vector<float> nodex, nodey;

    explicit Field(int n) : values(n, n) {
        for (int i = 0; i <= n; ++i) {
            nodex.push_back(659.2f * i / n);
            nodey.push_back(505.3f - 525.3f * i / n);
        }
        for (int i = 0; i <= n; ++i) {
            for (int j = 0; j <= n; ++j) {
                const double x = 4.0 * i / n - 2, y = 4.0 * j / n - 2;
                values(i, j) = static_cast<float>(30 * std::exp(-((x - 0.5) * (x - 0.5) + y * y)) -
                                                  12 * std::exp(-((x + 0.7) * (x + 0.7) + y * y)) +
                                                  0.3 * std::sin(3 * x) * std::cos(2 * y));
            }
        }
    }
};

void traceonce(benchmark::State& state, int scale) {
    const int n = static_cast<int>(state.range(0));
    const Field field(n);
    CountingSurface surface;
    PlotContext pc;
    pc.screen = pc.target = &surface;
    setcolormode(pc.palette, "nomap");
    SilentHost host;
    bool abortflag = false;
    const ContourGrid grid{field.values, field.nodex, field.nodey, 0, 0, n, n};
    for (auto _ : state) {
        drawcontour(pc, host, abortflag, grid, 1.0f, 0.01f, 4, 7, scale, true);
        benchmark::DoNotOptimize(surface.lines);
    }
    const double cells = static_cast<double>(n) * n;
    state.SetComplexityN(static_cast<int64_t>(cells));
    state.counters["cells"] = cells;
    state.counters["segments/call"] =
        static_cast<double>(surface.lines) / static_cast<double>(state.iterations());
    state.counters["time/cell"] =
        benchmark::Counter(cells * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_ContourLinear(benchmark::State& state) { traceonce(state, kScaleLinear); }
void BM_ContourSemiLog1(benchmark::State& state) { traceonce(state, kScaleSemiLog1); }
void BM_ContourSemiLog2(benchmark::State& state) { traceonce(state, kScaleSemiLog2); }

BENCHMARK(BM_ContourLinear)
    ->Arg(125)
    ->Arg(250)
    ->Arg(500)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_ContourSemiLog1)
    ->Arg(125)
    ->Arg(250)
    ->Arg(500)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_ContourSemiLog2)
    ->Arg(125)
    ->Arg(250)
    ->Arg(500)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace

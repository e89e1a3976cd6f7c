// Cost of one call of each half-space solution. Every iteration is one call,
// so the reported time per iteration is the time per call.
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/dislocation.h"
#include "engine/rectsource.h"

namespace {

struct Point {
    float x, y, z;
};

// A spread of observation points around a fault 30 km long and 15 km wide
// whose top edge lies at 2 km depth: inside the medium, or on the surface.
std::vector<Point> spread(bool surface) {
    std::vector<Point> pts;
    for (int i = 0; i < 16; ++i) {
        for (int j = 0; j < 16; ++j) {
            const float x = -20.0f + 4.3f * i;
            const float y = -25.0f + 3.7f * j;
            const float z = surface ? 0.0f : -0.5f - 1.1f * ((i * 7 + j * 3) % 17);
            pts.push_back({x, y, z});
        }
    }
    return pts;
}

// One call per iteration, cycling through the points of the spread.
template <class Call>
void cycle(benchmark::State& state, bool surface, Call call) {
    const std::vector<Point> pts = spread(surface);
    crustex::DislocationResult out;
    size_t k = 0;
    for (auto _ : state) {
        const Point& p = pts[k];
        k = k + 1 == pts.size() ? 0 : k + 1;
        benchmark::DoNotOptimize(call(p, out));
        benchmark::DoNotOptimize(out);
    }
}

void rectAt(benchmark::State& state, bool surface, float dip, float d1, float d2, float d3,
            int lanes = 4) {
    cycle(state, surface, [&](const Point& p, crustex::DislocationResult& out) {
        return crustex::calcrectsourcelanes(lanes, crustex::kAlpha, p.x, p.y, p.z, 2, dip, 0, 30,
                                            15, 0, d1, d2, d3, out);
    });
}

void pointAt(benchmark::State& state, bool surface, float p1, float p2, float p3, float p4) {
    cycle(state, surface, [&](const Point& p, crustex::DislocationResult& out) {
        return crustex::calcpointsource(crustex::kAlpha, p.x, p.y, p.z, 8, 0, p1, p2, p3, p4, out);
    });
}

// The speed target: all three dislocations, points inside the medium.
void RectAllThreeInternal(benchmark::State& s) { rectAt(s, false, 60, 1200, -800, 300); }
void RectAllThreeVerticalInternal(benchmark::State& s) { rectAt(s, false, 90, 1200, -800, 300); }
void RectAllThreeSurface(benchmark::State& s) { rectAt(s, true, 60, 1200, -800, 300); }
// Two corners per vector, the baseline build the four-corner one must match.
void RectAllThreeInternalTwoLanes(benchmark::State& s) { rectAt(s, false, 60, 1200, -800, 300, 2); }
// What the program passes for a fault with slip and no opening.
void RectSlipOnlyInternal(benchmark::State& s) { rectAt(s, false, 60, 1200, -800, 0); }
void PointAllFourInternal(benchmark::State& s) { pointAt(s, false, 0.5f, -0.3f, 0.2f, 1000); }
// What the program passes for an inflation source.
void PointInflationInternal(benchmark::State& s) { pointAt(s, false, 0, 0, 0, 1000); }
void PointInflationSurface(benchmark::State& s) { pointAt(s, true, 0, 0, 0, 1000); }

BENCHMARK(RectAllThreeInternal);
BENCHMARK(RectAllThreeInternalTwoLanes);
BENCHMARK(RectAllThreeVerticalInternal);
BENCHMARK(RectAllThreeSurface);
BENCHMARK(RectSlipOnlyInternal);
BENCHMARK(PointAllFourInternal);
BENCHMARK(PointInflationInternal);
BENCHMARK(PointInflationSurface);

}  // namespace

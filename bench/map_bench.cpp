// Drawing the background line map (graticule, coast lines and borders, scale
// bar) with the shipped map file into the recording surface: the default
// range (34-36 N, 134-137 E) and all of Japan (20-46 N, 122-150 E).
#include <benchmark/benchmark.h>

#include <string>

#include "geo/maplayers.h"
#include "model/fsutil.h"
#include "plot/recordingsurface.h"

namespace {

using namespace crustex;

void drawrange(benchmark::State& state, float lat1, float lat2, float lon1, float lon2) {
    WorkState ws;
    setdefaults(ws, CRUSTEX_SOURCE_DIR);
    if (findfilenocase(ws.mappath, "japanv.map").empty()) {
        state.SkipWithError("map/japanv.map not found");
        return;
    }
    ws.flat1 = lat1;
    ws.flat2 = lat2;
    ws.flon1 = lon1;
    ws.flon2 = lon2;
    RecordingSurface surface;
    PlotContext pc;
    pc.screen = pc.target = &surface;
    setcolormode(pc.palette, "map");
    Projection proj;
    SilentHost host;
    std::size_t ops = 0;
    for (auto _ : state) {
        surface.clearlog();
        drawmap(ws, pc, proj, host);
        ops = surface.ops().size();
        benchmark::DoNotOptimize(ops);
    }
    state.counters["drawn_ops"] = static_cast<double>(ops);
}

void DefaultRange(benchmark::State& state) { drawrange(state, 34, 36, 134, 137); }
void AllOfJapan(benchmark::State& state) { drawrange(state, 20, 46, 122, 150); }

}  // namespace

BENCHMARK(DefaultRange)->Unit(benchmark::kMillisecond);
BENCHMARK(AllOfJapan)->Unit(benchmark::kMillisecond);

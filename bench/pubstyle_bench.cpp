// Cost of the publication-style picture: the colour-filled bands, the lines
// over them, the colour bar, the placed labels and the axes of a 500 x 500
// grid, drawn into the recording surface that the tests use (every
// operation kept with its polygon points).
//
// The grid holds the start-up model's field (one thrust fault), evaluated
// once before timing; each timed picture finds the results up to date and
// only draws.
#include <benchmark/benchmark.h>

#include "compose/picture.h"
#include "plot/recordingsurface.h"

namespace {

using namespace crustex;

void drawfilled(benchmark::State& state, const char* key) {
    WorkState ws;
    setdefaults(ws, "/tmp");
    ws.xgrid = ws.ygrid = static_cast<int16_t>(state.range(0));
    ws.quantitykey = key;
    ws.publicationstyle = true;
    RecordingSurface surface;
    PlotContext pc;
    pc.screen = pc.target = &surface;
    setplotframe(pc.frame, ws.rwidth);
    setcolormode(pc.palette, "nomap");
    SilentHost host;
    drawpicture(ws, pc, host, "screen");  // evaluates the grid (not timed)
    std::size_t polygons = 0, ops = 0;
    for (auto _ : state) {
        state.PauseTiming();
        surface.clearlog();
        state.ResumeTiming();
        drawpicture(ws, pc, host, "screen");
        benchmark::DoNotOptimize(surface.ops().data());
    }
    polygons = surface.count(OpKind::FillPolygon);
    ops = surface.ops().size();
    state.counters["polygons"] = static_cast<double>(polygons);
    state.counters["operations"] = static_cast<double>(ops);
}

void BM_PublicationUz(benchmark::State& state) { drawfilled(state, "uz"); }
void BM_PublicationCff(benchmark::State& state) { drawfilled(state, "cffpara"); }

BENCHMARK(BM_PublicationUz)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PublicationCff)->Arg(500)->Unit(benchmark::kMillisecond);

}  // namespace

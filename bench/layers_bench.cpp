// Cost of the map layers that read outside data:
// - selecting one month from a catalogue of one million events (about ten
//   years, one event every five minutes) read from a file: the start of the
//   window is found by bisection, so the records read are the window plus a
//   few dozen, not the file;
// - the topography of the default map range (34-36 N x 134-137 E) from the
//   shipped 1 km tiles: reading the tiles, then colour and contours drawn
//   onto a surface that only counts what it is given.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "bench/countingsurface.h"
#include "geo/demtiles.h"
#include "geo/eventcatalogue.h"
#include "geo/maplayers.h"
#include "geo/topolayer.h"

namespace {

using namespace crustex;

using bench::CountingSurface;

constexpr int kEvents = 1'000'000;
constexpr int kMinutesApart = 5;

// A catalogue of kEvents events, written once per run.
const std::string& millioncatalogue() {
    static const std::string path = [] {
        const std::string p = (std::filesystem::temp_directory_path() /
                               ("crustex-bench-" + std::to_string(::getpid()) + ".ep"))
                                  .string();
        std::ofstream out(p, std::ios::binary);
        auto put = [&out](const EventRecordBytes& b) {
            out.write(reinterpret_cast<const char*>(b.data()), static_cast<long>(b.size()));
        };
        put(catalogueheader(static_cast<float>(kEvents + 4)));
        put(EventRecordBytes{});
        put(EventRecordBytes{});
        const int64_t first = eventinstant({2010, 1, 1, 0, 0, 0}).day * 1440;
        for (int k = 0; k < kEvents; ++k) {
            const int64_t m = first + static_cast<int64_t>(k) * kMinutesApart;
            EventRecord e;
            e.day = static_cast<float>(m / 1440);
            e.minute = static_cast<int16_t>(m % 1440);
            // Positions spread by a multiplicative hash over 30-40 N x 130-145 E.
            const auto h = static_cast<uint32_t>(k) * 2654435761u;
            e.lat = 30.0f + static_cast<float>(h % 1000) * 0.01f;
            e.lon = 130.0f + static_cast<float>(h / 1000 % 1000) * 0.015f;
            e.depth = static_cast<int16_t>(k % 600);
            e.mag = static_cast<int16_t>(20 + k % 50);
            put(encodeeventrecord(e));
        }
        return p;
    }();
    return path;
}

void BM_CatalogueOneMonthOfAMillion(benchmark::State& state) {
    const std::string& path = millioncatalogue();
    const EventSelection sel{
        {2015, 3, 1, 0, 0, 0}, {2015, 3, 31, 23, 59, 0}, 34, 36, 134, 137, 0, 100, 3, 9};
    EventTable table;
    EventScan scan;
    for (auto _ : state) {
        FileCatalogue file(path);
        scan = selectevents(file, sel, table);
        benchmark::DoNotOptimize(table.events.data());
    }
    state.counters["records_read"] = static_cast<double>(scan.recordsread);
    state.counters["selected"] = static_cast<double>(table.events.size());
}
BENCHMARK(BM_CatalogueOneMonthOfAMillion)->Unit(benchmark::kMillisecond);

WorkState defaultmap() {
    WorkState ws;
    const auto root = std::filesystem::path(__FILE__).parent_path().parent_path();
    setdefaults(ws, root.string());
    ws.needmap = true;
    ws.topocolor = ws.topocontour = true;
    return ws;
}

void BM_TopographyReadDefaultRange(benchmark::State& state) {
    const WorkState ws = defaultmap();
    TopoGrid grid;
    for (auto _ : state) {
        if (readtopography(ws, kMesh1km, grid) != TopoRead::Read) state.SkipWithError("no tiles");
        benchmark::DoNotOptimize(grid.h.data());
    }
    state.counters["mesh_values"] = static_cast<double>(grid.h.size());
}
BENCHMARK(BM_TopographyReadDefaultRange)->Unit(benchmark::kMillisecond);

void BM_TopographyDrawDefaultRange(benchmark::State& state) {
    WorkState ws = defaultmap();
    CountingSurface surface;
    PlotContext pc;
    pc.screen = pc.target = &surface;
    SilentHost host;
    Projection proj;
    for (auto _ : state) drawtopography(ws, pc, proj, host);
    state.counters["fill_boxes"] = static_cast<double>(surface.boxes) / state.iterations();
    state.counters["contour_lines"] = static_cast<double>(surface.lines) / state.iterations();
}
BENCHMARK(BM_TopographyDrawDefaultRange)->Unit(benchmark::kMillisecond);

}  // namespace

// Reading slip models of 100,000 patches: the patch CSV, the .fsp and the
// .inp readers on texts in memory, and the whole command (file read from
// disk, patches placed on the map) on a CSV in a temporary file. The target
// is well under a second for each. The models are made up: a 400 x 250
// grid of patches south-west of the start-up map's centre.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "files/fspfile.h"
#include "files/inpfile.h"
#include "files/patchcsv.h"
#include "files/slipfile.h"
#include "geo/mapform.h"

namespace crustex {
namespace {

constexpr int kAlong = 400, kDown = 250;  // 100,000 patches

// One patch's values, varied over the grid.
struct Cell {
    double lat, lon, depth, slip, rake;
};
Cell cell(int i, int j) {
    return {34.6 + 0.002 * i + 0.001 * j, 134.8 + 0.003 * i, 1.0 + 0.08 * j,
            0.01 * ((i * 7 + j * 13) % 500), 80.0 + (i + j) % 30};
}

// A header, then one line per cell made by `line`.
template <typename Line>
std::string model(std::string text, Line line) {
    char buf[200];
    for (int i = 0; i < kAlong; ++i)
        for (int j = 0; j < kDown; ++j) text.append(buf, line(buf, sizeof buf, i, j, cell(i, j)));
    return text;
}

std::string csvtext() {
    return model(std::string(kPatchCsvGeoHeader) + "\n",
                 [](char* buf, std::size_t n, int, int, const Cell& c) {
                     return std::snprintf(buf, n, "%.5f,%.5f,%.4f,33.5,24,%.2f,0.9,0.35,%.4f,0\n",
                                          c.lon, c.lat, c.depth, c.rake, c.slip);
                 });
}

std::string fsptext() {
    return model(
        "% Made-up model of 100,000 subfaults\n"
        "% Mech : STRK = 33.5 DIP = 24 RAKE = 90 Htop = 1.0 km\n"
        "% Invs : Dx = 0.90 km Dz = 0.35 km\n"
        "% Coordinates are given for center of each subfault or segment: |'|\n"
        "% LAT LON X==EW Y==NS Z SLIP RAKE TRUP RISE SF_MOMENT\n",
        [](char* buf, std::size_t n, int i, int j, const Cell& c) {
            return std::snprintf(buf, n, "%8.4f %9.4f %8.3f %8.3f %7.3f %7.4f %6.1f 3.0 1.5 1e16\n",
                                 c.lat, c.lon, 0.9 * i, 0.35 * j, c.depth, c.slip, c.rake);
        });
}

std::string inptext() {
    return model(
        "Made-up model of 100,000 elements\ntitle\n#reg1=  0  #reg2=  0   #fixed= 100000  sym=  1\n"
        " PR1=       .250     PR2=       .250   DEPTH=      10.0\n  E1=   0.800000E+06\n"
        "FRIC= .400\n\n  #   X-start    Y-start     X-fin      Y-fin   Kode  rt.lat    reverse   "
        "dip angle     top      bot\nxxx xxxxxxxxxx\n",
        [](char* buf, std::size_t n, int i, int j, const Cell& c) {
            const double x = 0.9 * i + 0.32 * j, y = 0.1 * i - 0.1 * j;
            return std::snprintf(
                buf, n, "  1 %10.4f %10.4f %10.4f %10.4f 100 %10.4f %10.4f %10.4f %10.4f %10.4f\n",
                x, y, x + 0.9, y + 0.2, -c.slip * 0.2, c.slip, 24.0, c.depth, c.depth + 0.142);
        });
}

template <typename Read>
void readtext(benchmark::State& state, const std::string& text, Read read) {
    std::size_t patches = 0;
    for (auto _ : state) {
        auto result = read(text);
        patches = result;
        benchmark::DoNotOptimize(result);
    }
    state.counters["patches"] = static_cast<double>(patches);
    state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_ReadPatchCsv(benchmark::State& state) {
    static const std::string text = csvtext();
    readtext(state, text, [](const std::string& t) {
        return readpatchcsv(t, "model.csv").table.patches.size();
    });
}
BENCHMARK(BM_ReadPatchCsv)->Unit(benchmark::kMillisecond);

void BM_ReadFsp(benchmark::State& state) {
    static const std::string text = fsptext();
    readtext(state, text,
             [](const std::string& t) { return readfsp(t, "model.fsp").table.patches.size(); });
}
BENCHMARK(BM_ReadFsp)->Unit(benchmark::kMillisecond);

void BM_ReadInp(benchmark::State& state) {
    static const std::string text = inptext();
    readtext(state, text,
             [](const std::string& t) { return readinp(t, "model.inp").model.patches.size(); });
}
BENCHMARK(BM_ReadInp)->Unit(benchmark::kMillisecond);

// The whole command: the file read from disk, its patches placed on the map
// and installed in the work state.
void BM_LoadCsvFileOntoTheMap(benchmark::State& state) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("crustex-bench-" + std::to_string(::getpid()) + ".csv"))
                                 .string();
    std::ofstream(path, std::ios::binary) << csvtext();
    WorkState ws;
    setdefaults(ws, "/nonexistent");
    Projection proj;
    PlotFrame frame;
    setprojection(proj, ws);
    rebasefield(ws, proj, frame);
    const GeoFrame geo{proj, frame};
    std::string summary;
    for (auto _ : state) {
        if (!loadslipfile(ws, &geo, path, summary)) state.SkipWithError(summary.c_str());
    }
    state.counters["patches"] = static_cast<double>(ws.slipmodel.size());
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadCsvFileOntoTheMap)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace crustex

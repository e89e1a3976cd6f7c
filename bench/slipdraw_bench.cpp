// Cost of drawing a slip model of 100,000 patches (400 along strike x 250
// down dip, 0.5 km square, on a 30-degree thrust over the default field):
// the screen style's outlines and the publication style's fill by slip with
// its outlines, painted by Qt onto a picture of 1000 x 797 pixels (the
// window's plot at the documentation's size), and into a surface that only
// counts, which is the program's own share.
#include <benchmark/benchmark.h>

#include <QImage>
#include <cmath>

#include "compose/slipdraw.h"
#include "countingsurface.h"
#include "model/sourcemodel.h"
#include "plot/patchglyphs.h"
#include "ui/qpaintersurface.h"

namespace {

using namespace crustex;

SlipModel bigmodel() {
    SlipModel m;
    const double strike = 40 * kPi / 180, dip = 30 * kPi / 180, size = 0.5;
    const double sx = std::sin(strike), sy = std::cos(strike);
    const double nx = sy, ny = -sx;  // down dip, right of the strike
    for (int j = 0; j < 250; ++j) {
        for (int i = 0; i < 400; ++i) {
            const double x = 40 + i * size * sx + j * size * std::cos(dip) * nx;
            const double y = 60 + i * size * sy + j * size * std::cos(dip) * ny;
            SlipPatch p;
            p.x0 = static_cast<float>(x);
            p.y0 = static_cast<float>(y);
            p.x1 = static_cast<float>(x + size * sx);
            p.y1 = static_cast<float>(y + size * sy);
            p.top = static_cast<float>(1 + j * size * std::sin(dip));
            p.width = static_cast<float>(size);
            p.dip = 30;
            p.rake = 90;
            p.slip = static_cast<float>(1 + std::sin(i * 0.02) * std::cos(j * 0.03));
            m.patches.push_back(p);
        }
    }
    return m;
}

template <typename Draw>
void drawmodel(benchmark::State& state, Surface& surface, Draw draw) {
    const SlipModel model = bigmodel();
    PlotContext pc;
    pc.screen = pc.target = &surface;
    setplotframe(pc.frame, 240);
    setcolormode(pc.palette, "nomap");
    for (auto _ : state) draw(pc, model);
    state.counters["patches"] = static_cast<double>(model.size());
}

void outlines(PlotContext& pc, const SlipModel& m) { drawpatchoutlines(pc, m, pc.palette.source); }

void filled(PlotContext& pc, const SlipModel& m) {
    LabelPlacer placer;
    drawslippatches(pc, m, 2, placer);
}

void BM_OutlinesQt(benchmark::State& state) {
    QPainterSurface surface(1000, 797);
    drawmodel(state, surface, outlines);
}
void BM_FilledQt(benchmark::State& state) {
    QPainterSurface surface(1000, 797);
    drawmodel(state, surface, filled);
}
void BM_OutlinesCounting(benchmark::State& state) {
    bench::CountingSurface surface;
    drawmodel(state, surface, outlines);
}
void BM_FilledCounting(benchmark::State& state) {
    bench::CountingSurface surface;
    drawmodel(state, surface, filled);
}

BENCHMARK(BM_OutlinesQt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilledQt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OutlinesCounting)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilledCounting)->Unit(benchmark::kMillisecond);

}  // namespace

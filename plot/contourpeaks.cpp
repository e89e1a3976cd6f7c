#include "plot/contourpeaks.h"

#include "plot/contourlevels.h"
#include "plot/drawsymbol.h"
#include "plot/textplace.h"

namespace crustex {

namespace {

// The six neighbours tested for a peak, as (di, dj).
constexpr int kNeighbours[6][2] = {{-1, -1}, {-1, 0}, {0, -1}, {0, 1}, {1, 0}, {1, 1}};

enum class PeakKind { None, High, Low };

PeakKind peakat(const Grid2D& values, int i, int j) {
    const float v = values(i, j);
    if (!hasvalue(v)) return PeakKind::None;
    bool high = true;
    bool low = true;
    for (const auto& d : kNeighbours) {
        const float n = values(i + d[0], j + d[1]);
        if (!hasvalue(n)) continue;  // loses either way
        if (!(v > n)) high = false;
        if (!(v < n)) low = false;
        if (!high && !low) return PeakKind::None;
    }
    return high ? PeakKind::High : (low ? PeakKind::Low : PeakKind::None);
}

}  // namespace

std::vector<ContourPeak> findpeaks(const ContourGrid& g) {
    std::vector<ContourPeak> peaks;
    for (int i = g.firstx + 1; i <= g.lastx - 1; ++i) {
        for (int j = g.firsty + 1; j <= g.lasty - 1; ++j) {
            const PeakKind kind = peakat(g.values, i, j);
            if (kind != PeakKind::None)
                peaks.push_back({i, j, kind == PeakKind::High, g.values(i, j)});
        }
    }
    return peaks;
}

int drawpeaks(PlotContext& pc, const ContourGrid& g, float fontsize) {
    Surface& s = pc.surface();
    s.ForeColor = kBlack;
    const std::vector<ContourPeak> peaks = findpeaks(g);
    for (const ContourPeak& p : peaks) {
        const float x = g.nodex[static_cast<std::size_t>(p.i)];
        const float y = g.nodey[static_cast<std::size_t>(p.j)];
        drawsymbol(pc, x, y, "crs", 3);
        printtextright(pc, x - 3, y, p.high ? "$-H" : "$-L", fontsize);
        printtextleft(pc, x + 3, y, peaklabel(p.value), fontsize);
    }
    return static_cast<int>(peaks.size());
}

}  // namespace crustex

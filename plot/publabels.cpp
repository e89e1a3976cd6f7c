#include "plot/publabels.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "plot/contourpeaks.h"
#include "plot/drawsymbol.h"
#include "plot/edgelabels.h"
#include "plot/pubstyle.h"

namespace crustex {

namespace {

constexpr float kPad = 1.5f;       // white ground around a label's text
constexpr float kMarkSize = 2.5f;  // the peak's cross
constexpr float kGap = 3.5f;       // between the mark and its label

}  // namespace

int placepeaklabels(PlotContext& pc, const ContourGrid& grid, LabelPlacer& placer,
                    const LabelBox& within, float fontsize) {
    Surface& s = pc.surface();
    const ContourGrid g = usablepart(grid);
    std::vector<ContourPeak> peaks = findpeaks(g);
    std::stable_sort(peaks.begin(), peaks.end(), [](const ContourPeak& a, const ContourPeak& b) {
        return std::fabs(a.value) > std::fabs(b.value);
    });
    int placed = 0;
    for (const ContourPeak& p : peaks) {
        const float x = g.nodex[static_cast<std::size_t>(p.i)];
        const float y = g.nodey[static_cast<std::size_t>(p.j)];
        const std::string text = (p.high ? "H " : "L ") + pubnumber(p.value);
        const LabelBox t = textbox(s, 0, 0, text, fontsize).grown(kPad);
        const float w = t.right - t.left, h = t.bottom - t.top;
        const float d = kMarkSize + kGap;
        const LabelBox at{0, 0, w, h};
        const std::array<LabelBox, 8> offers = {
            at.moved(x + d, y - h / 2),        at.moved(x - d - w, y - h / 2),
            at.moved(x - w / 2, y - d - h),    at.moved(x - w / 2, y + d),
            at.moved(x + kGap, y - d - h),     at.moved(x + kGap, y + d),
            at.moved(x - kGap - w, y - d - h), at.moved(x - kGap - w, y + d)};
        const LabelBox mark{x - kMarkSize, y - kMarkSize, x + kMarkSize, y + kMarkSize};
        if (!placer.isfree(mark)) continue;
        const int k = placer.place(offers, within);
        if (k < 0) continue;
        placer.take(mark);
        s.ForeColor = kBlack;
        drawsymbol(pc, x, y, "crs", kMarkSize);
        drawlabel(s, offers[static_cast<std::size_t>(k)], text, fontsize, kPad);
        ++placed;
    }
    return placed;
}

int placeedgelabels(PlotContext& pc, const ContourGrid& grid, const ContourRule& rule,
                    LabelPlacer& placer, const LabelBox& within, float fontsize) {
    Surface& s = pc.surface();
    const ContourGrid g = usablepart(grid);
    if (g.lastx < g.firstx) return 0;
    std::vector<EdgeLabel> labels;
    if (rule.scale == kScaleLinear)
        linearedgelabels(g, rule.subinterval, labels);
    else
        logedgelabels(g, rule.minvalue, labels);
    std::stable_sort(labels.begin(), labels.end(), [](const EdgeLabel& a, const EdgeLabel& b) {
        if ((a.level == 0) != (b.level == 0)) return a.level == 0;
        return std::fabs(a.level) > std::fabs(b.level);
    });
    const float x = g.nodex[static_cast<std::size_t>(g.lastx)] + 5;
    int placed = 0;
    for (const EdgeLabel& l : labels) {
        const std::string text = pubticktext(l.level);
        const LabelBox t = textbox(s, 0, 0, text, fontsize).grown(kPad);
        const float w = t.right - t.left, h = t.bottom - t.top;
        const LabelBox at = LabelBox{0, 0, w, h}.moved(x, l.y - h / 2);
        const std::array<LabelBox, 3> offers = {at, at.moved(0, -0.4f * h), at.moved(0, 0.4f * h)};
        const int k = placer.place(offers, within);
        if (k < 0) continue;
        drawlabel(s, offers[static_cast<std::size_t>(k)], text, fontsize, kPad);
        ++placed;
    }
    return placed;
}

}  // namespace crustex

#include "compose/slipdraw.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

#include "plot/colormaps.h"
#include "plot/patchglyphs.h"
#include "plot/pubstyle.h"
#include "plot/textplace.h"

namespace crustex {

namespace {

constexpr double kPascalPerBar = 1e5;
constexpr double kSquareMetresPerSquareKm = 1e6;
// Blocks the bar is painted with, from light to dark.
constexpr int kBarBlocks = 48;
constexpr float kTick = 4;
constexpr float kLabelGap = 3;

std::string printed(const char* format, double v) {
    char buf[48];
    std::snprintf(buf, sizeof buf, format, v);
    return buf;
}

// A round tick step (1, 2 or 5 times a power of ten) giving at most
// `most` steps up to top.
double tickstep(double top, int most) {
    const double raw = top / std::max(most, 1);
    const double e = std::pow(10.0, std::floor(std::log10(raw)));
    const double m = raw / e;
    return e * (m > 5 ? 10 : m > 2 ? 5 : m > 1 ? 2 : 1);
}

}  // namespace

SlipStats slipstats(const SlipModel& model, const Medium& medium) {
    SlipStats s;
    s.patches = model.size();
    double areaslip = 0;  // km^2 m
    for (const SlipPatch& p : model.patches) {
        if (!std::isfinite(p.slip)) continue;
        s.maxslip = std::max(s.maxslip, std::fabs(p.slip));
        const double length =
            std::hypot(static_cast<double>(p.x1) - p.x0, static_cast<double>(p.y1) - p.y0);
        const double area = length * p.width;
        if (std::isfinite(area)) areaslip += area * std::fabs(p.slip);
    }
    s.moment = shearmodulus(medium) * kPascalPerBar * areaslip * kSquareMetresPerSquareKm;
    s.mw = s.moment > 0 ? 2.0 / 3.0 * (std::log10(s.moment) - 9.1)
                        : std::numeric_limits<double>::quiet_NaN();
    return s;
}

std::string slipmomenttext(const SlipStats& s) {
    std::string out = "max slip " + pubnumber(s.maxslip) + " m";
    if (s.moment > 0 && std::isfinite(s.moment))
        out += ", M0 = " + printed("%.3g", s.moment) + " N\u00B7m, Mw = " + printed("%.2f", s.mw);
    return out;
}

std::string slipstatstext(const SlipStats& s) {
    return std::to_string(s.patches) + (s.patches == 1 ? " patch, " : " patches, ") +
           slipmomenttext(s);
}

void drawsliplegend(PlotContext& pc, const SlipStats& s) {
    pc.surface().ForeColor = kBlack;
    printtextright(pc, 635, 455, "Slip model: " + std::to_string(s.patches) + " patches", 8);
    std::string second = "max " + pubnumber(s.maxslip) + " m";
    if (s.moment > 0 && std::isfinite(s.mw)) second += ", Mw " + printed("%.2f", s.mw);
    printtextright(pc, 635, 468, second, 8);
}

void drawslippatches(PlotContext& pc, const SlipModel& model, float maxslip, LabelPlacer& placer) {
    const float scale = maxslip > 0 ? 1 / maxslip : 0;
    fillpatches(pc, model, [scale](const SlipPatch& p) {
        return sequentialcolor(std::isfinite(p.slip) ? std::fabs(p.slip) * scale : 0);
    });
    drawpatchoutlines(pc, model, kPubPatchLine);
    for (const SlipPatch& p : model.patches) {
        std::array<FramePoint, 4> c;
        if (!patchcorners(pc.frame, p, c)) continue;
        const auto [left, right] = std::minmax({c[0].x, c[1].x, c[2].x, c[3].x});
        const auto [top, bottom] = std::minmax({c[0].y, c[1].y, c[2].y, c[3].y});
        placer.take({left, top, right, bottom});
    }
}

void drawslipbar(PlotContext& pc, float maxslip, const SlipBarPlace& at, LabelPlacer& placer) {
    if (!(at.height > 0) || !(at.width > 0)) return;
    Surface& s = pc.surface();
    const float bottom = at.top + at.height, right = at.left + at.width;
    const float step = at.height / kBarBlocks;
    for (int k = 0; k < kBarBlocks; ++k) {
        const float lower = bottom - step * static_cast<float>(k);
        const float t = (static_cast<float>(k) + 0.5f) / kBarBlocks;
        // Overlap the next block by a little so that no seam shows.
        s.FillBox(at.left, lower - step * 1.05f, right, lower, sequentialcolor(t));
    }
    s.Box(at.left, at.top, right, bottom, kBlack);
    placer.take({at.left, at.top, right + kTick, bottom});
    if (!(maxslip > 0) || !std::isfinite(maxslip)) return;
    // Labels a line and a half apart at least.
    const float line = textbox(s, 0, 0, "0", at.fontsize).bottom;
    const double tick = tickstep(maxslip, std::min(4, static_cast<int>(at.height / (1.5f * line))));
    for (int k = 0; k * tick <= maxslip * (1 + 1e-6); ++k) {
        const double v = k * tick;
        const float y = bottom - static_cast<float>(v / maxslip) * at.height;
        s.Line(right, y, right + kTick, y, kBlack);
        const std::string text = pubticktext(static_cast<float>(v));
        LabelBox box = textbox(s, right + kTick + kLabelGap, y, text, at.fontsize);
        box = box.moved(0, -(box.bottom - box.top) / 2);
        placer.take(box);
        drawlabel(s, box, text, at.fontsize, 0);
    }
}

}  // namespace crustex

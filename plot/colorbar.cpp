#include "plot/colorbar.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "plot/pubstyle.h"

namespace crustex {

namespace {

constexpr float kTick = 4;       // labelled tick, frame units
constexpr float kMinorTick = 2;  // tick at every other level
constexpr float kLabelGap = 3;   // between a tick and its label

struct Boundary {
    float y = 0;
    float level = 0;
    bool main = false;
};

bool mainlevel(const BandScale& s, float level) {
    if (s.rule.scale == kScaleLinear) {
        const double k = std::round(static_cast<double>(level) / s.rule.subinterval);
        const LevelKind kind = linearlevelkind(k, s.rule.nsubline);
        return kind == LevelKind::Zero || kind == LevelKind::Main;
    }
    const LevelKind kind = loglevelkind(level);
    return kind == LevelKind::Zero || kind == LevelKind::Main;
}

}  // namespace

int drawcolorbar(PlotContext& pc, const BandScale& scale, const ColorBarPlace& at,
                 LabelPlacer& placer, float fontsize) {
    if (scale.status != BandStatus::Ready || !(at.height > 0) || !(at.width > 0)) return 0;
    Surface& s = pc.surface();
    const int n = scale.bandcount();
    const float step = at.height / static_cast<float>(n);
    const float bottom = at.top + at.height;
    const float right = at.left + at.width;

    std::vector<Boundary> bounds;
    int rank = scale.lowrank;
    for (int k = 0; k < n; ++k, rank = nextrank(rank)) {
        const float lower = bottom - step * static_cast<float>(k);
        s.FillBox(at.left, lower - step, right, lower, bandcolor(scale, rank));
        if (k > 0) {
            const float level = bandfloor(scale, rank);
            bounds.push_back({lower, level, mainlevel(scale, level)});
        }
    }
    s.Box(at.left, at.top, right, bottom, kBlack);
    placer.take({at.left, at.top, right + kTick, bottom});

    // Labelled ticks: the main levels, or every level when fewer than two
    // are main; from zero (or the lowest) outwards, each label at least a
    // third of a line clear of the last one written on its side.
    std::vector<const Boundary*> wanted;
    for (const Boundary& b : bounds)
        if (b.main) wanted.push_back(&b);
    if (wanted.size() < 2) {
        wanted.clear();
        for (const Boundary& b : bounds) wanted.push_back(&b);
    }
    s.setFontSize(fontsize);
    const float clearance = 1.35f * s.TextHeight("0");
    std::size_t anchor = 0;
    for (std::size_t k = 0; k < wanted.size(); ++k)
        if (wanted[k]->level == 0) anchor = k;

    if (step >= 2.5f)
        for (const Boundary& b : bounds) s.Line(right, b.y, right + kMinorTick, b.y, kBlack);
    int labelled = 0;
    const LabelBox anywhere{-1e6f, -1e6f, 1e6f, 1e6f};
    auto label = [&](const Boundary& b) {
        const std::string text = pubticktext(b.level);
        LabelBox box = textbox(s, right + kTick + kLabelGap, 0, text, fontsize);
        box = box.moved(0, b.y - (box.bottom - box.top) / 2);
        const LabelBox offer[1] = {box};
        if (placer.place(offer, anywhere) < 0) return false;
        s.Line(right, b.y, right + kTick, b.y, kBlack);
        s.ForeColor = kBlack;
        s.CurrentX = box.left;
        s.CurrentY = box.top;
        s.Print(text);
        ++labelled;
        return true;
    };
    if (!wanted.empty() && label(*wanted[anchor])) {
        for (int dir : {1, -1}) {
            float last = wanted[anchor]->y;
            for (auto k = static_cast<long>(anchor) + dir;
                 k >= 0 && k < static_cast<long>(wanted.size()); k += dir) {
                const Boundary& b = *wanted[static_cast<std::size_t>(k)];
                if (std::fabs(b.y - last) < clearance) continue;
                if (label(b)) last = b.y;
            }
        }
    }
    return labelled;
}

}  // namespace crustex

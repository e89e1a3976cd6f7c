#include "plot/divergingbar.h"

#include <cmath>
#include <string>

#include "plot/colormaps.h"
#include "plot/pubstyle.h"

namespace crustex {

namespace {

constexpr int kBlocks = 64;     // colour steps of the bar
constexpr float kTick = 3;      // frame units
constexpr float kLabelGap = 2;  // between a tick and its label

}  // namespace

float diverginglimit(float largest) {
    if (!(largest > 0) || !std::isfinite(largest)) return 1;
    const double e = std::pow(10.0, std::floor(std::log10(static_cast<double>(largest))));
    for (const double m : {1.0, 2.0, 5.0, 10.0})
        if (m * e >= largest) return static_cast<float>(m * e);
    return static_cast<float>(10 * e);
}

Rgb divergingvaluecolor(float value, float limit) {
    if (!(limit > 0)) return neutralcolor();
    return divergingcolor(value / limit);
}

void drawdivergingbar(Surface& s, float limit, const DivergingBarPlace& at) {
    if (!(at.height > 0) || !(at.width > 0)) return;
    const float step = at.height / kBlocks, bottom = at.top + at.height;
    const float right = at.left + at.width;
    for (int k = 0; k < kBlocks; ++k) {
        const float t = (static_cast<float>(k) + 0.5f) / kBlocks * 2 - 1;
        const float lower = bottom - step * static_cast<float>(k);
        // A hair of overlap keeps the blocks from showing seams.
        s.FillBox(at.left, lower - step - 0.05f, right, lower, divergingcolor(t));
    }
    s.Box(at.left, at.top, right, bottom, kBlack);
    s.setFontSize(at.fontsize);
    s.ForeColor = kBlack;
    // A bar too short for five labels names its ends and zero.
    const bool everytick = at.height / 4 >= s.TextHeight("0");
    for (int k = -2; k <= 2; ++k) {
        const float y = at.top + at.height / 2 - static_cast<float>(k) * at.height / 4;
        s.Line(right, y, right + kTick, y, kBlack);
        if (!everytick && k % 2 != 0) continue;
        const std::string text = pubticktext(limit * static_cast<float>(k) / 2);
        s.CurrentX = right + kTick + kLabelGap;
        s.CurrentY = y - s.TextHeight(text) / 2;
        s.Print(text);
    }
}

}  // namespace crustex

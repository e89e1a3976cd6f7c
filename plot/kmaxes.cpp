#include "plot/kmaxes.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <string>

#include "model/numtext.h"
#include "plot/pubstyle.h"

namespace crustex {

namespace {

constexpr float kLabelGap = 3;
constexpr int kMaxTicks = 40;

// The ticks of one axis: multiples of the step from lo to hi.
template <typename Each>
void eachtick(float lo, float hi, float step, Each each) {
    if (!(step > 0)) return;
    const double first = std::ceil(static_cast<double>(lo) / step - 1e-6) * step;
    for (int n = 0; n < kMaxTicks; ++n) {
        const double v = first + n * static_cast<double>(step);
        if (v > hi + 1e-6 * step) break;
        each(static_cast<float>(std::fabs(v) < 1e-9 * step ? 0.0 : v));
    }
}

}  // namespace

float roundstep(float span, int wanted) {
    if (!(span > 0) || !std::isfinite(span) || wanted < 1) return 0;
    const double raw = static_cast<double>(span) / wanted;
    const double e = std::pow(10.0, std::floor(std::log10(raw)));
    const double u = raw / e;
    const double m = u < 1.5 ? 1 : (u < 3.5 ? 2 : (u < 7.5 ? 5 : 10));
    return static_cast<float>(m * e);
}

int drawkmaxes(PlotContext& pc, float x0, float y0, float x1, float y1, LabelPlacer& placer,
               float fontsize, const KmAxisNames& names) {
    Surface& s = pc.surface();
    const PlotFrame& f = pc.frame;
    const float left = toframex(f, x0), right = toframex(f, x1);
    const float bottom = toframey(f, y0), top = toframey(f, y1);
    if (!std::isfinite(left) || !std::isfinite(right) || !std::isfinite(top) ||
        !std::isfinite(bottom))
        return 0;
    s.Box(left, top, right, bottom, kBlack);
    const float step = roundstep(std::max(std::fabs(x1 - x0), std::fabs(y1 - y0)), 6);
    const LabelBox anywhere{-1e6f, -1e6f, 1e6f, 1e6f};
    int labelled = 0;
    s.ForeColor = kBlack;

    eachtick(std::min(x0, x1), std::max(x0, x1), step, [&](float km) {
        const float x = toframex(f, km);
        s.Line(x, bottom, x, bottom + kAxisTick, kBlack);
        s.Line(x, top, x, top - kAxisTick, kBlack);
        const std::string text = generalform(km);
        LabelBox box = textbox(s, 0, bottom + kAxisTick + kLabelGap, text, fontsize);
        box = box.moved(x - (box.right - box.left) / 2, 0);
        const LabelBox offer[1] = {box};
        if (placer.place(offer, anywhere) < 0) return;
        s.CurrentX = box.left;
        s.CurrentY = box.top;
        s.Print(text);
        ++labelled;
    });
    float labelsleft = left - kAxisTick - kLabelGap;
    eachtick(std::min(y0, y1), std::max(y0, y1), step, [&](float km) {
        const float y = toframey(f, km);
        s.Line(left, y, left - kAxisTick, y, kBlack);
        s.Line(right, y, right + kAxisTick, y, kBlack);
        const std::string text = generalform(names.negatey && km != 0 ? -km : km);
        LabelBox box = textbox(s, 0, 0, text, fontsize);
        box = box.moved(left - kAxisTick - kLabelGap - (box.right - box.left),
                        y - (box.bottom - box.top) / 2);
        const LabelBox offer[1] = {box};
        if (placer.place(offer, anywhere) < 0) return;
        labelsleft = std::min(labelsleft, box.left);
        s.CurrentX = box.left;
        s.CurrentY = box.top;
        s.Print(text);
        ++labelled;
    });

    // Axis names: centred under the bottom labels; above the left labels
    // (half a line higher when a label at the top's end is in the way).
    const std::string& xname = names.x;
    const std::string& yname = names.y;
    LabelBox xbox = textbox(s, 0, 0, xname, fontsize);
    const float lineheight = xbox.bottom - xbox.top;
    xbox = xbox.moved((left + right) / 2 - (xbox.right - xbox.left) / 2,
                      bottom + kAxisTick + kLabelGap + lineheight);
    LabelBox ybox = textbox(s, 0, 0, yname, fontsize);
    ybox = ybox.moved(std::max(labelsleft, left - (ybox.right - ybox.left)),
                      top - kAxisTick - kLabelGap - lineheight);
    const LabelBox xoffers[1] = {xbox};
    const LabelBox yoffers[2] = {ybox, ybox.moved(0, -lineheight / 2)};
    for (const auto& [offers, text] : {std::pair{std::span<const LabelBox>(xoffers), &xname},
                                       std::pair{std::span<const LabelBox>(yoffers), &yname}}) {
        const int k = placer.place(offers, anywhere);
        if (k < 0) continue;
        s.CurrentX = offers[static_cast<std::size_t>(k)].left;
        s.CurrentY = offers[static_cast<std::size_t>(k)].top;
        s.Print(*text);
    }
    return labelled;
}

}  // namespace crustex

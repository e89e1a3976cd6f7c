#include "compose/receiverpicture.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/grid2d.h"
#include "model/numtext.h"
#include "plot/contourlevels.h"
#include "plot/plotframe.h"
#include "plot/textplace.h"
#include "stress/stressunits.h"

namespace crustex {

namespace {

constexpr int16_t kVerticalPen = 3;  // pixels: a vertical patch's line

std::array<FramePoint, 4> corners(const ReceiverPatch& p, const PlotFrame& f) {
    std::array<FramePoint, 4> c;
    for (std::size_t k = 0; k < 4; ++k) c[k] = {toframex(f, p.cx[k]), toframey(f, p.cy[k])};
    return c;
}

// Twice the signed area of the corners (frame units squared).
float twicearea(const std::array<FramePoint, 4>& c) {
    float a = 0;
    for (std::size_t k = 0; k < 4; ++k) {
        const FramePoint& p = c[k];
        const FramePoint& q = c[(k + 1) % 4];
        a += p.x * q.y - q.x * p.y;
    }
    return a;
}

// Seen from above a patch of less than a tenth of a frame unit across is a
// line: its upper edge.
bool flat(const std::array<FramePoint, 4>& c) {
    const float len = std::hypot(c[1].x - c[0].x, c[1].y - c[0].y);
    return !(std::fabs(twicearea(c)) > 0.2f * std::max(len, 1e-6f));
}

bool inside(const std::array<FramePoint, 4>& c, float x, float y) {
    bool in = false;
    for (std::size_t k = 0, j = 3; k < 4; j = k++) {
        const FramePoint& a = c[k];
        const FramePoint& b = c[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
}

float segmentdistance(const FramePoint& a, const FramePoint& b, float x, float y) {
    const float dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? ((x - a.x) * dx + (y - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0f, 1.0f);
    return std::hypot(a.x + t * dx - x, a.y + t * dy - y);
}

}  // namespace

float receiverlimit(const ReceiverResults& r) {
    float largest = 0;
    for (const ReceiverValue& v : r.values)
        if (v.cff != kNoValue && std::isfinite(v.cff))
            largest = std::max(largest, std::fabs(v.cff));
    return diverginglimit(largest);
}

void drawreceiverpatches(PlotContext& pc, const ReceiverResults& r, Rgb outline) {
    Surface& s = pc.surface();
    const float limit = receiverlimit(r);
    const int16_t pen = s.DrawWidth;
    for (std::size_t k = 0; k < r.patches.size() && k < r.values.size(); ++k) {
        const std::array<FramePoint, 4> c = corners(r.patches[k], pc.frame);
        const float cff = r.values[k].cff;
        const bool value = cff != kNoValue;
        const Rgb color = value ? divergingvaluecolor(cff, limit) : kWhite;
        if (flat(c)) {
            s.DrawWidth = kVerticalPen;
            s.Line(c[0].x, c[0].y, c[1].x, c[1].y, value ? color : outline);
            s.DrawWidth = pen;
            continue;
        }
        if (value) s.FillPolygon(c, color);
        s.Line(c[0].x, c[0].y, c[1].x, c[1].y, outline);
        for (std::size_t j = 2; j <= 4; ++j) s.LineTo(c[j % 4].x, c[j % 4].y, outline);
    }
}

std::array<std::string, 2> receiverbarcaption(const ReceiverResults& r) {
    return {"Receivers", "dCFF " + stressunitlegend(r.options.unit)};
}

void drawreceiverbar(PlotContext& pc, const ReceiverResults& r) {
    pc.surface().ForeColor = kBlack;
    const std::array<std::string, 2> caption = receiverbarcaption(r);
    printtextright(pc, 635, 104, caption[0], 8);
    printtextright(pc, 635, 114, caption[1], 8);
    drawdivergingbar(pc.surface(), receiverlimit(r), {575, 138, 8, 86, 8});
}

std::string receiverreadout(const ReceiverResults& r, std::size_t k,
                            std::span<const ReceiverFault> receivers) {
    if (k >= r.patches.size() || k >= r.values.size()) return "";
    const ReceiverPatch& p = r.patches[k];
    std::string text = " Receiver " + std::to_string(p.receiver + 1);
    if (p.receiver < receivers.size() && !receivers[p.receiver].name.empty())
        text += " (" + receivers[p.receiver].name + ")";
    std::size_t count = 0;
    for (const ReceiverPatch& q : r.patches) count += q.receiver == p.receiver ? 1 : 0;
    text += ", patch " + std::to_string(p.patch + 1) + " of " + std::to_string(count) + ": ";
    const ReceiverValue& v = r.values[k];
    if (v.cff == kNoValue) return text + "no value";
    return text + "dCFF=" + valuetext(v.cff) + " shear=" + valuetext(v.shear) +
           " normal=" + valuetext(v.normal) + " " + stressunitlegend(r.options.unit);
}

int receiverpatchat(const ReceiverResults& r, const PlotFrame& f, float x, float y,
                    float tolerance) {
    for (std::size_t k = r.patches.size(); k-- > 0;) {
        const std::array<FramePoint, 4> c = corners(r.patches[k], f);
        const bool hit = flat(c) ? segmentdistance(c[0], c[1], x, y) <= tolerance : inside(c, x, y);
        if (hit) return static_cast<int>(k);
    }
    return -1;
}

}  // namespace crustex

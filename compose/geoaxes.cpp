#include "compose/geoaxes.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "model/numtext.h"
#include "plot/kmaxes.h"
#include "plot/pubstyle.h"

namespace crustex {

namespace {

constexpr const char* kDegree = "\xC2\xB0";
constexpr float kLabelGap = 3;
constexpr int kMaxLabels = 8;
constexpr int kMaxLines = 200;

bool onmap(FramePoint p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::fabs(p.x) < kOffMap / 2 &&
           std::fabs(p.y) < kOffMap / 2;
}

FramePoint project(const Projection& proj, float lat, float lon) {
    FramePoint p;
    projectgeo(proj, proj.kind, lat, lon, p.x, p.y);
    return p;
}

// The unit direction from `from` to `to` in frame units; (0, 0) when they
// coincide or either is off the map.
FramePoint direction(FramePoint from, FramePoint to) {
    if (!onmap(from) || !onmap(to)) return {0, 0};
    const float dx = to.x - from.x, dy = to.y - from.y;
    const float d = std::sqrt(dx * dx + dy * dy);
    if (!(d > 0)) return {0, 0};
    return {dx / d, dy / d};
}

std::string degrees(float value, const char* positive, const char* negative) {
    const float m = std::fabs(value);
    std::string text = generalform(std::round(m * 1e4f) / 1e4f) + kDegree;
    if (value > 0) text += positive;
    if (value < 0) text += negative;
    return text;
}

float interval(const GeoAxesRange& r) {
    const float span = std::max(r.lat2 - r.lat1, r.lon2 - r.lon1);
    float d = r.interval;
    if (!(d > 0) || !std::isfinite(d) || span / d > kMaxLabels) d = roundstep(span, 5);
    return d;
}

// Every multiple of d strictly inside lo..hi.
template <typename Each>
void eachline(float lo, float hi, float d, Each each) {
    if (!(d > 0)) return;
    double v = std::floor(static_cast<double>(lo) / d) * d;
    for (int n = 0; n < kMaxLines && v < hi; ++n, v += d)
        if (v > lo + 1e-6 * d && v < hi - 1e-6 * d) each(static_cast<float>(v));
}

}  // namespace

std::string latitudetext(float lat) { return degrees(lat, "N", "S"); }

std::string longitudetext(float lon) {
    if (lon > 180) lon -= 360;
    if (lon <= -180) lon += 360;
    return degrees(lon, "E", "W");
}

int drawgeoaxes(PlotContext& pc, const Projection& proj, const GeoAxesRange& r, LabelPlacer& placer,
                float fontsize) {
    Surface& s = pc.surface();
    const float d = interval(r);
    if (!(d > 0) || !(r.lat2 > r.lat1) || !(r.lon2 > r.lon1)) return 0;
    const float nudge = d / 100;  // a step along the map to find the outward side
    s.ForeColor = kBlack;
    int labelled = 0;

    // Tick at p pointing along `out`, labelled with `text` when it is given:
    // under the tick (vertical) or left of it; a label that would leave the
    // picture goes just inside the edge instead, on a white ground.
    const LabelBox picture{kFrameLeft, kFrameTop, kFrameRight, kFrameBottom};
    auto tick = [&](FramePoint p, FramePoint out, const std::string& text, bool vertical) {
        if (!onmap(p) || (out.x == 0 && out.y == 0)) return;
        const FramePoint end{p.x + kAxisTick * out.x, p.y + kAxisTick * out.y};
        s.Line(p.x, p.y, end.x, end.y, kBlack);
        if (text.empty()) return;
        const LabelBox size = textbox(s, 0, 0, text, fontsize);
        const float w = size.right - size.left, h = size.bottom - size.top;
        const LabelBox offers[2] = {vertical ? size.moved(end.x - w / 2, end.y + kLabelGap)
                                             : size.moved(end.x - kLabelGap - w, end.y - h / 2),
                                    vertical
                                        ? size.moved(p.x - w / 2, p.y - kAxisTick - kLabelGap - h)
                                        : size.moved(p.x + kAxisTick + kLabelGap, p.y - h / 2)};
        const int k = placer.place(offers, picture);
        if (k < 0) return;
        const LabelBox& box = offers[k];
        if (k == 1) s.FillBox(box.left, box.top, box.right, box.bottom, kPubLabelGround);
        s.ForeColor = kBlack;
        s.CurrentX = box.left;
        s.CurrentY = box.top;
        s.Print(text);
        ++labelled;
    };

    eachline(r.lon1, r.lon2, d, [&](float lon) {
        const FramePoint south = project(proj, r.lat1, lon);
        const FramePoint north = project(proj, r.lat2, lon);
        tick(south, direction(project(proj, r.lat1 + nudge, lon), south), longitudetext(lon), true);
        tick(north, direction(project(proj, r.lat2 - nudge, lon), north), "", true);
    });
    eachline(r.lat1, r.lat2, d, [&](float lat) {
        const FramePoint west = project(proj, lat, r.lon1);
        const FramePoint east = project(proj, lat, r.lon2);
        tick(west, direction(project(proj, lat, r.lon1 + nudge), west), latitudetext(lat), false);
        tick(east, direction(project(proj, lat, r.lon2 - nudge), east), "", false);
    });
    return labelled;
}

}  // namespace crustex

#include "compose/geoaxes.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "plot/kmaxes.h"
#include "plot/pubstyle.h"

namespace crustex {

namespace {

constexpr const char* kDegree = "\xC2\xB0";
constexpr const char* kMinute = "\xE2\x80\xB2";
constexpr float kLabelGap = 3;
// Points sampled along a side to find where the graticule lines cross it.
constexpr int kSamples = 400;
// A line that crosses the prolonged side this close (frame units) beyond
// its end is taken to cross at the corner.
constexpr float kCornerReach = 1;
constexpr double kSteps[] = {
    30, 20, 10, 5, 2, 1, 30 / 60.0, 20 / 60.0, 15 / 60.0, 10 / 60.0, 5 / 60.0, 2 / 60.0, 1 / 60.0};
constexpr int kMaxLabels = 200;

long roundedminutes(double degrees) { return std::lround(std::fabs(degrees) * 60); }

// "34°30′N"; with minutesonly and a value off the whole degree, "30′".
std::string degreetext(double value, const char* positive, const char* negative,
                       bool minutesonly = false) {
    const long minutes = roundedminutes(value);
    if (minutesonly && minutes % 60 != 0) return std::to_string(minutes % 60) + kMinute;
    std::string text = std::to_string(minutes / 60) + kDegree;
    if (minutes % 60 != 0) text += std::to_string(minutes % 60) + kMinute;
    if (minutes != 0) text += value > 0 ? positive : negative;
    return text;
}

double eastof(double lon, double centre) { return centre + std::remainder(lon - centre, 360.0); }

// A side of the data area with the latitude or longitude sampled along it
// (NaN where the projection has no point).
struct Side {
    FramePoint a, b;
    std::vector<double> values;

    FramePoint at(double t) const {
        return {static_cast<float>(a.x + t * (b.x - a.x)),
                static_cast<float>(a.y + t * (b.y - a.y))};
    }
};

Side sampleside(const Projection& proj, FramePoint a, FramePoint b, bool latitude) {
    Side side{a, b, {}};
    const float length = std::hypot(b.x - a.x, b.y - a.y);
    const double reach = length > 0 ? kCornerReach / length : 0;
    for (int n = 0; n <= kSamples; ++n) {
        const double t = -reach + (1 + 2 * reach) * n / kSamples;
        const FramePoint p = side.at(t);
        float lat = 0, lon = 0;
        unprojectxy(proj, p.x, p.y, lat, lon);
        double v = latitude ? lat : eastof(lon, proj.lam0);
        if (!std::isfinite(lat) || !std::isfinite(lon)) v = std::nan("");
        side.values.push_back(v);
    }
    return side;
}

// Where the coordinate equals v along the side (one place per crossing),
// as a fraction of the side clamped to 0..1.
std::vector<double> crossings(const Side& s, double v) {
    std::vector<double> out;
    const float length = std::hypot(s.b.x - s.a.x, s.b.y - s.a.y);
    const double reach = length > 0 ? kCornerReach / length : 0;
    for (int n = 0; n < kSamples; ++n) {
        const double v0 = s.values[static_cast<std::size_t>(n)];
        const double v1 = s.values[static_cast<std::size_t>(n) + 1];
        if (!std::isfinite(v0) || !std::isfinite(v1)) continue;
        const bool last = n == kSamples - 1;
        if (!((v0 <= v && v < v1) || (v1 <= v && v < v0) || (last && v == v1))) continue;
        const double f = v1 == v0 ? 0 : (v - v0) / (v1 - v0);
        const double t = -reach + (1 + 2 * reach) * (n + f) / kSamples;
        out.push_back(std::clamp(t, 0.0, 1.0));
    }
    return out;
}

// The range of the coordinate along the side.
bool valuerange(const Side& s, double& lo, double& hi) {
    lo = INFINITY;
    hi = -INFINITY;
    for (const double v : s.values) {
        if (!std::isfinite(v)) continue;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    return lo <= hi;
}

struct AxisLabel {
    double value = 0;
    FramePoint at;
    LabelBox box;
    std::string text;
};

// One labelled axis: the west side (latitudes, labels left of it) or the
// south side (longitudes, labels under it).
struct Axis {
    Side side;
    bool latitude = true;
};

std::vector<AxisLabel> labelsat(Surface& s, const Axis& axis, double step, float fontsize) {
    std::vector<AxisLabel> out;
    double lo = 0, hi = 0;
    if (!valuerange(axis.side, lo, hi) || !(step > 0)) return out;
    const long first = static_cast<long>(std::ceil(lo / step - 1e-9));
    const long last = static_cast<long>(std::floor(hi / step + 1e-9));
    if (last - first > kMaxLabels) return out;
    bool whole = false;
    for (long n = first; n <= last; ++n) whole = whole || roundedminutes(n * step) % 60 == 0;
    for (long n = first; n <= last; ++n) {
        const double v = n * step;
        for (const double t : crossings(axis.side, v)) {
            AxisLabel l;
            l.value = v;
            l.at = axis.side.at(t);
            l.text = axis.latitude ? degreetext(v, "N", "S", whole)
                                   : degreetext(v > 180 ? v - 360 : (v <= -180 ? v + 360 : v), "E",
                                                "W", whole);
            const LabelBox size = textbox(s, 0, 0, l.text, fontsize);
            const float w = size.right - size.left, h = size.bottom - size.top;
            l.box = axis.latitude ? size.moved(l.at.x - kAxisTick - kLabelGap - w, l.at.y - h / 2)
                                  : size.moved(l.at.x - w / 2, l.at.y + kAxisTick + kLabelGap);
            out.push_back(l);
        }
    }
    return out;
}

// True when every label lies inside `within` and none touches the next.
bool haveroom(const std::vector<AxisLabel>& labels, const LabelBox& within, float gap) {
    for (std::size_t n = 0; n < labels.size(); ++n) {
        if (!labels[n].box.inside(within)) return false;
        for (std::size_t m = n + 1; m < labels.size(); ++m)
            if (labels[n].box.grown(gap / 2).overlaps(labels[m].box.grown(gap / 2))) return false;
    }
    return true;
}

std::vector<AxisLabel> chooselabels(Surface& s, const Axis& axis, const GeoAxesPlace& at) {
    const float gap = at.fontsize / 2;
    auto fits = [&](const std::vector<AxisLabel>& l) { return haveroom(l, at.within, gap); };
    if (at.interval > 0 && std::isfinite(at.interval)) {
        std::vector<AxisLabel> l = labelsat(s, axis, at.interval, at.fontsize);
        if (l.size() >= 3 && fits(l)) return l;
    }
    std::vector<AxisLabel> most;
    for (const double step : kSteps) {
        std::vector<AxisLabel> l = labelsat(s, axis, step, at.fontsize);
        if (!fits(l)) continue;
        if (l.size() >= 3) return l;
        if (l.size() > most.size()) most = std::move(l);
    }
    return most;
}

// The places a label may take: where it belongs, then nudged along its
// side by half its size either way (at a corner the other axis's label may
// sit there).
std::vector<LabelBox> offers(const AxisLabel& l, bool latitude) {
    const LabelBox& b = l.box;
    const float w = b.right - b.left, h = b.bottom - b.top;
    if (latitude) return {b, b.moved(0, -h / 2), b.moved(0, h / 2)};
    return {b, b.moved(w / 2, 0), b.moved(-w / 2, 0)};
}

// The outward tick at a place on a side; `out` is the outward direction.
void tick(Surface& s, FramePoint p, FramePoint out) {
    s.Line(p.x, p.y, p.x + kAxisTick * out.x, p.y + kAxisTick * out.y, kBlack);
}

}  // namespace

std::string latitudetext(float lat) { return degreetext(lat, "N", "S"); }

std::string longitudetext(float lon) {
    double v = lon;
    if (v > 180) v -= 360;
    if (v <= -180) v += 360;
    return degreetext(v, "E", "W");
}

GeoAxesLabels drawgeoaxes(PlotContext& pc, const Projection& proj, const GeoAxesPlace& at,
                          LabelPlacer& placer) {
    Surface& s = pc.surface();
    const LabelBox& a = at.area;
    GeoAxesLabels count;
    if (!(a.right > a.left) || !(a.bottom > a.top)) return count;
    s.ForeColor = kBlack;
    s.Box(a.left, a.top, a.right, a.bottom, kBlack);
    const Axis west{sampleside(proj, {a.left, a.bottom}, {a.left, a.top}, true), true};
    const Axis south{sampleside(proj, {a.left, a.bottom}, {a.right, a.bottom}, false), false};
    const Axis east{sampleside(proj, {a.right, a.bottom}, {a.right, a.top}, true), true};
    const Axis north{sampleside(proj, {a.left, a.top}, {a.right, a.top}, false), false};

    for (const bool latitude : {true, false}) {
        const Axis& labelled = latitude ? west : south;
        const Axis& opposite = latitude ? east : north;
        const std::vector<AxisLabel> labels = chooselabels(s, labelled, at);
        const FramePoint out = latitude ? FramePoint{-1, 0} : FramePoint{0, 1};
        for (const AxisLabel& l : labels) {
            tick(s, l.at, out);
            for (const double t : crossings(opposite.side, l.value))
                tick(s, opposite.side.at(t), {-out.x, -out.y});
            const std::vector<LabelBox> places = offers(l, latitude);
            const int k = placer.place(places, at.within);
            if (k < 0) continue;
            const LabelBox& box = places[static_cast<std::size_t>(k)];
            s.ForeColor = kBlack;
            s.setFontSize(at.fontsize);
            s.CurrentX = box.left;
            s.CurrentY = box.top;
            s.Print(l.text);
            ++(latitude ? count.latitudes : count.longitudes);
        }
    }
    return count;
}

}  // namespace crustex

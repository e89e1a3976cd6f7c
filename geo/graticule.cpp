// Graticule lines, their labels and the labelled frame of the map range.
#include "geo/graticule.h"

#include <cmath>
#include <limits>

#include "geo/mapmath.h"
#include "model/numtext.h"
#include "plot/textplace.h"

namespace crustex {

namespace {

// Most lines drawn each way, and most steps along one line: a tiny interval
// or step must not stall the picture.
constexpr int kMaxLines = 1000;
constexpr int kMaxSteps = 1000;
// Meridian labels below this y would run off the bottom of the map layout.
constexpr float kLowestMeridianLabel = 472;
constexpr std::size_t kNoRounding = std::numeric_limits<std::size_t>::max();

FramePoint project(const MapView& v, float lat, float lon) {
    FramePoint p;
    projectgeo(v.proj, v.proj.kind, lat, lon, p.x, p.y);
    return p;
}

// The polyline from `start` towards `end` in steps of `step` (a step that is
// not a positive number goes there at once), ending exactly at `end`;
// returns the frame position of that end. point(value) projects one point.
template <typename Point>
FramePoint drawsteps(const MapView& v, float start, float end, float step, Rgb color, Point point) {
    FramePoint from = point(start);
    const bool stepping = step > 0 && std::isfinite(step);
    for (int k = 1;; ++k) {
        float value = stepping ? start - static_cast<float>(k) * step : end;
        const bool last = !(value > end) || k >= kMaxSteps;
        if (last) value = end;
        const FramePoint to = point(value);
        v.surface.Line(from.x, from.y, to.x, to.y, color);
        from = to;
        if (last) return from;
    }
}

void labelparallel(const MapView& v, FramePoint west, const std::string& text, const char* probe) {
    if (!v.labels) return;
    Surface& s = v.surface;
    printtextright(s, west.x - 2, west.y - 0.5f * s.TextHeight(probe), text, s.FontSize());
}

void labelmeridian(const MapView& v, FramePoint south, const std::string& text) {
    if (!v.labels) return;
    Surface& s = v.surface;
    printtextcenter(s, south.x, south.y + 3, text, s.FontSize());
}

float eastwest(float lon) { return lon > 180 ? lon - 360 : lon; }

bool onmultiple(float value, float interval) {
    return interval * std::trunc(value / interval) == value;
}

// The first multiple of the interval above `low` as the lines are counted:
// interval * trunc(low / interval), one interval on when that is `low`.
float firstline(float low, float interval) {
    const float first = interval * std::trunc(low / interval);
    return first == low ? first + interval : first;
}

// The next line: one interval on, re-rounded as interval * (value / interval).
float nextline(float value, float interval) {
    const float next = value + interval;
    return interval * (next / interval);
}

}  // namespace

FramePoint drawparallel(const MapView& v, float lat, float lonstep, Rgb color) {
    return drawsteps(v, v.lon2, v.lon1, lonstep, color,
                     [&](float lon) { return project(v, lat, lon); });
}

FramePoint drawmeridian(const MapView& v, float lon, float latstep, Rgb color) {
    return drawsteps(v, v.lat2, v.lat1, latstep, color,
                     [&](float lat) { return project(v, lat, lon); });
}

std::string graticulelabel(float value, std::size_t maxlength) {
    auto text = [](float x) {
        std::string t = x < 0 ? "" : " ";
        return t.append(generalform(x));
    };
    std::string t = text(value);
    if (t.size() > maxlength) t = text(static_cast<float>(roundhalfeven(100 * value) / 100));
    return t;
}

void drawgraticule(const MapView& v, float interval, float latstep, float lonstep) {
    const float d = interval;
    if (!(d > 0) || !std::isfinite(d)) return;
    const Rgb line = v.colors[kGraticuleColor];
    const Rgb frame = v.colors[kFrameColor];

    float lat = firstline(v.lat1, d);
    for (int n = 0; lat < v.lat2 && n < kMaxLines; ++n) {
        if (lat >= v.lat1)
            labelparallel(v, drawparallel(v, lat, lonstep, line), graticulelabel(lat, 4), "A");
        const float next = nextline(lat, d);
        if (!(next > lat)) break;
        lat = next;
    }
    float lon = firstline(v.lon1, d);
    for (int n = 0; lon < v.lon2 && n < kMaxLines; ++n) {
        if (lon >= v.lon1) {
            const FramePoint south = drawmeridian(v, lon, latstep, line);
            if (south.y + 3 <= kLowestMeridianLabel)
                labelmeridian(v, south, graticulelabel(eastwest(lon), 5));
        }
        const float next = nextline(lon, d);
        if (!(next > lon)) break;
        lon = next;
    }

    if (!v.frame) return;
    for (float edge : {v.lat1, v.lat2}) {
        const FramePoint west = drawparallel(v, edge, lonstep, frame);
        if (onmultiple(edge, d)) labelparallel(v, west, graticulelabel(edge, kNoRounding), "0");
    }
    for (float edge : {v.lon1, v.lon2}) {
        const FramePoint south = drawmeridian(v, edge, latstep, frame);
        if (onmultiple(edge, d))
            labelmeridian(v, south, graticulelabel(eastwest(edge), kNoRounding));
    }
}

}  // namespace crustex

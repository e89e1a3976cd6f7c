// Drawing a tiled line-map file: the tiles of the clamped range, the skip-data
// step and the clipping of each polyline at the range edges.
#include "geo/mapdraw.h"

#include <algorithm>
#include <cmath>
#include <istream>

#include "geo/mapfile.h"
#include "geo/mapmath.h"
#include "model/fsutil.h"

namespace crustex {

MapColors initmapconst(const Palette& palette) {
    MapColors c{};
    c[0] = palette.coast;
    c[1] = palette.border;
    c[2] = palette.graticule;
    c[3] = kBlack;
    for (int i = 4; i <= 8; ++i) c[i] = Rgb{0, 128, 128};
    for (int i = 9; i <= 19; ++i) c[i] = Rgb{0, 0, 128};
    return c;
}

namespace {

// The local bounds of one file: the map range clamped to the file's cover.
struct Bounds {
    float lat1, lat2, lon1, lon2;
};

// First and last tile along one side: 1 + (trunc(low - origin) div size),
// the last one less when the high limit lies on a tile boundary. The result
// is kept within a span a loop can walk.
struct TileSpan {
    int first = 1, last = 0;
};

int tilenumber(double q) {
    if (!(q > -1000)) return -1000;
    if (!(q < 1000)) return 1000;
    return static_cast<int>(q);
}

TileSpan tilespan(float low, float high, float origin, float size) {
    const double q0 = integerdiv(std::trunc(low - origin), size);
    const double q1 = integerdiv(std::trunc(high - origin), size);
    TileSpan t{1 + tilenumber(q0), 1 + tilenumber(q1)};
    if (static_cast<float>(size * q1) == high - origin) --t.last;
    return t;
}

// Pen and clipping state along one polyline.
class Clipper {
public:
    Clipper(const MapView& v, const Bounds& b) : v_(v), b_(b) {}

    void start(Rgb color) {
        color_ = color;
        first_ = true;
        penin_ = false;
        pendown_ = false;
    }

    // One visited point: a crossing of the range edge when the point is on
    // the other side from the previous one, then the point itself when it is
    // inside (the edge itself counts as outside).
    void visit(float lat, float lon) {
        const bool in = lat > b_.lat1 && lat < b_.lat2 && lon > b_.lon1 && lon < b_.lon2;
        if (in != penin_ && !first_) {
            float clat = 0, clon = 0;
            if (crossing(lat, lon, clat, clon))
                to(clat, clon, penin_ && pendown_);
            else
                pendown_ = false;
            penin_ = in;
        }
        if (in) to(lat, lon, penin_ && pendown_);
        plat_ = lat;
        plon_ = lon;
        penin_ = in;
        first_ = false;
    }

private:
    // Where the step from the previous point to (lat, lon) crosses the range
    // edge; false when it cannot be computed (a point that is not a number).
    bool crossing(float lat, float lon, float& clat, float& clon) const {
        const double plat = plat_, plon = plon_;
        const bool lonsinside = lon > b_.lon1 && lon < b_.lon2 && plon > b_.lon1 && plon < b_.lon2;
        if (!lonsinside) {
            const double blon = (lon >= b_.lon2 || plon >= b_.lon2) ? b_.lon2 : b_.lon1;
            const double c = plat + (blon - plon) * (lat - plat) / (lon - plon);
            if (b_.lat1 <= c && c <= b_.lat2) {
                clat = static_cast<float>(c);
                clon = static_cast<float>(blon);
                return true;
            }
        }
        const double blat = (lat >= b_.lat2 || plat >= b_.lat2) ? b_.lat2 : b_.lat1;
        const double c = plon + (blat - plat) * (lon - plon) / (lat - plat);
        clat = static_cast<float>(blat);
        clon = static_cast<float>(c);
        return std::isfinite(clon);
    }

    // Draws from the current position to the projected point, or starts a
    // new line there.
    void to(float lat, float lon, bool draw) {
        float x = 0, y = 0;
        projectgeo(v_.proj, v_.proj.kind, lat, lon, x, y);
        if (!std::isfinite(x) || !std::isfinite(y)) {
            pendown_ = false;
            return;
        }
        if (draw) v_.surface.Line(x_, y_, x, y, color_);
        x_ = x;
        y_ = y;
        pendown_ = true;
    }

    const MapView& v_;
    const Bounds& b_;
    Rgb color_{};
    bool first_ = true;
    bool penin_ = false;    // the pen state: the last point was inside
    bool pendown_ = false;  // (x_, y_) is a drawn position of this polyline
    float plat_ = 0, plon_ = 0;
    float x_ = 0, y_ = 0;
};

// Visits points first, first + step, ... up to last, and last itself when
// the step did not land on it.
void drawsegment(Clipper& clip, const MapTile& tile, const MapSegment& seg, int step, float shift) {
    int visited = seg.first;
    for (int p = seg.first; p <= seg.last; p += step) {
        clip.visit(tile.lat[p - 1], tile.lon[p - 1] + shift);
        visited = p;
    }
    if (visited != seg.last) clip.visit(tile.lat[seg.last - 1], tile.lon[seg.last - 1] + shift);
}

void drawtile(Clipper& clip, const MapTile& tile, const MapView& v, int color, float shift) {
    const int n = static_cast<int>(tile.segments.size());
    int from = 0, to = n;  // line type 1 (and any unknown one): every segment
    if (v.linetype == 2) to = tile.coastsegments;
    if (v.linetype == 3) from = tile.coastsegments;
    const int step = std::max<int>(v.nstep, 1);
    for (int s = from; s < to; ++s) {
        const MapSegment& seg = tile.segments[static_cast<std::size_t>(s)];
        if (!seg.usable()) continue;
        const int index =
            std::clamp(s < tile.coastsegments ? color : color + 1, 0, kMapColorCount - 1);
        clip.start(v.colors[static_cast<std::size_t>(index)]);
        drawsegment(clip, tile, seg, step, shift);
    }
}

}  // namespace

MapFileOutcome drawmapfile(std::istream& in, const MapView& v, int color) {
    MapFileOutcome out;
    MapFile file;
    if (!file.open(in)) {
        out.kind = MapFileOutcome::Kind::Refused;
        out.reason = file.error();
        return out;
    }
    const MapHeader& h = file.header();
    Bounds b{std::max(v.lat1, h.south), std::min(v.lat2, h.north), v.lon1, v.lon2};
    if (!(h.west == -180 && h.east == 180)) {
        b.lon1 = std::max(b.lon1, h.west);
        b.lon2 = std::min(b.lon2, h.east);
    }
    if (!std::isfinite(b.lat1) || !std::isfinite(b.lat2) || !std::isfinite(b.lon1) ||
        !std::isfinite(b.lon2))
        return out;

    const TileSpan rows = tilespan(b.lat1, b.lat2, h.south, h.tileheight);
    const TileSpan cols = tilespan(b.lon1, b.lon2, h.west, h.tilewidth);
    // One turn and a column more is all a range can show.
    const int lastcol = std::min(cols.last, cols.first + kMapMaxColumns);
    Clipper clip(v, b);
    MapTile tile;
    for (int i = cols.first; i <= lastcol; ++i) {
        int c = (i - 1) % kMapMaxColumns + 1;
        if (c < 1) c += kMapMaxColumns;
        if (c > h.columns) continue;
        const float shift = i > kMapMaxColumns ? 360.0f : 0.0f;
        for (int j = std::max(rows.first, 1); j <= std::min(rows.last, h.rows); ++j) {
            const MapFile::TileRead r = file.readtile((c - 1) * h.rows + j, tile);
            if (r == MapFile::TileRead::Damaged) ++out.damagedtiles;
            if (r == MapFile::TileRead::Read) drawtile(clip, tile, v, color, shift);
        }
    }
    out.skippedsegments = file.skippedsegments();
    return out;
}

MapFileOutcome drawmapfile(const std::string& path, const MapView& v, int color) {
    const InputFile file(path);
    if (!file.isopen()) {
        MapFileOutcome out;
        out.kind = file.missing() ? MapFileOutcome::Kind::Missing : MapFileOutcome::Kind::Refused;
        out.reason = file.error();
        return out;
    }
    InputFileBuf buf(file);
    std::istream in(&buf);
    return drawmapfile(in, v, color);
}

}  // namespace crustex

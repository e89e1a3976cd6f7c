// Building a tiled line-map file from GMT multi-segment text.
#include "tools/mapconvert.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <memory>

#include "files/atomicfile.h"
#include "geo/littleendian.h"
#include "geo/mapfile.h"
#include "model/fsutil.h"
#include "tools/linereader.h"

namespace crustex::tools {

namespace {

// ---- Reading GMT text ----

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool isseparator(char c) { return c == ' ' || c == '\t' || c == ','; }

// The next number of a data line; false when there is none.
bool nextnumber(std::string_view& s, double& v) {
    while (!s.empty() && isseparator(s.front())) s.remove_prefix(1);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || (r.ptr != s.data() + s.size() && !isseparator(*r.ptr))) return false;
    s.remove_prefix(static_cast<std::size_t>(r.ptr - s.data()));
    return true;
}

// Data lines hold a few numbers; a longer line is read only this far.
constexpr std::size_t kLongestLine = 4096;

bool borderheader(std::string_view header) {
    header = trim(header);
    const std::size_t end = header.find_first_of(" \t,");
    return asciilower(std::string(header.substr(0, end))) == "border";
}

// ---- Cutting into tiles ----

struct FloatPoint {
    float lat = 0, lon = 0;
    bool operator==(const FloatPoint&) const = default;
};
using Polyline = std::vector<FloatPoint>;

struct TileContent {
    std::vector<Polyline> coast, border;
};

}  // namespace

// Tiles of a layout, numbered as the file numbers them less one: column by
// column from the south-west.
class Tiling {
public:
    Tiling(const MapLayout& l, int rows, int columns)
        : l_(l),
          rows_(rows),
          columns_(columns),
          tiles_(static_cast<std::size_t>(rows * columns)),
          points_(tiles_.size(), 0) {}

    // Adds one polyline, cut at the tile edges.
    void add(const MapPiece& piece) {
        current_ = -1;
        for (std::size_t i = 1; i < piece.points.size(); ++i)
            step(piece.points[i - 1], piece.points[i], piece.border);
    }

    std::vector<TileContent>& tiles() { return tiles_; }
    // Points put into each tile so far (lines of one point, dropped at the
    // end, included).
    const std::vector<long>& points() const { return points_; }

private:
    // The tile that holds the point; -1 outside the region.
    int tileof(double lat, double lon) const {
        const double r = std::floor((lat - l_.south) / l_.tileheight);
        const double c = std::floor((lon - l_.west) / l_.tilewidth);
        if (!(r >= 0 && r < rows_ && c >= 0 && c < columns_)) return -1;
        return static_cast<int>(c) * rows_ + static_cast<int>(r);
    }

    // Where a -> b crosses the grid lines origin + m * size of one
    // coordinate: t along the step, and the point with that coordinate set
    // exactly on the line.
    struct Cut {
        double t;
        GeoPoint p;
        bool onlat, onlon;
    };
    void cuts(const GeoPoint& a, const GeoPoint& b, bool latitude, std::vector<Cut>& out) const {
        const double va = latitude ? a.lat : a.lon, vb = latitude ? b.lat : b.lon;
        if (va == vb) return;
        const double origin = latitude ? l_.south : l_.west;
        const double size = latitude ? l_.tileheight : l_.tilewidth;
        const int limit = latitude ? rows_ : columns_;
        const double m0 = std::max(std::ceil((std::min(va, vb) - origin) / size), 0.0);
        const double m1 = std::min(std::floor((std::max(va, vb) - origin) / size), double(limit));
        for (double m = m0; m <= m1; ++m) {
            const double g = origin + m * size;
            const double t = (g - va) / (vb - va);
            if (!(t > 0 && t < 1)) continue;
            Cut c{t, {}, latitude, !latitude};
            c.p.lat = latitude ? g : a.lat + t * (b.lat - a.lat);
            c.p.lon = latitude ? a.lon + t * (b.lon - a.lon) : g;
            out.push_back(c);
        }
    }

    void step(const GeoPoint& a, const GeoPoint& b, bool border) {
        if (!std::isfinite(a.lat) || !std::isfinite(a.lon) || !std::isfinite(b.lat) ||
            !std::isfinite(b.lon) || std::fabs(b.lon - a.lon) > 180) {
            current_ = -1;
            return;
        }
        std::vector<Cut>& c = cutbuffer_;
        c.clear();
        c.push_back({0, a, false, false});
        cuts(a, b, true, c);
        cuts(a, b, false, c);
        c.push_back({1, b, false, false});
        std::sort(c.begin() + 1, c.end() - 1, [](const Cut& x, const Cut& y) { return x.t < y.t; });
        // A step through a tile corner crosses both lines at one t: the cut
        // is the corner itself.
        std::size_t n = 1;
        for (std::size_t i = 1; i < c.size(); ++i) {
            if (c[i].t == c[n - 1].t) {
                if (c[i].onlat) c[n - 1].p.lat = c[i].p.lat;
                if (c[i].onlon) c[n - 1].p.lon = c[i].p.lon;
                continue;
            }
            c[n++] = c[i];
        }
        c.resize(n);
        for (std::size_t i = 1; i < c.size(); ++i) {
            const GeoPoint& p0 = c[i - 1].p;
            const GeoPoint& p1 = c[i].p;
            const int tile = tileof((p0.lat + p1.lat) / 2, (p0.lon + p1.lon) / 2);
            if (tile < 0) {
                current_ = -1;
                continue;
            }
            TileContent& t = tiles_[static_cast<std::size_t>(tile)];
            std::vector<Polyline>& list = border ? t.border : t.coast;
            long& points = points_[static_cast<std::size_t>(tile)];
            if (tile != current_) {
                list.emplace_back().push_back(asfloat(p0));
                ++points;
                current_ = tile;
            }
            const FloatPoint f = asfloat(p1);
            if (!(f == list.back().back())) {
                list.back().push_back(f);
                ++points;
            }
        }
    }

    static FloatPoint asfloat(const GeoPoint& p) {
        return {static_cast<float>(p.lat), static_cast<float>(p.lon)};
    }

    const MapLayout& l_;
    int rows_, columns_;
    std::vector<TileContent> tiles_;
    std::vector<long> points_;
    int current_ = -1;
    std::vector<Cut> cutbuffer_;
};

namespace {

// ---- Writing records ----

void putint16(std::string& out, std::size_t at, int v) {
    putleint16(reinterpret_cast<unsigned char*>(out.data() + at), static_cast<int16_t>(v));
}

void putfloat(std::string& out, std::size_t at, float v) {
    putlefloat(reinterpret_cast<unsigned char*>(out.data() + at), v);
}

std::size_t recordstart(int record) {
    return static_cast<std::size_t>(record - 1) * kMapRecordBytes;
}

int recordsfor(int count, int perrecord) { return (count + perrecord - 1) / perrecord; }

std::string describe(const MapLayout& l, int tile, int rows) {
    const int r = tile % rows, c = tile / rows;
    const double s = l.south + r * l.tileheight, w = l.west + c * l.tilewidth;
    return "tile " + std::to_string(s) + ".." + std::to_string(s + l.tileheight) + " N, " +
           std::to_string(w) + ".." + std::to_string(w + l.tilewidth) + " E";
}

bool checklayout(const MapLayout& l, int& rows, int& columns, std::string& error) {
    if (!(l.tileheight >= 1 && l.tilewidth >= 1)) {
        error = "tile sizes must be whole degrees, at least 1";
        return false;
    }
    if (!(std::isfinite(l.south) && std::isfinite(l.north) && std::isfinite(l.west) &&
          std::isfinite(l.east) && l.south < l.north && l.west < l.east && l.south >= -90 &&
          l.north <= 90 && l.west >= -360 && l.east <= 360)) {
        error = "the region must run from south to north and west to east in degrees";
        return false;
    }
    const double nr = (l.north - l.south) / l.tileheight, nc = (l.east - l.west) / l.tilewidth;
    if (nr != std::floor(nr) || nc != std::floor(nc)) {
        error = "the region must be whole tiles wide and high";
        return false;
    }
    if (nr > kMapMaxRows || nc > kMapMaxColumns) {
        error = "the region holds more than 18 x 36 tiles: choose larger tiles";
        return false;
    }
    rows = static_cast<int>(nr);
    columns = static_cast<int>(nc);
    return true;
}

// The region as the file stores it (single precision), so that the cuts lie
// on the tile edges the reader computes.
MapLayout stored(const MapLayout& l) {
    MapLayout s = l;
    s.south = static_cast<float>(l.south);
    s.north = static_cast<float>(l.north);
    s.west = static_cast<float>(l.west);
    s.east = static_cast<float>(l.east);
    return s;
}

}  // namespace

bool readgmtpieces(std::istream& in, bool border, const PieceSink& take, std::string& error) {
    MapPiece piece{border, {}};
    bool open = false;  // a piece is being filled
    const auto close = [&] {
        if (open && !take(piece)) return false;
        open = false;
        piece.points.clear();
        return true;
    };
    LineReader lines(in, kLongestLine);
    std::string_view text;
    while (lines.next(text)) {
        std::string_view line = trim(text);
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '>') {
            if (!close()) return false;
            piece.border = border || borderheader(line.substr(1));
            continue;
        }
        double lon = 0, lat = 0;
        if (!nextnumber(line, lon) || !nextnumber(line, lat)) {
            error = "line " + std::to_string(lines.number()) + ": expected \"lon lat\"";
            return false;
        }
        if (!std::isfinite(lon) || !std::isfinite(lat)) {
            if (!close()) return false;
            continue;
        }
        open = true;
        piece.points.push_back({lat, lon});
    }
    return close();
}

bool readgmtpieces(std::istream& in, bool border, std::vector<MapPiece>& pieces,
                   std::string& error) {
    return readgmtpieces(
        in, border,
        [&pieces](const MapPiece& p) {
            pieces.push_back(p);
            return true;
        },
        error);
}

MapBuilder::MapBuilder() = default;
MapBuilder::~MapBuilder() = default;

bool MapBuilder::start(const MapLayout& layout, std::string& error) {
    if (!checklayout(layout, rows_, columns_, error)) return false;
    layout_ = stored(layout);
    tiling_ = std::make_unique<Tiling>(layout_, rows_, columns_);
    return true;
}

bool MapBuilder::add(const MapPiece& piece, std::string& error) {
    tiling_->add(piece);
    // Lines of one point are dropped only at the end: a tile is given up on
    // once it holds twice what it may.
    const std::vector<long>& points = tiling_->points();
    for (std::size_t k = 0; k < points.size(); ++k) {
        if (points[k] > 2 * kMapTileMaxPoints) {
            error = describe(layout_, static_cast<int>(k), rows_) + " holds more than " +
                    std::to_string(2 * kMapTileMaxPoints) +
                    " points (at most 12000): choose smaller tiles or thin the lines";
            return false;
        }
    }
    return true;
}

bool buildmapfile(const MapLayout& layout, std::span<const MapPiece> pieces, std::string& bytes,
                  std::string& error, MapFileSummary* summary) {
    MapBuilder b;
    if (!b.start(layout, error)) return false;
    for (const MapPiece& p : pieces)
        if (!b.add(p, error)) return false;
    return b.finish(bytes, error, summary);
}

bool MapBuilder::finish(std::string& bytes, std::string& error, MapFileSummary* summary) {
    const MapLayout& l = layout_;
    const int rows = rows_, columns = columns_;
    Tiling& tiling = *tiling_;

    // Record numbers: header, index, then each tile that holds something.
    const int tilecount = rows * columns;
    const int indexrecords = recordsfor(tilecount, kMapIndexPerRecord);
    std::vector<int> first(static_cast<std::size_t>(tilecount), 0);
    MapFileSummary sum;
    int64_t records = 1 + indexrecords;
    for (int k = 0; k < tilecount; ++k) {
        TileContent& t = tiling.tiles()[static_cast<std::size_t>(k)];
        for (auto* list : {&t.coast, &t.border})
            std::erase_if(*list, [](const Polyline& p) { return p.size() < 2; });
        const int segments = static_cast<int>(t.coast.size() + t.border.size());
        if (segments == 0) continue;
        int points = 0;
        for (auto* list : {&t.coast, &t.border})
            for (const Polyline& p : *list) points += static_cast<int>(p.size());
        if (segments > kMapTileMaxSegments || points > kMapTileMaxPoints) {
            error = describe(l, k, rows) + " holds " + std::to_string(segments) + " segments and " +
                    std::to_string(points) +
                    " points (at most 1000 and 12000): choose smaller tiles or thin the lines";
            return false;
        }
        first[static_cast<std::size_t>(k)] = static_cast<int>(records + 1);
        records +=
            1 + recordsfor(std::max(segments - kMapPairsInSegmentRecord, 0), kMapPairsPerRecord) +
            recordsfor(points, kMapPointsPerRecord);
        ++sum.tiles;
        sum.segments += segments;
        sum.points += points;
    }
    if (records > kMapMaxRecords) {
        error = "the map needs " + std::to_string(records) +
                " records of 256 bytes (at most 32767): choose a smaller region or thin the lines";
        return false;
    }
    sum.records = static_cast<int>(records);

    bytes.assign(static_cast<std::size_t>(records) * kMapRecordBytes, '\0');
    putfloat(bytes, 4, static_cast<float>(indexrecords));
    putfloat(bytes, 8, static_cast<float>(l.south));
    putfloat(bytes, 12, static_cast<float>(l.north));
    putfloat(bytes, 16, static_cast<float>(l.tileheight));
    putfloat(bytes, 20, static_cast<float>(l.west));
    putfloat(bytes, 24, static_cast<float>(l.east));
    putfloat(bytes, 28, static_cast<float>(l.tilewidth));
    for (int k = 0; k < tilecount; ++k) {
        const int record = first[static_cast<std::size_t>(k)];
        putint16(bytes, recordstart(2) + 2 * static_cast<std::size_t>(k), record);
        if (record == 0) continue;
        const TileContent& t = tiling.tiles()[static_cast<std::size_t>(k)];
        const int segments = static_cast<int>(t.coast.size() + t.border.size());
        const std::size_t at = recordstart(record);
        // Pairs run on from word 6 into the continuation records; the points
        // follow them.
        std::size_t pair = at + 12;
        std::size_t point = recordstart(
            record + 1 +
            recordsfor(std::max(segments - kMapPairsInSegmentRecord, 0), kMapPairsPerRecord));
        int number = 0;
        for (auto* list : {&t.coast, &t.border}) {
            for (const Polyline& p : *list) {
                putint16(bytes, pair, number + 1);
                putint16(bytes, pair + 2, number + static_cast<int>(p.size()));
                pair += 4;
                number += static_cast<int>(p.size());
                for (const FloatPoint& f : p) {
                    putfloat(bytes, point, f.lat);
                    putfloat(bytes, point + 4, f.lon);
                    point += 8;
                }
            }
        }
        putint16(bytes, at, k + 1);
        putint16(bytes, at + 4, number);
        putint16(bytes, at + 6, static_cast<int>(t.coast.size()));
        putint16(bytes, at + 10, segments);
    }
    if (summary) *summary = sum;
    return true;
}

namespace {

bool parseregion(const std::string& text, MapLayout& l) {
    std::string_view s = text;
    double v[4];
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (s.empty() || s.front() != '/') return false;
            s.remove_prefix(1);
        }
        const auto r = std::from_chars(s.data(), s.data() + s.size(), v[i]);
        if (r.ec != std::errc()) return false;
        s.remove_prefix(static_cast<std::size_t>(r.ptr - s.data()));
    }
    if (!s.empty()) return false;
    l.west = v[0];
    l.east = v[1];
    l.south = v[2];
    l.north = v[3];
    return true;
}

bool parsetile(const std::string& text, MapLayout& l) {
    const std::size_t x = text.find('x');
    const std::string a = text.substr(0, x);
    const std::string b = x == std::string::npos ? a : text.substr(x + 1);
    const auto r1 = std::from_chars(a.data(), a.data() + a.size(), l.tileheight);
    const auto r2 = std::from_chars(b.data(), b.data() + b.size(), l.tilewidth);
    return r1.ec == std::errc() && r1.ptr == a.data() + a.size() && r2.ec == std::errc() &&
           r2.ptr == b.data() + b.size();
}

}  // namespace

int runmapconvert(ModeArgs args, std::ostream& err) {
    const char* me = "crustex-convert map: ";
    MapLayout layout;
    bool region = false, tile = false;
    std::string output;
    std::vector<std::pair<std::string, bool>> inputs;  // path, border
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasvalue = i + 1 < args.size();
        if (a == "--region" && hasvalue) {
            region = parseregion(args[++i], layout);
            if (!region) err << me << "--region wants W/E/S/N in degrees\n";
        } else if (a == "--tile" && hasvalue) {
            tile = parsetile(args[++i], layout);
            if (!tile) err << me << "--tile wants LATxLON in whole degrees, e.g. 2x1\n";
        } else if (a == "--output" && hasvalue) {
            output = args[++i];
        } else if (a == "--border" && hasvalue) {
            inputs.emplace_back(args[++i], true);
        } else if (!a.empty() && a.front() != '-') {
            inputs.emplace_back(a, false);
        } else {
            err << me << "unknown or incomplete option \"" << a << "\"\n";
            return 2;
        }
    }
    if (!region || !tile || output.empty() || inputs.empty()) {
        err << me << "needs --region, --tile, --output and at least one input file\n";
        return 2;
    }
    // The lines are cut into tiles as they are read.
    MapBuilder builder;
    std::string error;
    if (!builder.start(layout, error)) {
        err << me << error << '\n';
        return 1;
    }
    for (const auto& [path, border] : inputs) {
        std::ifstream in;
        if (!openinput(path, in)) {
            err << me << "cannot read " << path << '\n';
            return 1;
        }
        bool full = false;
        const auto take = [&](const MapPiece& p) { return !(full = !builder.add(p, error)); };
        const bool read = readgmtpieces(in, border, take, error);
        if (in.bad()) {
            err << me << "cannot read " << path << '\n';
            return 1;
        }
        if (!read) {
            err << me << (full ? "" : path + ": ") << error << '\n';
            return 1;
        }
    }
    std::string bytes;
    MapFileSummary sum;
    if (!builder.finish(bytes, error, &sum)) {
        err << me << error << '\n';
        return 1;
    }
    if (!writefileatomic(output, bytes)) {
        err << me << "cannot write " << output << '\n';
        return 1;
    }
    err << me << "wrote " << output << ": " << sum.tiles << " tiles, " << sum.segments
        << " segments, " << sum.points << " points, " << bytes.size() << " bytes\n";
    return 0;
}

}  // namespace crustex::tools

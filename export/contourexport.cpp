#include "export/contourexport.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <unordered_map>

#include "engine/fieldgrid.h"
#include "export/gridcsv.h"

namespace crustex {

namespace {

// The piece ends of one level, found by position: ends within the tolerance
// of a point lie in its bin or a neighbouring one.
class EndIndex {
public:
    EndIndex(std::span<const ContourPiece> pieces, std::span<const std::size_t> members, float tol)
        : pieces_(pieces), tol_(tol), bin_(tol > 0 ? 2 * tol : 1) {
        for (std::size_t m : members) {
            add(m, 0);
            add(m, 1);
        }
    }

    // An unused piece with an end at p; sets `end` to that end (0 or 1).
    std::ptrdiff_t take(FramePoint p, const std::vector<bool>& used, int& end) const {
        const auto [bx, by] = binof(p);
        for (int64_t dx = -1; dx <= 1; ++dx) {
            for (int64_t dy = -1; dy <= 1; ++dy) {
                const auto it = bins_.find(key(bx + dx, by + dy));
                if (it == bins_.end()) continue;
                for (const std::size_t e : it->second) {
                    const std::size_t piece = e / 2;
                    if (used[piece]) continue;
                    if (near(endof(e), p)) {
                        end = static_cast<int>(e % 2);
                        return static_cast<std::ptrdiff_t>(piece);
                    }
                }
            }
        }
        return -1;
    }

    bool near(FramePoint a, FramePoint b) const {
        return std::fabs(a.x - b.x) <= tol_ && std::fabs(a.y - b.y) <= tol_;
    }

private:
    FramePoint endof(std::size_t e) const {
        const ContourPiece& c = pieces_[e / 2];
        return e % 2 == 0 ? c.a : c.b;
    }
    std::pair<int64_t, int64_t> binof(FramePoint p) const {
        return {static_cast<int64_t>(std::floor(p.x / bin_)),
                static_cast<int64_t>(std::floor(p.y / bin_))};
    }
    static uint64_t key(int64_t bx, int64_t by) {
        return (static_cast<uint64_t>(bx) << 32) ^ (static_cast<uint64_t>(by) & 0xffffffffu);
    }
    void add(std::size_t piece, int end) {
        const std::size_t e = piece * 2 + static_cast<std::size_t>(end);
        const auto [bx, by] = binof(endof(e));
        bins_[key(bx, by)].push_back(e);
    }

    std::span<const ContourPiece> pieces_;
    float tol_;
    float bin_;
    std::unordered_map<uint64_t, std::vector<std::size_t>> bins_;
};

// Grows a line from one piece at both ends until no unused piece touches it.
std::vector<FramePoint> growline(std::span<const ContourPiece> pieces, const EndIndex& index,
                                 std::vector<bool>& used, std::size_t first) {
    std::deque<FramePoint> line{pieces[first].a, pieces[first].b};
    used[first] = true;
    for (bool back : {true, false}) {
        for (;;) {
            if (line.size() > 2 && index.near(line.front(), line.back())) {
                line.back() = line.front();
                return {line.begin(), line.end()};
            }
            int end = 0;
            const std::ptrdiff_t next = index.take(back ? line.back() : line.front(), used, end);
            if (next < 0) break;
            used[static_cast<std::size_t>(next)] = true;
            const ContourPiece& c = pieces[static_cast<std::size_t>(next)];
            const FramePoint other = end == 0 ? c.b : c.a;
            if (back)
                line.push_back(other);
            else
                line.push_front(other);
        }
    }
    return {line.begin(), line.end()};
}

const char* kindname(LevelKind k) {
    switch (k) {
        case LevelKind::Zero: return "zero";
        case LevelKind::Main: return "main";
        default: return "sub";
    }
}

}  // namespace

std::string jsontext(std::string_view s) {
    std::string out = "\"";
    for (const char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::vector<ContourLine> joincontourpieces(std::span<const ContourPiece> pieces, float tolerance) {
    // The pieces of each level, levels in order of first appearance.
    std::vector<float> levels;
    std::unordered_map<float, std::vector<std::size_t>> members;
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        const ContourPiece& c = pieces[k];
        if (std::fabs(c.a.x - c.b.x) <= tolerance && std::fabs(c.a.y - c.b.y) <= tolerance)
            continue;
        auto [it, fresh] = members.try_emplace(c.level);
        if (fresh) levels.push_back(c.level);
        it->second.push_back(k);
    }
    std::vector<ContourLine> lines;
    std::vector<bool> used(pieces.size(), false);
    for (const float level : levels) {
        const std::vector<std::size_t>& m = members[level];
        const EndIndex index(pieces, m, tolerance);
        for (const std::size_t k : m) {
            if (used[k]) continue;
            lines.push_back({level, pieces[k].kind, growline(pieces, index, used, k)});
        }
    }
    return lines;
}

std::vector<ContourLine> tracegridcontours(const Grid2D& values, std::span<const float> x,
                                           std::span<const float> y, const ContourRule& rule) {
    std::vector<ContourPiece> pieces;
    const ContourGrid grid{values, x, y, 0, 0, values.nx(), values.ny()};
    tracecontourpieces(grid, rule, [&](const ContourPiece& p) { pieces.push_back(p); });
    // Two cells compute a shared crossing each in their own order: allow a
    // little more than the rounding of the coordinates, far less than a cell.
    float cell = 0, extent = 0;
    for (std::span<const float> s : {x, y}) {
        if (s.size() < 2) continue;
        const float step = std::fabs(s[1] - s[0]);
        cell = cell == 0 ? step : std::min(cell, step);
        extent = std::max({extent, std::fabs(s.front()), std::fabs(s.back())});
    }
    const float tolerance = std::max(1e-4f * cell, 4e-7f * extent);
    return joincontourpieces(pieces, tolerance);
}

ContourRule contourrule(const WorkState& ws) {
    ContourRule r;
    r.scale = ws.scaletype;
    r.subinterval = ws.cline / static_cast<float>(ws.nsubline + 1);
    r.minvalue = ws.cminval;
    r.nsubline = ws.nsubline;
    return r;
}

std::vector<ContourLine> fieldcontourlines(const WorkState& ws, const Grid2D& values) {
    std::vector<float> x, y;
    for (int i = 0; i <= values.nx(); ++i) x.push_back(gridnodex(ws, i));
    for (int j = 0; j <= values.ny(); ++j) y.push_back(gridnodey(ws, j));
    return tracegridcontours(values, x, y, contourrule(ws));
}

std::string contourgeojson(std::span<const ContourLine> lines, const ContourJsonInfo& info) {
    std::string out = "{\"type\":\"FeatureCollection\",\"crustex\":{\"quantity\":";
    out += jsontext(info.quantity) + ",\"key\":" + jsontext(info.key) +
           ",\"unit\":" + jsontext(info.unit) + ",\"coordinates\":";
    out += info.togeo ? "\"longitude, latitude (degrees)\"" : "\"field x, y (km)\"";
    out += "},\"features\":[";
    bool firstline = true;
    std::vector<std::pair<float, float>> coords;
    for (const ContourLine& line : lines) {
        coords.clear();
        for (const FramePoint& p : line.points) {
            float a = p.x, b = p.y;
            if (info.togeo) info.togeo(p.x, p.y, a, b);
            // A point the projection cannot map has no place in the file.
            if (std::isfinite(a) && std::isfinite(b)) coords.emplace_back(a, b);
        }
        if (coords.size() < 2) continue;
        out += firstline ? "\n" : ",\n";
        firstline = false;
        out += "{\"type\":\"Feature\",\"properties\":{\"level\":" + shortestfloat(line.level) +
               ",\"kind\":\"" + kindname(line.kind) + "\",\"unit\":" + jsontext(info.unit) +
               "},\"geometry\":{\"type\":\"LineString\",\"coordinates\":[";
        for (std::size_t k = 0; k < coords.size(); ++k) {
            out += k == 0 ? "[" : ",[";
            out += shortestfloat(coords[k].first) + "," + shortestfloat(coords[k].second) + "]";
        }
        out += "]}}";
    }
    out += "\n]}\n";
    return out;
}

}  // namespace crustex

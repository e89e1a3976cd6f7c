#include "plot/contourbands.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <span>

#include "plot/colormaps.h"
#include "plot/contourcell.h"
#include "plot/plotmath.h"

namespace crustex {

namespace {

// The part of the sequential map used: its darkest end would hide lines
// and labels.
constexpr float kSequentialSpan = 0.85f;

// Consecutive slots for the ranks (which skip 0): rank 1 is slot 0.
int slotof(int rank) { return rank > 0 ? rank - 1 : rank; }

bool usablerule(const ContourRule& r) {
    if (r.scale == kScaleLinear) return std::isfinite(r.subinterval) && r.subinterval > 0;
    return std::isfinite(r.minvalue) && r.minvalue > 0;
}

// True when some level lies strictly between lo and hi (cell space).
bool levelinside(const BandScale& s, float lo, float hi) {
    if (s.rule.scale == kScaleLinear) {
        double first = std::ceil(static_cast<double>(lo));
        if (first == lo) first += 1;
        return first < hi;
    }
    const auto above = std::upper_bound(s.levels.begin(), s.levels.end(), lo);
    return above != s.levels.end() && *above < hi;
}

// The rings of every band, gathered over the whole grid and drawn at the
// end: the rings of a band that touch (share a corner) are chained into one
// outline that walks round each ring once, turning into a touching ring
// where it meets it and coming back; the even-odd rule then fills exactly
// their union. Neighbouring pieces of a band thus belong to one polygon and
// share their sides exactly, so no seam shows between them where a
// renderer smooths polygon edges (a PDF viewer), and no edge of the outline
// runs outside the band.
class BandRings {
public:
    explicit BandRings(const BandScale& scale) : scale_(scale) {
        bands_.resize(static_cast<std::size_t>(std::max(scale.bandcount(), 0)));
    }

    void add(int rank, std::span<const FramePoint> ring) {
        if (ring.size() < 3 || bands_.empty()) return;
        const int slot = std::clamp(slotof(rank) - slotof(scale_.lowrank), 0,
                                    static_cast<int>(bands_.size()) - 1);
        Band& band = bands_[static_cast<std::size_t>(slot)];
        band.starts.push_back(static_cast<uint32_t>(band.points.size()));
        band.points.insert(band.points.end(), ring.begin(), ring.end());
    }

    // Draws the bands from the lowest; returns the number of polygons.
    int draw(Surface& s) {
        int drawn = 0;
        int rank = scale_.lowrank;
        for (Band& band : bands_) {
            const Rgb color = bandcolor(scale_, rank);
            drawn += chain(
                band, [&](std::span<const FramePoint> outline) { s.FillPolygon(outline, color); });
            band = Band{};
            rank = nextrank(rank);
        }
        return drawn;
    }

private:
    struct Band {
        std::vector<FramePoint> points;  // the rings one after the other
        std::vector<uint32_t> starts;    // where each ring begins
    };

    static uint64_t key(FramePoint p) {
        return (static_cast<uint64_t>(std::bit_cast<uint32_t>(p.x)) << 32) |
               std::bit_cast<uint32_t>(p.y);
    }

    // Emits one outline per group of touching rings.
    template <typename Emit>
    int chain(const Band& band, Emit emit) {
        const std::size_t n = band.points.size();
        if (n == 0) return 0;
        // Every point's ring, and the points at each place (a hash of the
        // exact coordinates with chains of equal places).
        ringof_.resize(n);
        for (std::size_t r = 0; r < band.starts.size(); ++r) {
            const std::size_t end = r + 1 < band.starts.size() ? band.starts[r + 1] : n;
            for (std::size_t k = band.starts[r]; k < end; ++k)
                ringof_[k] = static_cast<uint32_t>(r);
        }
        std::size_t size = 16;
        while (size < 2 * n) size *= 2;
        slots_.assign(size, kNone);
        sameplace_.assign(n, kNone);
        for (std::size_t k = 0; k < n; ++k) {
            const uint64_t h = key(band.points[k]);
            std::size_t at =
                static_cast<std::size_t>((h * 0x9E3779B97F4A7C15ull) >> 20) & (size - 1);
            while (slots_[at] != kNone && key(band.points[slots_[at]]) != h)
                at = (at + 1) & (size - 1);
            sameplace_[k] = slots_[at];
            slots_[at] = static_cast<uint32_t>(k);
        }
        auto firstat = [&](FramePoint p) {
            const uint64_t h = key(p);
            std::size_t at =
                static_cast<std::size_t>((h * 0x9E3779B97F4A7C15ull) >> 20) & (size - 1);
            while (slots_[at] != kNone && key(band.points[slots_[at]]) != h)
                at = (at + 1) & (size - 1);
            return slots_[at];
        };
        auto ringsize = [&](uint32_t r) {
            const std::size_t end = r + 1 < band.starts.size() ? band.starts[r + 1] : n;
            return static_cast<uint32_t>(end - band.starts[r]);
        };

        done_.assign(band.starts.size(), false);
        int outlines = 0;
        for (uint32_t root = 0; root < band.starts.size(); ++root) {
            if (done_[root]) continue;
            done_[root] = true;
            path_.clear();
            stack_.clear();
            stack_.push_back({root, 0, 0, kNone});
            while (!stack_.empty()) {
                Step& f = stack_.back();
                const uint32_t count = ringsize(f.ring);
                if (f.other != kNone) {
                    // A ring that touches this place: walk it and come back.
                    const uint32_t o = f.other;
                    f.other = sameplace_[o];
                    const uint32_t q = ringof_[o];
                    if (done_[q]) continue;
                    done_[q] = true;
                    stack_.push_back({q, o - band.starts[q], 1, kNone});
                } else if (f.k < count) {
                    const uint32_t at = band.starts[f.ring] + (f.start + f.k) % count;
                    path_.push_back(band.points[at]);
                    ++f.k;
                    f.other = firstat(band.points[at]);
                } else {
                    path_.push_back(band.points[band.starts[f.ring] + f.start]);
                    stack_.pop_back();
                }
            }
            if (path_.size() >= 3) {
                emit(std::span<const FramePoint>(path_));
                ++outlines;
            }
        }
        return outlines;
    }

    static constexpr uint32_t kNone = 0xFFFFFFFFu;
    struct Step {
        uint32_t ring, start, k, other;
    };
    const BandScale& scale_;
    std::vector<Band> bands_;
    std::vector<uint32_t> ringof_, slots_, sameplace_;
    std::vector<bool> done_;
    std::vector<Step> stack_;
    std::vector<FramePoint> path_;
};

// The crossing of level t on a side as both cells that share the side find
// it: interpolated from the side's west or south end, so neighbouring
// pieces meet at exactly the same point (the lines may differ from it in
// the last bit).
FramePoint sharedcrossing(const ContourCell& cell, int side, float t) {
    const auto& c = cell.c;
    switch (side) {
        case 0: return {cell.xw, interpolate(c[0], c[1], cell.ys, cell.yn, t)};
        case 1: return {interpolate(c[1], c[2], cell.xw, cell.xe, t), cell.yn};
        case 2: return {cell.xe, interpolate(c[3], c[2], cell.ys, cell.yn, t)};
        default: return {interpolate(c[0], c[3], cell.xw, cell.xe, t), cell.ys};
    }
}

// The levels that the lines draw through one cell, in the cell's space.
class CellLevels {
public:
    explicit CellLevels(const ContourRule& rule) : rule_(rule) { list_.values.reserve(64); }

    // Fills values() for the range lo..hi.
    void select(float lo, float hi) {
        values_.clear();
        if (rule_.scale == kScaleLinear) {
            const LinearLevels l = linearlevels(lo, hi);
            for (int n = 0; n < l.count; ++n) values_.push_back(static_cast<float>(l.level(n)));
            return;
        }
        if (rule_.scale == kScaleSemiLog2)
            semilog2levels(lo, hi, rule_.minvalue, rule_.nsubline, list_);
        else
            semilog1levels(lo, hi, rule_.minvalue, list_);
        values_ = list_.values;
    }
    const std::vector<float>& values() const { return values_; }

private:
    ContourRule rule_;
    LevelList list_;
    std::vector<float> values_;
};

// Cuts one cell along the pieces of its levels and fills the pieces. The
// cell's boundary is walked as a loop parameter u in 0..4 (side k from
// corner k to corner k + 1); the pieces never cross, so every face of the
// cut is found by walking the boundary and jumping along each piece met.
class CellCutter {
public:
    CellCutter(BandRings& rings, const BandScale& scale) : rings_(rings), scale_(scale) {}

    void addpiece(const ContourCell& cell, const LevelSegment& p) {
        if (p.from == p.to || p.a == p.b) return;  // along a side or a point: no cut
        const int id = static_cast<int>(nodes_.size());
        nodes_.push_back({loopat(cell, p.from, p.a), p.a, id + 1});
        nodes_.push_back({loopat(cell, p.to, p.b), p.b, id});
    }
    bool empty() const { return nodes_.empty(); }
    void clear() { nodes_.clear(); }

    // Adds the faces of the cut cell to their bands.
    void fill(const ContourCell& cell) {
        buildloop(cell);
        const float cellarea = std::fabs((cell.xe - cell.xw) * (cell.yn - cell.ys));
        faces_.clear();
        float total = 0;
        const std::size_t m = loop_.size();
        visited_.assign(m, false);
        for (std::size_t start = 0; start < m; ++start) {
            if (visited_[start]) continue;
            Face f;
            if (!traceface(cell, start, f)) return fillwhole(cell);
            total += f.area;
            faces_.push_back(std::move(f));
        }
        if (std::fabs(total - cellarea) > 1e-3f * cellarea) return fillwhole(cell);
        for (const Face& f : faces_)
            if (f.points.size() >= 3 && f.area > 0)
                rings_.add(bandrank(scale_, f.sample), f.points);
    }

private:
    struct Node {
        float u = 0;
        FramePoint p;
        int partner = -1;  // index of the other end of its piece, -1 for a corner
    };
    struct Face {
        std::vector<FramePoint> points;
        float area = 0;
        float sample = 0;  // a boundary value inside the face's band
    };

    static float loopat(const ContourCell& cell, int side, FramePoint p) {
        float s = 0;
        switch (side) {
            case 0: s = (p.y - cell.ys) / (cell.yn - cell.ys); break;
            case 1: s = (p.x - cell.xw) / (cell.xe - cell.xw); break;
            case 2: s = (p.y - cell.yn) / (cell.ys - cell.yn); break;
            default: s = (p.x - cell.xe) / (cell.xw - cell.xe); break;
        }
        if (!(s > 0)) s = 0;
        if (s > 1) s = 1;
        return static_cast<float>(side) + s;
    }

    static float valueat(const ContourCell& cell, float u) {
        int side = static_cast<int>(u);
        if (side > 3) side = 3;
        const float s = u - static_cast<float>(side);
        const float a = cell.c[static_cast<std::size_t>(side)];
        const float b = cell.c[static_cast<std::size_t>((side + 1) % 4)];
        return a + s * (b - a);
    }

    // The corners and the pieces' ends in loop order, each end knowing
    // where its partner landed.
    void buildloop(const ContourCell& cell) {
        loop_.clear();
        for (int k = 0; k < 4; ++k) loop_.push_back({static_cast<float>(k), cell.corner(k), -1});
        for (const Node& n : nodes_) loop_.push_back(n);
        order_.resize(loop_.size());
        for (std::size_t k = 0; k < order_.size(); ++k) order_[k] = k;
        std::stable_sort(order_.begin(), order_.end(),
                         [this](std::size_t a, std::size_t b) { return loop_[a].u < loop_[b].u; });
        where_.resize(loop_.size());
        for (std::size_t k = 0; k < order_.size(); ++k) where_[order_[k]] = k;
        sorted_.clear();
        for (std::size_t k : order_) {
            Node n = loop_[k];
            if (n.partner >= 0)
                n.partner = static_cast<int>(where_[static_cast<std::size_t>(n.partner) + 4]);
            sorted_.push_back(n);
        }
        loop_.swap(sorted_);
    }

    // Walks the face that begins with the boundary step from node `start`.
    bool traceface(const ContourCell& cell, std::size_t start, Face& f) {
        const std::size_t m = loop_.size();
        std::size_t cur = start;
        float longest = -1;
        for (std::size_t guard = 0; guard <= 2 * m + 2; ++guard) {
            visited_[cur] = true;
            push(f, loop_[cur].p);
            const std::size_t next = (cur + 1) % m;
            // The boundary step cur -> next; its middle samples the band.
            float ua = loop_[cur].u;
            float ub = next == 0 ? 4.0f : loop_[next].u;
            if (ub - ua > longest) {
                longest = ub - ua;
                f.sample = valueat(cell, (ua + ub) / 2);
            }
            if (loop_[next].partner >= 0) {
                push(f, loop_[next].p);
                cur = static_cast<std::size_t>(loop_[next].partner);
            } else {
                cur = next;
            }
            if (cur == start) {
                if (f.points.size() > 1 && f.points.back() == f.points.front()) f.points.pop_back();
                f.area = polygonarea(f.points);
                return true;
            }
            if (visited_[cur]) return false;  // pieces that cross: not a planar cut
        }
        return false;
    }

    static void push(Face& f, FramePoint p) {
        if (f.points.empty() || !(f.points.back() == p)) f.points.push_back(p);
    }

    static float polygonarea(const std::vector<FramePoint>& pts) {
        double a = 0;
        for (std::size_t k = 0; k < pts.size(); ++k) {
            const FramePoint& p = pts[k];
            const FramePoint& q = pts[(k + 1) % pts.size()];
            a += static_cast<double>(p.x) * q.y - static_cast<double>(q.x) * p.y;
        }
        return static_cast<float>(std::fabs(a) / 2);
    }

    // A cut that did not come out planar (values exactly on levels along a
    // flat side, rounding): the whole cell in the band of its mean, so the
    // cells still tile the area.
    void fillwhole(const ContourCell& cell) {
        const float mean = (cell.c[0] + cell.c[1] + cell.c[2] + cell.c[3]) / 4;
        const std::array<FramePoint, 4> box = {cell.corner(0), cell.corner(1), cell.corner(2),
                                               cell.corner(3)};
        rings_.add(bandrank(scale_, mean), box);
    }

    BandRings& rings_;
    const BandScale& scale_;
    std::vector<Node> nodes_;  // the pieces' ends, in pairs
    std::vector<Node> loop_, sorted_;
    std::vector<std::size_t> order_, where_;
    std::vector<bool> visited_;
    std::vector<Face> faces_;
};

// Uncut cells of one band down a column, drawn as one rectangle.
struct Run {
    bool open = false;
    int rank = 0;
    int lastj = 0;
    float xw = 0, xe = 0, ys = 0, yn = 0;
};

// Its corners in the order of a cell's (south-west, north-west, north-east,
// south-east), so all rings turn the same way.
void flush(BandRings& rings, Run& run) {
    if (!run.open) return;
    run.open = false;
    const std::array<FramePoint, 4> box = {
        FramePoint{run.xw, run.ys}, {run.xw, run.yn}, {run.xe, run.yn}, {run.xe, run.ys}};
    rings.add(run.rank, box);
}

}  // namespace

float BandScale::divisor() const { return rule.scale == kScaleLinear ? rule.subinterval : 1.0f; }

int BandScale::bandcount() const { return slotof(highrank) - slotof(lowrank) + 1; }

BandScale bandscalefor(const ContourGrid& grid, const ContourRule& rule, bool diverging) {
    BandScale s;
    s.rule = rule;
    s.diverging = diverging;
    const ContourGrid g = usablepart(grid);
    bool any = false;
    for (int i = g.firstx; i <= g.lastx; ++i) {
        for (int j = g.firsty; j <= g.lasty; ++j) {
            const float v = g.values(i, j);
            if (!hasvalue(v)) continue;
            if (!any || v < s.lowest) s.lowest = v;
            if (!any || v > s.highest) s.highest = v;
            any = true;
        }
    }
    if (!any) return s;
    if (!usablerule(rule)) {
        s.status = BandStatus::BadRule;
        return s;
    }
    const float div = s.divisor();
    const float lo = s.lowest / div;
    const float hi = s.highest / div;
    if (!std::isfinite(lo) || !std::isfinite(hi)) {
        s.status = BandStatus::TooWide;
        return s;
    }
    if (rule.scale == kScaleLinear) {
        if (static_cast<double>(hi) - lo > kMaxContourLevels) {
            s.status = BandStatus::TooWide;
            return s;
        }
    } else {
        const float largest = std::max(std::fabs(s.lowest), std::fabs(s.highest));
        if (std::log10(static_cast<double>(largest) / rule.minvalue) > kMaxBandDecades) {
            s.status = BandStatus::TooWide;
            return s;
        }
        LevelList list;
        if (rule.scale == kScaleSemiLog2)
            semilog2levels(-largest, largest, rule.minvalue, rule.nsubline, list);
        else
            semilog1levels(-largest, largest, rule.minvalue, list);
        const auto zero = std::find(list.values.begin(), list.values.end(), 0.0f);
        if (list.thinned || zero == list.values.end()) {
            s.status = BandStatus::TooWide;
            return s;
        }
        s.levels = std::move(list.values);
        s.zeroindex =
            static_cast<int>(std::find(s.levels.begin(), s.levels.end(), 0.0f) - s.levels.begin());
    }
    if (!levelinside(s, lo, hi)) {
        s.status = BandStatus::Flat;
        return s;
    }
    s.lowrank = bandrank(s, lo);
    s.highrank = bandrank(s, hi);
    // A top value exactly on a level opens no band above it.
    if (s.highrank != s.lowrank && bandfloor(s, s.highrank) == s.highest)
        s.highrank = previousrank(s.highrank);
    s.status = BandStatus::Ready;
    return s;
}

int bandrank(const BandScale& s, float v) {
    if (s.rule.scale == kScaleLinear) {
        double k = std::floor(static_cast<double>(v));
        if (!std::isfinite(k)) k = 0;
        k = std::clamp(k, -1e9, 1e9);
        const int n = static_cast<int>(k);
        return n >= 0 ? n + 1 : n;
    }
    const int above =
        static_cast<int>(std::upper_bound(s.levels.begin(), s.levels.end(), v) - s.levels.begin());
    return above - 1 >= s.zeroindex ? above - s.zeroindex : above - s.zeroindex - 1;
}

float bandfloor(const BandScale& s, int rank) {
    if (s.rule.scale == kScaleLinear) {
        const double k = rank > 0 ? rank - 1 : rank;
        return static_cast<float>(k * s.rule.subinterval);
    }
    const int index = rank > 0 ? s.zeroindex + rank - 1 : s.zeroindex + rank;
    if (index < 0) return s.lowest;
    if (index >= static_cast<int>(s.levels.size())) return s.highest;
    return s.levels[static_cast<std::size_t>(index)];
}

Rgb bandcolor(const BandScale& s, int rank) {
    if (s.diverging) {
        const int reach = std::max({std::abs(s.lowrank), std::abs(s.highrank), 1});
        const float t = (static_cast<float>(std::abs(rank)) - 0.5f) / static_cast<float>(reach);
        return divergingcolor(rank < 0 ? -t : t);
    }
    const int count = std::max(s.bandcount(), 1);
    const float t =
        (static_cast<float>(slotof(rank) - slotof(s.lowrank)) + 0.5f) / static_cast<float>(count);
    return sequentialcolor(t * kSequentialSpan);
}

std::string bandstatusnote(const BandScale& s) {
    switch (s.status) {
        case BandStatus::Ready: return "";
        case BandStatus::NoValues: return " No node has a value: nothing to colour";
        case BandStatus::Flat:
            return " No contour level lies inside the values of the grid: nothing to colour";
        case BandStatus::TooWide:
            return " The values span too many contour levels for a colour scale: "
                   "raise \"Main Contour\" or \"Min. Value\"";
        case BandStatus::BadRule:
            return " The contour interval or minimum value is not usable: nothing to colour";
    }
    return "";
}

BandOutcome drawbands(PlotContext& pc, Host& host, bool& abortflag, const ContourGrid& grid,
                      const BandScale& scale) {
    BandOutcome out;
    if (scale.status != BandStatus::Ready) return out;
    host.setBusy(true);
    host.setStatus(" Filling Contour Bands(Ctrl-Q to Abort)");
    abortflag = false;
    Surface& s = pc.surface();
    const ContourGrid g = usablepart(grid);
    const float div = scale.divisor();
    CellLevels levels(scale.rule);
    BandRings rings(scale);
    CellCutter cutter(rings, scale);
    ContourCell cell;
    std::array<LevelSegment, 2> pieces;
    for (int i = g.firstx; i < g.lastx; ++i) {
        Run run;
        for (int j = g.firsty; j < g.lasty; ++j) {
            if (!loadcontourcell(g, i, j, div, cell)) {
                flush(rings, run);
                continue;
            }
            levels.select(cell.lowest(), cell.highest());
            cutter.clear();
            for (float t : levels.values()) {
                const int n = levelsegments(cell, t, pieces);
                for (int k = 0; k < n; ++k) {
                    LevelSegment& p = pieces[static_cast<std::size_t>(k)];
                    p.a = sharedcrossing(cell, p.from, t);
                    p.b = sharedcrossing(cell, p.to, t);
                    cutter.addpiece(cell, p);
                }
            }
            if (!cutter.empty()) {
                flush(rings, run);
                cutter.fill(cell);
                continue;
            }
            const int rank = bandrank(scale, (cell.c[0] + cell.c[1] + cell.c[2] + cell.c[3]) / 4);
            if (run.open && run.rank == rank && run.lastj == j - 1) {
                run.lastj = j;
                run.yn = cell.yn;
                continue;
            }
            flush(rings, run);
            run = {true, rank, j, cell.xw, cell.xe, cell.ys, cell.yn};
        }
        flush(rings, run);
        if (abortrequested(host, abortflag)) {
            out.aborted = true;
            break;
        }
    }
    out.polygons = rings.draw(s);
    host.setBusy(false);
    host.setStatus("");
    return out;
}

}  // namespace crustex

#include "plot/contourbands.h"

#include <algorithm>
#include <array>
#include <cmath>

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
    CellCutter(Surface& s, const BandScale& scale) : surface_(s), scale_(scale) {}

    void addpiece(const ContourCell& cell, const LevelSegment& p) {
        if (p.from == p.to || p.a == p.b) return;  // along a side or a point: no cut
        const int id = static_cast<int>(nodes_.size());
        nodes_.push_back({loopat(cell, p.from, p.a), p.a, id + 1});
        nodes_.push_back({loopat(cell, p.to, p.b), p.b, id});
    }
    bool empty() const { return nodes_.empty(); }
    void clear() { nodes_.clear(); }

    // Fills the faces of the cut cell; returns the number of polygons.
    int fill(const ContourCell& cell) {
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
        int drawn = 0;
        for (const Face& f : faces_) {
            if (f.points.size() < 3 || f.area <= 0) continue;
            surface_.FillPolygon(f.points, bandcolor(scale_, bandrank(scale_, f.sample)));
            ++drawn;
        }
        return drawn;
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
    int fillwhole(const ContourCell& cell) {
        const float mean = (cell.c[0] + cell.c[1] + cell.c[2] + cell.c[3]) / 4;
        const std::array<FramePoint, 4> box = {cell.corner(0), cell.corner(1), cell.corner(2),
                                               cell.corner(3)};
        surface_.FillPolygon(box, bandcolor(scale_, bandrank(scale_, mean)));
        return 1;
    }

    Surface& surface_;
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

int flush(Surface& s, const BandScale& scale, Run& run) {
    if (!run.open) return 0;
    run.open = false;
    const std::array<FramePoint, 4> box = {
        FramePoint{run.xw, run.ys}, {run.xw, run.yn}, {run.xe, run.yn}, {run.xe, run.ys}};
    s.FillPolygon(box, bandcolor(scale, run.rank));
    return 1;
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
    CellCutter cutter(s, scale);
    ContourCell cell;
    std::array<LevelSegment, 2> pieces;
    for (int i = g.firstx; i < g.lastx; ++i) {
        Run run;
        for (int j = g.firsty; j < g.lasty; ++j) {
            if (!loadcontourcell(g, i, j, div, cell)) {
                out.polygons += flush(s, scale, run);
                continue;
            }
            levels.select(cell.lowest(), cell.highest());
            cutter.clear();
            for (float t : levels.values()) {
                const int n = levelsegments(cell, t, pieces);
                for (int k = 0; k < n; ++k)
                    cutter.addpiece(cell, pieces[static_cast<std::size_t>(k)]);
            }
            if (!cutter.empty()) {
                out.polygons += flush(s, scale, run);
                out.polygons += cutter.fill(cell);
                continue;
            }
            const int rank = bandrank(scale, (cell.c[0] + cell.c[1] + cell.c[2] + cell.c[3]) / 4);
            if (run.open && run.rank == rank && run.lastj == j - 1) {
                run.lastj = j;
                run.yn = cell.yn;
                continue;
            }
            out.polygons += flush(s, scale, run);
            run = {true, rank, j, cell.xw, cell.xe, cell.ys, cell.yn};
        }
        out.polygons += flush(s, scale, run);
        if (abortrequested(host, abortflag)) {
            out.aborted = true;
            break;
        }
    }
    host.setBusy(false);
    host.setStatus("");
    return out;
}

}  // namespace crustex

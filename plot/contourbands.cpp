#include "plot/contourbands.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

#include "plot/bandoutlines.h"
#include "plot/cellcutter.h"
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

// Cells that no level crosses, of one band, down a column: one ring
// through every node on its west and east sides, so that the pieces of the
// neighbouring columns find its corners.
struct Run {
    bool open = false;
    int rank = 0;
    int firstj = 0, lastj = 0;
    int i = 0;
};

// The band number (0 for the lowest band with data) of a rank.
int bandindex(const BandScale& s, int rank) { return slotof(rank) - slotof(s.lowrank); }

void flush(const ContourGrid& g, BandOutlines& out, const BandScale& scale, Run& run,
           std::vector<FramePoint>& ring) {
    if (!run.open) return;
    run.open = false;
    const float xw = g.nodex[static_cast<std::size_t>(run.i)];
    const float xe = g.nodex[static_cast<std::size_t>(run.i + 1)];
    ring.clear();
    for (int j = run.firstj; j <= run.lastj + 1; ++j)
        ring.push_back({xw, g.nodey[static_cast<std::size_t>(j)]});
    for (int j = run.lastj + 1; j >= run.firstj; --j)
        ring.push_back({xe, g.nodey[static_cast<std::size_t>(j)]});
    out.add(bandindex(scale, run.rank), ring);
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
    BandOutlines outlines(scale.bandcount());
    CellCutter cutter;
    std::vector<CellFace> faces;
    std::vector<FramePoint> ring;
    ContourCell cell;
    std::array<LevelSegment, 2> pieces;
    auto addfaces = [&] {
        for (const CellFace& f : faces)
            if (f.points.size() >= 3 && f.area > 0)
                outlines.add(bandindex(scale, bandrank(scale, f.sample)), f.points);
    };
    for (int i = g.firstx; i < g.lastx; ++i) {
        Run run;
        for (int j = g.firsty; j < g.lasty; ++j) {
            if (!loadcontourcell(g, i, j, div, cell)) {
                flush(g, outlines, scale, run, ring);
                continue;
            }
            cutter.clear();
            // A cell whose corners lie in one band (none above a level the
            // others are below) is not cut; only the others get their
            // level lists.
            const bool oneband = bandrank(scale, cell.lowest()) == bandrank(scale, cell.highest());
            if (!oneband) levels.select(cell.lowest(), cell.highest());
            for (float t : oneband ? std::span<const float>() : levels.values()) {
                const int n = levelsegments(cell, t, pieces);
                for (int k = 0; k < n; ++k) {
                    LevelSegment& p = pieces[static_cast<std::size_t>(k)];
                    p.a = sharedcrossing(cell, p.from, t);
                    p.b = sharedcrossing(cell, p.to, t);
                    cutter.addpiece(cell, p);
                }
            }
            const float mean = (cell.c[0] + cell.c[1] + cell.c[2] + cell.c[3]) / 4;
            const int rank = bandrank(scale, mean);
            if (!cutter.empty()) {
                flush(g, outlines, scale, run, ring);
                if (cutter.cut(cell, faces)) {
                    addfaces();
                } else {
                    // The whole cell in the band of its mean: the cells
                    // still tile the area.
                    const std::array<FramePoint, 4> box = {cell.corner(0), cell.corner(1),
                                                           cell.corner(2), cell.corner(3)};
                    outlines.add(bandindex(scale, rank), box);
                }
                continue;
            }
            if (run.open && run.rank == rank && run.lastj == j - 1) {
                run.lastj = j;
                continue;
            }
            flush(g, outlines, scale, run, ring);
            run = {true, rank, j, j, i};
        }
        flush(g, outlines, scale, run, ring);
        if (abortrequested(host, abortflag)) {
            out.aborted = true;
            break;
        }
    }
    std::vector<Rgb> colors;
    for (int r = scale.lowrank, k = 0; k < scale.bandcount(); ++k, r = nextrank(r))
        colors.push_back(bandcolor(scale, r));
    out.polygons = outlines.draw(s, colors);
    host.setBusy(false);
    host.setStatus("");
    return out;
}

}  // namespace crustex
